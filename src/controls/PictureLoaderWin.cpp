#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <mutex>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "controls/PictureLoader.h"

namespace tessaline {
namespace {

// Kept for the process's lifetime: pictures may be decoded until the last window closes.
ULONG_PTR g_gdiplusToken = 0;

TPicture FromBitmap(Gdiplus::Bitmap& bitmap) {
    TPicture picture;
    const UINT width = bitmap.GetWidth();
    const UINT height = bitmap.GetHeight();
    if (width == 0 || height == 0 || width > 16384 || height > 16384) {
        return picture;
    }
    Gdiplus::Rect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) {
        return picture;
    }
    picture.Width = static_cast<int>(width);
    picture.Height = static_cast<int>(height);
    picture.HasAlpha = Gdiplus::IsAlphaPixelFormat(bitmap.GetPixelFormat()) != FALSE;
    picture.Pixels.resize(static_cast<size_t>(width) * height);
    for (UINT y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) +
                                                            static_cast<ptrdiff_t>(y) * data.Stride);
        std::copy(row, row + width, picture.Pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    bitmap.UnlockBits(&data);
    return picture;
}

}  // namespace

bool EnsureGdiplus() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        Gdiplus::GdiplusStartupInput input;
        const Gdiplus::Status status = Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr);
        started = status == Gdiplus::Ok;
        if (!started) {
            Trace(L"GdiplusStartup failed: ", static_cast<int>(status));
        }
    });
    return started;
}

TPicture DecodePicture(const std::vector<uint8_t>& bytes) {
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF || !EnsureGdiplus()) {
        return {};
    }
    const TComPtr<IStream> stream(SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    if (!stream) {
        return {};
    }
    TPicture picture;
    {
        Gdiplus::Bitmap bitmap(stream.Get(), FALSE);
        if (bitmap.GetLastStatus() == Gdiplus::Ok) {
            picture = FromBitmap(bitmap);
        }
    }
    return picture;
}

TPicture LoadPictureFile(const std::wstring& path) {
    std::string bytes;
    if (ReadFileBytes(path, bytes) != FileReadResult::Ok) {
        Trace(L"LoadPictureFile: cannot read ", path);
        return {};
    }
    TPicture picture = DecodePicture(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    if (picture.Empty()) {
        Trace(L"LoadPictureFile: not a picture: ", path);
    }
    return picture;
}

TPicture LoadPictureResource(const std::wstring& name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (info == nullptr) {
        Trace(L"LoadPictureResource: no resource ", name);
        return {};
    }
    HGLOBAL handle = LoadResource(module, info);
    const void* data = handle != nullptr ? LockResource(handle) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (data == nullptr || size == 0) {
        return {};
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    return DecodePicture(std::vector<uint8_t>(bytes, bytes + size));
}

}  // namespace tessaline
