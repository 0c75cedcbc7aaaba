#include "controls/ImageListWin.h"

#include <commoncontrols.h>
#include <shellapi.h>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "controls/DibSectionWin.h"

namespace tessaline {
namespace {

// IID_IImageList, which the import libraries do not carry.
constexpr GUID kImageListInterface = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

// Our pictures are drawn at most at this size. The shell's larger lists (256 x 256) only keep their places, with
// empty images: drawing the pictures into them cost start-up about 150 ms under Wine.
constexpr int kLargestDrawnIcon = 48;

// `count` empty images at the end of the list; the index of the first, or -1.
int Reserve(HIMAGELIST list, int count) {
    const int first = ImageList_GetImageCount(list);
    return ImageList_SetImageCount(list, static_cast<UINT>(first + count)) ? first : -1;
}

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

int TImageList::AppendToSystemList(const std::vector<TPicture>& pictures) {
    const int index = AddScaled(handle_, width_, height_, pictures);
    if (index < 0 || !shared_) {
        return index;
    }
    for (int which = SHIL_LARGE; which <= SHIL_LAST; ++which) {
        TComPtr<IImageList> other;
        if (FAILED(SHGetImageList(which, kImageListInterface, reinterpret_cast<void**>(other.Put()))) || !other) {
            continue;
        }
        const auto list = reinterpret_cast<HIMAGELIST>(other.Get());
        if (list != handle_) {
            int width = 0;
            int height = 0;
            ImageList_GetIconSize(list, &width, &height);
            const int appended = width > kLargestDrawnIcon ? Reserve(list, static_cast<int>(pictures.size()))
                                                           : AddScaled(list, width, height, pictures);
            if (appended != index) {
                Trace(L"TImageList: the system lists are out of step at ", index);
            }
        }
    }
    return index;
}

int TImageList::AddScaled(HIMAGELIST list, int width, int height, const std::vector<TPicture>& pictures) {
    if (list == nullptr || pictures.empty() || width <= 0 || height <= 0) {
        return -1;
    }
    const int count = static_cast<int>(pictures.size());
    if (count == 1 && pictures.front().Empty()) {
        return -1;
    }
    TDibSection dib(nullptr, width * count, height);
    if (!dib.Ok()) {
        return -1;
    }
    // Nearest-pixel scaling to the list's size; the image list wants premultiplied 32-bit pixels. The strip is
    // written in place: the largest lists make it megabytes wide.
    GdiFlush();
    uint32_t* out = dib.Bits();
    const size_t stride = static_cast<size_t>(width) * static_cast<size_t>(count);
    for (int i = 0; i < count; ++i) {
        const TPicture& picture = pictures[static_cast<size_t>(i)];
        for (int y = 0; y < height; ++y) {
            uint32_t* row = out + static_cast<size_t>(y) * stride + static_cast<size_t>(i) * static_cast<size_t>(width);
            for (int x = 0; x < width; ++x) {
                if (picture.Empty()) {
                    row[x] = 0;
                    continue;
                }
                const uint32_t p = picture.Pixel(x * picture.Width / width, y * picture.Height / height);
                row[x] = picture.HasAlpha ? p : (p | 0xFF000000u);
            }
        }
    }
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
