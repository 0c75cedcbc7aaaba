#include "app/StartupWin.h"

#include "app/AppState.h"
#include "app/ExplorerWatchdogWin.h"
#include "app/HelperProcessesWin.h"
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
    StartHelper(LoadDllLaunch());
    // The taskbar side posts WMStartMenuLoaded to this window once it is in place. Messages are handled while
    // waiting; the wait ends early on any message, so an answer is seen at once. Without an answer the
    // program goes on after a while: the button still docks and the watchdog's restart takes over.
    const DWORD started = GetTickCount();
    while (!v_StartMenuLoaded && !Application.Terminated()) {
        if (GetTickCount() - started >= kStartupWaitLimitMs) {
            Trace(L"WMStartMenuLoaded not received after ", kStartupWaitLimitMs, L" ms; going on");
            break;
        }
        if (!DispatchPendingMessages(kStartupWaitPollMs)) {
            Trace(L"WM_QUIT while waiting for the taskbar side; ending");
            Application.Terminate();
        }
    }
    if (Application.Terminated()) {
        return false;
    }
    HookHotCorners(v_bit64windows);
    return true;
}

void StartMenuCreationEnd() {
    v_ExplorerWatchdog = TExplorerWatchdog{};
    Trace(L"FormCreate SetTimer");
    StartExplorerWatchdog();
}

}  // namespace tessaline
