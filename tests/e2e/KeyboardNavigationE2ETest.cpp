// The whole start menu from the keyboard, end to end: real key presses (SendInput) on the menu with real
// shortcuts. Where the keyboard position is comes from the menu's thread (its focused control) and its trees (the
// selected row); the highlight pictures are seen through what Enter and the arrows then do.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "SharedDesktop.h"
#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/WideText.h"
#include "settings/UserDataDir.h"

namespace tessaline::test {
namespace {

constexpr const wchar_t* kPinNames[] = {L"Tessaline Keys Alpha", L"Tessaline Keys Beta", L"Tessaline Keys Gamma"};
constexpr const wchar_t* kPinTargets[] = {L"notepad.exe", L"clock.exe", L"winver.exe"};
constexpr const wchar_t* kFrequentTargets[] = {L"taskmgr.exe", L"control.exe", L"xcopy.exe", L"hostname.exe",
                                               L"ipconfig.exe"};
constexpr int kFrequentCount = 5;
constexpr wchar_t kFolderName[] = L"Tessaline Keys Folder";
constexpr wchar_t kFolderProgram[] = L"Tessaline Keys Inside";

std::wstring PinLink(int i) {
    return ProgramsFolder() + L"\\" + kPinNames[i] + L".lnk";
}
std::wstring FolderPath() {
    return ProgramsFolder() + L"\\" + kFolderName;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The selected row's place among the tree's top-level rows; -1 when none is selected or it is a child row.
int SelectedRow(HWND tree) {
    const HTREEITEM selected = NextItem(tree, nullptr, TVGN_CARET);
    int row = 0;
    for (HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT); item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
        if (item == selected) {
            return row;
        }
        ++row;
    }
    return -1;
}

int RowCount(HWND tree) {
    int rows = 0;
    for (HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT); item != nullptr; item = NextItem(tree, item, TVGN_NEXT)) {
        ++rows;
    }
    return rows;
}

class KeyboardNavigationE2E : public TSharedDesktopTest {
  protected:
    static void SetUpTestSuite() {
        StartDesktop();
        for (int i = 0; i < 3; ++i) {
            SaveShortcut(PinLink(i), SystemProgram(kPinTargets[i]));
        }
        CreateDirectoryW(FolderPath().c_str(), nullptr);
        SaveShortcut(FolderPath() + L"\\" + kFolderProgram + L".lnk", SystemProgram(L"notepad.exe"));
        // Five programs launched from the menu before: lines of UserData.ini, newer than anything else.
        std::wstring lines;
        for (int i = 0; i < kFrequentCount; ++i) {
            const std::wstring link = FrequentLink(i);
            SaveShortcut(link, SystemProgram(kFrequentTargets[i]));
            lines += link + L";12/31/2099 23:59:5" + std::to_wstring(i) + L";1\r\n";
        }
        WriteBytes(UserDataDirFromProfile(Desktop().ProfileFolder()) + L"UserData.ini", Utf16LeWithBom(lines));
    }
    static void TearDownTestSuite() {
        EndDesktop();
        for (int i = 0; i < 3; ++i) {
            DeleteFileW(PinLink(i).c_str());
        }
        DeleteFileW((FolderPath() + L"\\" + kFolderProgram + L".lnk").c_str());
        RemoveDirectoryW(FolderPath().c_str());
    }

    static std::wstring FrequentLink(int i) {
        return Desktop().ProfileFolder() + L"\\Tessaline Keys Frequent " + std::to_wstring(i + 1) + L".lnk";
    }

    void SetUp() override {
        TSharedDesktopTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        Open();
    }

    // The menu shown with the search box holding the keys, as after a Windows key.
    static void Open() {
        ASSERT_TRUE(ShowMenu());
        // The pointer rests on the search box, where hovering changes nothing (over a pane it would select rows).
        const RECT box = SearchBoxInMenu();
        MoveMouseTo(MenuToScreen((box.left + box.right) / 2, (box.top + box.bottom) / 2));
        ASSERT_TRUE(WaitUntil([] { return Focused() == SearchBox(); }, 3000)) << Where();
    }

