#include <windows.h>

#include <commctrl.h>
#include <versionhelpers.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>
#include <vector>

#include "base/GuardedCall.h"
#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "base/WideText.h"
#include "controls/DibSectionWin.h"
#include "controls/MouseLeaveWin.h"
#include "controls/RdSkinMenuWin.h"
#include "controls/SkinMenuGlyphs.h"

namespace tessaline {
namespace {

constexpr wchar_t kMenuWindowClass[] = L"TRdMenuCtrl";

RECT ToRect(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

void DrawLine(HDC dc, TPoint from, TPoint to, TColor color) {
    const TUniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    const TScopedSelection select(dc, pen.get());
    MoveToEx(dc, from.X, from.Y, nullptr);
    LineTo(dc, to.X, to.Y);
}

void FillSolid(HDC dc, const TRect& rect, TColor color) {
    const TUniqueGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    const RECT r = ToRect(rect);
    FillRect(dc, &r, brush.get());
}

// Copies composed glyph pixels to `at`, keying out the background they were composed on; at most `limit`
// of them, from the top left.
void BlitKeyed(HDC dc, const std::vector<uint32_t>& pixels, int width, int height, TPoint at, TColor key, TSize limit) {
    TDibSection dib(dc, width, height);
    const TUniqueDc source(CreateCompatibleDC(dc));
    if (!dib.Ok() || !source) {
        Trace(L"RdSkinMenu: glyph bitmap failed: ", GetLastError());
        return;
    }
    dib.Write(pixels);
    const TScopedSelection select(source.get(), dib.Bitmap());
    const int drawWidth = std::min(width, limit.Width);
    const int drawHeight = std::min(height, limit.Height);
    TransparentBlt(dc, at.X, at.Y, drawWidth, drawHeight, source.get(), 0, 0, drawWidth, drawHeight, key);
}

class TSkinMenuPlatformWin;

class TMenuWindowWin final : public IRdMenuWindow {
  public:
    TMenuWindowWin(TSkinMenuPlatformWin& platform, TRdMenuCtrl& level);
    ~TMenuWindowWin() override;
    TMenuWindowWin(const TMenuWindowWin&) = delete;
    TMenuWindowWin& operator=(const TMenuWindowWin&) = delete;

    TWindowHandle Handle() const override { return window_; }
    void ApplyStyle(bool layered, uint8_t alpha, bool dropShadow) override;
    void Show(const TRect& bounds) override;
    void Hide() override { ShowWindow(window_, SW_HIDE); }
    bool Visible() const override { return window_ != nullptr && IsWindowVisible(window_) != FALSE; }
    void Repaint() override;

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void Paint(HDC target);
    void PaintItem(HDC dc, const TMenuItemPaint& item);
    void DrawGlyph(HDC dc, const TPicture& picture, TPoint at, TColor background, bool gray, TSize limit);
    void DrawImage(HDC dc, int index, TPoint at, TColor background, bool gray);

    TSkinMenuPlatformWin& platform_;
    TRdMenuCtrl& level_;
    HWND window_ = nullptr;
    bool trackingLeave_ = false;
};

class TSkinMenuPlatformWin final : public ISkinMenuPlatform {
  public:
    explicit TSkinMenuPlatformWin(HWND owner) : owner_(owner) {}
    ~TSkinMenuPlatformWin() override;
    TSkinMenuPlatformWin(const TSkinMenuPlatformWin&) = delete;
    TSkinMenuPlatformWin& operator=(const TSkinMenuPlatformWin&) = delete;

    void Attach(TRdSkinMenu& menu) override;
    void Detach() override;
    TWindowHandle OwnerWindow() const override { return owner_; }
    std::unique_ptr<IRdMenuWindow> CreateLevelWindow(TRdMenuCtrl& level) override {
        return std::make_unique<TMenuWindowWin>(*this, level);
    }
    TSize TextExtent(const TFont& font, const std::wstring& text) override;
    TSize ImageSize(TImageListHandle images) override;
    int ImageCount(TImageListHandle images) override;
    TRect MonitorRect(TPoint point) override;
    bool DropShadowAvailable() override { return IsWindowsXPOrGreater(); }
    TOwnerAlphaBlend OwnerAlphaBlend() override;
    void FocusOwner() override;
    void RunModalLoop(const std::function<bool()>& done) override;

    // A font handle for the description, kept until the platform goes.
    HFONT Font(const TFont& font);
    void OwnerClicked();
    void OwnerDestroyed();

  private:
    HWND owner_;
    TRdSkinMenu* menu_ = nullptr;
    HHOOK hook_ = nullptr;
    bool subclassed_ = false;
    std::vector<std::pair<TFont, TUniqueGdiObject<HFONT>>> fonts_;
};

// One thunk for every menu window: the object comes with WM_NCCREATE and lives in GWLP_USERDATA.
LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TMenuWindowWin*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (const std::exception& e) {
        Trace(L"RdSkinMenu: exception in message ", message, L": ", Utf8ToWide(e.what()));
    } catch (...) {
        Trace(L"RdSkinMenu: exception in message ", message);
    }
    return 0;
}

// Keys go to the active menu window and no further while a menu is open.
LRESULT CALLBACK MenuKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    const bool taken = Guarded(
        L"RdSkinMenu keyboard hook", 0, static_cast<unsigned>(wParam),
        [&] {
            if (code != HC_ACTION) {
                return false;
            }
            const TRdMenuCtrl* active = ActiveMenuWindow();
            if (active == nullptr || active->Handle() == nullptr) {
                return false;
            }
            // Bit 31 of the key flags is the transition state: set for a release. Test the bit rather than the
            // sign, which a 64-bit LPARAM does not carry.
            const bool released = (static_cast<uint32_t>(lParam) & 0x80000000u) != 0;
            SendMessageW(active->Handle(), released ? WM_KEYUP : WM_KEYDOWN, wParam, lParam);
            return true;
        },
        [] { return false; });
    return taken ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OwnerSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* platform = reinterpret_cast<TSkinMenuPlatformWin*>(data);
    try {
        switch (message) {
            case WM_MOUSEACTIVATE:
            case WM_NCLBUTTONDOWN:
            case WM_NCRBUTTONDOWN:
            case WM_NCMBUTTONDOWN:
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                platform->OwnerClicked();  // may free the menu and remove this subclass
                break;
            case WM_NCDESTROY:
                platform->OwnerDestroyed();
                break;
            default:
                break;
        }
    } catch (...) {
        Trace(L"RdSkinMenu: exception in owner message ", message);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

ATOM RegisterMenuWindowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_SAVEBITS;  // CS_DROPSHADOW follows DropShadow at each opening
        windowClass.lpfnWndProc = MenuWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kMenuWindowClass;
        const ATOM registered = RegisterClassExW(&windowClass);
        if (registered == 0) {
            Trace(L"RdSkinMenu: RegisterClassExW failed: ", GetLastError());
        }
        return registered;
    }();
    return atom;
}

TMenuWindowWin::TMenuWindowWin(TSkinMenuPlatformWin& platform, TRdMenuCtrl& level)
    : platform_(platform), level_(level) {
    RegisterMenuWindowClass();
    // Owned by the owner window: above it, hidden and shown with it, and no taskbar button (tool window).
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kMenuWindowClass, L"", WS_POPUP, 0, 0, 0, 0, platform.OwnerWindow(),
                              nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        Trace(L"RdSkinMenu: CreateWindowExW failed: ", GetLastError());
    }
}

