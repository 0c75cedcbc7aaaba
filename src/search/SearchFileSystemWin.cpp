#include "search/SearchFileSystemWin.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string_view>
#include <type_traits>

#include "base/Trace.h"
#include "catalogue/ShellItems.h"
#include "system/ShellServices.h"

namespace tessaline {
namespace {

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};
using UniqueFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

bool IsWow64() {
    // The answer cannot change while the process runs; the first caller's thread computes it, once.
    static const bool wow64 = [] {
        BOOL result = FALSE;
        if (!IsWow64Process(GetCurrentProcess(), &result)) {
            Trace(L"SearchFileSystem: IsWow64Process failed: ", GetLastError());
            return false;
        }
        return result != FALSE;
    }();
    return wow64;
}

// Redirection is a property of the thread, so is what must be restored.
thread_local bool t_redirectionOff = false;
thread_local void* t_oldRedirection = nullptr;

}  // namespace

bool TShellSearchFileSystem::ListFolder(const std::wstring& folder,
                                        const std::function<bool(const TSearchFolderEntry&)>& each) {
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();  // nothing to close
        const DWORD error = GetLastError();
        // A drive's root has no "." entry: an empty one answers "file not found" although it can be listed.
        if (error == ERROR_FILE_NOT_FOUND && DirectoryExists(folder)) {
            return true;
        }
        Trace(L"SearchFileSystem: FindFirstFileExW failed: ", folder, L" ", error);
        return false;
    }
    do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const TSearchFolderEntry entry{std::wstring(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
        if (!each(entry)) {
            return true;
        }
    } while (FindNextFileW(find.get(), &data));
    return true;
}

bool TShellSearchFileSystem::DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool TShellSearchFileSystem::FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring TShellSearchFileSystem::DisplayName(const std::wstring& path) {
    return GetShellDisplayName(path);
}

int TShellSearchFileSystem::SmallIconIndex(const std::wstring& path) {
    return GetSysIconIndex(path, true, false);
}

bool TShellSearchFileSystem::SameName(const std::wstring& a, const std::wstring& b) {
    // The same comparison as the All Programs merge's.
    return a.size() == b.size() && SystemNameKey(a) == SystemNameKey(b);
}

void TShellSearchFileSystem::SetRedirectionOff(bool off) {
    if (!IsWow64()) {
        return;
    }
    if (off && !t_redirectionOff) {
        t_redirectionOff = DisableWow64Redirection(&t_oldRedirection);
        if (!t_redirectionOff) {
            Trace(L"SearchFileSystem: DisableWow64Redirection failed: ", GetLastError());
        }
    } else if (!off && t_redirectionOff) {
        if (!RevertWow64Redirection(t_oldRedirection)) {
            Trace(L"SearchFileSystem: RevertWow64Redirection failed: ", GetLastError());
        }
        t_redirectionOff = false;
        t_oldRedirection = nullptr;
    }
}

}  // namespace tessaline
