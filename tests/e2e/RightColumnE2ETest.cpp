// The right column end to end with a real pointer: each of the ten links starts what it opens (checked through the
// test build's launch log) and hides the menu; a right-click gives a link its "Open" menu, and Computer the shell's
// own; the power menu's Log off, Restart and Sleep reach the session recorder with their calls and hide the menu.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SharedDesktop.h"
#include "base/Strings.h"
#include "base/WideText.h"

namespace tessaline::test {
namespace {

constexpr int kLinkCount = 10;
constexpr int kDocuments = 1;
constexpr int kComputer = 5;
constexpr int kControlPanel = 6;
constexpr int kHelp = 9;

constexpr const wchar_t* kLinkCaptions[kLinkCount] = {
    L"account",
    L"Documents",
    L"Pictures",
    L"Music",
    L"Games",
    L"Computer",
    L"Control Panel",
    L"Devices and Printers",
    L"Default Programs",
    L"Help and Support",
};

// A link's middle in the menu's coordinates: from the user picture's anchor (30 pixels above the window with the
// taskbar at the bottom) 88 down to the first, 36 a link, and a 2-pixel separator with 5 below it after Music
// and after Computer.
POINT LinkInMenu(int tag) {
    const int top = -30 + 88 + tag * 36 + (tag >= 4 ? 7 : 0) + (tag >= 6 ? 7 : 0);
    return {300, top + 15};
}

class RightColumnE2E : public TSharedDesktopTest {
  protected:
    static void SetUpTestSuite() { StartDesktop(); }
    static void TearDownTestSuite() { EndDesktop(); }

    static std::wstring ExpectedLaunch(int tag) { return LinkLaunch(tag); }

    // The one launch since `before`, checked against the link's.
    void ExpectLaunchOf(int tag, size_t before) {
        const std::vector<std::wstring> launches = WaitForLaunches(before + 1);
        ASSERT_EQ(launches.size(), before + 1) << Narrow(launches);
        EXPECT_TRUE(EqualsNoCase(launches.back(), ExpectedLaunch(tag)))
            << WideToUtf8(launches.back()) << " instead of " << WideToUtf8(ExpectedLaunch(tag));
    }

    // Hovers the arrow beside "Shut down": the power menu opens without a click.
    static HWND HoverPowerArrow() {
        const RECT box = SearchBoxInMenu();
        const POINT arrow = MenuToScreen(271 + 72 + 11, box.top - 5 + 10);
        MoveMouseTo({arrow.x - 4, arrow.y});
        PumpFor(50);
        MoveMouseTo(arrow);
        HWND popup = nullptr;
        const DWORD process = Desktop().TessalineProcessId();
        WaitUntil(
            [&] {
                const std::vector<HWND> open = VisibleWindowsOf(process, L"TRdMenuCtrl");
                popup = open.empty() ? nullptr : open.front();
                return popup != nullptr;
            },
            3000);
        return popup;
    }
};

TEST_F(RightColumnE2E, EachLinkStartsWhatItOpensAndHidesTheMenu) {
    for (int tag = 0; tag < kLinkCount; ++tag) {
        SCOPED_TRACE(WideToUtf8(kLinkCaptions[tag]));
        ASSERT_TRUE(ShowMenu());
        const size_t before = NewLaunches().size();
        const POINT link = LinkInMenu(tag);
        ClickAt(MenuToScreen(link.x, link.y));
        ExpectLaunchOf(tag, before);
        EXPECT_TRUE(WaitHidden());
        EndLaunched();
    }
}

TEST_F(RightColumnE2E, ARightClickOffersOpenWhichDoesWhatAClickDoesAndComputerGetsTheShellsMenu) {
    int openMenuHeight = 0;
    for (const int tag : {kDocuments, kControlPanel, kHelp}) {
        SCOPED_TRACE(WideToUtf8(kLinkCaptions[tag]));
        ASSERT_TRUE(ShowMenu());
        const size_t before = NewLaunches().size();
        const POINT link = LinkInMenu(tag);
        ClickAt(MenuToScreen(link.x, link.y), true);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenStandardMenu(MenuThread())) != nullptr; }, 5000));
        RECT open{};
        GetWindowRect(menu, &open);
        openMenuHeight = open.bottom - open.top;
        EXPECT_EQ(NewLaunches().size(), before);  // nothing yet: the menu waits for a choice
        // "Open" is its only item.
        ClickAt({(open.left + open.right) / 2, (open.top + open.bottom) / 2});
        ExpectLaunchOf(tag, before);
        EXPECT_TRUE(WaitHidden());
        EndLaunched();
    }

    ASSERT_TRUE(ShowMenu());
    const size_t before = NewLaunches().size();
    const POINT computer = LinkInMenu(kComputer);
    ClickAt(MenuToScreen(computer.x, computer.y), true);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = OpenStandardMenu(MenuThread())) != nullptr; }, 5000));
    RECT shellMenu{};
    GetWindowRect(menu, &shellMenu);
    // The shell's verbs for the Computer folder: more than the one "Open".
    EXPECT_GT(shellMenu.bottom - shellMenu.top, openMenuHeight);
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return OpenStandardMenu(MenuThread()) == nullptr; }, 3000));
    PumpFor(200);
    EXPECT_EQ(NewLaunches().size(), before) << Narrow(NewLaunches());
    EXPECT_TRUE(Shown());
}

