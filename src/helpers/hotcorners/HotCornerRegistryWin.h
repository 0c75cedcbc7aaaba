#pragma once
// Carries out the hot-corner helper's registry decisions below HKEY_CURRENT_USER. Any thread.

#include <string>
#include <vector>

#include "helpers/hotcorners/HotCornerPolicy.h"

namespace tessaline {

// The value as it is now; a missing key or value reads as Absent.
TRegistryValue ReadUserValue(const std::wstring& key, const std::wstring& name);

struct TRegistryApplyResult {
    int Changed = 0;  // values written or deleted
    int Failed = 0;   // traced; the others are still applied
};

// Writes (creating the key) or deletes each value that NeedsChange says differs; leaves the others untouched.
TRegistryApplyResult ApplyUserValues(const std::vector<TDesiredValue>& values);

}  // namespace tessaline
