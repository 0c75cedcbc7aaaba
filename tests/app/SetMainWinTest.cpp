// The settings dialog built in this process with its real controls, over a program folder of its own: the lists
// and their preselection, the preview, OK and Cancel.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "app/SetMainWin.h"
#include "base/FileSystem.h"
#include "controls/CursorTableWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "controls/WinControlWin.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "settings/UserDataDir.h"

namespace tessaline {
namespace {

using test::ScopedEnv;
using test::TempFolder;

std::vector<std::wstring> Items(const TComboBox& combo) {
    std::vector<std::wstring> items;
    for (size_t i = 0; i < combo.ItemCount(); ++i) {
        items.push_back(combo.ItemText(i));
    }
    return items;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> items) {
    std::sort(items.begin(), items.end());
    return items;
}

std::wstring Selected(const TComboBox& combo) {
    return combo.ItemIndex() >= 0 ? combo.ItemText(static_cast<size_t>(combo.ItemIndex())) : L"";
}

void Select(TfrmSetting& dialog, TComboBox& combo, const std::wstring& text) {
    const auto items = Items(combo);
    const auto it = std::find(items.begin(), items.end(), text);
    ASSERT_NE(it, items.end()) << text;
    combo.SetItemIndex(static_cast<int>(it - items.begin()));
    dialog.ComboBox_SkinChange();  // what the list's change runs
}

class SetMainWin : public testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryTree(UserDataDirFromProfile(profile_.Path()));
        WriteMainIni(L"[Main]\r\nSkinName=metro\r\nLanguage=German\r\nStartup=0\r\n");
        // The program's folder: two shipped skins, a fourth picture of one, a skin lacking its click picture, a
        // picture without an underscore, and two languages.
        CreateDirectoryTree(program_.File(L"StartButtonSkin"));
        CreateDirectoryTree(program_.File(L"Language"));
        for (const wchar_t* skin : {L"Classic", L"Metro"}) {
            for (const wchar_t* state : {L"_normal.png", L"_hover.png", L"_click.png"}) {
                CopyData(std::wstring(L"StartButtonSkin\\") + skin + state);
            }
        }
        test::WriteBytes(program_.File(L"StartButtonSkin\\Classic_preview.png"),
                         test::ReadBytes(test::SourcePath(L"data\\StartButtonSkin\\Classic_normal.png")));
        for (const wchar_t* state : {L"_normal.png", L"_hover.png"}) {
            test::WriteBytes(program_.File(std::wstring(L"StartButtonSkin\\Half") + state),
                             test::ReadBytes(test::SourcePath(L"data\\StartButtonSkin\\Metro_normal.png")));
        }
        test::WriteBytes(program_.File(L"StartButtonSkin\\Logo.png"),
                         test::ReadBytes(test::SourcePath(L"data\\StartButtonSkin\\Metro_normal.png")));
        CopyData(L"Language\\English.lng");
        CopyData(L"Language\\German.lng");

        EnsureGdiplus();
        RegisterStandardClasses();
        InitCursorTable();
        GlobalLanguage = std::make_unique<TLanguage>(kAppName, program_.File(L"Language"));
        GlobalLanguage->LoadLanguage(L"German");
        dialog_ = new TfrmSetting(&owner_);
        dialog_->ProgramDirectory = program_.Path() + L"\\";
        ASSERT_TRUE(dialog_->Create());
    }
    void TearDown() override { GlobalLanguage.reset(); }

    void WriteMainIni(const std::wstring& text) { test::WriteBytes(MainIni(), test::Utf16LeWithBom(text)); }
    std::wstring MainIni() const { return UserDataDirFromProfile(profile_.Path()) + kMainIniName; }
    void CopyData(const std::wstring& relative) {
        test::WriteBytes(program_.File(relative), test::ReadBytes(test::SourcePath(L"data\\" + relative)));
    }
    TPicture SkinPicture(const std::wstring& file) const {
        return LoadPictureFile(program_.File(L"StartButtonSkin\\" + file));
    }

    TempFolder profile_;
    ScopedEnv env_{L"USERPROFILE", profile_.Path().c_str()};
    TempFolder program_;
    TComponent owner_{nullptr};
    TfrmSetting* dialog_ = nullptr;
};

