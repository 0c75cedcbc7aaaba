#include "controls/FormWin.h"
#include "base/GuardedCall.h"

#include "controls/RdLabel.h"

#include <windowsx.h>

#include <commctrl.h>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "controls/CursorTableWin.h"
#include "controls/DibSectionWin.h"
#include "controls/GdiText.h"
#include "controls/MouseLeaveWin.h"
#include "controls/WinControlWin.h"

namespace tessaline {
namespace {

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState shift;
    shift.Shift = (keys & MK_SHIFT) != 0;
    shift.Ctrl = (keys & MK_CONTROL) != 0;
    shift.Alt = GetKeyState(VK_MENU) < 0;
    shift.Left = (keys & MK_LBUTTON) != 0;
    shift.Right = (keys & MK_RBUTTON) != 0;
    shift.Middle = (keys & MK_MBUTTON) != 0;
    return shift;
}

TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    return r.Right > r.Left && r.Bottom > r.Top ? r : TRect{};
}

bool RegisterFormClass(const std::wstring& name, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &existing)) {
        return true;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

TForm::TForm(TComponent* owner) : TControl(owner), mouse_(*this) {
    SetBounds(0, 0, 320, 240);
    RegisterForm(this);
}

TForm::~TForm() {
    UnregisterForm(this);
    if (backBrush_ != nullptr) {
        DeleteObject(backBrush_);
    }
    if (handle_ != nullptr) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

bool TForm::CreateHandle() {
    if (handle_ != nullptr) {
        return true;
    }
    if (!RegisterFormClass(WindowClass, &TForm::StaticWndProc)) {
        Trace(L"TForm: RegisterClassExW failed: ", static_cast<int64_t>(GetLastError()));
        return false;
    }
    const TRect b = BoundsRect();
    HWND hwnd = CreateWindowExW(ExStyle, WindowClass.c_str(), Caption().c_str(), Style & ~WS_VISIBLE, b.Left, b.Top,
                                b.Width(), b.Height(), OwnerWindow, nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd == nullptr) {
        Trace(L"TForm: CreateWindowExW failed: ", Name(), L" ", static_cast<int64_t>(GetLastError()));
        return false;
    }
    CreateChildHandles(*this);
    if (Visible()) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
    }
    return true;
}

bool TForm::ForgetDeadHandle() {
    if (handle_ == nullptr || IsWindow(handle_)) {
        return false;
    }
    handle_ = nullptr;
    return true;
}

void TForm::CreateChildHandles(TControl& parent) {
    for (TControl* child : parent.Controls()) {
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
            windowed->CreateHandle(handle_);
        } else {
            CreateChildHandles(*child);
        }
    }
}

