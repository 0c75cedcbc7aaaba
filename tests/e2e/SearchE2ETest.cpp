// The search box end to end: typing into the open menu, the results from the Start Menu and the Windows and system
// directories, normal mode again, and what Enter hands to the shell (each call written to the launch log).

#include <gtest/gtest.h>

#include <shlobj.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Desktop.h"
#include "WinTestSupport.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {
namespace {

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Typed as a person types, without a pause between the keys.
void Type(const std::wstring& text) {
    TypeText(text);
}

class SearchE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        link_ = ProgramsFolder() + L"\\Tessaline Search Pad.lnk";
        ASSERT_TRUE(SaveShortcut(link_, SystemProgram(L"notepad.exe")));
        ASSERT_TRUE(desktop_.StartHost());
        ASSERT_TRUE(desktop_.StartTessaline());
        menu_ = desktop_.StartMenu();
        ASSERT_NE(menu_, nullptr);
        // Without a window manager the X keyboard focus follows the pointer: it rests on the taskbar's empty end
        // when the menu opens, and then on the menu's search box.
        RECT taskbar{};
        GetWindowRect(desktop_.Taskbar(), &taskbar);
        SetCursorPos(taskbar.right - 10, (taskbar.top + taskbar.bottom) / 2);
        PumpFor(200);
        PostMessageW(desktop_.Button(), WMShowToggle, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu_) != FALSE; }, 5000));
        PumpFor(300);
        for (HWND tree = FindWindowExW(menu_, nullptr, WC_TREEVIEWW, nullptr); tree != nullptr;
             tree = FindWindowExW(menu_, tree, WC_TREEVIEWW, nullptr)) {
            trees_.push_back(tree);
        }
        ASSERT_EQ(trees_.size(), 4u);
        edit_ = FindWindowExW(menu_, nullptr, L"Edit", nullptr);
        ASSERT_NE(edit_, nullptr);
        RECT box{};
        GetWindowRect(edit_, &box);
        SetCursorPos((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        PumpFor(100);
    }
    void TearDown() override { DeleteFileW(link_.c_str()); }

    HWND Results() const { return trees_[3]; }
    HWND Frequent() const { return trees_[1]; }
    bool SearchMode() const { return IsWindowVisible(Results()) != FALSE && !IsWindowVisible(Frequent()); }
    bool NormalMode() const { return !IsWindowVisible(Results()) && IsWindowVisible(Frequent()) != FALSE; }
    std::wstring BoxText() const {
        wchar_t text[256] = {};
        SendMessageW(edit_, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Waits until the results hold `text`; the index may still be building, then the folders are walked.
    ::testing::AssertionResult WaitForResult(const std::wstring& text) {
        if (WaitUntil([&] { return Contains(TreeTexts(Results()), text); }, 15000)) {
            return ::testing::AssertionSuccess();
        }
        const std::wstring box = BoxText();
        return ::testing::AssertionFailure()
               << "box \"" << std::string(box.begin(), box.end()) << "\", results " << Narrow(TreeTexts(Results()));
    }
    bool WaitForLaunch(const std::wstring& line) {
        return WaitUntil([&] { return Contains(desktop_.LaunchLog(), line); }, 5000);
    }

    ComScope com_;
    TStartedProcesses started_;
    TDesktop desktop_;
    HWND menu_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<HWND> trees_;
    std::wstring link_;
};

TEST_F(SearchE2E, TypingListsStartMenuShortcutsAndProgramsOfTheWindowsAndSystemDirectories) {
    Type(L"search pad");
    // The results of the first letters may come before the window has read the last keys: a posted message goes
    // ahead of input in the queue.
    EXPECT_TRUE(WaitUntil([&] { return BoxText() == L"search pad"; }, 5000))
        << Narrow({BoxText()});  // the placeholder went when the first key came
    ASSERT_TRUE(WaitForResult(L"Tessaline Search Pad")) << Narrow(TreeTexts(Results()));
    EXPECT_TRUE(SearchMode());
    for (int i = 0; i < 10; ++i) {
        SendKey(VK_BACK);
    }
    Type(L"regedit");
    EXPECT_TRUE(WaitForResult(L"regedit.exe")) << Narrow(TreeTexts(Results()));  // the Windows directory
    for (int i = 0; i < 7; ++i) {
        SendKey(VK_BACK);
    }
    Type(L"cmd");
    EXPECT_TRUE(WaitForResult(L"cmd.exe")) << Narrow(TreeTexts(Results()));  // the system directory
}

TEST_F(SearchE2E, BackspaceToEmptyEscAndSpacesReturnToNormalMode) {
    Type(L"reg");
    ASSERT_TRUE(WaitUntil([&] { return SearchMode(); }, 5000));
    for (int i = 0; i < 3; ++i) {
        SendKey(VK_BACK);
    }
    EXPECT_TRUE(WaitUntil([&] { return NormalMode(); }, 5000));
    EXPECT_EQ(BoxText(), L"");

    Type(L"reg");
    ASSERT_TRUE(WaitUntil([&] { return SearchMode(); }, 5000));
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return NormalMode(); }, 5000));
    EXPECT_EQ(BoxText(), L"");
    EXPECT_TRUE(IsWindowVisible(menu_));  // the first Esc only closes the search

    Type(L"   ");
    PumpFor(500);
    EXPECT_TRUE(NormalMode());
    EXPECT_EQ(BoxText(), L"");  // normal mode empties the box

    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu_); }, 8000));
}

