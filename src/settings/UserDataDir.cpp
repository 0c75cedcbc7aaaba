#include "settings/UserDataDir.h"

#include "base/FileSystem.h"
#include "base/Strings.h"

namespace tessaline {

std::wstring UserDataDirFromProfile(const std::wstring& userProfile) {
    std::wstring dir = Trim(userProfile);
    if (!dir.empty() && dir.back() != L'\\') {
        dir += L'\\';
    }
    return dir + kDataSubFolder;
}

std::wstring GetUserDataDir() {
    return UserDataDirFromProfile(GetEnvironmentText(L"USERPROFILE"));
}

std::wstring GetMainIniFileName() {
    return GetUserDataDir() + kMainIniName;
}

std::wstring MainIniFileNameFromAppData(const std::wstring& roamingAppData) {
    const size_t keep = roamingAppData.size() > 8 ? roamingAppData.size() - 8 : 0;
    return roamingAppData.substr(0, keep) + L"\\LocalLow\\Quorvan\\Tessaline\\Main.ini";
}

std::wstring GetMainIniFileNameFromAppData() {
    return MainIniFileNameFromAppData(GetRoamingAppDataFolder());
}

}  // namespace tessaline
