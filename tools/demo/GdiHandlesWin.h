#pragma once
// Owners for the GDI objects the demo tools make and select. Windows build only; the thread that made them.

#include <windows.h>

namespace tessaline::demo {

template <typename Handle>
class TScopedGdiObject {
  public:
    explicit TScopedGdiObject(Handle handle) : handle_(handle) {}
    TScopedGdiObject(const TScopedGdiObject&) = delete;
    TScopedGdiObject& operator=(const TScopedGdiObject&) = delete;
    ~TScopedGdiObject() {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
    }
    Handle Get() const { return handle_; }

  private:
    Handle handle_;
};

class TScopedSelectObject {
  public:
    TScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    TScopedSelectObject(const TScopedSelectObject&) = delete;
    TScopedSelectObject& operator=(const TScopedSelectObject&) = delete;
    ~TScopedSelectObject() { SelectObject(dc_, old_); }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

class TScopedMemoryDc {
  public:
    explicit TScopedMemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    TScopedMemoryDc(const TScopedMemoryDc&) = delete;
    TScopedMemoryDc& operator=(const TScopedMemoryDc&) = delete;
    ~TScopedMemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace tessaline::demo
