// The language files that ship: every translation carries every key of English, and the texts the code asks for.
#include <gtest/gtest.h>

#include <set>

#include "TestSupport.h"
#include "base/Strings.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

std::wstring LanguageFolder() {
    return test::SourcePath(L"data\\Language");
}

std::set<std::wstring> KeysOf(const TExtIniFile& ini) {
    std::set<std::wstring> keys;
    for (const auto& section : ini.ReadSections()) {
        for (const auto& key : ini.ReadSection(section)) {
            keys.insert(FoldCase(section + L"/" + key));
        }
    }
    return keys;
}

TEST(LanguageFiles, EveryTranslationHasExactlyTheKeysOfEnglish) {
    TLanguage language(kAppName, LanguageFolder());
    ASSERT_TRUE(language.LoadLanguage(L"English"));
    const std::set<std::wstring> english = KeysOf(language.Texts());
    ASSERT_GE(language.Names().size(), 3u);
    for (const auto& name : language.Names()) {
        SCOPED_TRACE(testing::PrintToString(name));
        ASSERT_TRUE(language.LoadLanguage(name));
        EXPECT_EQ(KeysOf(language.Texts()), english);
        EXPECT_FALSE(language.ReadText(L"Main", L"DisplayName", L"").empty());
    }
}

TEST(LanguageFiles, EnglishHoldsTheTextsTheCodeAsksFor) {
    TLanguage language(kAppName, LanguageFolder());
    ASSERT_TRUE(language.LoadLanguage(L"English"));
    EXPECT_EQ(language.GetMessage(L"lbl_Program_Common", L"-"), L"All Programs");
    EXPECT_EQ(language.GetMessage(L"lbl_Program_back", L"-"), L"Back");
    EXPECT_EQ(language.GetMessage(L"Edit_Search_Title", L"-"), L"Search programs and files");
    // What the program says when no taskbar can take the Start button: the problem and what to do.
    const std::wstring noBand = language.GetMessage(L"Msg_NoTaskbarBand", L"");
    EXPECT_NE(noBand.find(L"no place for its Start button"), std::wstring::npos);
    EXPECT_NE(noBand.find(L"restart Explorer"), std::wstring::npos);
    // The control-panel names: one key for each of the 48 rows of the table, besides the four above.
    EXPECT_EQ(language.Messages().size(), 52u);
    for (const auto* form :
         {L"Tessaline_frmSetting", L"Tessaline_frmStartMenu", L"Tessaline_ZelStartMenuFrm", L"Tessaline_frmGuide"}) {
        EXPECT_TRUE(language.Texts().SectionExists(form)) << testing::PrintToString(std::wstring(form));
    }
}

TEST(LanguageFiles, DisplayNamesAreTheLanguagesOwn) {
    TLanguage language(kAppName, LanguageFolder());
    std::set<std::wstring> shown(language.DisplayNames().begin(), language.DisplayNames().end());
    EXPECT_TRUE(shown.count(L"English"));
    EXPECT_TRUE(shown.count(L"Deutsch"));
    EXPECT_TRUE(
        shown.count(L"Fran\x00E7"
                    L"ais"));
}

}  // namespace
}  // namespace tessaline