TEST_F(SetMainWin, ShowingListsTheCompleteSkinsAndTheLanguagesWithTheSavedOnesSelected) {
    EXPECT_EQ(dialog_->Caption(), L"Benutzeroberfl\u00e4che");
    EXPECT_EQ(dialog_->btn_Cancel->Caption(), L"Abbrechen");
    dialog_->ShowSettings();
    EXPECT_TRUE(IsWindowVisible(dialog_->Handle()));
    EXPECT_EQ(Sorted(Items(*dialog_->ComboBox_Skin)), (std::vector<std::wstring>{L"Classic", L"Metro"}));
    EXPECT_EQ(Selected(*dialog_->ComboBox_Skin), L"Metro");  // saved as "metro": the list's entry is selected
    EXPECT_EQ(dialog_->Image_Skin->Picture(), SkinPicture(L"Metro_normal.png"));
    EXPECT_EQ(Sorted(Items(*dialog_->ComboBox_Language)), (std::vector<std::wstring>{L"English", L"German"}));
    EXPECT_EQ(Selected(*dialog_->ComboBox_Language), L"German");

    // OK saves the list's spelling and closes.
    dialog_->btn_okClick();
    EXPECT_FALSE(IsWindowVisible(dialog_->Handle()));
    EXPECT_EQ(ReadSkinName(), L"Metro");
    EXPECT_EQ(ReadLanguage(), L"German");
    EXPECT_FALSE(ReadStartup());  // the other keys stay
}

TEST_F(SetMainWin, CancelAfterChangingBothListsLeavesMainIniByteForByte) {
    const std::string before = test::ReadBytes(MainIni());
    dialog_->ShowSettings();
    Select(*dialog_, *dialog_->ComboBox_Skin, L"Classic");
    EXPECT_EQ(dialog_->Image_Skin->Picture(), SkinPicture(L"Classic_normal.png"));
    Select(*dialog_, *dialog_->ComboBox_Language, L"English");
    dialog_->btn_CancelClick();
    EXPECT_FALSE(IsWindowVisible(dialog_->Handle()));
    EXPECT_EQ(test::ReadBytes(MainIni()), before);
    // The next showing starts again from what is saved, and lists a skin that arrived meanwhile.
    for (const wchar_t* state : {L"_normal.png", L"_hover.png", L"_click.png"}) {
        CopyData(std::wstring(L"StartButtonSkin\\Metro") + state);
        test::WriteBytes(program_.File(std::wstring(L"StartButtonSkin\\Late") + state),
                         test::ReadBytes(test::SourcePath(L"data\\StartButtonSkin\\Classic") + state));
    }
    dialog_->ShowSettings();
    EXPECT_EQ(Sorted(Items(*dialog_->ComboBox_Skin)), (std::vector<std::wstring>{L"Classic", L"Late", L"Metro"}));
    EXPECT_EQ(Selected(*dialog_->ComboBox_Skin), L"Metro");
    EXPECT_EQ(Selected(*dialog_->ComboBox_Language), L"German");
}

TEST_F(SetMainWin, APreviewThatCannotBeLoadedKeepsThePreviousOne) {
    for (const wchar_t* state : {L"_normal.png", L"_hover.png", L"_click.png"}) {
        test::WriteBytes(program_.File(std::wstring(L"StartButtonSkin\\Broken") + state), "not a picture");
    }
    dialog_->FillSettings();  // what a showing does, without the window
    Select(*dialog_, *dialog_->ComboBox_Skin, L"Broken");
    EXPECT_EQ(dialog_->Image_Skin->Picture(), SkinPicture(L"Metro_normal.png"));
}

TEST_F(SetMainWin, MissingSavedChoicesPreselectTheFirstSkinAndEnglish) {
    WriteMainIni(L"[Main]\r\nSkinName=Gone\r\nLanguage=Klingon\r\n");
    dialog_->FillSettings();  // what a showing does, without the window
    EXPECT_EQ(dialog_->ComboBox_Skin->ItemIndex(), 0);
    EXPECT_EQ(Selected(*dialog_->ComboBox_Language), L"English");
}

TEST_F(SetMainWin, WithoutASkinFolderTheListIsEmptyAndOkWritesAnEmptySkinName) {
    for (const std::wstring& name : ListFolder(program_.File(L"StartButtonSkin"), L"*")) {
        DeleteFileAt(program_.File(L"StartButtonSkin\\" + name));
    }
    RemoveDirectoryW(program_.File(L"StartButtonSkin").c_str());
    dialog_->FillSettings();  // what a showing does, without the window
    EXPECT_EQ(dialog_->ComboBox_Skin->ItemCount(), 0u);
    EXPECT_EQ(dialog_->ComboBox_Skin->ItemIndex(), -1);
    EXPECT_TRUE(dialog_->Image_Skin->Picture().Empty());
    dialog_->btn_okClick();
    EXPECT_EQ(ReadSkinName(), L"");
}

}  // namespace
}  // namespace tessaline
