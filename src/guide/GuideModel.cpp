#include "guide/GuideModel.h"

#include <array>
#include <span>
#include <utility>

namespace tessaline {
namespace {

constexpr unsigned kKeyEscape = 27;
constexpr unsigned kKeyLeft = 37;
constexpr unsigned kKeyRight = 39;

struct TPagePicture {
    const wchar_t* Resource;
    TRect Bounds;
};

struct TPageText {
    const wchar_t* Text;
    TRect Bounds;
};

// Each page's illustration, then the panel behind its texts.
const std::array<TPagePicture, 2> kPagePictures[2] = {
    {{{L"GUIDE_MENULOGO", RectOf(61, 66, 383, 295)}, {L"GUIDE_BACKTEXT1", RectOf(421, 56, 280, 309)}}},
    {{{L"GUIDE_USERINTERFACE_LOGO", RectOf(54, 66, 383, 295)}, {L"GUIDE_BACKTEXT2", RectOf(421, 102, 280, 197)}}},
};

// The trailing blanks of two texts are theirs.
const TPageText kPage0Texts[] = {
    {L"It will go to the traditional desktop directly.", RectOf(476, 71, 206, 44)},
    {L"It will deactivate the display of the small desktop window when moving your mouse to the left corner of your "
     L"computer. ",
     RectOf(476, 163, 206, 79)},
    {L"It will deactivate the display of the sidebar window when moving your mouse to the right corner of your "
     L"computer.",
     RectOf(476, 291, 206, 64)},
};
const TPageText kPage1Texts[] = {
    {L"It will change the pictures displayed for Start button at the left corner of your computer. ",
     RectOf(476, 117, 206, 54)},
    {L"It will link you to a website to get more fantastic skins provided by other users.", RectOf(476, 232, 206, 54)},
};

const TRect kBackBounds = RectOf(25, 191, 28, 40);
const TRect kNextBounds = RectOf(753, 191, 28, 40);
const TRect kCloseBounds = RectOf(750, 15, 31, 31);
const TRect kDot1Bounds = RectOf(367, 384, 20, 20);
const TRect kDot2Bounds = RectOf(401, 384, 20, 20);

TRect BoundsOf(TGuidePart button) {
    switch (button) {
        case TGuidePart::Back:
            return kBackBounds;
        case TGuidePart::Next:
            return kNextBounds;
        case TGuidePart::Close:
            return kCloseBounds;
        case TGuidePart::Dot1:
            return kDot1Bounds;
        case TGuidePart::Dot2:
            return kDot2Bounds;
        default:
            return {};
    }
}

// The arrows and the close button follow the mouse; the dots only answer clicks.
bool FollowsMouse(TGuidePart part) {
    return part == TGuidePart::Back || part == TGuidePart::Next || part == TGuidePart::Close;
}

bool IsDot(TGuidePart part) {
    return part == TGuidePart::Dot1 || part == TGuidePart::Dot2;
}

std::wstring StatePicture(const wchar_t* stem, int index) {
    static const wchar_t* const kStates[] = {L"_NORMAL", L"_HOVER", L"_PRESSED"};
    return std::wstring(stem) + kStates[index >= 0 && index <= 2 ? index : 0];
}

std::span<const TPageText> PageTexts(int page) {
    return page == 0 ? std::span<const TPageText>(kPage0Texts) : std::span<const TPageText>(kPage1Texts);
}

TGuideDraw PictureDraw(std::wstring resource, TRect bounds) {
    TGuideDraw draw;
    draw.Resource = std::move(resource);
    draw.Bounds = bounds;
    return draw;
}

TGuideDraw TextDraw(std::wstring text, TRect bounds) {
    TGuideDraw draw;
    draw.IsText = true;
    draw.Text = std::move(text);
    draw.Bounds = bounds;
    return draw;
}

TGuideAnswer RenderAnswer() {
    TGuideAnswer answer;
    answer.Render = true;
    return answer;
}

TGuideAnswer CloseAnswer() {
    TGuideAnswer answer;
    answer.Close = true;
    return answer;
}

}  // namespace

int TGuideModel::PictureIndex(TGuidePart button) const {
    switch (button) {
        case TGuidePart::Back:
            return back_;
        case TGuidePart::Next:
            return next_;
        case TGuidePart::Close:
            return close_;
        case TGuidePart::Dot1:
            return currentPage_ == 0 ? 1 : 0;
        case TGuidePart::Dot2:
            return currentPage_ == 1 ? 1 : 0;
        default:
            return 0;
    }
}

int& TGuideModel::PictureOf(TGuidePart button) {
    return button == TGuidePart::Back ? back_ : button == TGuidePart::Next ? next_ : close_;
}

void TGuideModel::SwitchPage(int page) {
    if ((page == 0 || page == 1) && page != currentPage_) {
        currentPage_ = page;
    }
}

TGuideAnswer TGuideModel::KeyDown(unsigned key) {
    if (key == kKeyEscape) {
        return CloseAnswer();
    }
    if (key == kKeyLeft || key == kKeyRight) {
        SwitchPage(1 - currentPage_);
        return RenderAnswer();
    }
    return {};
}

TGuidePart TGuideModel::PartAt(TPoint point) const {
    // Topmost first: the buttons, the page's texts, its pictures, the background.
    for (TGuidePart button :
         {TGuidePart::Close, TGuidePart::Dot2, TGuidePart::Dot1, TGuidePart::Next, TGuidePart::Back}) {
        if (BoundsOf(button).Contains(point)) {
            return button;
        }
    }
    for (const TPageText& text : PageTexts(currentPage_)) {
        if (text.Bounds.Contains(point)) {
            return TGuidePart::Text;
        }
    }
    if (RectOf(0, 0, kGuideWidth, kGuideHeight).Contains(point)) {
        return TGuidePart::Picture;
    }
    return TGuidePart::None;
}

TGuideAnswer TGuideModel::Hover(TGuidePart part) {
    if (part == hovered_) {
        return {};
    }
    TGuideAnswer answer;
    if (FollowsMouse(hovered_)) {
        PictureOf(hovered_) = 0;
        answer.Render = true;
    }
    hovered_ = part;
    if (FollowsMouse(part)) {
        // Back under the mouse while still held down, the button shows pressed again.
        PictureOf(part) = pressed_ == part ? 2 : 1;
        answer.Render = true;
    }
    return answer;
}

TGuideAnswer TGuideModel::MouseMove(TPoint point) {
    return Hover(PartAt(point));
}

TGuideAnswer TGuideModel::MouseLeave() {
    return Hover(TGuidePart::None);
}

TGuideAnswer TGuideModel::MouseDown(TPoint point, bool left) {
    TGuideAnswer answer = Hover(PartAt(point));
    if (!left) {
        return answer;
    }
    const TGuidePart part = PartAt(point);
    if (FollowsMouse(part)) {
        pressed_ = part;
        PictureOf(part) = 2;
        answer.Render = true;
    } else if (IsDot(part)) {
        pressed_ = part;
    } else if (part == TGuidePart::Picture) {
        answer.Drag = true;
    }
    return answer;
}

TGuideAnswer TGuideModel::MouseUp(TPoint point, bool left) {
    if (!left || pressed_ == TGuidePart::None) {
        return Hover(PartAt(point));
    }
    const TGuidePart pressed = pressed_;
    pressed_ = TGuidePart::None;
    const TGuidePart part = PartAt(point);
    TGuideAnswer answer = Hover(part);
    // A click is a press and a release on the same button.
    const bool clicked = part == pressed;
    if (FollowsMouse(pressed)) {
        // Released away from it, the button shows normal, not hovered.
        PictureOf(pressed) = clicked ? 1 : 0;
        answer.Render = true;
    }
    if (!clicked) {
        return answer;
    }
    if (pressed == TGuidePart::Close) {
        answer.Close = true;
    } else if (pressed == TGuidePart::Back || pressed == TGuidePart::Next) {
        // Two pages: either arrow turns to the other one.
        SwitchPage(1 - currentPage_);
    } else if (IsDot(pressed)) {
        const int page = pressed == TGuidePart::Dot1 ? 0 : 1;
        if (page != currentPage_) {
            SwitchPage(page);
            answer.Render = true;
        }
    }
    return answer;
}

std::vector<TGuideDraw> TGuideModel::DrawList() const {
    std::vector<TGuideDraw> draws;
    draws.push_back(PictureDraw(L"GUIDE_BACKGROUND", RectOf(0, 0, kGuideWidth, kGuideHeight)));
    draws.push_back(PictureDraw(StatePicture(L"GUIDE_BACK", back_), kBackBounds));
    draws.push_back(PictureDraw(StatePicture(L"GUIDE_NEXT", next_), kNextBounds));
    for (TGuidePart dot : {TGuidePart::Dot1, TGuidePart::Dot2}) {
        draws.push_back(PictureDraw(PictureIndex(dot) == 1 ? L"GUIDE_DOT_ON" : L"GUIDE_DOT_OFF", BoundsOf(dot)));
    }
    draws.push_back(PictureDraw(StatePicture(L"GUIDE_CLOSE", close_), kCloseBounds));
    for (const TPagePicture& picture : kPagePictures[currentPage_]) {
        draws.push_back(PictureDraw(picture.Resource, picture.Bounds));
    }
    for (const TPageText& text : PageTexts(currentPage_)) {
        draws.push_back(TextDraw(text.Text, text.Bounds));
    }
    return draws;
}

std::wstring GuideCaption() {
    return L"Tessaline Guide";
}

}  // namespace tessaline
