// The taskbars users really have: one that restarts (Explorer crashing or quitting and coming back), one that comes
// late, one without a band to dock into, and one with a Start button of its own. Our real taskbar side placed into
// the demo host, the program as its own process, real keys.

#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdio>

#include <string>

#include "Desktop.h"
#include "base/FileSystem.h"
#include "base/Geometry.h"
#include "base/TextFile.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {
namespace {

// Docked into the host's taskbar of now: the button shown at its place, the band past it.
bool DockedIn(const TDesktop& desktop) {
    HWND button = desktop.Button();
    return button != nullptr && IsWindowVisible(button) && desktop.Band() != nullptr &&
           desktop.InTaskbar(button) == RectOf(0, -6, 54, 54) && desktop.InTaskbar(desktop.Band()).Left == 54;
}

int ButtonsIn(HWND taskbar) {
    int buttons = 0;
    for (HWND b = nullptr; (b = FindWindowExW(taskbar, b, kStartButtonFormClass, nullptr)) != nullptr;) {
        ++buttons;
    }
    return buttons;
}

// A lone Windows key opens the menu and Esc closes it again.
void ExpectTheWindowsKeyOpensTheMenu(HWND menu, const char* when) {
    SendKey(VK_LWIN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }, 3000)) << "the Windows key " << when;
    PumpFor(300);
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) == FALSE; }, 3000)) << "Esc " << when;
    PumpFor(300);
}

std::string MainIniText(const TDesktop& desktop) {
    std::string bytes;
    ReadFileBytes(desktop.MainIni(), bytes);
    return bytes;
}

// A new taskbar announces itself with "TaskbarCreated", as Explorer's does.
TDesktopOptions WithOurTaskbarSide(std::wstring hostArguments = L"--broadcast") {
    TDesktopOptions options;
    options.RealHelpers = true;
    // Without a window manager Wine waits two seconds for one whenever it hides the menu (see TDesktopOptions).
    options.UnmanagedWindows = true;
    options.HostArguments = std::move(hostArguments);
    return options;
}

// Right-click on the docked button, then "Customize User Interface" with the keys; the dialog once it shows.
HWND OpenSettingsDialog(const TDesktop& desktop) {
    return test::OpenSettingsDialog(desktop.Button(), ButtonPoint(desktop), desktop.TessalineProcessId());
}

