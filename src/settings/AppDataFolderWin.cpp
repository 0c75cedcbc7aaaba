#include <windows.h>

#include <shlobj.h>

#include "settings/UserDataDir.h"

namespace tessaline {

std::wstring GetRoamingAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE)) {
        return {};
    }
    return path;
}

}  // namespace tessaline
