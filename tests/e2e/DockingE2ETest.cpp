// The Start button docking into the demo taskbar host and leaving it again, with Tessaline as its own process.

#include <gtest/gtest.h>

#include "Desktop.h"
#include "base/FileSystem.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {
namespace {

bool MainIniIsUtf16With(const std::wstring& path, const std::wstring& line) {
    std::string bytes;
    if (ReadFileBytes(path, bytes) != FileReadResult::Ok || bytes.rfind("\xFF\xFE", 0) != 0) {
        return false;
    }
    return bytes.find(Utf16LeWithBom(line).substr(2)) != std::string::npos;
}

bool NoWindowOfTessaline() {
    return FindWindowW(kStartMenuFormClass, nullptr) == nullptr &&
           FindWindowW(kStartButtonFormClass, nullptr) == nullptr;
}

TEST(DockingE2E, RealClicksOnTheDockedButtonOpenAndCloseTheMenu) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    HWND menu = desktop.StartMenu();
    RECT button{};
    GetWindowRect(desktop.Button(), &button);
    // Below the part that stands out over the taskbar's top edge: on the taskbar itself.
    const POINT center{(button.left + button.right) / 2, (button.top + button.bottom) / 2 + 6};
    const auto shown = [&] { return IsWindowVisible(menu) != FALSE; };
    const auto hidden = [&] { return IsWindowVisible(menu) == FALSE; };

    ClickAt(center);
    ASSERT_TRUE(WaitUntil(shown, 3000)) << "a click did not open the menu";
    PumpFor(500);
    ClickAt(center);
    EXPECT_TRUE(WaitUntil(hidden, 3000)) << "a second click did not close the menu";
    PumpFor(500);
    EXPECT_TRUE(hidden()) << "the menu came back after the click that closed it";

    ClickAt(center);
    ASSERT_TRUE(WaitUntil(shown, 3000));
    PumpFor(300);
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil(hidden, 3000)) << "Esc did not close the menu";
    PumpFor(300);
    ClickAt(center);
    EXPECT_TRUE(WaitUntil(shown, 3000)) << "a click after Esc did not open the menu";
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil(hidden, 3000));
}

// The window a person was typing in before opening the menu gets the keyboard back when the menu closes, however
// it closes (not the taskbar, whose thread the Start button ties to the program's).
TEST(DockingE2E, ClosingTheMenuGivesTheKeyboardBackToTheWindowThatHadIt) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    HWND work = OpenWorkWindow();
    ASSERT_NE(work, nullptr);
    HWND menu = desktop.StartMenu();
    RECT button{};
    GetWindowRect(desktop.Button(), &button);
    const POINT center{(button.left + button.right) / 2, (button.top + button.bottom) / 2 + 6};

    SendKey(VK_LWIN);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == menu; }, 3000));
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == work; }, 3000)) << "after Esc";

    ClickAt(center);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == menu; }, 3000));
    PumpFor(300);
    ClickAt(center);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == work; }, 3000)) << "after a click on the button";
    EXPECT_FALSE(IsWindowVisible(menu));
    DestroyWindow(work);
}

TEST(DockingE2E, BottomTaskbarMakesRoomForTheButtonAndGetsItBackOnQuit) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    const TRect taskbar = desktop.InTaskbar(desktop.Taskbar());
    const TRect bandBefore = desktop.InTaskbar(desktop.Band());
    ASSERT_EQ(bandBefore.Left, 60);
    ASSERT_TRUE(desktop.StartTessaline());

    const TRect band = desktop.InTaskbar(desktop.Band());
    EXPECT_EQ(band.Left, 54);
    EXPECT_EQ(band.Right, bandBefore.Right);  // its far end stays: 6 pixels narrower
    EXPECT_EQ(band.Top, bandBefore.Top);
    EXPECT_EQ(band.Height(), bandBefore.Height());
    EXPECT_EQ(desktop.InTaskbar(desktop.Button()), RectOf(0, -6, 54, 54));
    EXPECT_EQ(taskbar.Width(), 1920);
    // Saved once the button shows.
    EXPECT_TRUE(WaitUntil([&] { return MainIniIsUtf16With(desktop.MainIni(), L"HeightWidth=60"); }, 3000));
    EXPECT_EQ(desktop.HelperLogCount(L"Tarnwick.exe /loaddll"), 1);
    // The taskbar side learns that the button took its place (the host logs the message as it handles it, which
    // may come just after the button shows).
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (const TBandMessage& m : desktop.BandMessages()) {
                if (m.Message == WMTaskbarAttach && m.WParam == 1) {
                    return true;
                }
            }
            return false;
        },
        3000));

    PostMessageW(desktop.StartMenu(), WMQuitStartMenu, 0, 0);
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Right, bandBefore.Right);
    EXPECT_TRUE(NoWindowOfTessaline());
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (const TBandMessage& m : desktop.BandMessages()) {
                if (m.Message == WMTaskbarAttach && m.WParam == 0) {
                    return true;
                }
            }
            return false;
        },
        3000));
}