TMenuWindowWin::~TMenuWindowWin() {
    if (window_ != nullptr) {
        // Detach first: the messages of the destruction must not reach a half-destroyed object.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(window_, nullptr));
    }
}

void TMenuWindowWin::ApplyStyle(bool layered, uint8_t alpha, bool dropShadow) {
    if (window_ == nullptr) {
        return;
    }
    const LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    const LONG_PTR wantExStyle = layered ? exStyle | WS_EX_LAYERED : exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
    if (wantExStyle != exStyle) {
        SetWindowLongPtrW(window_, GWL_EXSTYLE, wantExStyle);
    }
    if (layered) {
        SetLayeredWindowAttributes(window_, 0, alpha, LWA_ALPHA);
    }
    // The shadow is a class style: every menu window shares the last setting.
    const ULONG_PTR classStyle = GetClassLongPtrW(window_, GCL_STYLE);
    const ULONG_PTR wantClassStyle = dropShadow ? classStyle | CS_DROPSHADOW : classStyle & ~ULONG_PTR{CS_DROPSHADOW};
    if (wantClassStyle != classStyle) {
        SetClassLongPtrW(window_, GCL_STYLE, static_cast<LONG_PTR>(wantClassStyle));
    }
}

void TMenuWindowWin::Show(const TRect& bounds) {
    if (window_ == nullptr) {
        return;
    }
    SetWindowPos(window_, nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
    InvalidateRect(window_, nullptr, FALSE);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TMenuWindowWin::Repaint() {
    if (window_ != nullptr) {
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
    }
}

LRESULT TMenuWindowWin::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The level's handlers may run click and hide events that free the menu and this object with it: after
    // calling them nothing here touches a member.
    switch (message) {
        case WM_NCCREATE:
            window_ = window;
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            TrackMouseLeave(window, trackingLeave_);
            level_.MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            level_.MouseLeave();
            return 0;
        case WM_LBUTTONUP:
            level_.MouseUp(TMouseButton::Left);
            return 0;
        case WM_RBUTTONUP:
            level_.MouseUp(TMouseButton::Right);
            return 0;
        case WM_KEYDOWN:
            level_.KeyDown(static_cast<int>(wParam));
            return 0;
        case WM_KEYUP:
            return 0;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                level_.AppDeactivated();
            }
            return 0;
        case WM_CLOSE:
            // A level is hidden, never destroyed, while its menu exists.
            level_.CloseLevel();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TMenuWindowWin::Paint(HDC target) {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Drawn off screen and copied in one piece, so a moving highlight does not flicker.
    const TUniqueDc memory(CreateCompatibleDC(target));
    const TUniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target, width, height));
    if (!memory || !bitmap) {
        Trace(L"RdSkinMenu: paint buffer failed: ", GetLastError());
        return;
    }
    HDC dc = memory.get();
    const TScopedSelection selectBitmap(dc, bitmap.get());
    const TMenuPaintPlan plan = level_.PaintPlan();

    {
        const TUniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, plan.FrameColor));
        const TUniqueGdiObject<HBRUSH> brush(CreateSolidBrush(plan.Background));
        const TScopedSelection selectPen(dc, pen.get());
        const TScopedSelection selectBrush(dc, brush.get());
        Rectangle(dc, plan.Frame.Left, plan.Frame.Top, plan.Frame.Right, plan.Frame.Bottom);
    }
    DrawLine(dc, plan.ColumnFrom, plan.ColumnTo, plan.SeparatorColor);

    if (plan.Highlight) {
        const TRect& rect = plan.HighlightRect;
        if (plan.RoundedHighlight) {
            const TUniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, plan.HighlightColor));
            const TUniqueGdiObject<HBRUSH> brush(CreateSolidBrush(plan.HighlightBack));
            const TScopedSelection selectPen(dc, pen.get());
            const TScopedSelection selectBrush(dc, brush.get());
            RoundRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom, 2, 2);
            FillSolid(dc, rect.Inflate(-2, -2), plan.HighlightColor);
        } else {
            FillSolid(dc, rect, plan.HighlightColor);
        }
    }

    SetBkMode(dc, TRANSPARENT);
    for (const TMenuItemPaint& item : plan.Items) {
        PaintItem(dc, item);
    }
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

