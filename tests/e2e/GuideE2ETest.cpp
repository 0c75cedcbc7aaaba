// The first-run guide as a person meets it: started from a folder of its own with a private profile, it shows one
// layered window in the middle of the screen, turns its pages with the arrow keys and its buttons, ends on Esc or
// its close button, lets only one copy run, and leaves the profile as it found it.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Desktop.h"
#include "TestSupport.h"
#include "base/FileSystem.h"
#include "settings/UserDataDir.h"

namespace tessaline::test {
namespace {

constexpr wchar_t kGuideExe[] = L"Tessaline_Guide.exe";
constexpr wchar_t kGuideClass[] = L"TfrmGuide";

// The window's points the tests look at or click, in window coordinates.
constexpr POINT kDot1{377, 394};
constexpr POINT kDot2{411, 394};
constexpr POINT kNext{767, 211};
constexpr POINT kClose{765, 30};

std::vector<HWND> GuideWindows() {
    std::vector<HWND> windows;
    for (HWND window = FindWindowExW(nullptr, nullptr, kGuideClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, kGuideClass, nullptr)) {
        windows.push_back(window);
    }
    return windows;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class GuideE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        CopyFileW(BuildPath(std::wstring(L"bin\\") + kGuideExe).c_str(), stage_.File(kGuideExe).c_str(), FALSE);
        CopyInto(BuildPath(L"bin\\Language"), stage_.File(L"Language"));
        environment_ = EnvironmentBlock({{L"USERPROFILE", profile_.Path()}});
    }
    void TearDown() override {
        for (PROCESS_INFORMATION* process : {&first_, &second_}) {
            if (process->hProcess != nullptr) {
                TerminateProcess(process->hProcess, 1);
                WaitForSingleObject(process->hProcess, 5000);
                CloseHandle(process->hProcess);
                CloseHandle(process->hThread);
            }
        }
    }

    bool Start(PROCESS_INFORMATION& process) {
        const std::wstring exe = stage_.File(kGuideExe);
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring environment = environment_;
        return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                              environment.data(), stage_.Path().c_str(), &startup, &process) != FALSE;
    }

    // The guide's window once the first copy shows it.
    HWND StartGuide() {
        if (!Start(first_)) {
            return nullptr;
        }
        HWND guide = nullptr;
        WaitUntil(
            [&] {
                for (HWND window : VisibleWindowsOf(first_.dwProcessId, kGuideClass)) {
                    guide = window;
                }
                return guide != nullptr;
            },
            10000);
        return guide;
    }

    bool Ended(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
        return WaitUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    }

    std::wstring DataDir() const { return UserDataDirFromProfile(profile_.Path()); }

    TempFolder stage_;
    TempFolder profile_;
    std::wstring environment_;
    PROCESS_INFORMATION first_{};
    PROCESS_INFORMATION second_{};
};

// The screen's colour at a point of the guide's window: what the layered bitmap put there.
COLORREF ScreenPixel(HWND guide, POINT at) {
    ClientToScreen(guide, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Which dot is lit, as the screen shows it: the page shown (0 or 1), -1 when the two dots look alike.
int LitPage(HWND guide) {
    const COLORREF first = ScreenPixel(guide, kDot1);
    const COLORREF second = ScreenPixel(guide, kDot2);
    if (first == second) {
        return -1;
    }
    // The lit dot is the brighter one.
    const auto brightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    return brightness(first) > brightness(second) ? 0 : 1;
}

TEST_F(GuideE2E, ALayeredWindowInTheMiddleOfTheScreenWhosePagesTheArrowsAndButtonsTurnAndEscEnds) {
    HWND guide = StartGuide();
    ASSERT_NE(guide, nullptr);
    EXPECT_NE(GetWindowLongPtrW(guide, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(GetWindowLongPtrW(guide, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(guide, GW_OWNER), nullptr);  // a taskbar button of its own
    EXPECT_EQ(WindowText(guide), L"Tessaline Guide");
    RECT window{};
    GetWindowRect(guide, &window);
    EXPECT_EQ(window.right - window.left, 807);
    EXPECT_EQ(window.bottom - window.top, 442);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 807) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 442) / 2);

    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == guide; }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return LitPage(guide) == 0; }, 3000)) << LitPage(guide);
    SendKey(VK_RIGHT);
    EXPECT_TRUE(WaitUntil([&] { return LitPage(guide) == 1; }, 3000));
    SendKey(VK_RIGHT);
    EXPECT_TRUE(WaitUntil([&] { return LitPage(guide) == 0; }, 3000));
    SendKey(VK_LEFT);
    EXPECT_TRUE(WaitUntil([&] { return LitPage(guide) == 1; }, 3000));

    // The dot of the other page, then the Next arrow, clicked with the real pointer.
    POINT dot = kDot1;
    ClientToScreen(guide, &dot);
    ClickAt(dot);
    EXPECT_TRUE(WaitUntil([&] { return LitPage(guide) == 0; }, 3000));
    POINT next = kNext;
    ClientToScreen(guide, &next);
    ClickAt(next);
    EXPECT_TRUE(WaitUntil([&] { return LitPage(guide) == 1; }, 3000));

    SendKey(VK_ESCAPE);
    EXPECT_TRUE(Ended(first_, 5000));
    // It wrote nothing: not even the data folder.
    EXPECT_FALSE(DirectoryExists(DataDir()));
}

TEST_F(GuideE2E, ASecondStartEndsWithoutAWindowAndBringsTheFirstForward) {
    HWND guide = StartGuide();
    ASSERT_NE(guide, nullptr);
    // Something else has the foreground now.
    HWND other = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }, 3000));

    ASSERT_TRUE(Start(second_));
    ASSERT_TRUE(Ended(second_, 10000));
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(second_.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(GuideWindows(), std::vector<HWND>{guide});
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == guide; }, 5000));
    DestroyWindow(other);
}

TEST_F(GuideE2E, ALanguageFileRenamesTheWindowAndTheCloseButtonEndsItLeavingMainIniAsItWas) {
    WriteBytes(stage_.File(L"Language\\Pirate.lng"),
               "[Main]\r\nDisplayName=Pirate\r\n[Tessaline_frmGuide]\r\nfrmGuide.Caption=Ahoy guide\r\n");
    CreateDirectoryTree(DataDir());
    const std::string ini = "[Main]\r\nLanguage=Pirate\r\nSkipStartScreen=0\r\n";
    WriteBytes(DataDir() + L"Main.ini", ini);

    HWND guide = StartGuide();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(WindowText(guide), L"Ahoy guide");
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == guide; }, 5000));
    POINT close = kClose;
    ClientToScreen(guide, &close);
    ClickAt(close);
    EXPECT_TRUE(Ended(first_, 5000));
    EXPECT_EQ(ReadBytes(DataDir() + L"Main.ini"), ini);
    EXPECT_EQ(CountFiles(DataDir(), L""), 1);
}

}  // namespace
}  // namespace tessaline::test
