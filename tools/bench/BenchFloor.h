#pragma once
// The floor beside which the menu benchmark judges an opening: the least Wine itself needs to show a window like
// the start menu. A bare top-level window of the menu's class styles, size and position holding, as standard
// controls, what a shown menu holds: tree views with the same rows, image lists and selection, the edit with its
// text, the form's labels as static text in their fonts and its pictures as static bitmaps of the same pixels.
// Made once from a shown menu; each showing then only shows, brings to the front, focuses and paints, as the
// menu's showing does, with no catalogue, layout or shell work. GUI thread.

#include <windows.h>

#include <unordered_map>
#include <vector>

namespace tessaline {
class TControl;
}

namespace tessaline::bench {

class TFloorWindow {
  public:
    // `menu` is the shown and painted start-menu window; `form` its control tree (for the windowless labels and
    // pictures, which are drawn by the window itself).
    TFloorWindow(HWND menu, const TControl& form);
    ~TFloorWindow();
    TFloorWindow(const TFloorWindow&) = delete;
    TFloorWindow& operator=(const TFloorWindow&) = delete;

    HWND Handle() const { return window_; }
    // Shown, brought to the front and given the keyboard the way the menu's showing does; the caller paints.
    void Show();
    void Hide();

    // The windows it holds, itself included.
    int Windows() const { return static_cast<int>(clones_.size()); }

  private:
    void CopyChildren(HWND menu);
    void CopyTree(HWND from, HWND to);
    void CopyWindowless(const TControl& control, HWND host, POINT offset, HWND menuHost);
    HBITMAP Cut(HWND menuHost, const RECT& rect) const;

    HWND window_ = nullptr;
    HWND focus_ = nullptr;
    HDC captureDc_ = nullptr;  // the menu's client area as shown
    HBITMAP capture_ = nullptr;
    HGDIOBJ captureOld_ = nullptr;
    HBRUSH captureBrush_ = nullptr;          // the same pixels as a brush: the static texts' background
    std::unordered_map<HWND, HWND> clones_;  // menu window -> floor window
    std::vector<HBITMAP> pictures_;
};

}  // namespace tessaline::bench
