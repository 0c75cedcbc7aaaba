#pragma once
// A form: a real top-level window holding a tree of controls. It paints its windowless controls itself (into a
// 32-bit buffer with per-pixel alpha, in declaration order), routes the mouse to them, and parents the windows
// of its windowed controls. Forms register with the language walk while they exist. UI thread only.

#include <windows.h>

#include <functional>
#include <memory>

#include "controls/Control.h"
#include "controls/MouseRouter.h"
#include "controls/PixelCanvas.h"

namespace tessaline {

class TForm : public TControl {
  public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TComponentKind Kind() const override { return TComponentKind::Form; }

    // An accelerator key (Alt with a character, WM_SYSCHAR), wherever the focus is in the form: the first label
    // whose caption marks it moves the focus to its focus control. True when one did.
    bool DialogChar(wchar_t key);

    // Window shape, read when the window is created.
    DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    DWORD ExStyle = 0;
    HWND OwnerWindow = nullptr;
    std::wstring WindowClass = L"TessalineForm";
    // A clear brush: no background of its own; the controls are painted over whatever the window's area
    // already shows (a window placed over another one, whose picture shows through around the controls).
    bool ClearBrush = false;
    // The window's client area is glass (the desktop composes it with the frame): its controls paint knowing so.
    bool Glass = false;

    // Creates the window (bounds = window rectangle in screen coordinates) and those of the windowed controls.
    bool CreateHandle();
    HWND Handle() const { return handle_; }
    // A child of another process's window goes with that window when its process ends, and this thread may not
    // be told (Wine frees it without a WM_NCDESTROY here): true when the window was gone and is forgotten, so
    // that CreateHandle makes a new one. For forms of windowless controls only (their windowed ones would keep
    // their dead handles).
    bool ForgetDeadHandle();
    TRect ClientArea() const;

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetCaption(const std::wstring& caption) override;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    void InvalidateRect(const TRect& rect) override;
    void ControlDestroying(const TControl& control) override;
    TMouseRouter& Mouse() { return mouse_; }
    // The tooltip window that shows the hovered windowless control's hint (null until a hint was needed).
    HWND HintWindow() const { return tooltip_; }

    // Paints the client area: the background (OnPaintBackground, else Color, else the button face) and then
    // every visible windowless control. Used for WM_PAINT, WM_PRINTCLIENT and by tests.
    void PaintClient(TPixelBuffer& buffer, ITextRenderer* text);
    void PaintToDC(HDC dc, const RECT& area);

    std::function<void(ICanvas& canvas, const TRect& client)> OnPaintBackground;
    // Runs first for every message; returning true means handled with the given result.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnClose;

  protected:
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateChildHandles(TControl& parent);
    void PaintControls(TControl& parent, TPixelCanvas& canvas, const TRect& clip);
    void UpdateHint(const MSG& relayed);

    HWND handle_ = nullptr;
    TMouseRouter mouse_;
    bool trackingLeave_ = false;
    bool releasingCapture_ = false;  // our own release, not one taken by another window
    bool updatingBounds_ = false;
    HWND tooltip_ = nullptr;  // hints of the windowless controls
    const TControl* hintControl_ = nullptr;
    std::wstring hintText_;
    HBRUSH backBrush_ = nullptr;  // behind check boxes and read-only edits
    TColor backBrushColor_ = kColorNone;
};

}  // namespace tessaline
