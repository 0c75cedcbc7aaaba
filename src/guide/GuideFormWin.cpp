#include "guide/GuideFormWin.h"
#include "base/GuardedCall.h"

#include <objidl.h>
#include <windowsx.h>

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "controls/DibSectionWin.h"
#include "controls/MouseLeaveWin.h"
#include "controls/PictureLoader.h"

namespace tessaline {
namespace {

constexpr wchar_t kGuideClass[] = L"TfrmGuide";
// The descriptions: white Tahoma, 12 pixels high, one font and one brush for the page.
constexpr wchar_t kTextFont[] = L"Tahoma";
constexpr Gdiplus::REAL kTextHeight = 12;
constexpr Gdiplus::ARGB kTextColour = 0xFFFFFFFF;

bool RegisterGuideClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kGuideClass, &wc)) {
        return true;
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kGuideClass;
    return RegisterClassExW(&wc) != 0;
}

// Tahoma; where it is missing (Wine without its own fonts has neither it nor the generic families), a sans-serif
// face that is there, so the texts are written in something rather than left out.
std::unique_ptr<Gdiplus::FontFamily> TextFamily() {
    auto family = std::make_unique<Gdiplus::FontFamily>(kTextFont);
    if (family->IsAvailable()) {
        return family;
    }
    if (const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
        generic != nullptr && generic->IsAvailable()) {
        return std::unique_ptr<Gdiplus::FontFamily>(generic->Clone());
    }
    Gdiplus::InstalledFontCollection installed;
    const INT count = installed.GetFamilyCount();
    if (count <= 0) {
        return family;
    }
    std::vector<Gdiplus::FontFamily> families(static_cast<size_t>(count));
    INT found = 0;
    installed.GetFamilies(count, families.data(), &found);
    const Gdiplus::FontFamily* chosen = nullptr;
    for (INT i = 0; i < found; ++i) {
        wchar_t name[LF_FACESIZE] = {};
        families[static_cast<size_t>(i)].GetFamilyName(name);
        const std::wstring text(name);
        if (chosen == nullptr ||
            (text.find(L"Sans") != std::wstring::npos && text.find(L"Mono") == std::wstring::npos)) {
            chosen = &families[static_cast<size_t>(i)];
            if (text.find(L"Sans") != std::wstring::npos && text.find(L"Mono") == std::wstring::npos) {
                break;
            }
        }
    }
    Trace(L"RenderGuide: no Tahoma here; the texts use another face");
    return chosen != nullptr ? std::unique_ptr<Gdiplus::FontFamily>(chosen->Clone()) : std::move(family);
}

TPoint PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

TfrmGuide::TfrmGuide() = default;

TfrmGuide::~TfrmGuide() {
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
    }
}

bool TfrmGuide::Create(const std::wstring& caption) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterGuideClass(instance, &TfrmGuide::WindowProc)) {
        Trace(L"TfrmGuide: RegisterClassExW failed: ", GetLastError());
        return false;
    }
    // Centred on the screen; unowned and an application window, so it has a taskbar button of its own.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kGuideWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kGuideHeight) / 2;
    handle_ = CreateWindowExW(WS_EX_APPWINDOW, kGuideClass, caption.c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                              left, top, kGuideWidth, kGuideHeight, nullptr, nullptr, instance, this);
    if (handle_ == nullptr) {
        Trace(L"TfrmGuide: CreateWindowExW failed: ", GetLastError());
        return false;
    }
    blend_.BlendOp = AC_SRC_OVER;
    blend_.BlendFlags = 0;
    blend_.SourceConstantAlpha = 255;
    blend_.AlphaFormat = AC_SRC_ALPHA;
    createdExStyle_ = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
    return true;
}

void TfrmGuide::Show() {
    if (handle_ == nullptr) {
        return;
    }
    // A layered window shows nothing until its first bitmap: it gets it before it shows.
    RenderGuide();
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
}

const TPicture& TfrmGuide::Picture(const std::wstring& resource) {
    auto found = pictures_.find(resource);
    if (found == pictures_.end()) {
        found = pictures_.emplace(resource, LoadPictureResource(resource)).first;
    }
    return found->second;
}

