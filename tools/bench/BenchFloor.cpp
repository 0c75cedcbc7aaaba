#include "BenchFloor.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "controls/Control.h"
#include "controls/GdiText.h"
#include "controls/WinControlWin.h"
#include "system/ShellServices.h"

namespace tessaline::bench {

namespace {

constexpr wchar_t kFloorClass[] = L"TessalineBenchFloor";
constexpr wchar_t kPartClass[] = L"TessalineBenchFloorPart";
// On a floor window or part: the bitmap it paints and the brush of the same pixels for its static texts.
constexpr wchar_t kBitmapProp[] = L"FloorBitmap";
constexpr wchar_t kBrushProp[] = L"FloorBrush";
constexpr wchar_t kTextColorProp[] = L"FloorTextColor";

bool StandardClass(const std::wstring& name) {
    static const std::array<const wchar_t*, 6> kStandard = {WC_TREEVIEWW, WC_EDITW,     WC_STATICW,
                                                            WC_BUTTONW,   WC_COMBOBOXW, WC_SCROLLBARW};
    for (const wchar_t* standard : kStandard) {
        if (_wcsicmp(name.c_str(), standard) == 0) {
            return true;
        }
    }
    return false;
}

// Static texts draw on their host's pixels: the host's brush, aligned to where the text sits.
LRESULT StaticColours(HWND host, HDC dc, HWND text) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropW(text, kTextColorProp))));
    POINT at{0, 0};
    MapWindowPoints(text, host, &at, 1);
    SetBrushOrgEx(dc, -at.x, -at.y, nullptr);
    return reinterpret_cast<LRESULT>(GetPropW(host, kBrushProp));
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            if (auto* bitmap = static_cast<HBITMAP>(GetPropW(window, kBitmapProp)); bitmap != nullptr) {
                HDC source = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(source, bitmap);
                const RECT& r = paint.rcPaint;
                BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left, r.top, SRCCOPY);
                SelectObject(source, old);
                DeleteDC(source);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return StaticColours(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    WNDCLASSW floorClass{};
    floorClass.lpfnWndProc = FloorProc;
    floorClass.hInstance = GetModuleHandleW(nullptr);
    floorClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    floorClass.lpszClassName = kFloorClass;
    RegisterClassW(&floorClass);
    floorClass.lpszClassName = kPartClass;
    RegisterClassW(&floorClass);
}

BOOL CALLBACK CollectWindow(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CopyItems(HWND from, HWND to, HTREEITEM fromParent, HTREEITEM toParent) {
    HTREEITEM item = fromParent == nullptr ? TreeView_GetRoot(from) : TreeView_GetChild(from, fromParent);
    for (; item != nullptr; item = TreeView_GetNextSibling(from, item)) {
        std::array<wchar_t, 520> text{};
        TVITEMW source{};
        source.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
        source.hItem = item;
        source.pszText = text.data();
        source.cchTextMax = static_cast<int>(text.size());
        source.stateMask = TVIS_EXPANDED | TVIS_BOLD | TVIS_SELECTED;
        TreeView_GetItem(from, &source);
        TVINSERTSTRUCTW insert{};
        insert.hParent = toParent == nullptr ? TVI_ROOT : toParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = source.mask;
        insert.item.pszText = text.data();
        insert.item.iImage = source.iImage;
        insert.item.iSelectedImage = source.iSelectedImage;
        insert.item.state = source.state;
        insert.item.stateMask = source.stateMask;
        insert.item.cChildren = TreeView_GetChild(from, item) != nullptr ? 1 : 0;
        HTREEITEM copy = TreeView_InsertItem(to, &insert);
        CopyItems(from, to, item, copy);
        if (TreeView_GetSelection(from) == item) {
            TreeView_SelectItem(to, copy);
        }
    }
}

}  // namespace

