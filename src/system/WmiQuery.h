#pragma once
// WMI through its automation object ("WbemScripting.SWbemLocator"), late bound. Calling thread must have COM.

#include <string>
#include <vector>

namespace tessaline {

// The named string property of every object the query returns on the local computer in "root/cimv2", in order;
// empty on any failure (traced). Objects whose property is not a string give an empty text.
std::vector<std::wstring> WmiQueryStrings(const std::wstring& query, const std::wstring& property);

}  // namespace tessaline
