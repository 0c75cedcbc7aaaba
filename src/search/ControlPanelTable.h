#pragma once
// The control-panel items the search offers: a fixed table of 48 rows, turned into one text per row that carries
// the item's names and its command line. Row i's icon is icon i of the window's control-panel icon list.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

struct TControlPanelItem {
    const wchar_t* Command;  // after the system directory and "\", except the last row's
    const wchar_t* LanguageKey;
    const wchar_t* EnglishName;
};

inline constexpr size_t kControlPanelRowCount = 48;
extern const std::array<TControlPanelItem, kControlPanelRowCount> kControlPanelItems;

inline constexpr wchar_t kSplitterA[] = L"|QuorvanSpliterFlagA|";
inline constexpr wchar_t kSplitterB[] = L"|QuorvanSpliterFlagB|";

// A language's text for a key of section "Tessaline_M"; `fallback` when the key is missing.
using TLanguageText = std::function<std::wstring(const std::wstring& key, const std::wstring& fallback)>;

// The 48 row texts in table order. `systemDirectory` without a trailing backslash; `languageName` is the
// current language's name ("English" gives the short form).
std::vector<std::wstring> BuildControlPanelTable(const std::wstring& systemDirectory,
                                                 const std::wstring& languageName,
                                                 const TLanguageText& current,
                                                 const TLanguageText& english);

struct TControlPanelRow {
    std::wstring LocalName;
    std::wstring EnglishName;  // the local name again in the short form
    std::wstring CommandLine;
};
// Splits by the separators the row carries, so a row built before a language change still reads right.
TControlPanelRow SplitControlPanelRow(std::wstring_view row);

// The second way of starting an item, when the command line itself does not start: the system folder's
// rundll32 by its full path (`systemDirectory` without a trailing backslash).
std::wstring ControlPanelFallbackCommand(const std::wstring& systemDirectory, const std::wstring& commandLine);

}  // namespace tessaline