void TMenuWindowWin::PaintItem(HDC dc, const TMenuItemPaint& item) {
    if (item.Separator) {
        DrawLine(dc, item.LineFrom, item.LineTo, level_.Menu().ColorSeparator);
        return;
    }
    const TRdSkinMenu& menu = level_.Menu();
    switch (item.Glyph) {
        case TMenuGlyphKind::Image:
            DrawImage(dc, item.ImageIndex, item.GlyphAt, item.GlyphBackground, item.Gray);
            break;
        case TMenuGlyphKind::Check:
            DrawGlyph(dc, menu.PictureCheck.Empty() ? BuiltInGlyph(TSkinGlyph::Check) : menu.PictureCheck, item.GlyphAt,
                      item.GlyphBackground, item.Gray, menu.ImageSize());
            break;
        case TMenuGlyphKind::Radio:
            DrawGlyph(dc, menu.PictureRadio.Empty() ? BuiltInGlyph(TSkinGlyph::Radio) : menu.PictureRadio, item.GlyphAt,
                      item.GlyphBackground, item.Gray, menu.ImageSize());
            break;
        case TMenuGlyphKind::None:
            break;
    }
    if (item.Arrow) {
        DrawGlyph(dc, menu.PictureArrow.Empty() ? BuiltInGlyph(TSkinGlyph::Arrow) : menu.PictureArrow, item.ArrowAt,
                  item.GlyphBackground, item.Gray, kMenuDefaultImageSize);  // the arrow's 16 x 16 square
    }

    TFont font = item.Font == TMenuFontRole::HighLight  ? menu.FontHighLight
                 : item.Font == TMenuFontRole::Disabled ? menu.FontDisabled
                                                        : menu.FontNormal;
    font.Bold = item.Bold;
    const TScopedSelection selectFont(dc, platform_.Font(font));
    SetTextColor(dc, font.Color);
    RECT rect = ToRect(item.TextRect);
    // Without DT_NOPREFIX "&" underlines the character after it.
    DrawTextW(dc, item.Caption.c_str(), static_cast<int>(item.Caption.size()), &rect,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

void TMenuWindowWin::DrawGlyph(HDC dc, const TPicture& picture, TPoint at, TColor background, bool gray, TSize limit) {
    if (picture.Empty()) {
        return;
    }
    BlitKeyed(dc, ComposeGlyph(picture, background, gray), picture.Width, picture.Height, at,
              GlyphTransparentColor(background, gray), limit);
}

void TMenuWindowWin::DrawImage(HDC dc, int index, TPoint at, TColor background, bool gray) {
    const TRdSkinMenu& menu = level_.Menu();
    HIMAGELIST images = menu.Images;
    if (images == nullptr || index < 0 || index >= ImageList_GetImageCount(images)) {
        return;
    }
    const TSize size = platform_.ImageSize(menu.Images);
    TDibSection dib(dc, size.Width, size.Height);
    const TUniqueDc source(CreateCompatibleDC(dc));
    if (!dib.Ok() || !source) {
        return;
    }
    dib.Write(std::vector<uint32_t>(dib.PixelCount(), DibPixelOf(background)));
    {
        const TScopedSelection select(source.get(), dib.Bitmap());
        ImageList_Draw(images, index, source.get(), 0, 0, ILD_NORMAL);
    }
    std::vector<uint32_t> pixels = dib.Read();
    for (uint32_t& pixel : pixels) {
        pixel &= 0x00FFFFFF;  // the image list may leave alpha behind; the key compares colour only
    }
    if (gray) {
        GrayDibPixels(pixels);
    }
    BlitKeyed(dc, pixels, size.Width, size.Height, at, GlyphTransparentColor(background, gray), size);
}

TSkinMenuPlatformWin::~TSkinMenuPlatformWin() {
    Detach();
}

void TSkinMenuPlatformWin::Attach(TRdSkinMenu& menu) {
    menu_ = &menu;
    if (owner_ != nullptr && IsWindow(owner_)) {
        // A subclass of its own per menu: several menus may watch one owner, and each leaves in any order.
        subclassed_ = SetWindowSubclass(owner_, OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this),
                                        reinterpret_cast<DWORD_PTR>(this)) != FALSE;
        if (!subclassed_) {
            Trace(L"RdSkinMenu: SetWindowSubclass failed: ", GetLastError());
        }
    }
    hook_ = SetWindowsHookExW(WH_KEYBOARD, MenuKeyboardProc, nullptr, GetCurrentThreadId());
    if (hook_ == nullptr) {
        Trace(L"RdSkinMenu: SetWindowsHookExW failed: ", GetLastError());
    }
}

void TSkinMenuPlatformWin::Detach() {
    if (subclassed_) {
        RemoveWindowSubclass(owner_, OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this));
        subclassed_ = false;
    }
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(std::exchange(hook_, nullptr));
    }
    menu_ = nullptr;
}

