#pragma once
// A standard popup menu (the system's own menu window, TrackPopupMenu) over a tree of TMenuItem components.
// The items are components of the form (so the language walk finds them by name) placed under Items.
// UI thread only.

#include <windows.h>

#include "controls/MenuItem.h"

namespace tessaline {

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem& Items() { return *items_; }
    std::function<void(TPopupMenu& sender)> OnPopup;

    // Shows the menu at (x, y) in screen coordinates for ownerWindow and runs the chosen item's OnClick.
    // Returns the chosen item, or nullptr when the menu was dismissed.
    TMenuItem* Popup(int x, int y, HWND ownerWindow);

    // The menu as the system builds it: visible items in order, separators, checks, disabled and default
    // items, submenus. Command identifiers count from 1 in that order. The caller destroys the menu.
    HMENU BuildMenu();
    // The item a command identifier of the last BuildMenu stands for.
    TMenuItem* ItemForCommand(UINT command) const;

  private:
    void Append(HMENU menu, TMenuItem& parent);

    TMenuItem* items_;
    std::vector<TMenuItem*> commands_;  // index + 1 = command identifier
};

}  // namespace tessaline