TRect TForm::ClientArea() const {
    if (handle_ == nullptr) {
        return ClientRect();
    }
    RECT r{};
    GetClientRect(handle_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void TForm::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    if (handle_ != nullptr && !updatingBounds_) {
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm::SetVisible(bool visible) {
    const bool changed = visible != Visible();
    TControl::SetVisible(visible);
    if (handle_ != nullptr) {
        ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    }
    if (changed && visible && OnShow) {
        OnShow(*this);
    } else if (changed && !visible && OnHide) {
        OnHide(*this);
    }
}

void TForm::SetCaption(const std::wstring& caption) {
    TControl::SetCaption(caption);
    if (handle_ != nullptr) {
        SetWindowTextW(handle_, caption.c_str());
    }
}

void TForm::InvalidateRect(const TRect& rect) {
    if (handle_ != nullptr) {
        const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
        ::InvalidateRect(handle_, &r, FALSE);
    }
}

namespace {

bool LabelsTakeDialogChar(TControl& parent, wchar_t key) {
    for (TControl* child : parent.Controls()) {
        if (auto* label = dynamic_cast<TRdCustomLabel*>(child);
            label != nullptr && label->Visible() && label->DialogChar(key)) {
            return true;
        }
        if (LabelsTakeDialogChar(*child, key)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool TForm::DialogChar(wchar_t key) {
    return LabelsTakeDialogChar(*this, key);
}

void TForm::ControlDestroying(const TControl& control) {
    mouse_.Forget(control);
    if (hintControl_ == &control) {
        hintControl_ = nullptr;
    }
}

void TForm::PaintControls(TControl& parent, TPixelCanvas& canvas, const TRect& clip) {
    for (TControl* child : parent.Controls()) {
        if (child->Windowed() || !child->Visible()) {
            continue;
        }
        const TRect rect = child->RectInForm();
        const TRect childClip = Intersect(rect, clip);
        if (childClip.Width() <= 0) {
            continue;
        }
        canvas.SetOrigin({rect.Left, rect.Top});
        canvas.SetClip(childClip);
        child->Paint(canvas);
        PaintControls(*child, canvas, childClip);
    }
}

void TForm::PaintClient(TPixelBuffer& buffer, ITextRenderer* text) {
    TPixelCanvas canvas(buffer, text);
    canvas.SetOnGlass(Glass);
    const TRect client{0, 0, buffer.Width(), buffer.Height()};
    canvas.SetFont(Font());
    if (OnPaintBackground) {
        OnPaintBackground(canvas, client);
    } else if (ClearBrush) {
        // The buffer already holds what lies under the window (PaintToDC).
    } else {
        canvas.FillRect(client, Color() != kColorNone ? Color() : GetSysColor(COLOR_BTNFACE));
    }
    PaintControls(*this, canvas, client);
}

void TForm::PaintToDC(HDC dc, const RECT& area) {
    RECT client{};
    GetClientRect(handle_, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        return;
    }
    TDibSection dib(dc, width, height);
    const TUniqueDc memory(CreateCompatibleDC(dc));
    if (!memory || !dib.Ok()) {
        Trace(L"TForm: no paint buffer for ", Name());
        return;
    }
    const TScopedSelection selection(memory.get(), dib.Bitmap());
    if (ClearBrush) {
        BitBlt(memory.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    }
    {
        TPixelBuffer buffer(width, height, dib.Bits());
        TGdiTextRenderer text(memory.get());
        PaintClient(buffer, &text);
        GdiFlush();
    }
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left, area.top,
           SRCCOPY);
}

void TForm::UpdateHint(const MSG& relayed) {
    const TControl* control = mouse_.Hovered();
    const bool wanted = control != nullptr && control->ShowHint() && !control->Hint().empty();
    if (!wanted && tooltip_ == nullptr) {
        return;
    }
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (tooltip_ == nullptr) {
            return;
        }
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = handle_;
    tool.uId = 1;
    if (control != hintControl_ || (wanted && control->Hint() != hintText_)) {
        SendMessageW(tooltip_, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tool));
        hintControl_ = wanted ? control : nullptr;
        hintText_ = wanted ? control->Hint() : std::wstring();
        if (wanted) {
            const TRect r = control->RectInForm();
            tool.uFlags = TTF_SUBCLASS;
            tool.rect = {r.Left, r.Top, r.Right, r.Bottom};
            tool.lpszText = hintText_.data();
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool TForm::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const TPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const TShiftState shift = ShiftFromKeys(wParam);
    switch (message) {
        case WM_MOUSEMOVE:
            TrackMouseLeave(handle_, trackingLeave_);
            mouse_.Move(point, shift);
            UpdateHint(MSG{handle_, message, wParam, lParam, 0, {point.X, point.Y}});
            return true;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            mouse_.Leave();
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const TMouseButton button = message == WM_LBUTTONDOWN   ? TMouseButton::Left
                                        : message == WM_RBUTTONDOWN ? TMouseButton::Right
                                                                    : TMouseButton::Middle;
            if (mouse_.ControlAt(point) != nullptr) {
                SetCapture(handle_);
            }
            mouse_.Down(button, point, shift);
            return true;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const TMouseButton button = message == WM_LBUTTONUP   ? TMouseButton::Left
                                        : message == WM_RBUTTONUP ? TMouseButton::Right
                                                                  : TMouseButton::Middle;
            if (GetCapture() == handle_) {
                releasingCapture_ = true;
                ReleaseCapture();
                releasingCapture_ = false;
            }
            mouse_.Up(button, point, shift);
            return true;
        }
        case WM_CAPTURECHANGED:
            // Taken by another window: no release will come, and a control left captured would keep the hover
            // where it is for good (no leave, no enter) until the next press.
            if (!releasingCapture_ && reinterpret_cast<HWND>(lParam) != handle_) {
                mouse_.CaptureLost();
            }
            return false;
        case WM_LBUTTONDBLCLK:
            mouse_.DoubleClick(point);
            return true;
        default:
            return false;
    }
}

LRESULT TForm::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnMessage) {
        LRESULT result = 0;
        if (OnMessage(message, wParam, lParam, result)) {
            return result;
        }
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(handle_, &ps);
            PaintToDC(dc, ps.rcPaint);
            EndPaint(handle_, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(handle_, &client);
            PaintToDC(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_SYSCHAR:
            if (DialogChar(static_cast<wchar_t>(wParam))) {
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == handle_) {
                if (TControl* control = mouse_.Hovered(); control != nullptr && control->Cursor != TCursor::Default) {
                    SetCursor(CursorHandle(control->Cursor));
                    return TRUE;
                }
            }
            break;
        case WM_CTLCOLORSTATIC: {
            // Check boxes, radio buttons and read-only edits sit on the form's own colour.
            const TColor back = Color() != kColorNone ? Color() : GetSysColor(COLOR_BTNFACE);
            if (backBrush_ == nullptr || backBrushColor_ != back) {
                if (backBrush_ != nullptr) {
                    DeleteObject(backBrush_);
                }
                backBrush_ = CreateSolidBrush(back);
                backBrushColor_ = back;
            }
            SetBkColor(reinterpret_cast<HDC>(wParam), back);
            return reinterpret_cast<LRESULT>(backBrush_);
        }
        case WM_COMMAND:
            if (auto* control = TWinControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
                LRESULT result = 0;
                if (control->Command(HIWORD(wParam), result)) {
                    return result;
                }
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (auto* control = header != nullptr ? TWinControl::FromHandle(header->hwndFrom) : nullptr) {
                LRESULT result = 0;
                if (control->Notify(*header, result)) {
                    return result;
                }
            }
            break;
        }
        case WM_WINDOWPOSCHANGED: {
            RECT r{};
            GetWindowRect(handle_, &r);
            updatingBounds_ = true;
            TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
            updatingBounds_ = false;
            break;
        }
        case WM_CLOSE:
            if (OnClose) {
                OnClose(*this);
                return 0;
            }
            Hide();
            return 0;
        default:
            if (HandleMouse(message, wParam, lParam)) {
                return 0;
            }
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // Bind the object first: the window sends more messages before CreateWindowExW returns.
        auto* created = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->handle_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        form->handle_ = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return Guarded(
        L"TForm", reinterpret_cast<uintptr_t>(hwnd), message, [&] { return form->WndProc(message, wParam, lParam); },
        [&] { return DefWindowProcW(hwnd, message, wParam, lParam); });
}

}  // namespace tessaline
