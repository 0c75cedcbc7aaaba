#include "controls/WinControlWin.h"
#include "base/GuardedCall.h"

#include "controls/FormWin.h"

#include "base/Trace.h"
#include "controls/GdiText.h"
#include "controls/MouseLeaveWin.h"

namespace tessaline {

namespace {

constexpr UINT_PTR kSubclassId = 0x7E55;
// A named window property rather than GWLP_USERDATA: notifications also come from windows the common
// controls create themselves (tooltips, in-place edits), whose user data is not ours to read.
constexpr wchar_t kControlProperty[] = L"TessalineControl";

TShiftState KeyShift() {
    TShiftState shift;
    shift.Shift = GetKeyState(VK_SHIFT) < 0;
    shift.Ctrl = GetKeyState(VK_CONTROL) < 0;
    shift.Alt = GetKeyState(VK_MENU) < 0;
    return shift;
}

TShiftState MouseShift(WPARAM keys) {
    TShiftState shift = KeyShift();
    shift.Left = (keys & MK_LBUTTON) != 0;
    shift.Right = (keys & MK_RBUTTON) != 0;
    shift.Middle = (keys & MK_MBUTTON) != 0;
    return shift;
}

}  // namespace

TWinControl::~TWinControl() {
    if (handle_ != nullptr) {
        RemoveWindowSubclass(handle_, &TWinControl::SubclassProc, kSubclassId);
        RemovePropW(handle_, kControlProperty);
        DestroyWindow(handle_);
    }
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window != nullptr ? static_cast<TWinControl*>(GetPropW(window, kControlProperty)) : nullptr;
}

bool TWinControl::CreateHandle(HWND parentWindow) {
    if (handle_ != nullptr) {
        return true;
    }
    const TRect r = RectInForm();
    DWORD style = WindowStyle();
    if (Visible()) {
        style |= WS_VISIBLE;
    }
    if (!Enabled()) {
        style |= WS_DISABLED;
    }
    handle_ = CreateWindowExW(WindowExStyle(), WindowClassName(), Caption().c_str(), style, r.Left, r.Top, r.Width(),
                              WindowHeight(), parentWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (handle_ == nullptr) {
        Trace(L"TWinControl: CreateWindowExW failed: ", Name(), L" ", static_cast<int64_t>(GetLastError()));
        return false;
    }
    SetPropW(handle_, kControlProperty, this);
    SetWindowSubclass(handle_, &TWinControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), FALSE);
    HandleCreated();
    return true;
}

bool TWinControl::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
        case WM_MOUSEMOVE:
            TrackMouseLeave(handle_, trackingLeave_);
            if (!hovered_) {
                hovered_ = true;
                MouseEnter();
            }
            MouseMove(MouseShift(wParam), x, y);
            break;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            if (hovered_) {
                hovered_ = false;
                MouseLeave();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            MouseDown(message == WM_LBUTTONDOWN ? TMouseButton::Left : TMouseButton::Right, MouseShift(wParam), x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            MouseUp(message == WM_LBUTTONUP ? TMouseButton::Left : TMouseButton::Right, MouseShift(wParam), x, y);
            break;
        case WM_KEYDOWN:
            if (OnKeyDown && OnKeyDown(*this, static_cast<WORD>(wParam), KeyShift())) {
                result = 0;
                return true;
            }
            break;
        case WM_SYSCHAR:
            // The focused window gets Alt with a character; its form's labels may take it as an accelerator.
            for (TControl* up = Parent(); up != nullptr; up = up->Parent()) {
                if (auto* form = dynamic_cast<TForm*>(up)) {
                    if (form->DialogChar(static_cast<wchar_t>(wParam))) {
                        result = 0;
                        return true;
                    }
                    break;
                }
            }
            break;
        case WM_SETFOCUS:
            if (OnEnter) {
                OnEnter(*this);
            }
            break;
        case WM_KILLFOCUS:
            if (OnExit) {
                OnExit(*this);
            }
            break;
        default:
            break;
    }
    return false;
}

LRESULT CALLBACK
TWinControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR data) {
    auto* control = reinterpret_cast<TWinControl*>(data);
    LRESULT result = 0;
    const bool handled = Guarded(
        L"TWinControl", reinterpret_cast<uintptr_t>(hwnd), message,
        [&] {
            return control != nullptr && control->handle_ == hwnd &&
                   control->WindowMessage(message, wParam, lParam, result);
        },
        [] { return false; });
    return handled ? result : DefSubclassProc(hwnd, message, wParam, lParam);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    if (handle_ != nullptr) {
        const TRect r = RectInForm();
        SetWindowPos(handle_, nullptr, r.Left, r.Top, r.Width(), WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    if (handle_ != nullptr) {
        ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (handle_ != nullptr) {
        EnableWindow(handle_, enabled);
    }
}

void TWinControl::SetCaption(const std::wstring& caption) {
    TControl::SetCaption(caption);
    if (handle_ == nullptr) {
        return;
    }
    // Setting an edit box's text to what it holds would still send a change notification.
    const int length = GetWindowTextLengthW(handle_);
    std::wstring current(static_cast<size_t>(length) + 1, L'\0');
    current.resize(static_cast<size_t>(GetWindowTextW(handle_, current.data(), length + 1)));
    if (current != caption) {
        SetWindowTextW(handle_, caption.c_str());
    }
}

void TWinControl::SetFocus() {
    if (handle_ != nullptr) {
        ::SetFocus(handle_);
    }
}

void TWinControl::FontChanged() {
    if (handle_ != nullptr) {
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), TRUE);
    }
}

std::wstring TEdit::Text() const {
    if (Handle() == nullptr) {
        return Caption();
    }
    const int length = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Handle(), text.data(), length + 1)));
    return text;
}

