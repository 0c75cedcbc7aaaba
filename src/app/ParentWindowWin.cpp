// Docking the Start button into the taskbar and giving the taskbar its room back.

#include "app/StartButtonFormWin.h"

#include "app/ForeignWindowWin.h"
#include "app/HelperProcessesWin.h"
#include "base/Trace.h"
#include "controls/ApplicationWin.h"
#include "controls/TimerWin.h"
#include "settings/MainSettings.h"
#include "system/HelperProtocol.h"
#include "system/HookKeyboard.h"
#include "system/StartButtonGeometry.h"

namespace tessaline {

namespace {

TRect WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return TRect{rect.left, rect.top, rect.right, rect.bottom};
}

// The monitor the taskbar lies on: the taskbar's edge is told from where it starts on it.
TRect ScreenOf(HWND taskbar) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (taskbar != nullptr && GetMonitorInfoW(MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY), &info)) {
        return TRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    }
    return TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The band is Explorer's: every call into it is bounded (ForeignWindowWin.h).
void SendToBand(HWND band, const TWindowMessage& message) {
    if (band != nullptr) {
        SendToForeignWindow(band, message.Message, message.WParam, message.LParam);
    }
}

}  // namespace

void TfrmStartMenu::RedrawButtonArea() {
    // The taskbar docked into; before docking, the one Windows names first.
    HWND taskbar = taskbar_ != nullptr && IsWindow(taskbar_) ? taskbar_ : FindWindowW(kTaskbarClass, nullptr);
    HWND band = FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr);
    if (taskbar == nullptr) {
        return;
    }
    const TRect taskbarRect = WindowRectOf(taskbar);
    const TRect area = ButtonArea(TaskbarEdge(taskbarRect, ScreenOf(taskbar)), taskbarRect,
                                  band != nullptr ? WindowRectOf(band) : taskbarRect);
    Trace(L"Right: ", area.Width(), L"----Bottom: ", area.Height());
    const RECT redraw{area.Left, area.Top, area.Right, area.Bottom};
    // The taskbar paints when it next reads its messages: waiting for it would hang with a hung Explorer.
    RedrawForeignWindow(taskbar, &redraw,
                        RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Our own window is painted by this thread; the taskbar's repaint only reaches it through the queue.
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmStartMenu::Create_ParentWindow(HWND taskbar) {
    taskbar_ = taskbar;
    taskbarRect_ = WindowRectOf(taskbar_);
    band_ = FindWindowExW(taskbar_, nullptr, kTaskbarBandClass, nullptr);
    bandRect_ = WindowRectOf(band_);
    ::SetParent(Handle(), taskbar_);
    Trace(L"Create_ParentWindow");
    const TTaskbarEdge edge = TaskbarEdge(taskbarRect_, ScreenOf(taskbar_));
    const TDocking docking = DockStartButton(edge, taskbarRect_, bandRect_);
    bandOffset_ = docking.BandOffset;
    dockedBandOffset_ = docking.BandOffset;
    MoveForeignWindow(band_, docking.Band.Left, docking.Band.Top, docking.Band.Width(), docking.Band.Height(),
                      SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Handle(), nullptr, docking.Button.Left, docking.Button.Top, docking.Button.Width(),
                 docking.Button.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    SetVisible(true);
    BringWindowToTop(Handle());
    Timer1->SetEnabled(true);
    SendToBand(band_, TaskbarAttachMessage(true));
    // Written once the button shows: saving Main.ini is the slowest step here, and nothing waits for it.
    WriteHeightWidth(bandOffset_);
}

void TfrmStartMenu::GiveBandItsRoomBack() {
    SendToBand(band_, TaskbarAttachMessage(false));
    if (band_ != nullptr && IsWindow(band_)) {
        bandRect_ = WindowRectOf(band_);
    }
    if (taskbar_ != nullptr && IsWindow(taskbar_)) {
        taskbarRect_ = WindowRectOf(taskbar_);
    }
}

void TfrmStartMenu::MoveBandBack() {
    // A taskbar with a Start button of its own (Windows 8.1 and 10) shows it again once we leave: the band goes
    // back where it was next to that button, not over it.
    const bool ownStartButton = taskbar_ != nullptr && FindWindowExW(taskbar_, nullptr, kOwnStartButtonClass, nullptr);
    bandOffset_ = ownStartButton && dockedBandOffset_ > 0 ? dockedBandOffset_ : kUndockedBandOffset;
    const TTaskbarEdge edge = TaskbarEdge(taskbarRect_, ScreenOf(taskbar_));
    const TRect band = UndockedBand(edge, taskbarRect_, bandRect_, bandOffset_);
    Trace(L"ALeft: ", band.Left, L",Top:", band.Top, L",ARight:", band.Width(), L",ABottom:", band.Height());
    if (band_ != nullptr) {
        MoveForeignWindow(
            band_, band.Left, band.Top, band.Width(), band.Height(),
            SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
        RECT own{};
        GetWindowRect(band_, &own);
        RedrawForeignWindow(band_, &own,
                            RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                RDW_ERASENOW | RDW_FRAME);
    }
}

void TfrmStartMenu::RestoreTaskbar(bool terminate) {
    GiveBandItsRoomBack();
    RemoveKeyboardHook();
    EndHelperProcesses();
    MoveBandBack();
    if (terminate) {
        ReleaseWindowsKeys();
        Application.Terminate();
    }
}

void TfrmStartMenu::LeaveTaskbar() {
    if (band_ == nullptr || !IsWindow(band_)) {
        return;  // gone with its taskbar
    }
    Trace(L"LeaveTaskbar");
    GiveBandItsRoomBack();
    MoveBandBack();
}

}  // namespace tessaline
