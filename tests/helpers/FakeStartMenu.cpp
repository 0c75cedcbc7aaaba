// A stand-in for the main program's side of the taskbar-side protocol, for check_taskbar_side.sh (console).
//   FakeStartMenu.exe listen LOGFILE          the start-menu window (class and caption as the program's); appends
//                                             "<message> <wParam> <lParam>" for 1224, 1324, 3224 and 3526
//   FakeStartMenu.exe send|post MSG WP LP     to the taskbar's band
//   FakeStartMenu.exe move X Y WIDTH HEIGHT   SetWindowPos on the band, as a relayout of the taskbar does
//   FakeStartMenu.exe band                    prints the band's rectangle in the taskbar: "left top right bottom"
//   FakeStartMenu.exe host                    a bare taskbar with a band at 60, when the demo host is not built
//   FakeStartMenu.exe quit                    closes the listen window, the bare taskbar and the hot-corner helper

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "system/HelperProtocol.h"

namespace {

using namespace tessaline;

constexpr wchar_t kBareTaskbarCaption[] = L"FakeStartMenu bare taskbar";

FILE* g_log = nullptr;

HWND FindBand() {
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExW(nullptr, taskbar, kTaskbarClass, nullptr)) != nullptr) {
        if (HWND band = FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr); band != nullptr) {
            return band;
        }
    }
    return nullptr;
}

LRESULT CALLBACK ListenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WMQuitStartMenu:
        case WMStartMenuLoaded:
        case WMExplorerAlive:
        case WMHotCornerState:
            std::fprintf(g_log, "%u %llu %lld\n", message, static_cast<unsigned long long>(wParam),
                         static_cast<long long>(lParam));
            std::fflush(g_log);
            if (message == WMQuitStartMenu) {
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateWindowOfClass(const wchar_t* className,
                         WNDPROC procedure,
                         const wchar_t* caption,
                         DWORD style,
                         RECT bounds,
                         HWND parent) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, className, caption, style, bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top, parent, nullptr, wc.hInstance, nullptr);
}

int RunLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int Listen(const wchar_t* logFile) {
    g_log = _wfopen(logFile, L"ab");
    if (g_log == nullptr) {
        std::fwprintf(stderr, L"cannot open %ls\n", logFile);
        return 2;
    }
    if (CreateWindowOfClass(kStartMenuFormClass, ListenProc, kStartMenuFormCaption, WS_POPUP, {0, 0, 10, 10},
                            nullptr) == nullptr) {
        return 2;
    }
    return RunLoop();
}

int Host() {
    HWND taskbar = CreateWindowOfClass(kTaskbarClass, HostProc, kBareTaskbarCaption, WS_POPUP | WS_VISIBLE,
                                       {0, 760, 1280, 800}, nullptr);
    if (taskbar == nullptr || CreateWindowOfClass(kTaskbarBandClass, DefWindowProcW, L"", WS_CHILD | WS_VISIBLE,
                                                  {60, 0, 1160, 40}, taskbar) == nullptr) {
        return 2;
    }
    return RunLoop();
}

int Quit() {
    for (HWND window :
         {FindWindowW(kStartMenuFormClass, kStartMenuFormCaption), FindWindowW(kTaskbarClass, kBareTaskbarCaption),
          FindWindowW(kHotCornerHelperClass, kHotCornerHelperCaption)}) {
        if (window != nullptr) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    return 0;
}

long long Number(const wchar_t* text) {
    return std::wcstoll(text, nullptr, 10);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"listen" && argc == 3) {
        return Listen(argv[2]);
    }
    if (mode == L"host") {
        return Host();
    }
    if (mode == L"quit") {
        return Quit();
    }
    HWND band = FindBand();
    if (band == nullptr) {
        std::fwprintf(stderr, L"no taskbar with a band\n");
        return 3;
    }
    if ((mode == L"send" || mode == L"post") && argc == 5) {
        const auto message = static_cast<UINT>(Number(argv[2]));
        const auto wParam = static_cast<WPARAM>(Number(argv[3]));
        const auto lParam = static_cast<LPARAM>(Number(argv[4]));
        if (mode == L"post") {
            return PostMessageW(band, message, wParam, lParam) ? 0 : 4;
        }
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(band, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result) ? 0 : 4;
    }
    if (mode == L"move" && argc == 6) {
        return SetWindowPos(band, nullptr, static_cast<int>(Number(argv[2])), static_cast<int>(Number(argv[3])),
                            static_cast<int>(Number(argv[4])), static_cast<int>(Number(argv[5])),
                            SWP_NOZORDER | SWP_NOACTIVATE)
                   ? 0
                   : 4;
    }
    if (mode == L"band") {
        RECT rect{};
        GetWindowRect(band, &rect);
        MapWindowPoints(HWND_DESKTOP, GetParent(band), reinterpret_cast<POINT*>(&rect), 2);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    std::fwprintf(stderr, L"usage: see the head of FakeStartMenu.cpp\n");
    return 1;
}
