#include "controls/ImageListWin.h"

#include <shellapi.h>

#include "base/Trace.h"
#include "controls/DibSectionWin.h"

namespace tessaline {

TImageList::TImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32, 8, 8);
    if (handle_ == nullptr) {
        Trace(L"TImageList: ImageList_Create failed");
    }
}

TImageList::~TImageList() {
    if (handle_ != nullptr && !shared_) {
        ImageList_Destroy(handle_);
    }
}

void TImageList::UseSystemList(bool small) {
    SHFILEINFOW info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
    if (list == nullptr) {
        Trace(L"TImageList: no system image list");
        return;
    }
    if (handle_ != nullptr && !shared_) {
        ImageList_Destroy(handle_);
    }
    handle_ = list;
    shared_ = true;
    ImageList_GetIconSize(handle_, &width_, &height_);
}

int TImageList::Count() const {
    return handle_ != nullptr ? ImageList_GetImageCount(handle_) : 0;
}

int TImageList::Add(const TPicture& picture) {
    return shared_ ? -1 : AddScaled(picture);
}

int TImageList::AppendToSystemList(const TPicture& picture) {
    return AddScaled(picture);
}

int TImageList::AddScaled(const TPicture& picture) {
    if (handle_ == nullptr || picture.Empty()) {
        return -1;
    }
    TDibSection dib(nullptr, width_, height_);
    if (!dib.Ok()) {
        return -1;
    }
    // Nearest-pixel scaling to the list's size; the image list wants premultiplied 32-bit pixels.
    std::vector<uint32_t> out(dib.PixelCount());
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = picture.Pixel(x * picture.Width / width_, y * picture.Height / height_);
            out[static_cast<size_t>(y) * width_ + x] = picture.HasAlpha ? p : (p | 0xFF000000u);
        }
    }
    dib.Write(out);
    return ImageList_Add(handle_, dib.Bitmap(), nullptr);
}

int TImageList::AddIcon(HICON icon) {
    if (handle_ == nullptr || shared_ || icon == nullptr) {
        return -1;
    }
    return ImageList_AddIcon(handle_, icon);
}

void TImageList::Clear() {
    if (handle_ != nullptr && !shared_) {
        ImageList_RemoveAll(handle_);
    }
}

}  // namespace tessaline
