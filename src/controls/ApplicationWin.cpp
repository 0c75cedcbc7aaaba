#include "controls/ApplicationWin.h"
#include "base/GuardedCall.h"

#include "base/Trace.h"
#include "controls/UniqueInstance.h"
#include "system/ShellServices.h"

namespace tessaline {

TApplication Application;

namespace {

constexpr wchar_t kApplicationWindowClass[] = L"TessalineApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

bool TApplication::CreateHandle() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kApplicationWindowClass;
    RegisterClassExW(&wc);
    // Never shown: it owns the forms, which keeps them off the taskbar.
    handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kApplicationWindowClass, L"Tessaline", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (handle_ == nullptr) {
        Trace(L"Application: CreateWindowExW failed: ", GetLastError());
    }
    return handle_ != nullptr;
}

bool TApplication::CheckUniqueInstance() {
    instanceName_ = tessaline::InstanceName(ExecutablePath());
    instanceMessage_ = RegisterWindowMessageW(instanceName_.c_str());
    mutex_ = CreateMutexW(nullptr, FALSE, instanceName_.c_str());
    if (mutex_ == nullptr) {
        return false;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        DWORD recipients = BSM_APPLICATIONS;
        BroadcastSystemMessageW(BSF_POSTMESSAGE | BSF_IGNORECURRENTTASK, &recipients, instanceMessage_, 0, 0);
        CloseHandle(mutex_);
        mutex_ = nullptr;
        return false;
    }
    if (handle_ != nullptr) {
        SetLastError(0);
        previousProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TApplication::InstanceWindowProc)));
    }
    return true;
}

void TApplication::ReleaseUniqueInstance() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

LRESULT CALLBACK TApplication::InstanceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TApplication& app = Application;
    if (message == app.instanceMessage_ && app.instanceMessage_ != 0) {
        Guarded(
            L"TApplication", reinterpret_cast<uintptr_t>(hwnd), message,
            [&] {
                if (IsIconic(hwnd)) {
                    ShowWindow(hwnd, SW_RESTORE);
                }
                SetForegroundWindow(hwnd);
                if (app.MainFormHandle != nullptr) {
                    ForceForegroundWindow(app.MainFormHandle);
                }
            },
            [] {});
        return 0;
    }
    return CallWindowProcW(app.previousProc_ != nullptr ? app.previousProc_ : ApplicationWindowProc, hwnd, message,
                           wParam, lParam);
}

void TApplication::Deactivated() {
    if (OnDeactivate) {
        OnDeactivate();
    }
}

void TApplication::Run() {
    MSG msg{};
    while (!terminated_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    terminated_ = true;
}

void TApplication::Terminate() {
    if (!terminated_) {
        terminated_ = true;
        PostQuitMessage(0);
    }
}

}  // namespace tessaline
