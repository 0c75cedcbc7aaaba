#pragma once
// Subclassing a window of the taskbar's process with the procedure found before ours kept on the window itself
// (a window property), so whichever copy of the DLL subclassed the window, its procedure finds the right one to
// call, and a second placement does not chain twice. Taskbar thread only (a window is subclassed on the thread
// that owns it).

#include <windows.h>

#include <cstdint>

namespace tessaline {

inline HANDLE AsProperty(uintptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

// The procedure before ours, or the default one when the property is gone.
inline LRESULT CallOriginal(HWND window, const wchar_t* property, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropW(window, property)));
    return original != nullptr ? CallWindowProcW(original, window, message, wParam, lParam)
                               : DefWindowProcW(window, message, wParam, lParam);
}

// True when `procedure` now runs first, whether set here or before.
inline bool SubclassOnce(HWND window, const wchar_t* property, WNDPROC procedure) {
    if (GetPropW(window, property) != nullptr) {
        return true;
    }
    const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);
    if (original == 0 || !SetPropW(window, property, AsProperty(static_cast<uintptr_t>(original)))) {
        return false;
    }
    SetLastError(0);
    if (SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)) == 0 && GetLastError() != 0) {
        RemovePropW(window, property);
        return false;
    }
    return true;
}

}  // namespace tessaline
