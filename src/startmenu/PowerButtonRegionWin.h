#pragma once
// The power button of the start-menu window: the button (a click shuts down), its arrow (hover or click opens the
// skinned menu of the other session actions) and its caption. GUI thread only.

#include <windows.h>

#include <functional>

#include "startmenu/PowerButtonModel.h"

namespace tessaline {

class TForm;
class TImageNote;
class TLabel;
class TRdSkinMenu;

class TPowerButtonRegion {
  public:
    struct TControls {
        TImageNote* Button = nullptr;
        TImageNote* Arrow = nullptr;
        TLabel* Caption = nullptr;
    };
    struct TCalls {
        std::function<void()> HideMenu;  // after a session action of the menu
        // A key the open menu does not use (the keyboard position may move on with it).
        std::function<void(WORD key)> OtherKey;
    };

    // Makes the menu (owned by `form`, named "PopupMenu_Shutdown") and wires the controls.
    TPowerButtonRegion(TForm& form, TControls controls, TCalls calls);

    void Apply(TPowerEvent event);
    bool Marked() const { return model_.Marked(); }
    bool MenuOpen() const;
    void OpenMenu();
    void CloseMenu();
    TRdSkinMenu* Menu() const { return menu_; }

  private:
    TForm& form_;
    TControls controls_;
    TCalls calls_;
    TRdSkinMenu* menu_ = nullptr;
    TPowerButtonModel model_;
};

}  // namespace tessaline
