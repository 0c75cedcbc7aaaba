#include "controls/ImageListWin.h"

#include <commoncontrols.h>
#include <shellapi.h>

#include "base/Trace.h"
#include "controls/DibSectionWin.h"

namespace tessaline {
namespace {

// IID_IImageList, which the import libraries do not carry.
constexpr GUID kImageListInterface = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

}  // namespace

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
    const int index = AddScaled(picture);
    if (index < 0 || !shared_) {
        return index;
    }
    for (int which = SHIL_LARGE; which <= SHIL_LAST; ++which) {
        IImageList* other = nullptr;
        if (FAILED(SHGetImageList(which, kImageListInterface, reinterpret_cast<void**>(&other))) || other == nullptr) {
            continue;
        }
        const auto list = reinterpret_cast<HIMAGELIST>(other);
        if (list != handle_) {
            int width = 0;
            int height = 0;
            ImageList_GetIconSize(list, &width, &height);
            if (AddScaled(list, width, height, picture) != index) {
                Trace(L"TImageList: the system lists are out of step at ", index);
            }
        }
        other->Release();
    }
    return index;
}

int TImageList::AddScaled(HIMAGELIST list, int width, int height, const TPicture& picture) {
    if (list == nullptr || picture.Empty() || width <= 0 || height <= 0) {
        return -1;
    }
    TDibSection dib(nullptr, width, height);
    if (!dib.Ok()) {
        return -1;
    }
    // Nearest-pixel scaling to the list's size; the image list wants premultiplied 32-bit pixels.
    std::vector<uint32_t> out(dib.PixelCount());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = picture.Pixel(x * picture.Width / width, y * picture.Height / height);
            out[static_cast<size_t>(y) * width + x] = picture.HasAlpha ? p : (p | 0xFF000000u);
        }
    }
    dib.Write(out);
    return ImageList_Add(list, dib.Bitmap(), nullptr);
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
