#pragma once
// The one reference a demo tool holds on a COM object. Windows build only; the apartment that made it.

#include <windows.h>

#include <objbase.h>

namespace tessaline::demo {

template <typename Interface>
class TComPtr {
  public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    Interface* operator->() const { return object_; }
    Interface* Get() const { return object_; }
    // For the out-parameter of CoCreateInstance and QueryInterface; only on an empty holder.
    void** Out() { return reinterpret_cast<void**>(&object_); }

  private:
    Interface* object_ = nullptr;
};

// CoInitializeEx for the tool's main thread, balanced when it succeeded.
class TComApartment {
  public:
    TComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    ~TComApartment() {
        if (ok_) {
            CoUninitialize();
        }
    }
    bool Ok() const { return ok_; }

  private:
    bool ok_;
};

}  // namespace tessaline::demo
