#pragma once
// A hint shown at once at a given screen point (a tracking tooltip), for controls whose hint must not wait for
// the tooltip delay. GUI thread of its owner window.

#include <windows.h>

#include <string>

namespace tessaline {

class TTrackingHint {
  public:
    TTrackingHint() = default;
    TTrackingHint(const TTrackingHint&) = delete;
    TTrackingHint& operator=(const TTrackingHint&) = delete;
    ~TTrackingHint();

    // Shows `text` with its top-left corner at `screen` (moving it when already shown); an empty text hides it.
    void ActivateHint(HWND owner, const std::wstring& text, POINT screen);
    void Hide();
    bool Visible() const { return shown_; }
    HWND Handle() const { return tooltip_; }

  private:
    HWND tooltip_ = nullptr;
    HWND owner_ = nullptr;
    std::wstring text_;
    bool shown_ = false;
};

}  // namespace tessaline
