#pragma once
// The first-run guide as data: its components (pictures, texts, buttons) at their places, which page shows, which
// picture each button shows, what a key or the mouse does to that, and the list of what a render draws, in order.
// The window (GuideFormWin) only turns that list into pixels and the answers into window calls. Pure.

#include <string>
#include <vector>

#include "base/Geometry.h"

namespace tessaline {

inline constexpr int kGuideWidth = 807;
inline constexpr int kGuideHeight = 442;

// The components the mouse can meet; Picture stands for any of the pictures that drag the window.
enum class TGuidePart { None, Picture, Text, Back, Next, Close, Dot1, Dot2 };

// What is drawn: a picture embedded by resource name at its own size, or a text wrapped in its rectangle.
struct TGuideDraw {
    bool IsText = false;
    std::wstring Resource;  // pictures
    std::wstring Text;      // texts
    TRect Bounds;

    bool operator==(const TGuideDraw&) const = default;
};

// What an event asks of the window.
struct TGuideAnswer {
    bool Render = false;  // draw again (RenderGuide)
    bool Drag = false;    // let go of the mouse and move the window with it
    bool Close = false;   // end the program

    bool operator==(const TGuideAnswer&) const = default;
};

class TGuideModel {
  public:
    int CurrentPage() const { return currentPage_; }
    // The picture index each button shows: arrows and close 0 normal, 1 under the mouse, 2 pressed; a dot 1 when
    // its page is the current page, else 0.
    int PictureIndex(TGuidePart button) const;

    // Nothing when `page` is already shown; otherwise that page's components show and its dot lights. It does
    // not ask for a render: the caller does.
    void SwitchPage(int page);

    // Esc ends the program; Left and Right turn to the other page; other keys do nothing.
    TGuideAnswer KeyDown(unsigned key);

    // The component under a window point on the page shown, topmost first.
    TGuidePart PartAt(TPoint point) const;
    // The mouse moved to `point` (enter and leave of the arrows and the close button).
    TGuideAnswer MouseMove(TPoint point);
    // The mouse left the window.
    TGuideAnswer MouseLeave();
    // A button went down or up at `point`; `left` tells the left button from the others.
    TGuideAnswer MouseDown(TPoint point, bool left);
    TGuideAnswer MouseUp(TPoint point, bool left);

    // What RenderGuide draws now, in its order: the background, the five buttons, then the page's pictures and
    // texts.
    std::vector<TGuideDraw> DrawList() const;

  private:
    int& PictureOf(TGuidePart button);
    TGuideAnswer Hover(TGuidePart part);

    int currentPage_ = 0;
    int back_ = 0;
    int next_ = 0;
    int close_ = 0;
    TGuidePart hovered_ = TGuidePart::None;
    TGuidePart pressed_ = TGuidePart::None;
};

// The guide window's texts as built in; the language file can change only the caption.
std::wstring GuideCaption();

}  // namespace tessaline
