#include "controls/LogoHintwindow.h"

#include <objidl.h>

#include <gdiplus.h>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "controls/DibSectionWin.h"
#include "controls/PictureLoader.h"
#include "system/ShellServices.h"

namespace tessaline {
namespace {

constexpr int kInitialSize = 64;

}  // namespace

bool IsUserFrameFile(const std::wstring& fileName) {
    return EqualsNoCase(ExtractFileName(fileName), L"userframe.png");
}

TLogoHintWindow::TLogoHintWindow(TComponent* ownerForm, HWND ownerWindow) : TForm(ownerForm) {
    auto* form = dynamic_cast<TForm*>(ownerForm);
    OwnerWindow = form != nullptr && form->Handle() != nullptr ? form->Handle() : ownerWindow;
    // A hint window's styles without the border; the layered style comes with the first picture.
    Style = WS_POPUP;
    ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    WindowClass = L"TLogoHintWindow";
    SetVisible(false);
    SetBounds(0, 0, kInitialSize, kInitialSize);

    clickImage_ = Create<TControl>(this, L"ClickImage");
    clickImage_->SetParent(this);
    clickImage_->SetBounds(0, 0, kInitialSize, kInitialSize);
    clickImage_->Cursor = TCursor::HandPoint;
    clickImage_->SetVisible(false);
}

void TLogoHintWindow::SetClickHandler(TNotifyEvent handler) {
    clickImage_->OnClick = std::move(handler);
}

bool TLogoHintWindow::ShowImage(const std::wstring& fileName, int x, int y) {
    clickImage_->SetVisible(false);
    return UpdatePicture(fileName, x, y, false);
}

bool TLogoHintWindow::ShowUserFrame(const std::wstring& frameFileName, int x, int y) {
    clickImage_->SetVisible(true);
    return UpdatePicture(frameFileName, x, y, true);
}

TPicture ComposeLogoPicture(const std::wstring& fileName, bool userFrame) {
    TPicture result;
    if (!EnsureGdiplus()) {
        return result;
    }
    Gdiplus::Image picture(fileName.c_str());
    if (picture.GetLastStatus() != Gdiplus::Ok || picture.GetWidth() == 0 || picture.GetHeight() == 0 ||
        picture.GetWidth() > 4096 || picture.GetHeight() > 4096) {
        Trace(L"TLogoHintWindow: cannot load ", fileName);
        return result;
    }
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    // GDI+ draws into premultiplied 32-bit pixels of our own, which keep the alpha for the layered update.
    result.Width = width;
    result.Height = height;
    result.HasAlpha = true;
    result.Pixels.assign(static_cast<size_t>(width) * height, 0);
    Gdiplus::Bitmap target(width, height, width * 4, PixelFormat32bppPARGB,
                           reinterpret_cast<BYTE*>(result.Pixels.data()));
    Gdiplus::Graphics graphics(&target);
    graphics.DrawImage(&picture, 0, 0, width, height);
    if (userFrame) {
        GetUserLogoFileName();
        if (!FileExists(v_UserLogoFileName)) {
            v_UserLogoFileName = GetProgramDirectory() + L"Resources\\user.png";
        }
        Gdiplus::Image account(v_UserLogoFileName.c_str());
        if (account.GetLastStatus() == Gdiplus::Ok) {
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            graphics.DrawImage(&account, 13, 12, 46, 46);
        } else {
            Trace(L"TLogoHintWindow: no account picture: ", v_UserLogoFileName);
        }
    }
    graphics.Flush(Gdiplus::FlushIntentionSync);
    return result;
}

bool TLogoHintWindow::UpdatePicture(const std::wstring& fileName, int x, int y, bool userFrame) {
    if (!CreateHandle()) {
        return false;
    }
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const TPicture picture = ComposeLogoPicture(fileName, userFrame);
    if (picture.Empty()) {
        return false;
    }
    BOOL updated = FALSE;
    {
        // The device contexts go back before the window shows.
        const TWindowDc screen(nullptr);
        const TUniqueDc memory(CreateCompatibleDC(screen.Get()));
        TDibSection dib(screen.Get(), picture.Width, picture.Height);
        if (dib.Ok()) {
            dib.Write(picture.Pixels);
            const TScopedSelection selection(memory.get(), dib.Bitmap());
            // Exactly the double-click class style: no drop shadow under the picture.
            SetClassLongPtrW(Handle(), GCL_STYLE, CS_DBLCLKS);
            SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
            SIZE size{picture.Width, picture.Height};
            POINT source{0, 0};
            BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            updated = UpdateLayeredWindow(Handle(), screen.Get(), nullptr, &size, memory.get(), &source, 0, &blend,
                                          ULW_ALPHA);
            if (!updated) {
                Trace(L"TLogoHintWindow: UpdateLayeredWindow failed: ", static_cast<int64_t>(GetLastError()));
            }
        }
    }
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    TControl::SetVisible(true);
    return updated != FALSE;
}

}  // namespace tessaline