bool TEdit::Command(WORD code, LRESULT& /*result*/) {
    if (code != EN_CHANGE) {
        return false;
    }
    // Keep the caption in step with what the user typed, without writing it back to the window.
    const std::wstring text = Text();
    TControl::SetCaption(text);
    if (OnChange) {
        OnChange(*this);
    }
    return true;
}

bool TButton::Command(WORD code, LRESULT& /*result*/) {
    if (code != BN_CLICKED) {
        return false;
    }
    Click();
    return true;
}

bool TCheckBox::Checked() const {
    if (Handle() == nullptr) {
        return checked_;
    }
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (Handle() != nullptr) {
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void TCheckBox::HandleCreated() {
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::Command(WORD code, LRESULT& result) {
    if (code == BN_CLICKED) {
        checked_ = Checked();
    }
    return TButton::Command(code, result);
}

void TGroupBox::Paint(ICanvas& canvas) {
    canvas.SetFont(Font());
    TRect measure{0, 0, Width(), Height()};
    canvas.DrawText(Caption().empty() ? L" " : Caption(), measure, kDtCalcRect | kDtSingleLine, Font().Color);
    const int textHeight = measure.Height();
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW);
    const TColor light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // The etched frame starts at the middle of the caption's line.
    const TRect frame{0, textHeight / 2, Width() - 1, Height() - 1};
    canvas.FrameRect(frame, shadow);
    canvas.FrameRect(frame.Offset(1, 1), light);
    if (!Caption().empty()) {
        TRect text{8, 0, 8 + measure.Width() + 4, textHeight};
        const TColor back =
            Parent() != nullptr && Parent()->Color() != kColorNone ? Parent()->Color() : GetSysColor(COLOR_BTNFACE);
        canvas.FillRect(text, back);
        text = text.Offset(2, 0);
        canvas.DrawText(Caption(), text, kDtSingleLine | kDtLeft,
                        Enabled() ? Font().Color : GetSysColor(COLOR_GRAYTEXT));
    }
}

void TComboBox::AddItem(const std::wstring& text) {
    items_.push_back(text);
    if (Handle() != nullptr) {
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TComboBox::ClearItems() {
    items_.clear();
    itemIndex_ = -1;
    if (Handle() != nullptr) {
        SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    }
}

void TComboBox::SetItemText(size_t index, const std::wstring& text) {
    if (index >= items_.size()) {
        return;
    }
    items_[index] = text;
    if (Handle() != nullptr) {
        const int selected = ItemIndex();
        SendMessageW(Handle(), CB_DELETESTRING, index, 0);
        SendMessageW(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
}

int TComboBox::ItemIndex() const {
    if (Handle() == nullptr) {
        return itemIndex_;
    }
    return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && static_cast<size_t>(index) < items_.size() ? index : -1;
    if (Handle() != nullptr) {
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    }
}

void TComboBox::HandleCreated() {
    for (const std::wstring& item : items_) {
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

bool TComboBox::Command(WORD code, LRESULT& /*result*/) {
    if (code != CBN_SELCHANGE) {
        return false;
    }
    itemIndex_ = ItemIndex();
    if (OnChange) {
        OnChange(*this);
    }
    return true;
}

}  // namespace tessaline
