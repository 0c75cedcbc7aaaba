#pragma once
// An image list component: a real HIMAGELIST of 32-bit images with alpha, or the shell's system image list
// (shared, never destroyed by us). UI thread only.

#include <windows.h>

#include <commctrl.h>

#include "controls/Component.h"
#include "controls/Picture.h"

namespace tessaline {

class TImageList : public TComponent {
  public:
    TImageList(TComponent* owner, int width = 16, int height = 16);
    ~TImageList() override;

    // The system image list of small (16 x 16) or large icons; appending to it is refused.
    void UseSystemList(bool small);
    HIMAGELIST Handle() const { return handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Appends a picture scaled to the list's size; returns its index or -1.
    int Add(const TPicture& picture);
    int AddIcon(HICON icon);
    // Appends to this process's copy of the system list as well: icons of our own beside the shell's, for a view
    // that shows both (the shell adds its icons after ours, so the indexes stay). The picture goes into each of
    // the shell's lists (large, small, extra large, ...), scaled to it: the shell adds an icon to all of them at
    // once and takes one index for all, so a list left one picture short would show the neighbour of every icon
    // added afterwards.
    int AppendToSystemList(const TPicture& picture);
    void Clear();

  private:
    int AddScaled(const TPicture& picture) { return AddScaled(handle_, width_, height_, picture); }
    static int AddScaled(HIMAGELIST list, int width, int height, const TPicture& picture);

    HIMAGELIST handle_ = nullptr;
    bool shared_ = false;
    int width_;
    int height_;
};

}  // namespace tessaline