TFloorWindow::TFloorWindow(HWND menu, const TControl& form) {
    RegisterClasses();
    RECT client{};
    GetClientRect(menu, &client);
    RECT bounds{};
    GetWindowRect(menu, &bounds);
    window_ = CreateWindowExW(static_cast<DWORD>(GetWindowLongPtrW(menu, GWL_EXSTYLE)), kFloorClass, L"",
                              static_cast<DWORD>(GetWindowLongPtrW(menu, GWL_STYLE)) & ~WS_VISIBLE, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    capture_ = Cut(menu, client);
    SetPropW(window_, kBitmapProp, capture_);
    captureBrush_ = CreatePatternBrush(capture_);
    SetPropW(window_, kBrushProp, captureBrush_);
    clones_[menu] = window_;
    CopyChildren(menu);
    CopyWindowless(form, window_, POINT{0, 0}, menu);
    if (auto focus = clones_.find(GetFocus()); focus != clones_.end()) {
        focus_ = focus->second;
    }
}

TFloorWindow::~TFloorWindow() {
    if (window_ != nullptr) {
        for (const auto& [menu, clone] : clones_) {
            if (clone != window_) {
                RemovePropW(clone, kBitmapProp);
                if (auto* brush = static_cast<HBRUSH>(RemovePropW(clone, kBrushProp)); brush != nullptr) {
                    DeleteObject(brush);
                }
            }
        }
        DestroyWindow(window_);  // the statics go with it, before their bitmaps
    }
    for (HBITMAP picture : pictures_) {
        DeleteObject(picture);
    }
    DeleteObject(captureBrush_);
    DeleteObject(capture_);
}

HBITMAP TFloorWindow::Cut(HWND menuHost, const RECT& rect) const {
    HDC screen = GetDC(menuHost);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right - rect.left, rect.bottom - rect.top);
    HGDIOBJ old = SelectObject(target, bitmap);
    BitBlt(target, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(target, old);
    DeleteDC(target);
    ReleaseDC(menuHost, screen);
    return bitmap;
}

void TFloorWindow::CopyChildren(HWND menu) {
    // Every descendant, parents before children and each parent's children from the top of their order down;
    // a new child goes to the bottom of its siblings, so creating them in this order keeps the order.
    std::vector<HWND> windows;
    EnumChildWindows(menu, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND child : windows) {
        auto parent = clones_.find(GetParent(child));
        if (parent == clones_.end()) {
            continue;  // a window another part owns (a tooltip): not part of what shows
        }
        std::array<wchar_t, 64> className{};
        GetClassNameW(child, className.data(), static_cast<int>(className.size()));
        const bool standard = StandardClass(className.data());
        const RECT r = RectInParent(child);
        HWND clone = CreateWindowExW(
            static_cast<DWORD>(GetWindowLongPtrW(child, GWL_EXSTYLE)), standard ? className.data() : kPartClass,
            WindowText(child).c_str(), static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE)), r.left, r.top,
            r.right - r.left, r.bottom - r.top, parent->second,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(child))), GetModuleHandleW(nullptr), nullptr);
        if (clone == nullptr) {
            continue;
        }
        clones_[child] = clone;
        SendMessageW(clone, WM_SETFONT, SendMessageW(child, WM_GETFONT, 0, 0), FALSE);
        if (_wcsicmp(className.data(), WC_TREEVIEWW) == 0) {
            CopyTree(child, clone);
        } else if (!standard) {
            RECT client{};
            GetClientRect(child, &client);
            HBITMAP picture = Cut(child, client);
            pictures_.push_back(picture);
            SetPropW(clone, kBitmapProp, picture);
            SetPropW(clone, kBrushProp, CreatePatternBrush(picture));
        }
    }
}

void TFloorWindow::CopyTree(HWND from, HWND to) {
    TreeView_SetImageList(to, TreeView_GetImageList(from, TVSIL_NORMAL), TVSIL_NORMAL);
    TreeView_SetImageList(to, TreeView_GetImageList(from, TVSIL_STATE), TVSIL_STATE);
    TreeView_SetItemHeight(to, TreeView_GetItemHeight(from));
    TreeView_SetIndent(to, TreeView_GetIndent(from));
    TreeView_SetBkColor(to, TreeView_GetBkColor(from));
    TreeView_SetTextColor(to, TreeView_GetTextColor(from));
    CopyItems(from, to, nullptr, nullptr);
}

void TFloorWindow::CopyWindowless(const TControl& control, HWND host, POINT offset, HWND menuHost) {
    for (const TControl* child : control.Controls()) {
        if (!child->Visible()) {
            continue;
        }
        if (child->Windowed()) {
            HWND handle = static_cast<const TWinControl*>(child)->Handle();
            if (auto clone = clones_.find(handle); clone != clones_.end()) {
                CopyWindowless(*child, clone->second, POINT{0, 0}, handle);
            }
            continue;
        }
        const TRect b = child->BoundsRect();
        const RECT r{offset.x + b.Left, offset.y + b.Top, offset.x + b.Right, offset.y + b.Bottom};
        if (r.right <= r.left || r.bottom <= r.top) {
            continue;
        }
        if (!child->Caption().empty()) {
            HWND text = CreateWindowExW(
                0, WC_STATICW, child->Caption().c_str(), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                r.left, r.top, r.right - r.left, r.bottom - r.top, host, nullptr, GetModuleHandleW(nullptr), nullptr);
            SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(child->Font())), FALSE);
            SetPropW(text, kTextColorProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(child->Font().Color)));
            clones_[text] = text;
        } else if (child->Controls().empty()) {
            HBITMAP picture = Cut(menuHost, r);
            pictures_.push_back(picture);
            HWND image =
                CreateWindowExW(0, WC_STATICW, nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, host, nullptr, GetModuleHandleW(nullptr), nullptr);
            SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
            clones_[image] = image;
        }
        CopyWindowless(*child, host, POINT{r.left, r.top}, menuHost);
    }
}

void TFloorWindow::Show() {
    ShowWindow(window_, SW_SHOW);
    ForceForegroundWindow(window_);
    if (focus_ != nullptr) {
        SetFocus(focus_);
        SendMessageW(focus_, EM_SETSEL, 0, 0);
    }
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
    ForceForegroundWindow(window_);
}

void TFloorWindow::Hide() {
    if (GetActiveWindow() == window_) {
        SetActiveWindow(nullptr);
    }
    ShowWindow(window_, SW_HIDE);
}

}  // namespace tessaline::bench
