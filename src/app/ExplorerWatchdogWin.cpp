#include "app/ExplorerWatchdogWin.h"

#include "app/AppState.h"
#include "app/HelperProcessesWin.h"
#include "app/StartButtonFormWin.h"
#include "app/TaskbarDockingWin.h"
#include "app/TaskbarSurveyWin.h"
#include "base/Trace.h"
#include "startmenu/StartMenuFormWin.h"

namespace tessaline {

namespace {

UINT_PTR v_WatchdogTimer = 0;

}  // namespace

void StartExplorerWatchdog() {
    StopExplorerWatchdog();
    v_WatchdogTimer = SetTimer(nullptr, 0, kExplorerWatchdogMs, ExplorerWatchdog);
    if (v_WatchdogTimer == 0) {
        Trace(L"ExplorerWatchdog: SetTimer failed: ", GetLastError());
    }
}

void StopExplorerWatchdog() {
    if (v_WatchdogTimer != 0) {
        KillTimer(nullptr, v_WatchdogTimer);
        v_WatchdogTimer = 0;
    }
}

namespace {

void Tick() {
    // A taskbar replaced without a broadcast is seen here. While the button is not docked nobody answers: the
    // heartbeats would only count towards a restart.
    if (!WatchdogLook()) {
        if (v_ExplorerWatchdog.HotCornerCount() >= kHotCornerRearmCount) {
            HookHotCorners(v_bit64windows);
        }
        return;
    }
    HWND band = BandOf(DockingTaskbar());
    const TWatchdogTick tick = v_ExplorerWatchdog.Tick();
    const TWindowMessage heartbeat = ExplorerAliveMessage(tick.HeartbeatCount);
    if (band != nullptr) {
        // A null window would post to our own queue.
        PostMessageW(band, heartbeat.Message, heartbeat.WParam, heartbeat.LParam);
    }
    Trace(L"explorerCount: ", tick.ExplorerCount);
    if (tick.RestoreAndRestart) {
        Trace(L"TimerProc frmStartMenu Handle: ",
              reinterpret_cast<uintptr_t>(frmZelStartMenu != nullptr ? frmZelStartMenu->Handle() : nullptr));
        if (frmStartMenu != nullptr) {
            frmStartMenu->RestoreTaskbar(false);
        }
        WatchdogUndocked();
        StartHelper(RestartLaunch());
    }
    if (tick.HookHotCorners) {
        HookHotCorners(v_bit64windows);
    }
}

}  // namespace

VOID CALLBACK ExplorerWatchdog(HWND, UINT, UINT_PTR, DWORD) {
    try {
        Tick();
    } catch (...) {
        Trace(L"ExplorerWatchdog: a tick failed");
    }
}

}  // namespace tessaline
