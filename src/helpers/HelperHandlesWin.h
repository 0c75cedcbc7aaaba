#pragma once
// Owners for the few kernel and registry handles the helpers hold. Any thread.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tessaline {

struct THandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// Holds a handle from the calls that report failure as nullptr (not INVALID_HANDLE_VALUE).
using TUniqueHandle = std::unique_ptr<void, THandleCloser>;

struct TChangeNotificationCloser {
    void operator()(HANDLE handle) const { FindCloseChangeNotification(handle); }
};
using TUniqueChangeNotification = std::unique_ptr<void, TChangeNotificationCloser>;

struct TKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using TUniqueHkey = std::unique_ptr<std::remove_pointer_t<HKEY>, TKeyCloser>;

struct TLibraryFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using TUniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, TLibraryFreer>;

}  // namespace tessaline
