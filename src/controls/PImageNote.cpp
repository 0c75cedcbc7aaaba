#include "controls/PImageNote.h"

namespace tessaline {

namespace {

// A picture whose pixels do not cover its size (a short decode) would be read past its end: draw nothing.
bool Drawable(const TPicture& picture) {
    return !picture.Empty() &&
           picture.Pixels.size() >= static_cast<size_t>(picture.Width) * static_cast<size_t>(picture.Height);
}

}  // namespace

TImageNote::TImageNote(TComponent* owner) : TControl(owner) {}

void TImageNote::SetImageIndex(int index) {
    if (Loading()) {
        imageIndex_ = index;
        return;
    }
    if (index >= 0 && static_cast<size_t>(index) < items_.Count()) {
        imageIndex_ = index;
        SetPicture(items_.Item(static_cast<size_t>(index))->Picture());
    } else if (index == -1) {
        ClearPicture();
        imageIndex_ = -1;
    }
}

void TImageNote::SetLocked(bool locked) {
    locked_ = locked;
    if (locked_) {
        lockedBounds_ = BoundsRect();
    }
}

void TImageNote::SetPicture(const TPicture& picture) {
    picture_ = picture;
    FitToPicture();
    Invalidate();
}

void TImageNote::SetAutoSize(bool autoSize) {
    if (autoSize != autoSize_) {
        autoSize_ = autoSize;
        FitToPicture();
    }
}

void TImageNote::SetStretch(bool stretch) {
    if (stretch != stretch_) {
        stretch_ = stretch;
        Invalidate();
    }
}

void TImageNote::SetTransparent(bool transparent) {
    if (transparent != transparent_) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TImageNote::FitToPicture() {
    if (autoSize_ && Drawable(picture_)) {
        SetBounds(Left(), Top(), picture_.Width, picture_.Height);
    }
}

void TImageNote::Paint(ICanvas& canvas) {
    if (Drawable(picture_)) {
        canvas.DrawPicture(picture_, ClientRect(), stretch_);
    }
}

}  // namespace tessaline
