#pragma once
// Owners for what the program gets from Windows and must give back: kernel, registry and module handles, GDI
// objects and device contexts, COM interfaces and COM task memory. Windows build only; each on the thread that
// made it, as the handle's own rules say.

#include <windows.h>

#include <objbase.h>

#include <memory>
#include <type_traits>
#include <utility>

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

struct TGdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A pen, brush, font, bitmap or region the caller made (not one it selected out of a device context).
template <typename Handle>
using TUniqueGdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, TGdiObjectDeleter>;

struct TDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A device context from CreateCompatibleDC or CreateDC.
using TUniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, TDcDeleter>;

// A window's device context from GetDC, released to that window.
class TWindowDc {
  public:
    explicit TWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;
    ~TWindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for a scope; the one it replaced goes back.
class TScopedSelection {
  public:
    TScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    TScopedSelection(const TScopedSelection&) = delete;
    TScopedSelection& operator=(const TScopedSelection&) = delete;
    ~TScopedSelection() {
        if (old_ != nullptr && old_ != HGDI_ERROR) {
            SelectObject(dc_, old_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer: released once, when the holder goes.
template <typename Interface>
class TComPtr {
  public:
    TComPtr() = default;
    explicit TComPtr(Interface* adopted) : pointer_(adopted) {}
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    TComPtr(TComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~TComPtr() { Reset(); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For the calls that hand out an interface through an out-parameter; what was held is released first.
    Interface** Put() {
        Reset();
        return &pointer_;
    }
    void Reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }

  private:
    Interface* pointer_ = nullptr;
};

struct TCoTaskMemFreer {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
// Memory the shell or COM hands out with CoTaskMemAlloc (item identifier lists, strings).
template <typename T>
using TUniqueCoTaskMem = std::unique_ptr<T, TCoTaskMemFreer>;

}  // namespace tessaline
