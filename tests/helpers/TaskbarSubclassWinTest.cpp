// The taskbar side's subclass, in this process: a taskbar with a real rebar band, and stand-ins for the windows
// the program and the hot-corner helper show, all on the test's thread. Placement across processes (the hook)
// is checked by hand with check_taskbar_side.sh.
#include "helpers/taskbar/TaskbarSubclassWin.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "helpers/taskbar/TarnwickPlacement.h"
#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

struct TReceived {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};
std::vector<TReceived> g_received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < 0xC000) {
        g_received.push_back({window, message, wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* className) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);  // a second test finds it registered
}

// Dispatches this thread's messages until `done` holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 1000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

size_t Count(HWND window, UINT message) {
    size_t count = 0;
    for (const TReceived& r : g_received) {
        count += r.Window == window && r.Message == message ? 1 : 0;
    }
    return count;
}

const TReceived* Last(HWND window, UINT message) {
    for (auto it = g_received.rbegin(); it != g_received.rend(); ++it) {
        if (it->Window == window && it->Message == message) {
            return &*it;
        }
    }
    return nullptr;
}

RECT BandInTaskbar(HWND band) {
    RECT rect{};
    GetWindowRect(band, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(band), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// One set of windows for all the tests: under Wine destroying a shown top-level window waits about two seconds
// for the X server. Each test places the DLL's subclass again, which is also what a restarted program does.
class TaskbarSubclass : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_COOL_CLASSES};
        InitCommonControlsEx(&controls);
        for (const wchar_t* name :
             {kTaskbarClass, kStartMenuFormClass, kStartButtonFormClass, kHotCornerHelperClass, kOwnStartButtonClass}) {
            Register(name);
        }
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        taskbar_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTaskbarClass, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                   760, 1280, 40, nullptr, nullptr, instance, nullptr);
        band_ = CreateWindowExW(0, REBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 60,
                                0, 1100, 40, taskbar_, nullptr, instance, nullptr);
        // The taskbar's own Start button, as Windows 8.1 and 10 have one, before the band.
        ownStart_ = CreateWindowExW(0, kOwnStartButtonClass, L"Start", WS_CHILD | WS_VISIBLE, 0, 0, 60, 40, taskbar_,
                                    nullptr, instance, nullptr);
        button_ = CreateWindowExW(0, kStartButtonFormClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 54, 40, taskbar_, nullptr,
                                  instance, nullptr);
        menu_ = CreateWindowExW(0, kStartMenuFormClass, kStartMenuFormCaption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                instance, nullptr);
        helper_ = CreateWindowExW(0, kHotCornerHelperClass, kHotCornerHelperCaption, WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, instance, nullptr);
    }
    static void TearDownTestSuite() {
        for (HWND window : {helper_, menu_, taskbar_}) {
            if (window != nullptr) {
                DestroyWindow(window);
            }
        }
        PumpUntil([] { return false; }, 50);
        g_received.clear();
        // Other tests of this program make real windows of these classes.
        for (const wchar_t* name :
             {kTaskbarClass, kStartMenuFormClass, kStartButtonFormClass, kHotCornerHelperClass, kOwnStartButtonClass}) {
            UnregisterClassW(name, GetModuleHandleW(nullptr));
        }
    }

    void SetUp() override {
        ASSERT_TRUE(taskbar_ && band_ && button_ && menu_ && helper_ && ownStart_);
        SetWindowPos(band_, nullptr, 60, 0, 1100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpUntil([] { return false; }, 100);
        g_received.clear();
    }

    static void Place(uint32_t generation) {
        ASSERT_TRUE(PlaceInTaskbar(taskbar_, generation));
        EXPECT_EQ(GetPropW(band_, kPlacementProperty), reinterpret_cast<HANDLE>(static_cast<uintptr_t>(generation)));
    }

    static inline HWND taskbar_ = nullptr;
    static inline HWND band_ = nullptr;
    static inline HWND button_ = nullptr;
    static inline HWND menu_ = nullptr;
    static inline HWND helper_ = nullptr;
    static inline HWND ownStart_ = nullptr;
};

TEST_F(TaskbarSubclass, PlacementAnnouncesItselfAndHeartbeatsAreAnsweredOnce) {
    Place(7);
    ASSERT_TRUE(PumpUntil([&] { return Count(menu_, WMStartMenuLoaded) == 1; }));
    // It says which taskbar it went into, as the handle's low 32 bits.
    EXPECT_EQ(static_cast<uint32_t>(Last(menu_, WMStartMenuLoaded)->LParam),
              HandleToWire(reinterpret_cast<uintptr_t>(taskbar_)));
    const LONG_PTR procedure = GetWindowLongPtrW(band_, GWLP_WNDPROC);

    // The program placing us again (it restarted): announced again, chained once.
    Place(8);
    EXPECT_TRUE(PumpUntil([&] { return Count(menu_, WMStartMenuLoaded) == 2; }));
    EXPECT_EQ(GetWindowLongPtrW(band_, GWLP_WNDPROC), procedure);

    PostMessageW(band_, WMExplorerAlive, 0, 5);
    ASSERT_TRUE(PumpUntil([&] { return Count(menu_, WMExplorerAlive) > 0; }));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(Count(menu_, WMExplorerAlive), 1u);
    EXPECT_EQ(Last(menu_, WMExplorerAlive)->LParam, 0);
}

