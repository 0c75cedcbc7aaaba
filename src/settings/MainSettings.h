#pragma once
// The keys of Main.ini, each read or written in its own cycle: settings are never cached, so the file stays
// the single source of truth between the main program and the guide. User-interface thread only.

#include <string>

namespace tessaline {

inline constexpr wchar_t kDefaultSkinName[] = L"Classic";
inline constexpr wchar_t kDefaultLanguage[] = L"English";

bool ReadSkipStartScreen();
void WriteSkipStartScreen(bool value);
bool ReadStartup();
void WriteStartup(bool value);
// Also traces the full path of the file.
void WriteHeightWidth(int value);

struct HotCornerSettings {
    bool hotCorners = true;
    bool hotSidebar = true;
};
// Read in one TSafeIniFile cycle, which also rewrites the file (as the Start button's menu does on opening).
HotCornerSettings ReadHotCornerSettings();
void WriteHotCorners(bool value);
void WriteHotSidebar(bool value);

std::wstring ReadSkinName();
// The dialog's language reader (TIniFile); default "English".
std::wstring ReadLanguage();
// The settings dialog's OK: both keys in one cycle, SkinName first.
void WriteSkinAndLanguage(const std::wstring& skinName, const std::wstring& language);

// Plain reader, default "English"; a failure yields an empty text (treated as "English" by the language code).
std::wstring ReadLanguageSetting();

}  // namespace tessaline