    static HWND Focused() {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(MenuThread(), &info) ? info.hwndFocus : nullptr;
    }
    static HWND SearchBox() { return FindWindowExW(Menu(), nullptr, L"Edit", nullptr); }

    // The keyboard position as a person would name it; "menu" when the window itself has the keys (the position
    // is on one of its pictures: the view-switch row, the footer, a link or the power button).
    static std::string Where() {
        const HWND focus = Focused();
        static const char* const kTrees[] = {"pin", "frequent", "program", "result"};
        for (size_t i = 0; i < 4; ++i) {
            if (focus == Tree(i)) {
                return std::string(kTrees[i]) + " " + std::to_string(SelectedRow(Tree(i)) + 1);
            }
        }
        if (focus == SearchBox()) {
            return "search box";
        }
        return focus == Menu() ? "menu" : "elsewhere";
    }

    // A key, and time for the menu to take it in: a message sent to its thread goes ahead of the key, so the
    // second answer comes after the key was read (or, with the key still unread, 50 ms later).
    static void Press(WORD key) {
        SendKey(key);
        SendBounded(Menu(), WM_NULL);
        SendBounded(Menu(), WM_NULL);
        PumpFor(50);
    }

    // The position after each of `presses` presses of `key`, each of which moves it.
    static std::vector<std::string> Walk(WORD key, int presses) {
        std::vector<std::string> stops;
        for (int i = 0; i < presses; ++i) {
            const std::string before = Where();
            SendKey(key);
            WaitUntil([&] { return Where() != before; }, 2000);
            stops.push_back(Where());
        }
        return stops;
    }

    static std::vector<HWND> PowerMenus() { return VisibleWindowsOf(Desktop().TessalineProcessId(), L"TRdMenuCtrl"); }

    // Presses `key` until the selected row of `tree` has the text `name`; false when it never does.
    static bool SelectByKeys(HWND tree, WORD key, const std::wstring& name) {
        for (int i = 0; i < 80; ++i) {
            const int row = SelectedRow(tree);
            const std::vector<std::wstring> texts = TreeTexts(tree);
            if (Focused() == tree && row >= 0 && row < static_cast<int>(texts.size()) && texts[row] == name) {
                return true;
            }
            Press(key);
        }
        return false;
    }
};

using Stops = std::vector<std::string>;

TEST_F(KeyboardNavigationE2E, DownAndUpGoRoundPinsFrequentProgramsTheRowAndTheSearchBox) {
    const int pins = RowCount(Tree(0));
    const int frequent = RowCount(Tree(1));
    ASSERT_GE(pins, 3);
    ASSERT_GE(frequent, kFrequentCount);
    Stops down;
    for (int i = 1; i <= pins; ++i) {
        down.push_back("pin " + std::to_string(i));
    }
    for (int i = 1; i <= frequent; ++i) {
        down.push_back("frequent " + std::to_string(i));
    }
    down.insert(down.end(), {"menu", "search box", "pin 1"});
    EXPECT_EQ(Walk(VK_DOWN, pins + frequent + 3), down);

    // Up the same ring the other way: the row, the frequent programs from the last, the pins, the search box.
    Walk(VK_UP, 1);
    ASSERT_EQ(Where(), "search box");
    Stops up{"menu"};
    for (int i = frequent; i >= 1; --i) {
        up.push_back("frequent " + std::to_string(i));
    }
    for (int i = pins; i >= 1; --i) {
        up.push_back("pin " + std::to_string(i));
    }
    up.emplace_back("search box");
    EXPECT_EQ(Walk(VK_UP, pins + frequent + 2), up);
    EXPECT_TRUE(Shown());
}

TEST_F(KeyboardNavigationE2E, EnterOnTheRowOpensAllProgramsAndEscGoesBackThenHides) {
    Walk(VK_UP, 1);  // the row
    SendKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] { return IsWindowVisible(Tree(2)) && !IsWindowVisible(Tree(1)); }, 3000));
    // The tree between the row and the search box.
    EXPECT_EQ(Walk(VK_DOWN, 2), (Stops{"search box", "program 1"}));
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return IsWindowVisible(Tree(1)) && !IsWindowVisible(Tree(2)); }, 3000));
    EXPECT_TRUE(Shown());
    EXPECT_EQ(Where(), "search box");  // the hidden tree gave the keys to the search box
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitHidden());
}

