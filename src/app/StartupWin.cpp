#include "app/StartupWin.h"

#include "app/AppState.h"
#include "app/ExplorerWatchdogWin.h"
#include "app/HelperProcessesWin.h"
#include "app/TaskbarDockingWin.h"
#include "base/Trace.h"
#include "controls/ApplicationWin.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/HookKeyboard.h"

namespace tessaline {

bool DetectBit64Windows() {
#ifdef _WIN64
    return true;
#else
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto isWow64 =
        kernel != nullptr
            ? reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
            : nullptr;
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
#endif
}

bool DispatchPendingMessages(DWORD ms) {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ms > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
    }
    return true;
}

bool StartMenuCreationBegin(TZelStartMenuFrm& form) {
    Trace(L"FormCreate Begin");
    v_ToggleInProgress = false;
    Trace(L"FormCreate v_bit64windows");
    v_bit64windows = DetectBit64Windows();
    // The Start button window does not exist yet; it becomes the hook's target when it is made.
    InstallKeyboardHook(nullptr);
    Application.OnDeactivate = [&form] { form.HideStartMenu(); };
    v_StartMenuLoaded = false;
    Trace(L"FormCreate AttchDll");
    // The taskbar side finds this window by class and caption and posts WMStartMenuLoaded to it once it is in
    // place; the window's own set-up runs meanwhile. Without a taskbar to dock into yet, nothing is started and the
    // program docks later, from its message loop.
    BeginDocking();
    return !Application.Terminated();
}

bool StartMenuCreationEnd() {
    // Handles messages while waiting and wakes on the answer. Without one the tries run out and the button docks
    // anyway: the watchdog's restart takes over.
    if (!WaitForTaskbarSide()) {
        return false;
    }
    v_ExplorerWatchdog = TExplorerWatchdog{};
    Trace(L"FormCreate SetTimer");
    StartExplorerWatchdog();
    return true;
}

}  // namespace tessaline
