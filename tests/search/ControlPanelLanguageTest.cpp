// The control-panel table from the shipped language files.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "search/ControlPanelTable.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

TEST(ControlPanelLanguage, ShippedLanguagesNameEveryRowAndKeepTheEnglishNameBeside) {
    TLanguage english(kAppName, test::SourcePath(L"data\\Language"));
    ASSERT_TRUE(english.LoadLanguage(L"English"));
    TLanguage german(kAppName, test::SourcePath(L"data\\Language"));
    ASSERT_TRUE(german.LoadLanguage(L"German"));
    const auto textOf = [](const TLanguage& language) {
        return [&language](const std::wstring& key, const std::wstring& fallback) {
            return language.ReadText(L"Tessaline_M", key, fallback);
        };
    };
    const auto rows = BuildControlPanelTable(L"C:\\Windows\\System32", L"German", textOf(german), textOf(english));
    ASSERT_EQ(rows.size(), kControlPanelRowCount);
    const TControlPanelRow fonts = SplitControlPanelRow(rows[33]);
    EXPECT_EQ(fonts.LocalName, L"Schriftarten");
    EXPECT_EQ(fonts.EnglishName, L"Fonts");
    // Every row of every shipped language has its own key: no row falls back to the built-in English name.
    for (const wchar_t* name : {L"English", L"French", L"German"}) {
        TLanguage language(kAppName, test::SourcePath(L"data\\Language"));
        ASSERT_TRUE(language.LoadLanguage(name));
        for (const TControlPanelItem& item : kControlPanelItems) {
            EXPECT_NE(language.ReadText(L"Tessaline_M", item.LanguageKey, L"<missing>"), L"<missing>")
                << std::string(item.LanguageKey, item.LanguageKey + wcslen(item.LanguageKey));
        }
    }
}

}  // namespace
}  // namespace tessaline
