#include "system/MessageFilter.h"

#include "base/Trace.h"

namespace tessaline {

bool AllowMessagesFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages) {
    // Windows 7 and later; looked up so that the program still starts where it is missing.
    using TFilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 != nullptr ? reinterpret_cast<TFilterFn>(
                                       reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")))
                                 : nullptr;
    }();
    if (filter == nullptr || window == nullptr) {
        return filter == nullptr;
    }
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    bool allowed = true;
    for (UINT message : messages) {
        if (message != 0 && !filter(window, message, kAllow, nullptr)) {
            Trace(L"ChangeWindowMessageFilterEx failed for ", message, L": ", GetLastError());
            allowed = false;
        }
    }
    return allowed;
}

}  // namespace tessaline
