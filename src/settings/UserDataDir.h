#pragma once
// Where both programs keep their per-user files, and the two routes to Main.ini.

#include <string>

namespace tessaline {

inline constexpr wchar_t kDataSubFolder[] = L"AppData\\LocalLow\\Quorvan\\Tessaline\\";
inline constexpr wchar_t kMainIniName[] = L"Main.ini";
inline constexpr wchar_t kMainSection[] = L"Main";

// The profile folder trimmed, a "\" added unless empty or already there, then kDataSubFolder.
std::wstring UserDataDirFromProfile(const std::wstring& userProfile);
// From the USERPROFILE environment variable; always ends in a backslash.
std::wstring GetUserDataDir();
std::wstring GetMainIniFileName();

// The search's route: the roaming application-data folder less its last 8 characters ("\Roaming"),
// then "\LocalLow\Quorvan\Tessaline\Main.ini".
std::wstring MainIniFileNameFromAppData(const std::wstring& roamingAppData);
std::wstring GetMainIniFileNameFromAppData();

// CSIDL_APPDATA as SHGetSpecialFolderPathW gives it; natively the APPDATA variable. Empty when unknown.
std::wstring GetRoamingAppDataFolder();

}  // namespace tessaline