// Explorer ends (killed as a crash does, or quitting) and a new taskbar comes, three times over: each time the
// open menu closes and the button is back in the new taskbar within moments, the Windows key opens the menu again,
// and it is the same program all along with the user's settings as they were. The second restart comes while the
// settings dialog is open, which stays; the third taskbar announces nothing, and the watchdog's look finds it.
TEST(TaskbarsE2E, ExplorerRestartsThreeTimesAndTheButtonIsBackInEachNewTaskbar) {
    TDesktop desktop(WithOurTaskbarSide());
    if (!desktop.HotCornerHelperStaged()) {
        GTEST_SKIP() << "the 64-bit hot-corner helper is not built here (the x86_64 build makes it)";
    }
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nStartup=0\r\nSkinName=Ember\r\nHotCorners=0\r\n"));
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline(true, 20000));
    ASSERT_TRUE(WaitUntil([&] { return DockedIn(desktop); }, 5000));
    const DWORD program = desktop.TessalineProcessId();
    HWND menu = desktop.StartMenu();
    ASSERT_NE(menu, nullptr);
    PumpFor(1000);

    for (int restart = 1; restart <= 3; ++restart) {
        SCOPED_TRACE("restart " + std::to_string(restart));
        HWND settings = nullptr;
        if (restart == 2) {
            settings = OpenSettingsDialog(desktop);
            ASSERT_NE(settings, nullptr);
        } else {
            SendKey(VK_LWIN);
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }, 3000));
            PumpFor(300);
        }
        HWND oldTaskbar = desktop.Taskbar();
        if (restart == 3) {
            // A taskbar that does not broadcast: only the watchdog's look each second finds it.
            desktop.SetHostArguments(L"");
        }
        ASSERT_TRUE(desktop.RestartHost(restart != 2));
        ASSERT_NE(desktop.Taskbar(), oldTaskbar);
        const DWORD appeared = GetTickCount();
        EXPECT_TRUE(WaitUntil([&] { return DockedIn(desktop); }, 5000)) << "the button did not come back";
        std::printf("restart %d: docked again %lu ms after the new taskbar was up\n", restart,
                    static_cast<unsigned long>(GetTickCount() - appeared));
        EXPECT_EQ(ButtonsIn(desktop.Taskbar()), 1);
        EXPECT_FALSE(IsWindowVisible(menu)) << "the menu of the old taskbar stayed open";
        EXPECT_EQ(desktop.StartMenu(), menu);
        EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));
        if (settings != nullptr) {
            EXPECT_TRUE(IsWindowVisible(settings)) << "the settings dialog went with the taskbar";
            PostMessageW(settings, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(settings) == FALSE; }, 3000));
        }
        PumpFor(500);
        ExpectTheWindowsKeyOpensTheMenu(menu, "after the restart");
    }
    // No second program, and nothing of the user's lost.
    EXPECT_EQ(RunningProcesses(L"Tessaline.exe"), 1);
    EXPECT_EQ(desktop.TessalineProcessId(), program);
    const std::string ini = MainIniText(desktop);
    for (const wchar_t* line : {L"Startup=0", L"SkinName=Ember", L"HotCorners=0"}) {
        EXPECT_NE(ini.find(Utf16LeWithBom(line).substr(2)), std::string::npos) << Narrow({line});
    }
    // Well past the watchdog's ten seconds since the last restart: every heartbeat answered, still docked.
    PumpFor(11000);
    EXPECT_TRUE(DockedIn(desktop));
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

}  // namespace
}  // namespace tessaline::test

namespace tessaline::test {
namespace {

// What the program started and cannot end itself once it was killed.
void EndProcessesNamed(const wchar_t* exeName) {
    for (int attempt = 0; attempt < 20 && RunningProcesses(exeName) > 0; ++attempt) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            if (CompareStringOrdinal(entry.szExeFile, -1, exeName, -1, TRUE) != CSTR_EQUAL) {
                continue;
            }
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
                TerminateProcess(process, 0);
                WaitForSingleObject(process, 3000);
                CloseHandle(process);
            }
        }
        CloseHandle(snapshot);
    }
}

std::wstring TextsOf(HWND dialog) {
    std::wstring texts;
    for (HWND c = FindWindowExW(dialog, nullptr, L"Static", nullptr); c != nullptr;
         c = FindWindowExW(dialog, c, L"Static", nullptr)) {
        wchar_t text[2048] = {};
        SendBounded(c, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
        texts += text;
    }
    return texts;
}

// The taskbar is gone for longer than the watchdog's ten silent heartbeats: the watchdog undoes the docking and
// starts the taskbar side's restart, which waits for a taskbar. When a new one comes, the program docks into it
// by itself and the restart, seeing it docked, leaves it be: still one program, the same one.
TEST(TaskbarsE2E, ATaskbarGoneLongerThanTheWatchdogWaitsGetsTheSameProgramBack) {
    TDesktop desktop(WithOurTaskbarSide());
    if (!desktop.HotCornerHelperStaged()) {
        GTEST_SKIP() << "the 64-bit hot-corner helper is not built here (the x86_64 build makes it)";
    }
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nStartup=0\r\n"));
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline(true, 20000));
    const DWORD program = desktop.TessalineProcessId();
    ASSERT_TRUE(desktop.RestartHost(true, false));
    // Ten silent ticks, then the restart every second while no taskbar answers.
    EXPECT_TRUE(WaitUntil([] { return RunningProcesses(kTaskbarHelperExe) >= 1; }, 15000)) << "no restart began";
    PumpFor(1500);
    ASSERT_TRUE(desktop.StartHost());
    EXPECT_TRUE(WaitUntil([&] { return DockedIn(desktop); }, 5000));
    // The restart has looked by now and ended without ending the program.
    EXPECT_TRUE(WaitUntil([] { return RunningProcesses(kTaskbarHelperExe) == 0; }, 10000));
    EXPECT_EQ(desktop.TessalineProcessId(), program);
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(RunningProcesses(L"Tessaline.exe"), 1);
    EXPECT_TRUE(DockedIn(desktop));
    ExpectTheWindowsKeyOpensTheMenu(desktop.StartMenu(), "after the long gap");
}