TEST_F(KeyboardNavigationE2E, EnterOnTheThirdPinStartsItsShortcutAndHidesTheMenu) {
    const std::vector<std::wstring> rows = TreeTexts(Tree(0));
    ASSERT_GE(rows.size(), 3u);
    Walk(VK_DOWN, 3);
    ASSERT_EQ(Where(), "pin 3");
    const size_t before = NewLaunches().size();
    SendKey(VK_RETURN);
    const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
    ASSERT_EQ(launches.size(), before + 1) << Narrow(launches);
    EXPECT_TRUE(EqualsNoCase(launches.back(), L"\t" + ProgramsFolder() + L"\\" + rows[2] + L".lnk\t"))
        << WideToUtf8(launches.back());
    EXPECT_TRUE(WaitHidden());
}

TEST_F(KeyboardNavigationE2E, TheLinksAndThePowerButtonFromTheKeyboard) {
    Walk(VK_DOWN, 1);  // pin 1
    // Right takes the position to the first link; the user picture follows the links as the mouse makes it.
    Walk(VK_RIGHT, 1);
    EXPECT_EQ(Where(), "menu");
    Press(VK_DOWN);
    EXPECT_TRUE(
        WaitUntil([] { return ShownUserPicture(Desktop().TessalineProcessId()) == L"Resources\\documents.png"; }, 3000))
        << WideToUtf8(ShownUserPicture(Desktop().TessalineProcessId()));
    // From Documents up past the account to the power button, up to Help, down to the power button again.
    for (int i = 0; i < 3; ++i) {
        Press(VK_UP);
    }
    EXPECT_TRUE(
        WaitUntil([] { return ShownUserPicture(Desktop().TessalineProcessId()) == L"Resources\\help.png"; }, 3000))
        << WideToUtf8(ShownUserPicture(Desktop().TessalineProcessId()));
    Press(VK_DOWN);
    // Enter on the power button does nothing (a stray Enter never ends the session); Right opens its menu.
    const size_t before = NewLaunches().size();
    Press(VK_RETURN);
    PumpFor(300);
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(PowerMenus().empty());
    EXPECT_EQ(NewLaunches().size(), before);
    EXPECT_TRUE(Desktop().SessionLog().empty()) << Narrow(Desktop().SessionLog());
    SendKey(VK_RIGHT);
    EXPECT_TRUE(WaitUntil([] { return !PowerMenus().empty(); }, 3000));
    // Left closes it and the search box has the keys.
    SendKey(VK_LEFT);
    EXPECT_TRUE(WaitUntil([] { return PowerMenus().empty(); }, 3000));
    EXPECT_TRUE(WaitUntil([] { return Where() == "search box"; }, 3000)) << Where();
    EXPECT_TRUE(Shown());

    // Enter on a link does what its click does: Down from the search box, Right, Down marks Documents.
    Walk(VK_DOWN, 1);
    Walk(VK_RIGHT, 1);
    Press(VK_DOWN);
    SendKey(VK_RETURN);
    const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
    ASSERT_EQ(launches.size(), before + 1) << Narrow(launches);
    EXPECT_TRUE(EqualsNoCase(launches.back(), LinkLaunch(1))) << WideToUtf8(launches.back());
    EXPECT_TRUE(WaitHidden());
}

