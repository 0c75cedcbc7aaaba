#include <windows.h>

#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "base/Trace.h"
#include "catalogue/KnownFolders.h"
#include "catalogue/ShellItems.h"
#include "catalogue/UserDataFile.h"
#include "catalogue/uStartProgramLst.h"
#include "settings/UserDataDir.h"
#include "system/ShellServices.h"

namespace tessaline {

std::unique_ptr<TUseProgramManage> v_UseProgramManage;

namespace {

// The value names are listed once, then each value is read: the shell may write the key meanwhile, and a
// value that has gone by its turn simply has no data (and so no time).
std::vector<TUserAssistValue> ReadUserAssistValues() {
    std::vector<TUserAssistValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    DWORD count = 0;
    DWORD longestName = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName, nullptr,
                         nullptr, nullptr) == ERROR_SUCCESS) {
        std::wstring name(longestName + 1, L'\0');
        for (DWORD i = 0; i < count; ++i) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
                values.push_back({name.substr(0, length), {}});
            }
        }
    }
    for (TUserAssistValue& value : values) {
        DWORD size = 0;
        if (RegQueryValueExW(key, value.Name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
            value.Data.resize(size);
            if (RegQueryValueExW(key, value.Name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value.Data.data()),
                                 &size) != ERROR_SUCCESS) {
                value.Data.clear();
            } else {
                value.Data.resize(size);
            }
        }
    }
    RegCloseKey(key);
    return values;
}

TDateTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

TUseProgramManage::TUseProgramManage() : dataFile_(GetUserDataDir() + kUserDataFileName) {}

void TUseProgramManage::Refresh() {
    list_.Clear();
    ScopedWow64RedirectionOff redirectionOff;
    const std::vector<TUserAssistValue> values = ReadUserAssistValues();
    std::vector<std::wstring> lines;
    if (FileExists(dataFile_)) {
        ReadTextFileLines(dataFile_, lines);
    }
    TUseProgramShell shell;
    shell.FileExists = [](const std::wstring& path) { return FileExists(path); };
    TLinkResolver resolver;
    shell.ResolveLinkTarget = [&resolver](const std::wstring& link) { return resolver.Resolve(link); };
    shell.GetShellDisplayName = [](const std::wstring& path) { return GetShellDisplayName(path); };
    shell.GetStartMenuKnownFolder = [](const std::wstring& guid) { return GetStartMenuKnownFolder(guid); };
    shell.FileTimeToLocal = [](uint64_t utc) {
        const FILETIME time{static_cast<DWORD>(utc & 0xFFFFFFFFu), static_cast<DWORD>(utc >> 32)};
        return FileTimeToDateTime(time);
    };
    list_.Rebuild(values, lines, shell);
}

bool TUseProgramManage::AddLaunchRecord(const std::wstring& path) {
    return AddLaunchRecordToFile(dataFile_, path, LocalNow());
}

bool TUseProgramManage::RemoveEntry(const TUseProgramInfo& info) {
    if (!info.UserAssistName.empty()) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
            return false;
        }
        const LSTATUS status = RegDeleteValueW(key, info.UserAssistName.c_str());
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) {
            Trace(L"RemoveEntry: RegDeleteValueW failed: ", static_cast<int64_t>(status));
        }
        return status == ERROR_SUCCESS;
    }
    return FileExists(dataFile_) && RemoveEntryFromFile(dataFile_, info.LinkPath);
}

}  // namespace tessaline
