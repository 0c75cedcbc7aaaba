#pragma once
// The picture button: a windowless image control with a list of state pictures, one of which it shows, picked by
// ImageIndex. It knows nothing of hover or press; the owning window sets ImageIndex from its mouse handlers
// (0 normal, 1 hover, 2 pressed, -1 nothing). Hit-testing is on the bounds, whatever the picture's alpha.
// User-interface thread only.

#include "controls/Control.h"
#include "controls/PictureCollection.h"

namespace tessaline {

class TImageNote : public TControl {
  public:
    explicit TImageNote(TComponent* owner);

    TComponentKind Kind() const override { return TComponentKind::ImageNote; }

    // The recorded index, also after Picture was set or cleared directly.
    int ImageIndex() const { return imageIndex_; }
    // A valid index copies that item's picture on every write (so writing the same index again restores a
    // picture cleared directly); -1 clears; anything else is ignored. While loading, only the number is kept:
    // the stored Picture shows until the next write.
    void SetImageIndex(int index);

    TPictureCollection& Items() { return items_; }
    const TPictureCollection& Items() const { return items_; }

    // Only a form designer restores the recorded bounds; at run time a locked control moves freely.
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    TRect LockedBounds() const { return lockedBounds_; }

    // The picture shown: a copy owned by the control, settable directly, bypassing ImageIndex.
    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& picture);
    void ClearPicture() { SetPicture(TPicture{}); }

    // Takes the picture's size whenever the picture changes. An empty picture has no size to give: the
    // control keeps its rectangle, so an invisible highlight still gets the mouse.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Scales the picture to the whole rectangle (aspect not kept); otherwise it sits at the top-left corner,
    // clipped.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    // Kept for the form description; per-pixel alpha already decides how a picture blends.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    void Paint(ICanvas& canvas) override;

  private:
    void FitToPicture();

    int imageIndex_ = -1;
    TPictureCollection items_{this};
    bool locked_ = false;
    TRect lockedBounds_;
    TPicture picture_;
    bool autoSize_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
};

}  // namespace tessaline