// Started before the taskbar exists, as "Run at Startup" is at log-on: the program waits without using the
// processor and starts no taskbar side, then docks within moments of the band appearing.
TEST(TaskbarsE2E, AProgramStartedBeforeTheTaskbarDocksOnceItsBandAppears) {
    TDesktop desktop(WithOurTaskbarSide());
    if (!desktop.HotCornerHelperStaged()) {
        GTEST_SKIP() << "the 64-bit hot-corner helper is not built here (the x86_64 build makes it)";
    }
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nStartup=0\r\n"));
    ASSERT_TRUE(desktop.StartTessaline(false));
    ASSERT_TRUE(WaitUntil([&] { return desktop.StartMenu() != nullptr; }, 10000));
    PumpFor(2500);  // its start-up work, the first opening's preparation among it, done
    const double before = desktop.TessalineCpuMs();
    EXPECT_GT(before, 20.0) << "the start-up's processor time is not seen: the measure below would be empty";
    PumpFor(4000);
    const double waiting = desktop.TessalineCpuMs() - before;
    std::printf("waiting 4 s for a taskbar took %.1f ms of processor time\n", waiting);
    EXPECT_LT(waiting, 160.0) << "the wait for a taskbar spins";
    EXPECT_EQ(RunningProcesses(kTaskbarHelperExe), 0) << "a taskbar side started with no taskbar to go into";
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE));

    ASSERT_TRUE(desktop.StartHost());
    const DWORD appeared = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return DockedIn(desktop); }, 5000));
    std::printf("docked %lu ms after the taskbar was up\n", static_cast<unsigned long>(GetTickCount() - appeared));
    PumpFor(500);
    ExpectTheWindowsKeyOpensTheMenu(desktop.StartMenu(), "once docked");
}

