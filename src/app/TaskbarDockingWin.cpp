#include "app/TaskbarDockingWin.h"

#include "app/AppState.h"
#include "app/ExplorerWatchdogWin.h"
#include "app/HelperProcessesWin.h"
#include "app/StartButtonFormWin.h"
#include "app/StartupWin.h"
#include "app/TaskbarSurveyWin.h"
#include "base/Trace.h"
#include "controls/ApplicationWin.h"
#include "settings/PLanguage.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/HookKeyboard.h"

namespace tessaline {

TTaskbarDocking v_TaskbarDocking;

namespace {

constexpr wchar_t kNoBandMessageKey[] = L"Msg_NoTaskbarBand";
constexpr wchar_t kNoBandMessage[] =
    L"Tessaline found no place for its Start button in this taskbar and will close now. Tessaline works with the "
    L"taskbar of Windows 8, 8.1 and 10; the taskbar of Windows 11 and those of other shells have no such place. If "
    L"this is Windows 8, 8.1 or 10, restart Explorer (or sign out and in again), then start Tessaline again.";

UINT_PTR g_surveyTimer = 0;
// A dock decided before the Start button window exists (during start-up) waits for it.
bool g_dockPending = false;
bool g_buttonReady = false;
bool g_stopped = false;
// The watchdog's undocking ended the hot-corner helper: the next dock arms it again.
bool g_helpersEnded = false;
// Set before the program's body runs (a test build's seam), read when it begins to dock.
uint32_t g_noDockableBandMs = kNoDockableBandMs;

const wchar_t* StateName(TDockingState state) {
    switch (state) {
        case TDockingState::WaitingForTaskbar:
            return L"waiting for a taskbar";
        case TDockingState::WaitingForBand:
            return L"waiting for the taskbar's band";
        case TDockingState::Placing:
            return L"placing the taskbar side";
        case TDockingState::Docked:
            return L"docked";
        case TDockingState::UndockedByWatchdog:
            return L"undocked by the watchdog";
        case TDockingState::GivenUp:
            return L"no band to dock into";
    }
    return L"";
}

HWND ButtonWindow() {
    return frmStartMenu != nullptr ? frmStartMenu->Handle() : nullptr;
}

void Apply(const TDockingStep& step, TDockingState before);

VOID CALLBACK SurveyTimer(HWND, UINT, UINT_PTR, DWORD);

void Look() {
    if (g_stopped) {
        return;
    }
    const TDockingState before = v_TaskbarDocking.State();
    Apply(v_TaskbarDocking.Survey(GetTickCount(), SurveyTaskbars(ButtonWindow(), DockingTaskbar())), before);
}

// While the way in is not at its end the program looks often: a late taskbar docks within a second of its
// band appearing. Docked, the watchdog's ticks look instead.
void KeepLooking() {
    const bool looking = v_TaskbarDocking.Looking() && !g_stopped && !Application.Terminated();
    if (looking && g_surveyTimer == 0) {
        g_surveyTimer = SetTimer(nullptr, 0, kTaskbarSurveyMs, SurveyTimer);
        if (g_surveyTimer == 0) {
            Trace(L"TaskbarDocking: SetTimer failed: ", GetLastError());
        }
    } else if (!looking && g_surveyTimer != 0) {
        KillTimer(nullptr, g_surveyTimer);
        g_surveyTimer = 0;
    }
}

VOID CALLBACK SurveyTimer(HWND, UINT, UINT_PTR, DWORD) {
    try {
        Look();
    } catch (...) {
        Trace(L"TaskbarDocking: a look at the taskbars failed");
    }
}

void Dock() {
    if (!g_buttonReady || frmStartMenu == nullptr) {
        g_dockPending = true;
        return;
    }
    g_dockPending = false;
    if (!frmStartMenu->EnsureWindow()) {
        Trace(L"TaskbarDocking: the Start button window cannot be made");
        return;
    }
    // The watchdog's undocking took the hook away; a new taskbar brings it back.
    if (KeyboardHookHandle == nullptr) {
        InstallKeyboardHook(frmStartMenu->Handle());
    }
    frmStartMenu->Create_ParentWindow(DockingTaskbar());
    // Painted before anything else is done: at start-up the rest of the set-up follows at once.
    UpdateWindow(frmStartMenu->Handle());
    // Heartbeats count from the new taskbar side on.
    v_ExplorerWatchdog.OnExplorerAlive(0);
    // Start-up armed it after its wait; Explorer's restart leaves it running.
    if (g_helpersEnded) {
        g_helpersEnded = false;
        HookHotCorners(v_bit64windows);
    }
}

void ReportNoBand() {
    Trace(L"TaskbarDocking: no band to dock into for ", g_noDockableBandMs, L" ms; ending");
    g_stopped = true;
    KeepLooking();
    StopExplorerWatchdog();
    RemoveKeyboardHook();
    EndHelperProcesses();
    const std::wstring text =
        GlobalLanguage ? GlobalLanguage->GetMessage(kNoBandMessageKey, kNoBandMessage) : std::wstring(kNoBandMessage);
    MessageBoxW(nullptr, text.c_str(), kAppName, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
    Application.Terminate();
}

void Apply(const TDockingStep& step, TDockingState before) {
    if (v_TaskbarDocking.State() != before) {
        Trace(L"TaskbarDocking: ", StateName(v_TaskbarDocking.State()), L" ",
              static_cast<uintptr_t>(v_TaskbarDocking.Taskbar()));
    }
    // The taskbar side first: it works in processes of its own while the menu closes here.
    if (step.StartTaskbarSide) {
        Trace(L"TaskbarDocking: taskbar side for ", static_cast<uintptr_t>(v_TaskbarDocking.Taskbar()), L", try ",
              v_TaskbarDocking.Attempt());
        StartHelper(LoadDllLaunch());
    }
    if (step.CloseMenu && v_Show_StartMenu && frmStartMenu != nullptr) {
        frmStartMenu->ToggleStartMenu();
    }
    if (step.LeaveTaskbar && frmStartMenu != nullptr) {
        frmStartMenu->LeaveTaskbar();
    }
    if (step.Dock) {
        Dock();
    }
    if (step.ReportNoBand) {
        ReportNoBand();
    }
    KeepLooking();
}

}  // namespace

HWND DockingTaskbar() {
    return TaskbarWindow(v_TaskbarDocking.Taskbar());
}

void BeginDocking() {
    g_stopped = false;
    v_TaskbarDocking.SetNoBandBound(g_noDockableBandMs);
    Look();
}

void SetNoDockableBandBoundForTest(uint32_t ms) {
    g_noDockableBandMs = ms;
}

bool WaitForTaskbarSide() {
    while (v_TaskbarDocking.State() == TDockingState::Placing && !Application.Terminated()) {
        if (!DispatchPendingMessages(0)) {
            Trace(L"WM_QUIT while waiting for the taskbar side; ending");
            Application.Terminate();
            break;
        }
        if (v_TaskbarDocking.State() != TDockingState::Placing || Application.Terminated()) {
            break;  // the answer came with the messages just handled
        }
        // Wakes for the next message at once; the look on waking moves the tries on.
        MsgWaitForMultipleObjectsEx(0, nullptr, kStartupWaitPollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        Look();
    }
    return !Application.Terminated();
}

void StartButtonReady() {
    g_buttonReady = true;
    if (g_dockPending) {
        Dock();
    }
    KeepLooking();
}

void TaskbarCreated() {
    Trace(L"TaskbarCreated");
    Look();
}

void TaskbarSideLoaded(LPARAM lParam) {
    if (g_stopped) {
        return;
    }
    const TDockingState before = v_TaskbarDocking.State();
    Apply(v_TaskbarDocking.TaskbarSideLoaded(static_cast<uint32_t>(static_cast<uintptr_t>(lParam))), before);
}

bool WatchdogLook() {
    Look();
    return v_TaskbarDocking.Watched();
}

void WatchdogUndocked() {
    v_TaskbarDocking.WatchdogUndocked();
    g_helpersEnded = true;
}

void StopDocking() {
    g_stopped = true;
    KeepLooking();
}

}  // namespace tessaline
