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

}  // namespace tessaline
