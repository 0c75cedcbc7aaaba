#include <windows.h>

#include <shlobj.h>

#include "base/HandlesWin.h"
#include "catalogue/KnownFolders.h"
#include "catalogue/ShellItems.h"

namespace tessaline {
namespace {

constexpr wchar_t kDescriptionsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FolderDescriptions\\";

bool ReadStringValue(HKEY key, const wchar_t* name, std::wstring& value) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
        return false;
    }
    buffer.resize(size / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0') {
        buffer.pop_back();
    }
    value = std::move(buffer);
    return true;
}

TFolderDescription ReadDescription(const std::wstring& guidText) {
    TFolderDescription description;
    HKEY opened = nullptr;
    const std::wstring path = std::wstring(kDescriptionsKey) + guidText;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return description;
    }
    const TUniqueHkey key(opened);
    description.found = true;
    description.hasParent = ReadStringValue(key.get(), L"ParentFolder", description.parentFolder);
    if (description.hasParent) {
        ReadStringValue(key.get(), L"RelativePath", description.relativePath);
    } else {
        ReadStringValue(key.get(), L"Name", description.name);
    }
    return description;
}

}  // namespace

std::wstring GetStartMenuKnownFolder(const std::wstring& guidText) {
    const std::wstring relative = GetKnownFolderRelativePath(guidText, ReadDescription);
    if (relative.empty()) {
        return {};
    }
    const TAppDataRoots roots{GetSpecialFolder(CSIDL_APPDATA), GetSpecialFolder(CSIDL_LOCAL_APPDATA),
                              GetSpecialFolder(CSIDL_COMMON_APPDATA)};
    return StartMenuFolderFromRelativePath(relative, roots);
}

}  // namespace tessaline
