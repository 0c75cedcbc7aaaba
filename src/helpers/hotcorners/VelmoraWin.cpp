// Velmora: the hot-corner helper. A hidden window the main program finds by class and caption; it keeps the
// per-user registry values for the hot corners, the charms hint, booting to the desktop and starting at log-on
// in line with Main.ini, which it only ever reads.

#include <windows.h>

#include <optional>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "helpers/hotcorners/HotCornerPolicy.h"
#include "helpers/hotcorners/HotCornerRegistryWin.h"
#include "settings/UserDataDir.h"
#include "system/HelperProtocol.h"

namespace tessaline {
namespace {

// Until the data folder exists (the program has never written Main.ini) there is nothing to watch.
constexpr DWORD kWatchRetryMs = 5000;
constexpr wchar_t kInstanceMutexName[] = L"Quorvan_Tessaline_Velmora_Instance";

// Velmora's thread only: the window procedure and the message loop share it.
class TVelmora {
  public:
    // Main.ini again, then a message's own value for its one key: the program may post before it writes.
    void Apply(const std::optional<bool>& hotCorners = {}, const std::optional<bool>& hotSidebar = {}) {
        THelperSettings settings = ReadHelperSettings(GetMainIniFileName());
        settings.HotCorners = hotCorners.value_or(settings.HotCorners);
        settings.HotSidebar = hotSidebar.value_or(settings.HotSidebar);
        const TRegistryApplyResult result = ApplyUserValues(DesiredRegistryValues(settings, GetProgramDirectory()));
        Trace(L"Velmora: applied, changed ", result.Changed, L", failed ", result.Failed);
        // A small count: 10 or more would make the program re-arm us every second.
        if (HWND menu = FindWindowW(kStartMenuFormClass, kStartMenuFormCaption); menu != nullptr) {
            PostMessageW(menu, WMHotCornerState, 0, 0);
        }
    }

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WMHookHotCorners:
                Apply();
                return 0;
            case WMSetHotCorners:
                Apply(lParam != 0, std::nullopt);
                return 0;
            case WMSetHotSidebar:
                Apply(std::nullopt, lParam != 0);
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                return DefWindowProcW(window, message, wParam, lParam);
        }
    }
};

LRESULT CALLBACK VelmoraProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* velmora = reinterpret_cast<TVelmora*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (velmora == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return velmora->Handle(window, message, wParam, lParam);
    } catch (...) {
        Trace(L"Velmora: message failed: ", message);
        return 0;
    }
}

TUniqueChangeNotification WatchDataFolder() {
    const std::wstring folder = ExcludeTrailingDelimiter(GetUserDataDir());
    HANDLE watch = FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                                FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME);
    if (watch == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return TUniqueChangeNotification(watch);
}

int Run(HINSTANCE instance) {
    // One helper at a time, whichever of the two bitnesses was started.
    const TUniqueHandle mutex(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;
    }

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = VelmoraProc;
    wc.hInstance = instance;
    wc.lpszClassName = kHotCornerHelperClass;
    if (RegisterClassExW(&wc) == 0) {
        Trace(L"Velmora: RegisterClassExW failed: ", GetLastError());
        return 1;
    }
    TVelmora velmora;
    // Top-level, never shown: a message-only window would be invisible to FindWindowW.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kHotCornerHelperClass, kHotCornerHelperCaption, WS_POPUP, 0, 0, 0,
                                  0, nullptr, nullptr, instance, &velmora);
    if (window == nullptr) {
        Trace(L"Velmora: CreateWindowExW failed: ", GetLastError());
        return 1;
    }

    velmora.Apply();
    TUniqueChangeNotification watch = WatchDataFolder();
    for (;;) {
        HANDLE handles[1] = {watch.get()};
        const DWORD count = watch ? 1 : 0;
        const DWORD waited =
            MsgWaitForMultipleObjects(count, handles, FALSE, watch ? INFINITE : kWatchRetryMs, QS_ALLINPUT);
        if (count == 1 && waited == WAIT_OBJECT_0) {
            velmora.Apply();
            if (!FindNextChangeNotification(watch.get())) {
                watch.reset();
            }
        } else if (waited == WAIT_TIMEOUT) {
            if ((watch = WatchDataFolder())) {
                velmora.Apply();  // the file may have come with its folder
            }
        } else if (waited == WAIT_FAILED) {
            Trace(L"Velmora: MsgWaitForMultipleObjects failed: ", GetLastError());
            watch.reset();
            Sleep(kWatchRetryMs);
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                return static_cast<int>(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

}  // namespace
}  // namespace tessaline

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    if (!tessaline::IsHelperParameter(commandLine != nullptr ? commandLine : L"", tessaline::kHotCornersParameter)) {
        return 1;
    }
    try {
        return tessaline::Run(instance);
    } catch (...) {
        tessaline::Trace(L"Velmora: ended by an exception");
        return 1;
    }
}
