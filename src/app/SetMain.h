#pragma once
// What the settings dialog offers and preselects: the complete skins of the skin folder and the language files,
// from plain lists of file names, and the choice the saved settings make among them. The dialog's window is in
// SetMainWin.cpp. Any thread.

#include <string>
#include <string_view>
#include <vector>

#include "app/StartButtonSkin.h"

namespace tessaline {

// The name without its last "." and what follows ("Classic_normal.png" -> "Classic_normal"); a name without a
// dot is kept whole.
std::wstring FileNameWithoutExtension(std::wstring_view fileName);
// Entries of `folder` (ending in a delimiter) matching "*." + extension, files and folders alike, in the order
// the file system returns them, each without its extension.
std::vector<std::wstring> ListFilesByExtension(const std::wstring& folder, std::wstring_view extension);
// The text before the first "_"; empty when there is none.
std::wstring SkinBaseName(std::wstring_view fileName);

// The skins the candidates (picture names without extension) name, in their order: a name once (letter case
// aside), and only when the folder holds its normal, hover and click pictures (asked in that order).
std::vector<std::wstring> ListSkins(const std::vector<std::wstring>& candidates,
                                    std::wstring_view skinFolder,
                                    const TFileExistsFn& exists);

struct TSettingsChoice {
    std::vector<std::wstring> Skins;
    int SkinIndex = -1;  // -1: nothing selected
    std::vector<std::wstring> Languages;
    int LanguageIndex = -1;
};

// The lists and their selections at a showing of the dialog. The saved skin is selected when it is complete
// (its entry, letter case aside; none when it is not listed), else the first skin; the saved language is
// selected (letter case aside), else "English", else nothing.
TSettingsChoice ChooseSettings(std::vector<std::wstring> skins,
                               bool savedSkinComplete,
                               std::wstring_view savedSkin,
                               std::vector<std::wstring> languages,
                               std::wstring_view savedLanguage);

}  // namespace tessaline
