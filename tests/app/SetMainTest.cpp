// The settings dialog's lists and preselection, over plain file lists.
#include "app/SetMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "TestSupport.h"
#include "base/FileSystem.h"

namespace tessaline {
namespace {

const std::wstring kFolder = L"C:\\Tessaline\\StartButtonSkin\\";

// A skin folder holding exactly these picture files.
struct TFolder {
    std::set<std::wstring> files;
    std::vector<std::wstring> asked;
    TFileExistsFn Exists() {
        return [this](const std::wstring& path) {
            asked.push_back(path);
            return files.count(path) > 0;
        };
    }
};

TEST(SetMain, NamesOfFilesAndSkins) {
    EXPECT_EQ(FileNameWithoutExtension(L"Classic_normal.png"), L"Classic_normal");
    EXPECT_EQ(FileNameWithoutExtension(L"Deutsch.lng"), L"Deutsch");
    EXPECT_EQ(FileNameWithoutExtension(L"a.b.png"), L"a.b");
    EXPECT_EQ(FileNameWithoutExtension(L"noextension"), L"noextension");
    EXPECT_EQ(SkinBaseName(L"Classic_normal"), L"Classic");
    EXPECT_EQ(SkinBaseName(L"Classic_big_normal"), L"Classic");
    EXPECT_EQ(SkinBaseName(L"_normal"), L"");
    EXPECT_EQ(SkinBaseName(L"Preview"), L"");
}

TEST(SetMain, EachCompleteSkinIsListedOnceInFolderOrder) {
    TFolder folder;
    for (const wchar_t* state : {L"_normal.png", L"_hover.png", L"_click.png"}) {
        folder.files.insert(kFolder + L"Metro" + state);
        folder.files.insert(kFolder + L"Classic" + state);
    }
    folder.files.insert(kFolder + L"Classic_preview.png");  // a fourth picture of Classic: still one entry
    folder.files.insert(kFolder + L"Logo.png");             // no underscore: no skin
    folder.files.insert(kFolder + L"Half_normal.png");      // two of three pictures: not a skin
    folder.files.insert(kFolder + L"Half_hover.png");
    std::vector<std::wstring> candidates = {L"Metro_click", L"Logo",          L"Classic_preview", L"Half_normal",
                                            L"METRO_hover", L"Classic_hover", L"Half_hover",      L"Classic_normal"};
    EXPECT_EQ(ListSkins(candidates, kFolder, folder.Exists()), (std::vector<std::wstring>{L"Metro", L"Classic"}));
    // The normal picture is asked first.
    EXPECT_EQ(folder.asked.front(), kFolder + L"Metro_normal.png");
    EXPECT_TRUE(ListSkins({}, kFolder, folder.Exists()).empty());
}

TEST(SetMain, TheSavedChoicesArePreselectedLetterCaseAside) {
    const std::vector<std::wstring> skins = {L"Classic", L"Metro"};
    const std::vector<std::wstring> languages = {L"Deutsch", L"English", L"Fran\u00e7ais"};
    struct Case {
        bool savedComplete;
        std::wstring savedSkin;
        std::wstring savedLanguage;
        int skinIndex;
        int languageIndex;
    };
    for (const auto& c : {
             Case{true, L"metro", L"DEUTSCH", 1, 0},       // another letter case still selects
             Case{false, L"Gone", L"Klingon", 0, 1},       // incomplete skin: the first; missing language: English
             Case{true, L"Elsewhere", L"English", -1, 1},  // complete but not listed: nothing selected
             Case{false, L"", L"", 0, 1},
         }) {
        const TSettingsChoice choice = ChooseSettings(skins, c.savedComplete, c.savedSkin, languages, c.savedLanguage);
        EXPECT_EQ(choice.SkinIndex, c.skinIndex) << c.savedSkin;
        EXPECT_EQ(choice.LanguageIndex, c.languageIndex) << c.savedLanguage;
        EXPECT_EQ(choice.Skins, skins);
        EXPECT_EQ(choice.Languages, languages);
    }
    // No skins and no English: nothing selected in either list.
    const TSettingsChoice empty = ChooseSettings({}, false, L"Classic", {L"Deutsch"}, L"Klingon");
    EXPECT_EQ(empty.SkinIndex, -1);
    EXPECT_EQ(empty.LanguageIndex, -1);
}

TEST(SetMain, ListFilesByExtensionNamesTheFolderEntriesWithoutTheirExtension) {
    const test::TempFolder dir;
    for (const wchar_t* name : {L"English.lng", L"Deutsch.lng", L"notes.txt", L"Fran\u00e7ais.lng"}) {
        test::WriteBytes(dir.File(name), "[Main]\r\n");
    }
    ASSERT_TRUE(CreateDirectoryTree(dir.File(L"Folder.lng")));  // entries of any kind, as the file system lists them
    std::vector<std::wstring> names = ListFilesByExtension(dir.Path() + L"\\", L"lng");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Deutsch", L"English", L"Folder", L"Fran\u00e7ais"}));
    EXPECT_TRUE(ListFilesByExtension(dir.File(L"missing\\"), L"lng").empty());
}

}  // namespace
}  // namespace tessaline
