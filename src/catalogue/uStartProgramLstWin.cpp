#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <map>
#include <optional>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
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

// Name and data in one call per value: each registry call is a round trip to the server under Wine. The shell
// may write the key meanwhile: a value deleted by then is missed, one rewritten is read as it is now.
std::vector<TUserAssistValue> ReadUserAssistValues(HKEY key, DWORD count, DWORD longestName, DWORD longestData) {
    std::vector<TUserAssistValue> values;
    std::wstring name(longestName + 1, L'\0');
    std::string data(longestData, '\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        LSTATUS status =
            RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) {
            // A value written since the key was measured: ask again with room for it (a name is at most 16,383
            // characters).
            name.resize(16384);
            data.resize(std::max<size_t>(size, data.size()));
            length = static_cast<DWORD>(name.size());
            size = static_cast<DWORD>(data.size());
            status = RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                                   &size);
        }
        if (status == ERROR_SUCCESS) {
            values.push_back({name.substr(0, length), data.substr(0, size)});
        }
    }
    return values;
}

// How far local time is from UTC now, in 100-ns units: the list's times are local ones.
int64_t LocalBias() {
    FILETIME utc{};
    GetSystemTimeAsFileTime(&utc);
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) {
        return 0;
    }
    return static_cast<int64_t>(FileTimeValue(local) - FileTimeValue(utc));
}

TDateTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

TUseProgramManage::TUseProgramManage()
    : dataFile_(GetUserDataDir() + kUserDataFileName),
      startMenus_{GetSpecialFolder(CSIDL_STARTMENU), GetSpecialFolder(CSIDL_COMMON_STARTMENU)} {}

const std::vector<TUserAssistValue>& TUseProgramManage::UserAssistValues() {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        ForgetValues();
        return keptValues_;
    }
    const TUniqueHkey key(opened);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    DWORD count = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    FILETIME written{};
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, &written) != ERROR_SUCCESS) {
        ForgetValues();
    } else if (const TUserAssistKeyState state{FileTimeValue(written), count, FileTimeValue(now)};
               !UserAssistValuesStillHold(keptState_, state)) {
        keptValues_ = ReadUserAssistValues(key.get(), count, longestName, longestData);
        keptState_ = state;
        ++valuesRead_;
    }
    return keptValues_;
}

void TUseProgramManage::ForgetValues() {
    keptState_ = {};
    if (!keptValues_.empty()) {
        keptValues_.clear();
        ++valuesRead_;
    }
}

bool TUseProgramManage::MadeFromStillHolds(const std::vector<std::wstring>& lines) const {
    if (!madeFrom_.Holds || madeFrom_.ValuesRead != valuesRead_ || madeFrom_.Forgotten != kept_.Forgotten() ||
        madeFrom_.LocalBias != LocalBias() || madeFrom_.Lines != lines) {
        return false;
    }
    return std::all_of(madeFrom_.KnownFolders.begin(), madeFrom_.KnownFolders.end(),
                       [](const auto& known) { return GetStartMenuKnownFolder(known.first) == known.second; });
}

void TUseProgramManage::Refresh() {
    ScopedWow64RedirectionOff redirectionOff;
    const std::vector<TUserAssistValue>& values = UserAssistValues();
    std::vector<std::wstring> lines;
    if (FileExists(dataFile_)) {
        TUserDataText text;
        ReadUserDataFile(dataFile_, text);
        lines = std::move(text.Lines);
    }
    // Most entries name shortcuts in the Start Menu folders: what is known of those stays known while the
    // folders are unchanged, and whether a program they start is there while the program's folder is.
    kept_.Begin(startMenus_);
    if (MadeFromStillHolds(lines)) {
        return;  // the list made last time, with the names it has shown
    }
    list_.Clear();
    TUseProgramShell shell;
    shell.FileExists = [this](const std::wstring& path) {
        return kept_.FileExists(path, [&] { return FileExists(path); });
    };
    std::optional<TLinkResolver> resolver;
    shell.ResolveLinkTarget = [this, &resolver](const std::wstring& link) {
        return kept_.LinkTarget(link, [&] { return (resolver ? *resolver : resolver.emplace()).Resolve(link); });
    };
    // Asked when an entry is first read, after this scope: the lookup switches the redirection off itself.
    shell.GetShellDisplayName = [](const std::wstring& path) {
        ScopedWow64RedirectionOff off;
        return GetShellDisplayName(path);
    };
    // Values name the same few folders over and over; each lookup reads the registry and three folder paths.
    std::map<std::wstring, std::wstring> knownFolders;
    shell.GetStartMenuKnownFolder = [&knownFolders](const std::wstring& guid) {
        const auto [found, added] = knownFolders.try_emplace(guid);
        if (added) {
            found->second = GetStartMenuKnownFolder(guid);
        }
        return found->second;
    };
    shell.FileTimeToLocal = [](uint64_t utc) {
        const FILETIME time{static_cast<DWORD>(utc & 0xFFFFFFFFu), static_cast<DWORD>(utc >> 32)};
        return FileTimeToDateTime(time);
    };
    const uint64_t unkept = kept_.Unkept();
    list_.Rebuild(values, lines, shell);
    madeFrom_.Holds = kept_.Unkept() == unkept;
    madeFrom_.ValuesRead = valuesRead_;
    madeFrom_.Lines = std::move(lines);
    madeFrom_.KnownFolders = std::move(knownFolders);
    madeFrom_.LocalBias = LocalBias();
    madeFrom_.Forgotten = kept_.Forgotten();
}

bool TUseProgramManage::AddLaunchRecord(const std::wstring& path) {
    madeFrom_.Holds = false;
    return AddLaunchRecordToFile(dataFile_, path, LocalNow());
}

bool TUseProgramManage::RemoveEntry(const TUseProgramInfo& info) {
    madeFrom_.Holds = false;
    if (!info.UserAssistName.empty()) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserAssistCountKey, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) {
            return false;
        }
        const TUniqueHkey key(opened);
        const LSTATUS status = RegDeleteValueW(key.get(), info.UserAssistName.c_str());
        if (status != ERROR_SUCCESS) {
            Trace(L"RemoveEntry: RegDeleteValueW failed: ", static_cast<int64_t>(status));
        }
        return status == ERROR_SUCCESS;
    }
    return FileExists(dataFile_) && RemoveEntryFromFile(dataFile_, info.LinkPath);
}

}  // namespace tessaline
