#pragma once
// The Start button: a 54 x 54 picture window that docks into the taskbar, follows the mouse with its three
// pictures (from a complete skin or the built-in ones), opens and closes the start menu, and carries the
// options menu. Docking and undocking (Create_ParentWindow, RestoreTaskbar) are in ParentWindowWin.cpp.
// GUI thread only.

#include <windows.h>

#include <functional>
#include <string>

#include "app/StartButtonSkin.h"
#include "base/Geometry.h"
#include "controls/FormDescription.h"
#include "controls/FormWin.h"

namespace tessaline {

class TImageNote;
class TMenuItem;
class TPopupMenu;
class TTimer;

class TfrmStartMenu : public TForm {
  public:
    explicit TfrmStartMenu(TComponent* owner);

    // Builds the components, reads the skin and translates the window; the window itself stays hidden
    // until Create_ParentWindow.
    bool Create();

    void LoadButtonSkin();
    // The settings dialog's OK: the chosen skin, without reading Main.ini.
    void ApplySkin(const std::wstring& skinName);
    void UpdateButtonPicture(bool repaint);
    void RedrawButtonArea();
    void ToggleStartMenu();

    // Puts the button into this taskbar: at start-up, and again into each new taskbar.
    void Create_ParentWindow(HWND taskbar);
    // Gives the taskbar's band its room back; with terminate the program ends.
    void RestoreTaskbar(bool terminate);
    // The button moves to a new taskbar: the one it was in gets its band's room back, if it is still there; the
    // keyboard hook and the helpers stay.
    void LeaveTaskbar();
    // The window, made again when it went with the taskbar it was a child of. False when it cannot be made.
    bool EnsureWindow();

    bool MouseOver() const { return mouseOver_; }
    bool SkinComplete() const { return skinComplete_; }
    const std::wstring& SkinName() const { return skinName_; }
    const std::wstring& SkinFolder() const { return skinFolder_; }
    HWND TaskbarWindow() const { return taskbar_; }
    HWND BandWindow() const { return band_; }
    int BandOffset() const { return bandOffset_; }

    // "Customize User Interface": shows the settings dialog, when the program has one.
    std::function<void()> OnShowSettings;

    TImageNote* ImageNote_Button = nullptr;
    TImageNote* ImageNote_Default = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TTimer* Timer1 = nullptr;
    TMenuItem* Menu_startup = nullptr;
    TMenuItem* Menu_SkipMetro = nullptr;
    TMenuItem* Menu_StartButtonSkin = nullptr;
    TMenuItem* Menu_cornersMetrol = nullptr;
    TMenuItem* Menu_cornersSidebar = nullptr;
    TMenuItem* Menu_Exit = nullptr;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ShowPicture(TButtonPictureState state);
    void ImageNote_ButtonMouseDown(TMouseButton button);
    void ImageNote_ButtonMouseUp(TMouseButton button);
    void ImageNote_ButtonMouseEnter();
    void ImageNote_ButtonMouseLeave();
    void PopupMenu1Popup();
    void ToggleOption(TMenuItem& item);
    void WMShowToggle();
    void WMStartMenuRef();
    void Timer1Timer();
    void WindowMade();
    // RestoreTaskbar's steps for the band: the taskbar side told, the band moved back and repainted.
    void GiveBandItsRoomBack();
    void MoveBandBack();

    bool mouseOver_ = false;
    // Whether the menu showed when the current click began (WM_MOUSEACTIVATE comes before the button-down).
    bool menuShownAtPress_ = false;
    std::wstring skinFolder_;
    std::wstring skinName_;
    bool skinComplete_ = false;
    // Found at docking; the rectangles are screen rectangles taken at docking and again at undocking.
    HWND taskbar_ = nullptr;
    HWND band_ = nullptr;
    TRect taskbarRect_;
    TRect bandRect_;
    int bandOffset_ = 0;
    // The band's offset as found at the last docking.
    int dockedBandOffset_ = 0;
};

extern TfrmStartMenu* frmStartMenu;

// The Start button window's components, as BuildForm takes them.
const TFormDescription& StartButtonFormDescription();

}  // namespace tessaline
