#pragma once
// The skinned popup menu: a menu-item tree shown in windows of its own (one TRdMenuCtrl per open level) that
// are never activated, stay on top, take the thread's keys while open and close on clicks on the owner window
// or when the application loses activation. The menu's behaviour lives here; the windows, the keyboard hook and
// the owner's subclass come from a platform object (RdSkinMenuWin.h builds the Win32 one). User-interface
// thread only.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "controls/Component.h"
#include "controls/Control.h"
#include "controls/Font.h"
#include "controls/MenuItem.h"
#include "controls/Picture.h"
#include "controls/SkinMenuLayout.h"
#include "controls/SkinMenuPaint.h"

// The platform's handle types, declared as the platform headers declare them.
struct HWND__;
struct _IMAGELIST;

namespace tessaline {

using TWindowHandle = HWND__*;
using TImageListHandle = _IMAGELIST*;

class TRdMenuCtrl;
class TRdSkinMenu;

// The window of one menu level.
class IRdMenuWindow {
  public:
    virtual ~IRdMenuWindow() = default;
    virtual TWindowHandle Handle() const = 0;
    virtual void ApplyStyle(bool layered, uint8_t alpha, bool dropShadow) = 0;
    // At these screen bounds, without activation, then topmost.
    virtual void Show(const TRect& bounds) = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void Repaint() = 0;
};

struct TOwnerAlphaBlend {
    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 255;
};

// What the menu needs from the windowing system.
class ISkinMenuPlatform {
  public:
    virtual ~ISkinMenuPlatform() = default;
    // Starts watching the owner window for clicks (close-menu) and installs the thread keyboard hook that
    // sends keys to the active menu window; Detach undoes both.
    virtual void Attach(TRdSkinMenu& menu) = 0;
    virtual void Detach() = 0;
    virtual TWindowHandle OwnerWindow() const = 0;
    virtual std::unique_ptr<IRdMenuWindow> CreateLevelWindow(TRdMenuCtrl& level) = 0;
    virtual TSize TextExtent(const TFont& font, const std::wstring& text) = 0;
    virtual TSize ImageSize(TImageListHandle images) = 0;
    virtual int ImageCount(TImageListHandle images) = 0;
    // The monitor nearest to the point.
    virtual TRect MonitorRect(TPoint point) = 0;
    virtual bool DropShadowAvailable() = 0;
    virtual TOwnerAlphaBlend OwnerAlphaBlend() = 0;
    // Gives the owner window the focus when it is enabled and visible.
    virtual void FocusOwner() = 0;
    // Dispatches the application's messages one at a time until done() or the application quits.
    virtual void RunModalLoop(const std::function<bool()>& done) = 0;
};

enum class TTrackButton { RightButton, LeftButton };
using TSkinMenuEvent = std::function<void(TRdSkinMenu& sender)>;

class TRdSkinMenu : public TComponent {
  public:
    TRdSkinMenu(TComponent* owner, std::unique_ptr<ISkinMenuPlatform> platform);
    ~TRdSkinMenu() override;

    TMenuItem& Items() { return items_; }
    const TMenuItem& Items() const { return items_; }
    TImageListHandle Images = nullptr;  // borrowed
    // Which button, besides the left one, picks items.
    TTrackButton TrackButton = TTrackButton::RightButton;
    TSkinMenuEvent OnPopup;
    // Fired for each level that the close-menu operation closes.
    TSkinMenuEvent OnHide;
    // A key that reached an open level and picked nothing there (the menu has no arrow-key navigation): the
    // owner may act on it, e.g. move its own keyboard position away from the menu.
    std::function<void(TRdSkinMenu& sender, int virtualKey)> OnOtherKey;

    bool AlphaBlend = false;
    uint8_t AlphaBlendValue = 255;
    bool DropShadow = true;
    // Popup returns only when the root level has closed.
    bool ModalMenu = false;
    bool LightBorder = true;
    TColor ColorBackground = kColorWhite;
    TColor ColorBorder = kColorGray;
    TColor ColorHighLight = RgbColor(166, 202, 240);
    TColor ColorSeparator = kColorSilver;
    TFont FontNormal;
    TFont FontHighLight;
    TFont FontDisabled;
    // Empty pictures use the built-in glyphs.
    TPicture PictureCheck;
    TPicture PictureRadio;
    TPicture PictureArrow;

