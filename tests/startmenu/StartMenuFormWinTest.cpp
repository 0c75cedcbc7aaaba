// The start-menu window built in this process (without the program's start-up steps): its language follows
// Main.ini when the settings dialog asks it to reload.

#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "controls/CursorTableWin.h"
#include "controls/Label.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "controls/WinControlWin.h"
#include "settings/PLanguage.h"
#include "settings/UserDataDir.h"
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
        // The window keeps the caption other components find it by.
        wchar_t caption[64] = {};
        GetWindowTextW(form->Handle(), caption, 64);
        EXPECT_STREQ(caption, L"Quorvan_Tessaline");
    }
    GlobalLanguage.reset();
    // Other tests of this program register a window class of this name for windows of their own.
    UnregisterClassW(L"TZelStartMenuFrm", GetModuleHandleW(nullptr));
}

}  // namespace
}  // namespace tessaline