void TfrmGuide::RenderGuide() {
    if (handle_ == nullptr) {
        return;
    }
    const TWindowDc screen(nullptr);
    const TUniqueDc memory(CreateCompatibleDC(screen.Get()));
    TDibSection dib(screen.Get(), kGuideWidth, kGuideHeight);
    if (!memory || !dib.Ok()) {
        Trace(L"RenderGuide: no bitmap");
        return;
    }
    const TScopedSelection selection(memory.get(), dib.Bitmap());
    if ((createdExStyle_ & WS_EX_LAYERED) == 0) {
        SetWindowLongPtrW(handle_, GWL_EXSTYLE, createdExStyle_ | WS_EX_LAYERED);
    }
    GdiFlush();
    {
        // GDI+ draws straight into the bitmap's premultiplied pixels, so the alpha it blends is the window's.
        Gdiplus::Bitmap canvas(kGuideWidth, kGuideHeight, kGuideWidth * 4, PixelFormat32bppPARGB,
                               reinterpret_cast<BYTE*>(dib.Bits()));
        Gdiplus::Graphics graphics(&canvas);
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        if (textFamily_ == nullptr) {
            textFamily_ = TextFamily();
        }
        const Gdiplus::Font font(textFamily_.get(), kTextHeight, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        const Gdiplus::SolidBrush brush{Gdiplus::Color(kTextColour)};
        for (const TGuideDraw& draw : model_.DrawList()) {
            if (draw.IsText) {
                const Gdiplus::RectF layout(
                    static_cast<Gdiplus::REAL>(draw.Bounds.Left), static_cast<Gdiplus::REAL>(draw.Bounds.Top),
                    static_cast<Gdiplus::REAL>(draw.Bounds.Width()), static_cast<Gdiplus::REAL>(draw.Bounds.Height()));
                graphics.DrawString(draw.Text.c_str(), static_cast<INT>(draw.Text.size()), &font, layout, nullptr,
                                    &brush);
                continue;
            }
            const TPicture& picture = Picture(draw.Resource);
            if (picture.Empty()) {
                continue;  // traced by the loader; the rest still draws
            }
            // The decoded pixels are premultiplied already; GDI+ reads them in place.
            Gdiplus::Bitmap bitmap(picture.Width, picture.Height, picture.Width * 4, PixelFormat32bppPARGB,
                                   reinterpret_cast<BYTE*>(const_cast<uint32_t*>(picture.Pixels.data())));
            graphics.DrawImage(&bitmap, draw.Bounds.Left, draw.Bounds.Top, picture.Width, picture.Height);
        }
        graphics.Flush(Gdiplus::FlushIntentionSync);
    }
    RECT window{};
    GetWindowRect(handle_, &window);
    POINT position{window.left, window.top};
    SIZE size{kGuideWidth, kGuideHeight};
    POINT source{0, 0};
    if (!UpdateLayeredWindow(handle_, screen.Get(), &position, &size, memory.get(), &source, 0, &blend_, ULW_ALPHA)) {
        Trace(L"RenderGuide: UpdateLayeredWindow failed: ", GetLastError());
    }
}

void TfrmGuide::Answer(const TGuideAnswer& answer) {
    if (answer.Render) {
        RenderGuide();
    }
    if (answer.Drag) {
        // Moving by the caption, wherever the picture was taken.
        ReleaseCapture();
        PostMessageW(handle_, WM_SYSCOMMAND, 0xF012, 0);
    }
    if (answer.Close) {
        DestroyWindow(handle_);
    }
}

LRESULT CALLBACK TfrmGuide::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<TfrmGuide*>(create->lpCreateParams)->handle_ = hwnd;
    }
    auto* form = reinterpret_cast<TfrmGuide*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return Guarded(
        L"TfrmGuide", reinterpret_cast<uintptr_t>(hwnd), message,
        [&] { return form->Receive(message, wParam, lParam); },
        [&] { return DefWindowProcW(hwnd, message, wParam, lParam); });
}

LRESULT TfrmGuide::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            Answer(model_.KeyDown(static_cast<unsigned>(wParam)));
            return 0;
        case WM_MOUSEMOVE:
            TrackMouseLeave(handle_, trackingLeave_);
            Answer(model_.MouseMove(PointOf(lParam)));
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            Answer(model_.MouseLeave());
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const bool left = message == WM_LBUTTONDOWN;
            const TGuideAnswer answer = model_.MouseDown(PointOf(lParam), left);
            if (left && !answer.Drag) {
                SetCapture(handle_);  // the release comes back here, wherever it happens
            }
            Answer(answer);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const bool left = message == WM_LBUTTONUP;
            if (left && GetCapture() == handle_) {
                ReleaseCapture();
            }
            Answer(model_.MouseUp(PointOf(lParam), left));
            return 0;
        }
        case WM_DESTROY:
            SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
            handle_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace tessaline