    // Whether AlphaBlend and AlphaBlendValue equal the owner window's; setting true copies the owner's.
    bool ParentAlphaBlend() const;
    void SetParentAlphaBlend(bool value);

    // Fires OnPopup, then opens the root level at a screen point.
    void Popup(int x, int y);
    // Closes every open level, firing OnHide.
    void CloseMenu();

    TRdMenuCtrl& RootMenu() const { return *root_; }
    // Every level made so far, the root first.
    const std::vector<TRdMenuCtrl*>& MenuWindows() const { return windows_; }
    TWindowHandle OwnerWindowHandle() const { return platform_->OwnerWindow(); }
    ISkinMenuPlatform& Platform() const { return *platform_; }
    TSize ImageSize() const;
    bool HasImages() const;
    // False once the menu is freed: code that resumes after an event handler checks it first.
    std::shared_ptr<const bool> AliveToken() const { return alive_; }

  private:
    friend class TRdMenuCtrl;
    TRdMenuCtrl* NewLevel(TRdMenuCtrl* parent, size_t itemIndex);

    std::unique_ptr<ISkinMenuPlatform> platform_;
    std::shared_ptr<bool> alive_;
    TMenuItem items_{nullptr};
    std::vector<TRdMenuCtrl*> windows_;  // owned through the component tree
    TRdMenuCtrl* root_ = nullptr;
};

// One open level: the children of one item in one window. Owned by the menu.
class TRdMenuCtrl : public TComponent {
  public:
    TRdMenuCtrl(TRdSkinMenu& menu, TRdMenuCtrl* parentWindow, size_t itemIndex, int levelNumber);
    ~TRdMenuCtrl() override;

    TRdSkinMenu& Menu() const { return menu_; }
    // The item whose children this level lists, looked up afresh so that a changed tree never leaves a level
    // pointing at a freed item; nullptr when it is gone.
    TMenuItem* Item() const;
    TRdMenuCtrl* ParentWindow() const { return parent_; }
    int LevelNumber() const { return levelNumber_; }
    bool Closed() const { return closed_; }
    bool Visible() const { return window_->Visible(); }
    IRdMenuWindow& Window() const { return *window_; }
    TWindowHandle Handle() const { return window_->Handle(); }
    const TSkinMenuLayout& Layout() const { return layout_; }
    TRect ScreenBounds() const { return bounds_; }
    int HotIndex() const { return hot_; }
    int OpenIndex() const { return open_; }
    bool PointerOutside() const { return pointerOutside_; }
    // The level of child item `index`, nullptr until it first opened.
    TRdMenuCtrl* Submenu(int index) const;

    // Opens at a screen point; nothing when the item has no children.
    void Open(TPoint at);
    void OpenSubmenu(int index);
    // Closes this level and its submenus; the parent level gets the keys. No OnHide.
    void CloseLevel();
    // Closes this level, its submenus and its parents, firing OnHide for each level.
    void CloseMenu();
    // Runs the item's click event; unless the item has a submenu window the whole menu closes first.
    void ClickItem(int index);

    // Input from the window, in its client coordinates.
    void MouseMove(TPoint point);
    void MouseLeave();
    void MouseUp(TMouseButton button);
    void KeyDown(int virtualKey);
    // The application lost activation.
    void AppDeactivated();

    TMenuPaintPlan PaintPlan() const;

  private:
    void CloseSubmenus();

    TRdSkinMenu& menu_;
    TRdMenuCtrl* parent_;
    size_t itemIndex_;  // in the parent level's item; unused for the root
    int levelNumber_;
    bool closed_ = true;
    std::unique_ptr<IRdMenuWindow> window_;
    TSkinMenuLayout layout_;
    TRect bounds_;
    int hot_ = -1;
    int open_ = -1;
    bool pointerOutside_ = true;
    std::vector<TRdMenuCtrl*> submenus_;  // per child item; owned by the menu
};

// The most recently opened level that has not closed, across all menus of the process; nullptr for none.
TRdMenuCtrl* ActiveMenuWindow();

inline constexpr int kMenuKeyReturn = 0x0D;
inline constexpr int kMenuKeyEscape = 0x1B;

}  // namespace tessaline
