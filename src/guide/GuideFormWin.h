#pragma once
// The guide window, TfrmGuide: a borderless 807 x 442 window centred on the screen whose every pixel comes from
// one 32-bit bitmap handed over with UpdateLayeredWindow, so the artwork's alpha is its shape. The model decides
// what shows; this class draws it with GDI+ and turns keys and the mouse into model events. UI thread only.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "controls/Picture.h"
#include "guide/GuideModel.h"

namespace Gdiplus {
class FontFamily;
}

namespace tessaline {

class TfrmGuide {
  public:
    TfrmGuide();
    TfrmGuide(const TfrmGuide&) = delete;
    TfrmGuide& operator=(const TfrmGuide&) = delete;
    ~TfrmGuide();

    // FormCreate: the window (not yet shown) with `caption` on its taskbar button; false when it cannot be made.
    bool Create(const std::wstring& caption);
    // FormShow: shows the window and draws it.
    void Show();
    HWND Handle() const { return handle_; }

    // Draws the model's list onto a bitmap of the window's size and hands it to the window.
    void RenderGuide();

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void Answer(const TGuideAnswer& answer);
    const TPicture& Picture(const std::wstring& resource);

    HWND handle_ = nullptr;
    LONG_PTR createdExStyle_ = 0;
    BLENDFUNCTION blend_{};
    bool trackingLeave_ = false;
    TGuideModel model_;
    std::map<std::wstring, TPicture> pictures_;
    std::unique_ptr<Gdiplus::FontFamily> textFamily_;  // chosen once, at the first render
};

}  // namespace tessaline
