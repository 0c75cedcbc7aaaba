// The start-menu window built in this process (without the program's start-up steps): its language follows
// Main.ini when the settings dialog asks it to reload; the feedback button follows the build's page; the All
// Programs tree on each showing; the first opening prepared ahead.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>

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
#include "system/ShellServices.h"

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
        // The box shows the placeholder, as after a showing.
        form->Search().ShowPlaceholder();
        EXPECT_EQ(form->Edit_Search->Caption(), L"Search programs and files");
        EXPECT_EQ(form->Edit_Search->Font().Color, 0x808080u);

        test::WriteBytes(UserDataDirFromProfile(profile.Path()) + kMainIniName,
                         test::Utf16LeWithBom(L"[Main]\r\nLanguage=German\r\n"));
        form->ReloadLanguage();
        EXPECT_EQ(form->LinkLabels[3]->Caption(), L"Musik");
        EXPECT_EQ(form->lab_Powner->Caption(), L"Herunterfahren");
        EXPECT_EQ(form->lbl_Program->Caption(), L"Alle Programme");
        EXPECT_EQ(form->Edit_Search->Caption(), L"Programme/Dateien durchsuchen");
        // Typed text is not replaced by a placeholder: a key that types takes the prompt away first.
        SendMessageW(form->Edit_Search->Handle(), WM_KEYDOWN, 'N', 0);
        EXPECT_FALSE(form->Search().PlaceholderShown());
        EXPECT_EQ(form->Edit_Search->Caption(), L"");
        EXPECT_EQ(form->Edit_Search->Font().Color, kColorBlack);
        form->Edit_Search->SetCaption(L"note");
        test::WriteBytes(UserDataDirFromProfile(profile.Path()) + kMainIniName,
                         test::Utf16LeWithBom(L"[Main]\r\nLanguage=English\r\n"));
        form->ReloadLanguage();
        EXPECT_EQ(form->Edit_Search->Caption(), L"note");
        EXPECT_EQ(form->LinkLabels[3]->Caption(), L"Music");
        // The search's status texts keep their places and their English after every reload, before a search and
        // after one (the language files pair them the other way).
        for (int reload = 0; reload < 3; ++reload) {
            if (reload == 1) {
                form->Edit_Search->SetCaption(L"zzzz-nothing-matches");  // a search starts its thread
            }
            form->ReloadLanguage();
            EXPECT_EQ(form->Label_SearchTitle->Caption(), L"Searching...") << reload;
            EXPECT_EQ(form->Label_Search->Caption(), L"No items match your search.") << reload;
        }
        // A build without a feedback page shows no "Send Feedback"; one with a page does.
        const bool buildHasPage = kFeedbackPage[0] != L'\0';
        EXPECT_EQ(form->Image_SendBack->Visible(), buildHasPage);
        EXPECT_EQ(form->Label_Sendback->Visible(), buildHasPage);
        form->RightColumn().SetFeedbackPage(L"https://feedback.invalid/");
        EXPECT_TRUE(form->Image_SendBack->Visible());
        EXPECT_TRUE(form->Label_Sendback->Visible());
        form->RightColumn().SetFeedbackPage(L"");
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

// A window over fresh catalogue managers, with a profile of its own; what a test adds to the shared Programs
// folder ("TsShow ...") goes at the end, also when it stops early.
class StartMenuFormShowing : public testing::Test {
  protected:
    StartMenuFormShowing() : env_(L"USERPROFILE", profile.Path().c_str()) {
        CreateDirectoryTree(UserDataDirFromProfile(profile.Path()));
        EnsureGdiplus();
        RegisterStandardClasses();
        InitCursorTable();
        v_StartMenuManage = std::make_unique<TStartMenuManage>();
        v_UseProgramManage = std::make_unique<TUseProgramManage>();
        v_UserPinedManage = std::make_unique<TUserPinedManage>();
        programs = v_StartMenuManage->UserProgramsPath;
        folder = programs + L"\\TsShow Folder";
        target = profile.File(L"tool.exe");
        test::WriteBytes(target, "MZ");
    }
    ~StartMenuFormShowing() override {
        for (const wchar_t* name : {L"\\TsShow One.lnk", L"\\TsShow Two.lnk", L"\\TsShow Three.lnk"}) {
            DeleteFileW((programs + name).c_str());
        }
        DeleteFileW((folder + L"\\TsShow Inner.lnk").c_str());
        RemoveDirectoryW(folder.c_str());
        v_StartMenuManage.reset();
        v_UseProgramManage.reset();
        v_UserPinedManage.reset();
        UnregisterClassW(L"TZelStartMenuFrm", GetModuleHandleW(nullptr));
    }

    TempFolder profile;
    std::wstring programs;
    std::wstring folder;
    std::wstring target;  // what the shortcuts start

  private:
    ScopedEnv env_;
    test::ComScope com_;
};

TEST_F(StartMenuFormShowing, EveryShowingShowsTheAllProgramsTopLevelAsReadNowClosedAndUnselected) {
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
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

TEST_F(StartMenuFormShowing, TheFirstOpeningPreparedAheadTakesNothingFromTheUserAndStillShowsWhatIsThere) {
    ASSERT_TRUE(test::SaveShortcut(programs + L"\\TsShow One.lnk", target));
    // The window the user works in, typing into its box.
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> work(
        CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr),
        DestroyWindow);
    ASSERT_NE(work.get(), nullptr);
    ForceForegroundWindow(work.get());
    SetFocus(work.get());
    test::PumpFor(50);
    ASSERT_EQ(GetForegroundWindow(), work.get());
    {
        TComponent owner(nullptr);
        auto* form = new TZelStartMenuFrm(&owner);
        ASSERT_TRUE(form->CreateWindowOnly());
        // A shortcut loose in the user's Programs folder is a pin.
        TTreeView& pinned = *form->TreeView_UserPind;
        std::vector<std::wstring> asked;
        const auto paneIcon = pinned.OnGetImageIndex;
        pinned.OnGetImageIndex = [&](TTreeView& sender, TTreeNode& node) {
            asked.push_back(node.Text());
            paneIcon(sender, node);
        };

        form->PrepareFirstOpening();
        test::PumpFor(50);
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
        EXPECT_EQ(GetForegroundWindow(), work.get());
        EXPECT_EQ(GetFocus(), work.get());
        EXPECT_EQ(OurRoots(*form->TreeView_Program), (std::vector<std::wstring>{L"TsShow One"}));
        // The rows that show had their pictures asked for and drawn once.
        EXPECT_NE(std::find(asked.begin(), asked.end(), L"TsShow One"), asked.end());

        // A shortcut added after the preparation is in the first opening: an opening reads what is there.
        ASSERT_TRUE(test::SaveShortcut(programs + L"\\TsShow Two.lnk", target));
        form->ShowStartMenuForm();
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_EQ(OurRoots(*form->TreeView_Program), (std::vector<std::wstring>{L"TsShow One", L"TsShow Two"}));
        form->HideStartMenu();

        // Once the menu has opened, preparing again does nothing: the panes stay as that opening left them.
        ASSERT_TRUE(test::SaveShortcut(programs + L"\\TsShow Three.lnk", target));
        form->PrepareFirstOpening();
        EXPECT_EQ(OurRoots(*form->TreeView_Program), (std::vector<std::wstring>{L"TsShow One", L"TsShow Two"}));
    }
}

}  // namespace
}  // namespace tessaline