// Resting the pointer on a link takes the keyboard from the search box: nothing has it but the window.
TEST_F(RightColumnE2E, HoveringALinkLeavesNoControlWithTheKeyboard) {
    ASSERT_TRUE(ShowMenu());
    const auto focus = [] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(MenuThread(), &info) ? info.hwndFocus : nullptr;
    };
    HWND search = FindWindowExW(Menu(), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(WaitUntil([&] { return focus() == search; }, 3000)) << "the search box has not the keyboard";
    const POINT music = LinkInMenu(3);
    MoveMouseTo(MenuToScreen(music.x - 20, music.y));
    PumpFor(50);
    MoveMouseTo(MenuToScreen(music.x, music.y));
    EXPECT_TRUE(WaitUntil([&] { return focus() == Menu(); }, 3000)) << "the keyboard stayed in the search box";
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitHidden());
}

TEST_F(RightColumnE2E, LogOffRestartAndSleepEachAskTheSystemOnceAndHideTheMenu) {
    struct Case {
        const char* Item;
        int Row;         // of five, below the popup's 2-pixel border
        int Separators;  // 3-pixel lines above the row
        std::vector<std::wstring> Calls;
    };
    const Case cases[] = {
        {"Log off", 1, 0, {L"EnableShutdownPrivilege", L"ExitWindowsEx 0 0"}},
        {"Restart", 3, 1, {L"EnableShutdownPrivilege", L"ExitWindowsEx 2 65535"}},
        {"Sleep", 4, 2, {L"EnableShutdownPrivilege", L"SetSystemPowerState 1 1"}},
    };
    const DWORD process = Desktop().TessalineProcessId();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Item);
        ASSERT_TRUE(ShowMenu());
        const size_t before = Desktop().SessionLog().size();
        const HWND popup = HoverPowerArrow();
        ASSERT_NE(popup, nullptr);
        RECT client{};
        GetClientRect(popup, &client);
        const int itemHeight = (client.bottom - 4 - 2 * 3) / 5;
        POINT row{30, 2 + c.Row * itemHeight + c.Separators * 3 + itemHeight / 2};
        ClientToScreen(popup, &row);
        // Onto the row as a hand moves, in more than one step: the popup marks the row a move lands on.
        MoveMouseTo({row.x - 6, row.y});
        PumpFor(50);
        MoveMouseTo(row);
        PumpFor(100);
        Click();
        EXPECT_TRUE(WaitUntil([&] { return Desktop().SessionLog().size() >= before + c.Calls.size(); }, 3000));
        std::vector<std::wstring> calls = Desktop().SessionLog();
        calls.erase(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(std::min(before, calls.size())));
        EXPECT_EQ(calls, c.Calls) << Narrow(calls);
        EXPECT_TRUE(WaitHidden());
        EXPECT_TRUE(VisibleWindowsOf(process, L"TRdMenuCtrl").empty());
    }
    EXPECT_TRUE(NewLaunches().empty()) << Narrow(NewLaunches());
}

}  // namespace
}  // namespace tessaline::test
