#pragma once
// An image list component: a real HIMAGELIST of 32-bit images with alpha, or the shell's system image list
// (shared, never destroyed by us). UI thread only.

#include <windows.h>

#include <commctrl.h>

#include <vector>

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
    int AppendToSystemList(const TPicture& picture) { return AppendToSystemList(std::vector<TPicture>{picture}); }
    // Several at once, in order, with one addition to each list (the shell's largest holds 256 x 256 images, and
    // one addition a picture made start-up wait for it): the index of the first, or -1 when none was appended.
    // An empty picture is appended as a transparent one, so the indexes after it keep their places.
    int AppendToSystemList(const std::vector<TPicture>& pictures);
    void Clear();

  private:
    int AddScaled(const TPicture& picture) { return AddScaled(handle_, width_, height_, {picture}); }
    // The pictures side by side in one strip of the list's size, added in one call; the index of the first.
    static int AddScaled(HIMAGELIST list, int width, int height, const std::vector<TPicture>& pictures);

    HIMAGELIST handle_ = nullptr;
    bool shared_ = false;
    int width_;
    int height_;
};

}  // namespace tessaline
