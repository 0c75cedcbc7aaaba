// The look at the taskbars, against real windows of this process: which taskbar the button goes into and whether
// its band can take it (shown, of some size), and whether our button still sits in it.
#include "app/TaskbarSurveyWin.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

// Taskbars made once for all the tests: under Wine destroying a shown top-level window waits for the X server.
class TaskbarSurvey : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (const wchar_t* name : {kTaskbarClass, kTaskbarBandClass, kStartButtonFormClass}) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = name;
            RegisterClassExW(&wc);
        }
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        for (HWND* taskbar : {&first_, &second_}) {
            *taskbar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTaskbarClass, L"", WS_POPUP, 0, 760, 1280,
                                       40, nullptr, nullptr, instance, nullptr);
        }
        band_ =
            CreateWindowExW(0, kTaskbarBandClass, L"", WS_CHILD, 60, 0, 1100, 40, second_, nullptr, instance, nullptr);
        button_ = CreateWindowExW(WS_EX_TOOLWINDOW, kStartButtonFormClass, L"", WS_POPUP, 0, 0, 54, 54, nullptr,
                                  nullptr, instance, nullptr);
    }
    static void TearDownTestSuite() {
        for (HWND window : {button_, first_, second_}) {
            DestroyWindow(window);
        }
        for (const wchar_t* name : {kTaskbarClass, kTaskbarBandClass, kStartButtonFormClass}) {
            UnregisterClassW(name, GetModuleHandleW(nullptr));
        }
    }
    void SetUp() override {
        ASSERT_TRUE(first_ && second_ && band_ && button_);
        ShowWindow(first_, SW_HIDE);
        ShowWindow(second_, SW_HIDE);
        SetWindowPos(band_, nullptr, 60, 0, 1100, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        SetParent(button_, nullptr);
    }
    static uint64_t Id(HWND window) { return reinterpret_cast<uintptr_t>(window); }

    // The first taskbar has no band; the second has one, hidden until a test shows it.
    static inline HWND first_ = nullptr;
    static inline HWND second_ = nullptr;
    static inline HWND band_ = nullptr;
    static inline HWND button_ = nullptr;
};

TEST_F(TaskbarSurvey, HiddenTaskbarsAreNoTaskbar) {
    // Wine's own desktop keeps one, hidden and of no size: never one to dock into.
    EXPECT_EQ(SurveyTaskbars(button_).Taskbar, 0u);
}

TEST_F(TaskbarSurvey, ABandMustBeShownAndHaveASize) {
    ShowWindow(second_, SW_SHOWNOACTIVATE);
    TTaskbarSurvey seen = SurveyTaskbars(button_);
    EXPECT_EQ(seen.Taskbar, Id(second_));
    EXPECT_FALSE(seen.DockableBand) << "a hidden band";

    SetWindowPos(band_, nullptr, 60, 0, 0, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    EXPECT_FALSE(SurveyTaskbars(button_).DockableBand) << "a band of no width";

    SetWindowPos(band_, nullptr, 60, 0, 1100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    seen = SurveyTaskbars(button_);
    EXPECT_EQ(seen.Taskbar, Id(second_));
    EXPECT_TRUE(seen.DockableBand);
}

TEST_F(TaskbarSurvey, ATaskbarWithADockableBandComesBeforeOneWithout) {
    ShowWindow(first_, SW_SHOWNOACTIVATE);
    ShowWindow(second_, SW_SHOWNOACTIVATE);
    TTaskbarSurvey seen = SurveyTaskbars(button_);
    EXPECT_FALSE(seen.DockableBand);
    EXPECT_NE(seen.Taskbar, 0u);

    ShowWindow(band_, SW_SHOWNOACTIVATE);
    seen = SurveyTaskbars(button_);
    EXPECT_EQ(seen.Taskbar, Id(second_));
    EXPECT_TRUE(seen.DockableBand);
}

TEST_F(TaskbarSurvey, OfTwoDockableTaskbarsTheOneDockedIntoIsKept) {
    HWND firstBand = CreateWindowExW(0, kTaskbarBandClass, L"", WS_CHILD | WS_VISIBLE, 60, 0, 1100, 40, first_, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(firstBand, nullptr);
    ShowWindow(first_, SW_SHOWNOACTIVATE);
    ShowWindow(second_, SW_SHOWNOACTIVATE);
    ShowWindow(band_, SW_SHOWNOACTIVATE);
    for (HWND current : {first_, second_}) {
        const TTaskbarSurvey seen = SurveyTaskbars(button_, current);
        EXPECT_EQ(seen.Taskbar, Id(current));
        EXPECT_TRUE(seen.DockableBand);
    }
    // One that cannot take the button any more is not kept.
    ShowWindow(band_, SW_HIDE);
    EXPECT_EQ(SurveyTaskbars(button_, second_).Taskbar, Id(first_));
    DestroyWindow(firstBand);
}

TEST_F(TaskbarSurvey, TheButtonIsInsideOnlyWhileItIsAChildOfThatTaskbar) {
    ShowWindow(second_, SW_SHOWNOACTIVATE);
    ShowWindow(band_, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(SurveyTaskbars(button_).ButtonInside);
    // Docked as the program does it: the popup keeps its style, only its parent changes.
    SetParent(button_, second_);
    EXPECT_TRUE(SurveyTaskbars(button_).ButtonInside);
    SetParent(button_, first_);
    EXPECT_FALSE(SurveyTaskbars(button_).ButtonInside);
    EXPECT_FALSE(SurveyTaskbars(nullptr).ButtonInside);
}

}  // namespace
}  // namespace tessaline
