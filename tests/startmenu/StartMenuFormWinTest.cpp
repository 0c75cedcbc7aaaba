// The start-menu window built in this process (without the program's start-up steps): its language follows
// Main.ini when the settings dialog asks it to reload; the feedback button follows the build's page; the All
// Programs tree on each showing.

#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "base/FileSystem.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"
#include "controls/CursorTableWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"
#include "settings/PLanguage.h"
#include "settings/UserDataDir.h"
#include "startmenu/FeedbackPage.h"
#include "startmenu/StartMenuFormWin.h"

namespace tessaline {
namespace {

using test::ScopedEnv;
using test::TempFolder;

TEST(StartMenuFormWin, ReloadLanguageTranslatesTheWindowAndKeepsThePlaceholderRule) {
    TempFolder profile;
    ScopedEnv env(L"USERPROFILE", profile.Path().c_str());
    CreateDirectoryTree(UserDataDirFromProfile(profile.Path()));
    test::WriteBytes(UserDataDirFromProfile(profile.Path()) + kMainIniName,
                     test::Utf16LeWithBom(L"[Main]\r\nLanguage=English\r\n"));
    EnsureGdiplus();
    RegisterStandardClasses();
    InitCursorTable();
    GlobalLanguage = std::make_unique<TLanguage>(kAppName, test::SourcePath(L"data\\Language"));
    GlobalLanguage->LoadLanguage(L"English");
    {
        TComponent owner(nullptr);
        auto* form = new TZelStartMenuFrm(&owner);
        ASSERT_TRUE(form->CreateWindowOnly());
        GlobalLanguage->ApplyToComponent(*form);
        EXPECT_EQ(form->LinkLabels[3]->Caption(), L"Music");
        // The box shows the placeholder, as after a showing: grey is its marker.
        TFont font = form->Edit_Search->Font();
        font.Color = 0x808080;
        form->Edit_Search->SetFont(font);
        form->Edit_Search->SetCaption(L"Search programs and files");

        test::WriteBytes(UserDataDirFromProfile(profile.Path()) + kMainIniName,
                         test::Utf16LeWithBom(L"[Main]\r\nLanguage=German\r\n"));
        form->ReloadLanguage();
        EXPECT_EQ(form->LinkLabels[3]->Caption(), L"Musik");
        EXPECT_EQ(form->lab_Powner->Caption(), L"Herunterfahren");
        EXPECT_EQ(form->lbl_Program->Caption(), L"Alle Programme");
        EXPECT_EQ(form->Edit_Search->Caption(), L"Programme/Dateien durchsuchen");
        // Typed text (black) is not replaced by a placeholder.
        font.Color = kColorBlack;
        form->Edit_Search->SetFont(font);
        form->Edit_Search->SetCaption(L"note");
        test::WriteBytes(UserDataDirFromProfile(profile.Path()) + kMainIniName,
                         test::Utf16LeWithBom(L"[Main]\r\nLanguage=English\r\n"));
        form->ReloadLanguage();
        EXPECT_EQ(form->Edit_Search->Caption(), L"note");
        EXPECT_EQ(form->LinkLabels[3]->Caption(), L"Music");
        // A build without a feedback page shows no "Send Feedback"; one with a page does.
        const bool buildHasPage = kFeedbackPage[0] != L'\0';
        EXPECT_EQ(form->Image_SendBack->Visible(), buildHasPage);
        EXPECT_EQ(form->Label_Sendback->Visible(), buildHasPage);
        form->SetFeedbackPage(L"https://feedback.invalid/");
        EXPECT_TRUE(form->Image_SendBack->Visible());
        EXPECT_TRUE(form->Label_Sendback->Visible());
        form->SetFeedbackPage(L"");
        EXPECT_FALSE(form->Label_Sendback->Visible());
        // The window keeps the caption other components find it by.
        wchar_t caption[64] = {};
        GetWindowTextW(form->Handle(), caption, 64);
        EXPECT_STREQ(caption, L"Quorvan_Tessaline");
    }
    GlobalLanguage.reset();
    // Other tests of this program register a window class of this name for windows of their own.
    UnregisterClassW(L"TZelStartMenuFrm", GetModuleHandleW(nullptr));
}

// The texts of the All Programs top level that this test made (the prefix has entries of its own).
std::vector<std::wstring> OurRoots(const TTreeView& tree) {
    std::vector<std::wstring> texts;
    for (size_t i = 0; i < tree.RootCount(); ++i) {
        if (tree.Root(i)->Text().rfind(L"TsShow", 0) == 0) {
            texts.push_back(tree.Root(i)->Text());
        }
    }
    return texts;
}

TTreeNode* RootNamed(const TTreeView& tree, const std::wstring& text) {
    for (size_t i = 0; i < tree.RootCount(); ++i) {
        if (tree.Root(i)->Text() == text) {
            return tree.Root(i);
        }
    }
    return nullptr;
}

TEST(StartMenuFormWin, EveryShowingShowsTheAllProgramsTopLevelAsReadNowClosedAndUnselected) {
    TempFolder profile;
    ScopedEnv env(L"USERPROFILE", profile.Path().c_str());
    CreateDirectoryTree(UserDataDirFromProfile(profile.Path()));
    test::ComScope com;
    EnsureGdiplus();
    RegisterStandardClasses();
    InitCursorTable();
    v_StartMenuManage = std::make_unique<TStartMenuManage>();
    v_UseProgramManage = std::make_unique<TUseProgramManage>();
    v_UserPinedManage = std::make_unique<TUserPinedManage>();
    const std::wstring programs = v_StartMenuManage->UserProgramsPath;
    const std::wstring folder = programs + L"\\TsShow Folder";
    // Whatever this test leaves in the shared Programs folder goes, also when it stops early.
    struct Cleanup {
        std::wstring programs, folder;
        ~Cleanup() {
            for (const wchar_t* name : {L"\\TsShow One.lnk", L"\\TsShow Two.lnk"}) {
                DeleteFileW((programs + name).c_str());
            }
            DeleteFileW((folder + L"\\TsShow Inner.lnk").c_str());
            RemoveDirectoryW(folder.c_str());
            v_StartMenuManage.reset();
            v_UseProgramManage.reset();
            v_UserPinedManage.reset();
            UnregisterClassW(L"TZelStartMenuFrm", GetModuleHandleW(nullptr));
        }
    } cleanup{programs, folder};
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring target = profile.File(L"tool.exe");
    test::WriteBytes(target, "MZ");
    ASSERT_TRUE(test::SaveShortcut(folder + L"\\TsShow Inner.lnk", target));
    ASSERT_TRUE(test::SaveShortcut(programs + L"\\TsShow One.lnk", target));
    {
        TComponent owner(nullptr);
        auto* form = new TZelStartMenuFrm(&owner);
        ASSERT_TRUE(form->CreateWindowOnly());
        TTreeView& tree = *form->TreeView_Program;
        form->ShowStartMenuForm();
        EXPECT_EQ(OurRoots(tree), (std::vector<std::wstring>{L"TsShow One", L"TsShow Folder"}));
        // The user opens the folder and selects its row, and the menu closes.
        TTreeNode* opened = RootNamed(tree, L"TsShow Folder");
        ASSERT_NE(opened, nullptr);
        tree.AddChild(opened, L"TsShow Inner");
        opened->Expand();
        tree.SetSelected(opened);
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE;
        item.hItem = opened->Handle();
        ASSERT_TRUE(TreeView_GetItem(tree.Handle(), &item));  // its picture is asked for and kept
        form->HideStartMenu();

        // Shown again with nothing changed: the same rows, the folder closed and empty with its button, nothing
        // selected, the pictures asked for again.
        form->ShowStartMenuForm();
        EXPECT_EQ(OurRoots(tree), (std::vector<std::wstring>{L"TsShow One", L"TsShow Folder"}));
        TTreeNode* again = RootNamed(tree, L"TsShow Folder");
        ASSERT_NE(again, nullptr);
        EXPECT_FALSE(again->Expanded());
        EXPECT_EQ(again->Count(), 0u);
        EXPECT_EQ(TreeView_GetChild(tree.Handle(), again->Handle()), nullptr);
        std::vector<std::wstring> asked;
        const auto paneIcon = tree.OnGetImageIndex;
        tree.OnGetImageIndex = [&](TTreeView& sender, TTreeNode& node) {
            asked.push_back(node.Text());
            paneIcon(sender, node);
        };
        item.mask = TVIF_HANDLE | TVIF_CHILDREN | TVIF_IMAGE;
        item.hItem = again->Handle();
        ASSERT_TRUE(TreeView_GetItem(tree.Handle(), &item));
        EXPECT_EQ(item.cChildren, 1);
        EXPECT_EQ(asked, (std::vector<std::wstring>{L"TsShow Folder"}));
        EXPECT_EQ(item.iImage, again->ImageIndex());
        EXPECT_EQ(tree.Selected(), nullptr);
        form->HideStartMenu();

        // A shortcut added between two showings is there on the next.
        ASSERT_TRUE(test::SaveShortcut(programs + L"\\TsShow Two.lnk", target));
        form->ShowStartMenuForm();
        EXPECT_EQ(OurRoots(tree), (std::vector<std::wstring>{L"TsShow One", L"TsShow Two", L"TsShow Folder"}));
        form->HideStartMenu();
        ASSERT_TRUE(DeleteFileW((programs + L"\\TsShow One.lnk").c_str()));
        form->ShowStartMenuForm();
        EXPECT_EQ(OurRoots(tree), (std::vector<std::wstring>{L"TsShow Two", L"TsShow Folder"}));
        form->HideStartMenu();
    }
}

}  // namespace
}  // namespace tessaline
