#pragma once
// Where both programs keep their per-user files, and Main.ini in it. (Every reader, the search's too, takes this
// one route: the roaming folder less "\Roaming" names the same file only for a profile laid out as the standard
// one.)

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

}  // namespace tessaline