// The session ends while the program still waits for a taskbar: it ends, as with Exit.
TEST(TaskbarsE2E, TheSessionEndingWhileTheProgramWaitsForATaskbarEndsIt) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartTessaline(false));
    ASSERT_TRUE(WaitUntil([&] { return desktop.StartMenu() != nullptr; }, 10000));
    PumpFor(1500);
    HWND menu = desktop.StartMenu();
    EXPECT_NE(SendBounded(menu, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0) << "the program held the session up";
    SendBounded(menu, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(desktop.WaitTessalineExit(5000), 0u);
    EXPECT_EQ(desktop.HelperLogCount(L"Tarnwick.exe /loaddll"), 0);
}

// A taskbar without a band to dock into (Windows 11's, another shell's): after its bound (30 s; here the test
// build's 5 s) the program says so once, in the user's language, and ends with its helpers; the taskbar side was
// never started.
TEST(TaskbarsE2E, ATaskbarWithoutABandIsReportedOnceInTheUsersLanguageAndTheProgramEnds) {
    TDesktopOptions options;
    options.HostArguments = L"--band none";
    options.NoBandMs = 5000;
    TDesktop desktop(options);
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nLanguage=German\r\n"));
    ASSERT_TRUE(desktop.StartHost());
    const DWORD started = GetTickCount();
    ASSERT_TRUE(desktop.StartTessaline(false));
    const auto boxes = [&] { return VisibleWindowsOf(desktop.TessalineProcessId(), L"#32770"); };
    ASSERT_TRUE(WaitUntil([&] { return !boxes().empty(); }, 20000)) << "no message";
    EXPECT_GE(GetTickCount() - started, 4500u);
    HWND box = boxes().front();
    const std::wstring text = TextsOf(box);
    EXPECT_NE(text.find(L"keinen Platz"), std::wstring::npos) << Narrow({text});
    EXPECT_NE(text.find(L"Windows 8, 8.1"), std::wstring::npos) << Narrow({text});
    PumpFor(1000);
    EXPECT_EQ(boxes().size(), 1u) << "said more than once";
    EXPECT_EQ(desktop.HelperLogCount(L"Tarnwick.exe /loaddll"), 0);
    EXPECT_EQ(desktop.WaitTessalineExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "ended before the user read it";

    HWND ok = FindWindowExW(box, nullptr, L"Button", nullptr);
    ASSERT_NE(ok, nullptr);
    RECT r{};
    GetWindowRect(ok, &r);
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_EQ(desktop.WaitTessalineExit(5000), 0u);
    EXPECT_EQ(ButtonsIn(desktop.Taskbar()), 0);
}

// A taskbar with a Start button of its own (Windows 8.1 and 10): hidden while ours is docked, also when the
// taskbar lays itself out and shows it again; back once ours leaves, by Exit or by the program being killed (then
// the taskbar side, inside the taskbar's process, notices).
TEST(TaskbarsE2E, TheTaskbarsOwnStartButtonIsHiddenWhileOursIsDockedAndBackWhenOursLeaves) {
    TDesktop desktop(WithOurTaskbarSide(L"--broadcast --start-button"));
    if (!desktop.HotCornerHelperStaged()) {
        GTEST_SKIP() << "the 64-bit hot-corner helper is not built here (the x86_64 build makes it)";
    }
    WriteBytes(desktop.MainIni(), Utf16LeWithBom(L"[Main]\r\nStartup=0\r\n"));
    ASSERT_TRUE(desktop.StartHost());
    HWND own = desktop.OwnStartButton();
    ASSERT_NE(own, nullptr);
    ASSERT_TRUE(IsWindowVisible(own));
    const TRect bandBefore = desktop.InTaskbar(desktop.Band());

    ASSERT_TRUE(desktop.StartTessaline(true, 20000));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(own) == FALSE; }, 3000)) << "both Start buttons show";
    EXPECT_TRUE(WaitUntil([&] { return DockedIn(desktop); }, 3000));
    // The taskbar's own layout shows its button again (a resize, a theme change): it stays hidden.
    PostMessageW(desktop.Taskbar(), WM_APP + 1, 0, 0);
    PumpFor(1000);
    EXPECT_FALSE(IsWindowVisible(own));
    EXPECT_TRUE(DockedIn(desktop)) << "band at " << desktop.InTaskbar(desktop.Band()).Left << ", button at "
                                   << desktop.InTaskbar(desktop.Button()).Left << ","
                                   << desktop.InTaskbar(desktop.Button()).Top;
    ExpectTheWindowsKeyOpensTheMenu(desktop.StartMenu(), "with the own button hidden");

    // Exit: theirs is back, and the band where it was beside it, not over it.
    PostMessageW(desktop.StartMenu(), WMQuitStartMenu, 0, 0);
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(own) != FALSE; }, 3000)) << "not back after Exit";
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, bandBefore.Left);

    // Docked again, and killed: nothing of the program runs its end.
    ASSERT_TRUE(desktop.StartTessaline(true, 20000));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(own) == FALSE; }, 3000));
    desktop.KillTessaline();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(own) != FALSE; }, 3000)) << "not back after the program died";
    EXPECT_EQ(ButtonsIn(desktop.Taskbar()), 0);
    EXPECT_TRUE(WaitUntil([&] { return desktop.InTaskbar(desktop.Band()).Left == bandBefore.Left; }, 3000))
        << "the band stayed over the taskbar's own button";
    EndProcessesNamed(L"Velmora64.exe");
    EndProcessesNamed(L"Velmora32.exe");
}

}  // namespace
}  // namespace tessaline::test