void TSkinMenuPlatformWin::OwnerClicked() {
    if (menu_ != nullptr) {
        menu_->CloseMenu();
    }
}

void TSkinMenuPlatformWin::OwnerDestroyed() {
    if (subclassed_) {
        RemoveWindowSubclass(owner_, OwnerSubclassProc, reinterpret_cast<UINT_PTR>(this));
        subclassed_ = false;
    }
}

HFONT TSkinMenuPlatformWin::Font(const TFont& font) {
    for (const auto& [description, handle] : fonts_) {
        if (description == font) {
            return handle.get();
        }
    }
    LOGFONTW logFont{};
    logFont.lfHeight = font.Height;
    logFont.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.Italic ? TRUE : FALSE;
    logFont.lfUnderline = font.Underline ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = DEFAULT_QUALITY;
    wcsncpy(logFont.lfFaceName, font.Name.c_str(), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&logFont);
    if (handle == nullptr) {
        Trace(L"RdSkinMenu: CreateFontIndirectW failed: ", font.Name);
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    fonts_.emplace_back(font, TUniqueGdiObject<HFONT>(handle));
    return handle;
}

TSize TSkinMenuPlatformWin::TextExtent(const TFont& font, const std::wstring& text) {
    const TWindowDc screen(nullptr);
    if (screen.Get() == nullptr) {
        return {};
    }
    const TScopedSelection select(screen.Get(), Font(font));
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

TSize TSkinMenuPlatformWin::ImageSize(TImageListHandle images) {
    int width = 0;
    int height = 0;
    if (images == nullptr || !ImageList_GetIconSize(images, &width, &height)) {
        return kMenuDefaultImageSize;
    }
    return {width, height};
}

int TSkinMenuPlatformWin::ImageCount(TImageListHandle images) {
    return images != nullptr ? ImageList_GetImageCount(images) : 0;
}

TRect TSkinMenuPlatformWin::MonitorRect(TPoint point) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromPoint(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

TOwnerAlphaBlend TSkinMenuPlatformWin::OwnerAlphaBlend() {
    TOwnerAlphaBlend result;
    if (owner_ == nullptr || !IsWindow(owner_)) {
        return result;
    }
    result.AlphaBlend = (GetWindowLongPtrW(owner_, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    BYTE alpha = 255;
    DWORD flags = 0;
    if (result.AlphaBlend && GetLayeredWindowAttributes(owner_, nullptr, &alpha, &flags) && (flags & LWA_ALPHA)) {
        result.AlphaBlendValue = alpha;
    }
    return result;
}

void TSkinMenuPlatformWin::FocusOwner() {
    if (owner_ != nullptr && IsWindow(owner_) && IsWindowEnabled(owner_) && IsWindowVisible(owner_)) {
        SetFocus(owner_);
    }
}

void TSkinMenuPlatformWin::RunModalLoop(const std::function<bool()>& done) {
    // Uses no member: a click handler may free the menu, and this platform with it, while the loop runs.
    MSG message;
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the application's own loop must see it too
            return;
        }
        if (got == -1) {
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

std::unique_ptr<ISkinMenuPlatform> CreateSkinMenuPlatform(TWindowHandle owner) {
    return std::make_unique<TSkinMenuPlatformWin>(owner);
}

TRdSkinMenu* CreateRdSkinMenu(TComponent* owner, const std::wstring& name, TWindowHandle ownerWindow) {
    return Create<TRdSkinMenu>(owner, name, CreateSkinMenuPlatform(ownerWindow));
}

}  // namespace tessaline