TEST_F(KeyboardNavigationE2E, RightOpensAFolderWithoutMovingThenEntersItAndEnterStartsTheProgramThere) {
    Walk(VK_UP, 1);
    SendKey(VK_RETURN);  // All Programs
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(Tree(2)) != FALSE; }, 3000));
    Walk(VK_DOWN, 2);
    ASSERT_TRUE(SelectByKeys(Tree(2), VK_DOWN, kFolderName)) << Where() << " " << Narrow(TreeTexts(Tree(2)));
    const HWND tree = Tree(2);
    const HTREEITEM folder = NextItem(tree, nullptr, TVGN_CARET);
    Press(VK_RIGHT);
    const auto expanded = [&] {
        return (SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(folder), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    };
    EXPECT_TRUE(WaitUntil(expanded, 3000));
    EXPECT_EQ(NextItem(tree, nullptr, TVGN_CARET), folder);  // opened, not entered
    Press(VK_RIGHT);
    const HTREEITEM child = NextItem(tree, nullptr, TVGN_CARET);
    EXPECT_EQ(NextItem(tree, child, TVGN_PARENT), folder);
    EXPECT_EQ(Focused(), tree);
    const size_t before = NewLaunches().size();
    SendKey(VK_RETURN);
    const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
    ASSERT_EQ(launches.size(), before + 1) << Narrow(launches);
    EXPECT_TRUE(EqualsNoCase(launches.back(), L"\t" + FolderPath() + L"\\" + kFolderProgram + L".lnk\t"))
        << WideToUtf8(launches.back());
    EXPECT_TRUE(WaitHidden());
}

TEST_F(KeyboardNavigationE2E, DownAndUpThroughTheResultsAndEnterOpensTheOneMarked) {
    // Programs of the Windows directory (the index is made when the program starts).
    TypeText(L"reg");
    const auto regRows = [] {
        const std::vector<std::wstring> rows = TreeTexts(Tree(3));
        if (rows.size() < 2 || !IsWindowVisible(Tree(3))) {
            return false;
        }
        for (const std::wstring& row : rows) {
            if (LowerAZ(row).find(L"reg") == std::wstring::npos) {
                return false;  // still the rows of "r" or "re"
            }
        }
        return true;
    };
    ASSERT_TRUE(WaitUntil(regRows, 15000)) << Narrow(TreeTexts(Tree(3)));
    const std::vector<std::wstring> rows = TreeTexts(Tree(3));
    EXPECT_EQ(Walk(VK_DOWN, 2), (Stops{"result 1", "result 2"}));
    EXPECT_EQ(Walk(VK_UP, 2), (Stops{"result 1", "search box"}));
    Walk(VK_DOWN, 2);
    const size_t before = NewLaunches().size();
    SendKey(VK_RETURN);
    const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
    ASSERT_EQ(launches.size(), before + 1) << Narrow(launches);
    // The second result, opened as its click opens it.
    EXPECT_NE(LowerAZ(launches.back()).find(LowerAZ(rows[1])), std::wstring::npos)
        << WideToUtf8(launches.back()) << " for " << WideToUtf8(rows[1]);
    // The program takes the foreground, which hides the menu; it ends before the next scenario opens the menu.
    EXPECT_TRUE(WaitHidden());
    EndLaunched();
}

TEST_F(KeyboardNavigationE2E, CmdTypedWithEnterAtOnceStartsCmdEveryTime) {
    // Once the search has its index, "cmd" finds the command prompt first.
    TypeText(L"cmd");
    // A pass clears the rows before it fills them: wait for the one that puts the command prompt first.
    ASSERT_TRUE(WaitUntil(
        [] {
            const std::vector<std::wstring> rows = TreeTexts(Tree(3));
            return !rows.empty() && LowerAZ(rows.front()) == L"cmd.exe";
        },
        15000))
        << Narrow(TreeTexts(Tree(3)));
    SendKey(VK_ESCAPE);
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(WaitHidden());
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        Open();
        ASSERT_FALSE(HasFatalFailure());
        const size_t before = NewLaunches().size();
        TypeText(L"cmd", true);
        const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
        ASSERT_EQ(launches.size(), before + 1) << Narrow(launches);
        EXPECT_TRUE(EqualsNoCase(launches.back(), L"open\t" + SystemProgram(L"cmd.exe") + L"\t"))
            << WideToUtf8(launches.back());
        EXPECT_TRUE(WaitHidden());  // the command window took the foreground
        EndLaunched();
    }
}

}  // namespace
}  // namespace tessaline::test
