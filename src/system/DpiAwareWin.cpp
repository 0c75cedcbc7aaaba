#include "system/DpiAware.h"

#include <windows.h>

#include "base/Trace.h"

namespace tessaline {

void SetDPIAware() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExW(&version) != FALSE;
#pragma GCC diagnostic pop
    if (!known || version.dwMajorVersion < 6) {
        return;
    }
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return;
    }
    using DpiFn = BOOL(WINAPI*)();
    auto setAware = reinterpret_cast<DpiFn>(reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
    // Looked up as well, as the older code did; not needed.
    (void)GetProcAddress(user32, "IsProcessDPIAware");
    if (setAware != nullptr) {
        setAware();
        Trace(L"SetProcessDPIAware");
    }
}

}  // namespace tessaline
