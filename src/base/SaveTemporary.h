#pragma once
// The temporary files a save writes before it renames them over the real file ("<file>.<pid>-<n>.tmp", beside
// it), and the clean-up of those that a crash or power loss left behind. Any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

std::wstring SaveTemporaryPath(const std::wstring& path, uint32_t processId, unsigned number);

// The process that wrote `name` (a file name, no folder) as a save temporary of the file named `baseName`; none
// when `name` is not one. Names compare without regard to case, as the file system does.
std::optional<uint32_t> SaveTemporaryOwner(std::wstring_view name, std::wstring_view baseName);

// Deletes, in `folder`, the save temporaries of the files named `baseNames` that no save in progress can own:
// those of a process that has ended, and this process's own (call it before this process saves anything).
// Returns how many were deleted.
int RemoveStaleSaveTemporaries(const std::wstring& folder, const std::vector<std::wstring>& baseNames);

}  // namespace tessaline