TEST_F(TaskbarSubclass, WhileAttachedARelayoutLeavesTheButtonsRoom) {
    Place(9);
    SendMessageW(band_, WMTaskbarAttach, 1, 0);
    SetWindowPos(band_, nullptr, 0, 0, 1160, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT band = BandInTaskbar(band_);
    EXPECT_EQ(band.left, 54);
    EXPECT_EQ(band.right, 1160);  // the far end kept
    // The button is told to redraw after the band moved.
    EXPECT_TRUE(PumpUntil([&] { return Count(button_, WMStartMenuRef) > 0; }));

    // Undocking gives the room back: the program then moves the band to its old offset.
    SendMessageW(band_, WMTaskbarAttach, 0, 0);
    SetWindowPos(band_, nullptr, 11, 0, 1149, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    band = BandInTaskbar(band_);
    EXPECT_EQ(band.left, 11);
}

TEST_F(TaskbarSubclass, TheButtonsOwnRedrawDoesNotAskForAnother) {
    Place(10);
    SendMessageW(band_, WMTaskbarAttach, 1, 0);
    SetWindowPos(band_, nullptr, 54, 0, 1106, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpUntil([] { return false; }, 150);
    g_received.clear();

    // What the button does on WMStartMenuRef: repaint its room of the taskbar.
    RECT room{0, 0, 54, 40};
    RedrawWindow(taskbar_, &room, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpUntil([] { return false; }, 150);
    EXPECT_EQ(Count(button_, WMStartMenuRef), 0u);

    // The taskbar repainting itself does.
    RedrawWindow(taskbar_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntil([&] { return Count(button_, WMStartMenuRef) > 0; }));
}

TEST_F(TaskbarSubclass, TheTaskbarsOwnStartButtonStaysHiddenWhileOursIsAttached) {
    Place(12);
    ASSERT_TRUE(IsWindowVisible(ownStart_));
    SendMessageW(band_, WMTaskbarAttach, 1, 0);
    EXPECT_FALSE(IsWindowVisible(ownStart_));
    // The taskbar's layout moves and shows it, or shows it alone, or sets its style: it stays hidden, and takes no
    // click meanwhile.
    SetWindowPos(ownStart_, nullptr, 0, 0, 48, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_FALSE(IsWindowVisible(ownStart_));
    RECT moved{};
    GetWindowRect(ownStart_, &moved);
    EXPECT_EQ(moved.right - moved.left, 48) << "the move itself goes on";
    ShowWindow(ownStart_, SW_SHOWNA);
    EXPECT_FALSE(IsWindowVisible(ownStart_));
    SetWindowLongPtrW(ownStart_, GWL_STYLE, GetWindowLongPtrW(ownStart_, GWL_STYLE) | WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(ownStart_));
    EXPECT_EQ(SendMessageW(ownStart_, WM_NCHITTEST, 0, MAKELPARAM(10, 770)), HTTRANSPARENT);

    // Ours leaves: theirs is back and behaves as before.
    SendMessageW(band_, WMTaskbarAttach, 0, 0);
    EXPECT_TRUE(IsWindowVisible(ownStart_));
    ShowWindow(ownStart_, SW_HIDE);
    ShowWindow(ownStart_, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(ownStart_));
    SetWindowPos(ownStart_, nullptr, 0, 0, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE);

    // A program placing the side again (it restarted) finds it shown, and hides it when it attaches.
    SendMessageW(band_, WMTaskbarAttach, 1, 0);
    Place(13);
    EXPECT_TRUE(IsWindowVisible(ownStart_));
    SendMessageW(band_, WMTaskbarAttach, 1, 0);
    EXPECT_FALSE(IsWindowVisible(ownStart_));
    SendMessageW(band_, WMTaskbarAttach, 0, 0);
    EXPECT_TRUE(IsWindowVisible(ownStart_));
}

TEST_F(TaskbarSubclass, HotCornerOptionsGoOnToTheHelper) {
    Place(11);
    PostMessageW(band_, WMSetHotCorners, 0, 1);
    PostMessageW(band_, WMSetHotSidebar, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return Count(helper_, WMSetHotSidebar) > 0; }));
    EXPECT_EQ(Last(helper_, WMSetHotCorners)->LParam, 1);
    EXPECT_EQ(Last(helper_, WMSetHotSidebar)->LParam, 0);
}

}  // namespace
}  // namespace tessaline
