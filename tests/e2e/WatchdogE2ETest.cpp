// The taskbar watchdog: heartbeats to the band every second, and what ten silent ones do.

#include <gtest/gtest.h>

#include "Desktop.h"
#include "base/Geometry.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {
namespace {

int CountHeartbeats(const TDesktop& desktop) {
    int count = 0;
    for (const TBandMessage& m : desktop.BandMessages()) {
        count += m.Message == WMExplorerAlive ? 1 : 0;
    }
    return count;
}

TEST(WatchdogE2E, TenSilentHeartbeatsUndockAndRestartTheTaskbarSideEverySecond) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    const DWORD docked = GetTickCount();
    // Nobody answers: the stand-in only announces itself.
    ASSERT_TRUE(WaitUntil([&] { return desktop.HelperLogCount(L"Tarnwick.exe /Restart") >= 1; }, 15000));
    EXPECT_GE(GetTickCount() - docked, 8000u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    const int heartbeats = CountHeartbeats(desktop);
    EXPECT_GE(heartbeats, 10);
    // The counts posted are those before each tick: 0, 1, 2, ...
    int expected = 0;
    for (const TBandMessage& m : desktop.BandMessages()) {
        if (m.Message == WMExplorerAlive) {
            EXPECT_EQ(m.LParam, expected++);
        }
    }
    // The eleventh tick restores and restarts again.
    EXPECT_TRUE(WaitUntil([&] { return desktop.HelperLogCount(L"Tarnwick.exe /Restart") >= 2; }, 3000));
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    // Undocking ended the hot-corner helpers and removed nothing else: the process still runs.
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

TEST(WatchdogE2E, AnsweredHeartbeatsNeverUndock) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    // Answer every heartbeat as the taskbar side does: WMExplorerAlive back with 0.
    int answered = 0;
    const bool undocked = WaitUntil(
        [&] {
            const int beats = CountHeartbeats(desktop);
            for (; answered < beats; ++answered) {
                PostMessageW(desktop.StartMenu(), WMExplorerAlive, 0, 0);
            }
            return desktop.InTaskbar(desktop.Band()).Left != 54;
        },
        13000);
    EXPECT_FALSE(undocked);
    EXPECT_GE(answered, 11);
    EXPECT_EQ(desktop.HelperLogCount(L"Tarnwick.exe /Restart"), 0);
}

// The demo host stops answering, as a hung Explorer does (it sleeps for wParam milliseconds).
constexpr UINT kHostHangMessage = WM_APP + 2;

// Our own taskbar side answers the heartbeats until Explorer hangs. Meanwhile the program must not hang with it:
// the Windows key opens and closes the menu at once; the watchdog's ten silent ticks undock and start the taskbar
// side's restart, which waits for the taskbar to answer again and then starts the program afresh, docked.
TEST(WatchdogE2E, AHungTaskbarHangsNothingAndTheProgramDocksAgainWhenItAnswers) {
    TDesktopOptions options;
    options.RealHelpers = true;
    TDesktop desktop(options);
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nStartup=0\r\n"));
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline(true, 20000));
    const DWORD firstProgram = desktop.TessalineProcessId();
    ASSERT_EQ(desktop.InTaskbar(desktop.Band()).Left, 54);
    PumpFor(1500);  // a few heartbeats answered

    HWND menu = desktop.StartMenu();
    const auto shown = [&] { return IsWindowVisible(menu) != FALSE; };
    const auto hidden = [&] { return IsWindowVisible(menu) == FALSE; };
    // Opened and closed once while all is well: where the keyboard goes on closing must not tie the next opening
    // to the taskbar.
    SendKey(VK_LWIN);
    ASSERT_TRUE(WaitUntil(shown, 3000));
    PumpFor(300);
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil(hidden, 3000));
    PumpFor(2500);

    constexpr DWORD kHangMs = 16000;
    const DWORD hungAt = GetTickCount();
    ASSERT_TRUE(PostMessageW(desktop.Taskbar(), kHostHangMessage, kHangMs, 0));
    PumpFor(6000);  // long enough for the system to take the host for hung
    SendKey(VK_LWIN);
    EXPECT_TRUE(WaitUntil(shown, 1000)) << "the menu did not open at once";
    PumpFor(300);
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil(hidden, 1000)) << "the menu did not close at once";

    // The watchdog's answer, while the host still sleeps: a restarting taskbar side waits for it.
    EXPECT_TRUE(WaitUntil([] { return RunningProcesses(L"Tarnwick.exe") >= 1; }, 9000));
    EXPECT_LT(GetTickCount() - hungAt, kHangMs) << "the restart began only after the host woke";
    // The program itself went on all along.
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));

    // The host wakes; the taskbar side ends the first program and starts another, which docks.
    const auto secondProgramDocked = [&] {
        HWND startMenu = desktop.StartMenu();
        DWORD process = 0;
        GetWindowThreadProcessId(startMenu, &process);
        return startMenu != nullptr && process != firstProgram && desktop.Button() != nullptr &&
               IsWindowVisible(desktop.Button()) && desktop.InTaskbar(desktop.Band()).Left == 54;
    };
    const bool docked = WaitUntil(secondProgramDocked, kHangMs + 30000 - (GetTickCount() - hungAt));
    EXPECT_TRUE(docked);
    EXPECT_NE(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));
    // Nothing left broken: one button, the band past it.
    int buttons = 0;
    for (HWND b = nullptr; (b = FindWindowExW(desktop.Taskbar(), b, kStartButtonFormClass, nullptr)) != nullptr;) {
        ++buttons;
    }
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(desktop.InTaskbar(desktop.Button()), RectOf(0, -6, 54, 54));

    // The second program is not the scenario's own process: end it here.
    if (HWND second = desktop.StartMenu(); docked && second != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(second, &process);
        HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
        PostMessageW(second, WMQuitStartMenu, 0, 0);
        if (handle != nullptr) {
            EXPECT_TRUE(WaitUntil([&] { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }, 10000));
            CloseHandle(handle);
        }
    }
}

}  // namespace
}  // namespace tessaline::test
