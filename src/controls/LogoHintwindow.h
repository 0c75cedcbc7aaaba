#pragma once
// The borderless picture window that floats over the top edge of the start menu: a layered window whose
// pixels are a PNG's pixels with their alpha, showing either a plain picture or the user frame with the
// account picture inside it. In the user-frame mode a click target over the picture (hand cursor) runs the
// click handler. Created once by its owner and kept; hiding is the owner's business. UI thread only.

#include <windows.h>

#include <functional>
#include <string>

#include "controls/FormWin.h"

namespace tessaline {

class TLogoHintWindow : public TForm {
  public:
    // ownerForm: the start-menu form when it has a window (it becomes the owner), else ownerWindow.
    TLogoHintWindow(TComponent* ownerForm, HWND ownerWindow);

    void SetClickHandler(TNotifyEvent handler);
    // A picture file at screen position (x, y), without the click target.
    bool ShowImage(const std::wstring& fileName, int x, int y);
    // The frame picture with the account picture in (13, 12, 46 x 46), click target visible.
    bool ShowUserFrame(const std::wstring& frameFileName, int x, int y);

    TControl& ClickImage() { return *clickImage_; }

  private:
    bool UpdatePicture(const std::wstring& fileName, int x, int y, bool userFrame);

    TControl* clickImage_;
};

// The picture file drawn at its natural size (premultiplied, alpha kept), with the account picture scaled into
// (13, 12, 46 x 46) in the user-frame mode. Empty when the file cannot be loaded.
TPicture ComposeLogoPicture(const std::wstring& fileName, bool userFrame);

// True when a file name chooses the user-frame mode ("userframe.png", letters in any case).
bool IsUserFrameFile(const std::wstring& fileName);

}  // namespace tessaline