TEST_F(SearchE2E, EnterOpensTheFirstResult) {
    Type(L"Tessaline Search P");
    ASSERT_TRUE(WaitForResult(L"Tessaline Search Pad"));
    // The pass of the last letter clears the rows before it fills them again: wait for it to put the pad first.
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::vector<std::wstring> rows = TreeTexts(Results());
            return BoxText() == L"Tessaline Search P" && !rows.empty() && rows.front() == L"Tessaline Search Pad";
        },
        5000))
        << Narrow(TreeTexts(Results()));
    SendKey(VK_RETURN);
    EXPECT_TRUE(WaitForLaunch(L"open\t" + link_ + L"\t")) << Narrow(desktop_.LaunchLog());
    // The started program takes the foreground, which hides the menu.
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu_); }, 8000));
}

TEST_F(SearchE2E, AClickOnAResultOpensItAndARightClickShowsItsContextMenu) {
    Type(L"Tessaline Search P");
    ASSERT_TRUE(WaitForResult(L"Tessaline Search Pad"));
    POINT at{40, 9};  // inside the first row (rows are 18 pixels high)
    ClientToScreen(Results(), &at);
    ClickAt(at, true);
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu);
        },
        5000));
    SendKey(VK_ESCAPE);
    PumpFor(500);
    // The tree view's right button runs a drag-detect loop after the menu closes; a button-up ends it.
    INPUT rightUp{};
    rightUp.type = INPUT_MOUSE;
    rightUp.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(1, &rightUp, sizeof(INPUT));
    PumpFor(300);
    ASSERT_TRUE(IsWindowVisible(Results()));
    Click();
    EXPECT_TRUE(WaitForLaunch(L"open\t" + link_ + L"\t")) << Narrow(desktop_.LaunchLog());
}

TEST_F(SearchE2E, EnterWithNoResultsOpensTheSystemSearch) {
    Type(L"zqxjw");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(Frequent()); }, 5000));
    PumpFor(1000);  // the pass ends with no result
    ASSERT_TRUE(TreeTexts(Results()).empty());
    EXPECT_FALSE(IsWindowVisible(Results()));
    SendKey(VK_RETURN);
    EXPECT_TRUE(WaitForLaunch(L"\tsearch-ms:query=zqxjw\t")) << Narrow(desktop_.LaunchLog());
}

TEST_F(SearchE2E, APercentNameExploresTheFolderItNames) {
    Type(L"%WINDIR%");
    PumpFor(500);
    SendKey(VK_RETURN);
    wchar_t windows[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINDIR", windows, MAX_PATH);
    EXPECT_TRUE(WaitForLaunch(L"explore\t" + std::wstring(windows) + L"\t")) << Narrow(desktop_.LaunchLog());
}

TEST_F(SearchE2E, PingOpensACommandWindowThatStays) {
    Type(L"ping localhost");
    PumpFor(300);
    SendKey(VK_RETURN);
    EXPECT_TRUE(WaitForLaunch(L"\tcmd.exe\t/K ping localhost")) << Narrow(desktop_.LaunchLog());
}

TEST_F(SearchE2E, AUncPathToAMissingShareShowsTheWarningWithTheTypedTextAsCaption) {
    const std::wstring unc = L"\\\\tessaline-no-such-host\\share";
    Type(unc);
    PumpFor(300);
    SendKey(VK_RETURN);
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            box = FindWindowW(L"#32770", unc.c_str());
            return box != nullptr;
        },
        15000));
    if (box != nullptr) {
        wchar_t text[128] = {};
        for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
             child = FindWindowExW(box, child, L"Static", nullptr)) {
            GetWindowTextW(child, text, 128);
            if (std::wstring(text) == L"The network path was not found!") {
                break;
            }
        }
        EXPECT_EQ(std::wstring(text), L"The network path was not found!");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_TRUE(WaitForLaunch(L"open\t" + unc + L"\t"));
}

}  // namespace
}  // namespace tessaline::test
