#include "base/FileSystem.h"
#include "settings/UserDataDir.h"

namespace tessaline {

std::wstring GetRoamingAppDataFolder() {
    return GetEnvironmentText(L"APPDATA");
}

}  // namespace tessaline
