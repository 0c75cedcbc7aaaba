#pragma once
// Windowed controls: each wraps a real child window of a common control class, created when its form's window
// is. Properties set before that are applied at creation; later changes go straight to the window. The window
// keeps a pointer to its object in a window property, through which the form hands on the notifications it
// receives; a subclass turns the window's mouse, key and focus messages into the control's events.
// UI thread only.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/Control.h"

namespace tessaline {

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner) : TControl(owner) {}
    ~TWinControl() override;

    bool Windowed() const override { return true; }
    HWND Handle() const { return handle_; }
    // Creates the window under parentWindow (the form's client area; bounds are relative to it).
    virtual bool CreateHandle(HWND parentWindow);

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetCaption(const std::wstring& caption) override;
    void SetFocus();

    // Keys sent to this control's window; returning true swallows the key.
    std::function<bool(TWinControl& sender, WORD key, TShiftState shift)> OnKeyDown;
    TNotifyEvent OnEnter;  // the window got the focus
    TNotifyEvent OnExit;   // and lost it

    // WM_COMMAND and WM_NOTIFY from this control's window, handed on by the form.
    virtual bool Command(WORD /*code*/, LRESULT& /*result*/) { return false; }
    virtual bool Notify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    static TWinControl* FromHandle(HWND window);

  protected:
    virtual const wchar_t* WindowClassName() const = 0;
    virtual DWORD WindowStyle() const { return WS_CHILD | WS_TABSTOP; }
    virtual DWORD WindowExStyle() const { return 0; }
    virtual int WindowHeight() const { return Height(); }
    // After the window exists: apply the properties kept until then.
    virtual void HandleCreated() {}
    // Messages of the control's own window, before the control's procedure; true = handled with result.
    // The default turns mouse, key and focus messages into the control's events.
    virtual bool WindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void FontChanged() override;
    void TextChanged() override {}

  private:
    static LRESULT CALLBACK
    SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    HWND handle_ = nullptr;
    bool trackingLeave_ = false;
    bool hovered_ = false;
};

class TEdit : public TWinControl {
  public:
    explicit TEdit(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 121, 21); }
    // The window's text (the caption follows every change the user makes).
    std::wstring Text() const;
    void SetText(const std::wstring& text) { SetCaption(text); }
    TNotifyEvent OnChange;
    bool Command(WORD code, LRESULT& result) override;

  protected:
    const wchar_t* WindowClassName() const override { return L"EDIT"; }
    DWORD WindowStyle() const override { return WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL; }
    DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
};

class TButton : public TWinControl {
  public:
    explicit TButton(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 75, 25); }
    TComponentKind Kind() const override { return TComponentKind::Button; }
    bool Command(WORD code, LRESULT& result) override;

  protected:
    const wchar_t* WindowClassName() const override { return L"BUTTON"; }
    DWORD WindowStyle() const override { return WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON; }
};

class TCheckBox : public TButton {
  public:
    explicit TCheckBox(TComponent* owner) : TButton(owner) { SetBounds(0, 0, 97, 17); }
    bool Checked() const;
    void SetChecked(bool checked);
    bool Command(WORD code, LRESULT& result) override;

  protected:
    DWORD WindowStyle() const override { return WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX; }
    void HandleCreated() override;

  private:
    bool checked_ = false;
};

// A frame with a caption around related controls, drawn by its form like the other windowless controls (a
// BUTTON group box cannot show what its form paints under it).
class TGroupBox : public TControl {
  public:
    explicit TGroupBox(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 185, 105); }
    TComponentKind Kind() const override { return TComponentKind::Button; }
    void Paint(ICanvas& canvas) override;
};

class TComboBox : public TWinControl {
  public:
    explicit TComboBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 145, 21); }
    TComponentKind Kind() const override { return TComponentKind::ComboBox; }

    void AddItem(const std::wstring& text);
    void ClearItems();
    size_t ItemCount() const override { return items_.size(); }
    std::wstring ItemText(size_t index) const override { return index < items_.size() ? items_[index] : L""; }
    // Replaces an entry's text and keeps the selection.
    void SetItemText(size_t index, const std::wstring& text) override;
    int ItemIndex() const;
    void SetItemIndex(int index);
    TNotifyEvent OnChange;
    bool Command(WORD code, LRESULT& result) override;

  protected:
    const wchar_t* WindowClassName() const override { return L"COMBOBOX"; }
    DWORD WindowStyle() const override { return WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; }
    // The window's height includes the drop-down list; the control's own height is the closed box.
    int WindowHeight() const override { return Height() + 200; }
    void HandleCreated() override;

  private:
    std::vector<std::wstring> items_;
    int itemIndex_ = -1;
};

}  // namespace tessaline
