#include "controls/TimerWin.h"
#include "base/GuardedCall.h"

#include <windows.h>

#include <map>

#include "base/Trace.h"

namespace tessaline {
namespace {

std::map<uintptr_t, TTimer*>& Timers() {
    static std::map<uintptr_t, TTimer*> timers;
    return timers;
}

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        // A timer's handler is the program's own code run from Windows' message dispatch.
        Guarded(
            L"TTimer", reinterpret_cast<uintptr_t>(hwnd), message,
            [&] { TTimer::Fire(static_cast<uintptr_t>(wParam)); }, [] {});
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND TimerWindow() {
    static HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TimerWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TessalineTimerWindow";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return window;
}

uintptr_t NextId() {
    static uintptr_t next = 0;
    return ++next;
}

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    if (owner != nullptr && owner->Loading()) {
        BeginLoading();
    }
    Update();
}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds != interval_) {
        interval_ = milliseconds;
        Update();
    }
}

void TTimer::Stop() {
    if (id_ != 0) {
        KillTimer(TimerWindow(), id_);
        Timers().erase(id_);
        id_ = 0;
    }
}

void TTimer::Update() {
    Stop();
    if (!enabled_ || interval_ == 0 || Loading()) {
        return;
    }
    id_ = NextId();
    if (SetTimer(TimerWindow(), id_, interval_, nullptr) == 0) {
        Trace(L"TTimer: SetTimer failed: ", Name(), L" ", static_cast<int64_t>(GetLastError()));
        id_ = 0;
        return;
    }
    Timers()[id_] = this;
}

void TTimer::Fire(uintptr_t id) {
    const auto it = Timers().find(id);
    if (it == Timers().end()) {
        return;
    }
    TTimer& timer = *it->second;
    if (timer.OnTimer) {
        timer.OnTimer(timer);
    }
}

}  // namespace tessaline
