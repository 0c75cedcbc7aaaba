// The Start button's options menu and the hot-corner helper's arming, seen from outside Tessaline.

#include <gtest/gtest.h>

#include <vector>

#include "Desktop.h"
#include "base/FileSystem.h"
#include "system/HelperProtocol.h"

namespace tessaline::test {
namespace {

// The system's popup menu window of another thread, once it is open.
HWND OpenMenuOf(DWORD thread) {
    HWND found = nullptr;
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread) {
            found = menu;
        }
    }
    return found;
}

// Right-clicks the button and picks the menu's n-th item (separators are skipped by the keys).
bool ChooseOption(TDesktop& desktop, int position) {
    HWND button = desktop.Button();
    const DWORD thread = GetWindowThreadProcessId(button, nullptr);
    PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(27, 27));
    PostMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(27, 27));
    PostMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(27, 27));
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = OpenMenuOf(thread)) != nullptr; }, 5000)) {
        return false;
    }
    for (int i = 0; i < position; ++i) {
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return WaitUntil([&] { return OpenMenuOf(thread) == nullptr; }, 5000);
}

std::vector<TBandMessage> Posted(const TDesktop& desktop, UINT message) {
    std::vector<TBandMessage> found;
    for (const TBandMessage& m : desktop.BandMessages()) {
        if (m.Message == message) {
            found.push_back(m);
        }
    }
    return found;
}

bool MainIniHas(const TDesktop& desktop, const std::wstring& line) {
    std::string bytes;
    return ReadFileBytes(desktop.MainIni(), bytes) == FileReadResult::Ok &&
           bytes.find(Utf16LeWithBom(line).substr(2)) != std::string::npos;
}

TEST(OptionsMenuE2E, HotCornerItemsStoreTheirCheckAndTellTheBand) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());

    // Both are checked by default: the first click clears the check.
    ASSERT_TRUE(ChooseOption(desktop, 4));  // Deactivate Metro Hot Corners
    EXPECT_TRUE(WaitUntil([&] { return Posted(desktop, WMSetHotCorners).size() == 1; }, 3000));
    EXPECT_TRUE(MainIniHas(desktop, L"HotCorners=0"));
    ASSERT_TRUE(ChooseOption(desktop, 4));
    EXPECT_TRUE(WaitUntil([&] { return Posted(desktop, WMSetHotCorners).size() == 2; }, 3000));
    EXPECT_TRUE(MainIniHas(desktop, L"HotCorners=1"));
    ASSERT_TRUE(ChooseOption(desktop, 5));  // Deactivate Metro Sidebar
    EXPECT_TRUE(WaitUntil([&] { return Posted(desktop, WMSetHotSidebar).size() == 1; }, 3000));
    EXPECT_TRUE(MainIniHas(desktop, L"HotSidebar=0"));

    const std::vector<TBandMessage> corners = Posted(desktop, WMSetHotCorners);
    ASSERT_EQ(corners.size(), 2u);
    EXPECT_EQ(corners[0].WParam, 0u);
    EXPECT_EQ(corners[0].LParam, 0);
    EXPECT_EQ(corners[1].LParam, 1);
    const std::vector<TBandMessage> sidebar = Posted(desktop, WMSetHotSidebar);
    ASSERT_EQ(sidebar.size(), 1u);
    EXPECT_EQ(sidebar[0].LParam, 0);
}

TEST(OptionsMenuE2E, StartupAndSkipMetroOnlyStoreTheirCheck) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    ASSERT_TRUE(ChooseOption(desktop, 1));  // Run at Startup
    ASSERT_TRUE(ChooseOption(desktop, 2));  // Skip Metro Screen
    EXPECT_TRUE(MainIniHas(desktop, L"Startup=0"));
    EXPECT_TRUE(MainIniHas(desktop, L"SkipStartScreen=0"));
    EXPECT_TRUE(Posted(desktop, WMSetHotCorners).empty());
}

TEST(OptionsMenuE2E, ExitGivesTheTaskbarItsRoomBackAndEnds) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    ASSERT_TRUE(ChooseOption(desktop, 6));  // Exit
    EXPECT_EQ(desktop.WaitTessalineExit(10000), 0u);
    EXPECT_EQ(desktop.InTaskbar(desktop.Band()).Left, 11);
}

// A window standing in for the hot-corner helper, made by this test before Tessaline starts.
std::vector<LPARAM> v_HookHotCornersSeen;

LRESULT CALLBACK HelperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMHookHotCorners) {
        v_HookHotCornersSeen.push_back(lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(OptionsMenuE2E, AHotCornerHelperWindowIsArmedInsteadOfStartingAnother) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HelperWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHotCornerHelperClass;
    RegisterClassExW(&wc);
    HWND helper = CreateWindowExW(0, kHotCornerHelperClass, kHotCornerHelperCaption, WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(helper, nullptr);
    v_HookHotCornersSeen.clear();
    {
        TDesktop desktop;
        ASSERT_TRUE(desktop.StartHost());
        ASSERT_TRUE(desktop.StartTessaline());
        EXPECT_TRUE(WaitUntil([] { return !v_HookHotCornersSeen.empty(); }, 3000));
        ASSERT_EQ(v_HookHotCornersSeen.size(), 1u);
        EXPECT_EQ(v_HookHotCornersSeen[0], kHookHotCornersArm);
        for (const std::wstring& line : desktop.HelperLog()) {
            EXPECT_EQ(line.find(L"Velmora"), std::wstring::npos) << line;
        }
    }
    DestroyWindow(helper);
}

TEST(OptionsMenuE2E, WithoutAHelperWindowTheHotCornerHelperIsStarted) {
    TDesktop desktop;
    ASSERT_TRUE(desktop.StartHost());
    ASSERT_TRUE(desktop.StartTessaline());
    // 64-bit Windows (a 64-bit build, or WOW64): the 64-bit helper only.
    EXPECT_TRUE(WaitUntil([&] { return desktop.HelperLogCount(L"Velmora64.exe /HotCorners") == 1; }, 3000));
    EXPECT_EQ(desktop.HelperLogCount(L"Velmora32.exe /HotCorners"), 0);
}

}  // namespace
}  // namespace tessaline::test