TEST(DockingE2E, LeftTaskbarMovesTheBandDownAndUndockingUsesOffsetEleven) {
    TDesktopOptions options;
    options.Edge = L"left";
    options.Length = 700;
    TDesktop desktop(options);
    ASSERT_TRUE(desktop.StartHost());
    const TRect bandBefore = desktop.InTaskbar(desktop.Band());
    ASSERT_EQ(bandBefore.Top, 60);
    ASSERT_TRUE(desktop.StartTessaline());

    const TRect band = desktop.InTaskbar(desktop.Band());
    EXPECT_EQ(band.Top, 54);
    EXPECT_EQ(band.Bottom, bandBefore.Bottom);
    EXPECT_EQ(band.Left, bandBefore.Left);
    EXPECT_EQ(desktop.InTaskbar(desktop.Button()), RectOf(0, -6, 54, 54));
    // Saved once the button shows.
    EXPECT_TRUE(WaitUntil([&] { return MainIniIsUtf16With(desktop.MainIni(), L"HeightWidth=60"); }, 3000));

    PostMessageW(desktop.StartMenu(), WMQuitStartMenu, 0, 0);
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Top, 11);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Bottom, bandBefore.Bottom);
}

TEST(DockingE2E, ASecondStartEndsAtOnceAndLeavesTheFirstAlone) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    HWND button = desktop.Button();
    HWND startMenu = desktop.StartMenu();

    EXPECT_EQ(desktop.RunSecondTessaline(10000), 0u);
    PumpFor(300);
    EXPECT_EQ(desktop.Button(), button);
    EXPECT_EQ(FindWindowExW(desktop.Taskbar(), button, kStartButtonFormClass, nullptr), nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, startMenu, kStartMenuFormClass, nullptr), nullptr);
    EXPECT_EQ(desktop.HelperLogCount(L"Tarnwick.exe /loaddll"), 1);
    // The first copy came forward.
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    EXPECT_EQ(foregroundProcess, desktop.TessalineProcessId());
}

TEST(DockingE2E, WithoutAnAnswerFromTheTaskbarSideStartUpGoesOnAfterItsBound) {
    TDesktopOptions options;
    options.SilentTaskbarSide = true;
    TDesktop desktop(options);
    ASSERT_TRUE(desktop.StartHost());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(desktop.StartTessaline(true, 30000));
    EXPECT_GE(GetTickCount() - start, 14000u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 54);
}

TEST(DockingE2E, AQuitDuringTheStartUpWaitEndsAtOnceAndStartsNothingMore) {
    TDesktopOptions options;
    options.SilentTaskbarSide = true;
    TDesktop desktop(options);
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline(false));
    // The start-menu window exists while start-up waits for the taskbar side.
    ASSERT_TRUE(WaitUntil([&] { return desktop.StartMenu() != nullptr; }, 10000));
    ASSERT_TRUE(WaitUntil([&] { return desktop.HelperLogCount(L"Tarnwick.exe /loaddll") == 1; }, 5000));
    const DWORD thread = GetWindowThreadProcessId(desktop.StartMenu(), nullptr);
    const DWORD quitAt = GetTickCount();
    ASSERT_TRUE(PostThreadMessageW(thread, WM_QUIT, 0, 0));
    EXPECT_EQ(desktop.WaitTessalineExit(5000), 0u);
    EXPECT_LT(GetTickCount() - quitAt, 3000u);
    PumpFor(500);
    for (const std::wstring& line : desktop.HelperLog()) {
        EXPECT_EQ(line, L"Tarnwick.exe /loaddll") << "started after the quit";
    }
    EXPECT_TRUE(NoWindowOfTessaline());
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 60);  // never docked
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

// Our own taskbar side and hot-corner helper instead of the stand-ins: placed into the host's process, the
// taskbar side announces itself, answers every heartbeat and keeps the band clear of the button.
TEST(DockingE2E, WithOurTaskbarSideTheButtonStaysDockedAndTheHelpersEndWithIt) {
    TDesktopOptions options;
    options.RealHelpers = true;
    options.Offset = 0;  // the host's own layout puts the band where the button goes
    TDesktop desktop(options);
    if (!desktop.HotCornerHelperStaged()) {
        GTEST_SKIP() << "the 64-bit hot-corner helper is not built here (the x86_64 build makes it)";
    }
    // Not run at log-on: the hot-corner helper keeps the Run key free of the staged copy.
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nStartup=0\r\n"));
    ASSERT_TRUE(desktop.StartHost());
    const DWORD start = GetTickCount();
    ASSERT_TRUE(desktop.StartTessaline(true, 20000));
    EXPECT_LT(GetTickCount() - start, 10000u);  // announced, not the start-up wait's bound
    EXPECT_TRUE(WaitUntil([] { return FindWindowW(kHotCornerHelperClass, kHotCornerHelperCaption) != nullptr; }, 5000));
    PumpFor(300);
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Tessaline",
                           RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);

    // The host lays itself out again, as Explorer does: the band is kept clear of the button.
    PostMessageW(desktop.Taskbar(), WM_APP + 1, 0, 0);
    PumpFor(500);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 54);
    // Twelve heartbeats later it is still docked: every one was answered.
    PumpFor(12000);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 54);
    EXPECT_EQ(desktop.InTaskbar(desktop.Button()), RectOf(0, -6, 54, 54));

    PostMessageW(desktop.StartMenu(), WMQuitStartMenu, 0, 0);
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
    EXPECT_TRUE(WaitUntil([] { return FindWindowW(kHotCornerHelperClass, kHotCornerHelperCaption) == nullptr; }, 3000));
}

}  // namespace
}  // namespace tessaline::test
