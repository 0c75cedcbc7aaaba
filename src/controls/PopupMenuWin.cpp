#include "controls/PopupMenuWin.h"

#include "base/Trace.h"

namespace tessaline {

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() {
    delete items_;
}

void TPopupMenu::Append(HMENU menu, TMenuItem& parent) {
    for (size_t i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        if (!item.Visible) {
            continue;
        }
        if (item.IsLine()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item.Enabled ? MF_ENABLED : MF_GRAYED;
        flags |= item.Checked ? MF_CHECKED : MF_UNCHECKED;
        if (item.Count() > 0) {
            HMENU submenu = CreatePopupMenu();
            Append(submenu, item);
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), item.Caption().c_str());
            continue;
        }
        commands_.push_back(&item);
        const UINT command = static_cast<UINT>(commands_.size());
        AppendMenuW(menu, flags, command, item.Caption().c_str());
        if (item.RadioItem && item.Checked) {
            CheckMenuRadioItem(menu, command, command, command, MF_BYCOMMAND);
        }
        if (item.Default) {
            SetMenuDefaultItem(menu, command, FALSE);
        }
    }
}

HMENU TPopupMenu::BuildMenu() {
    commands_.clear();
    HMENU menu = CreatePopupMenu();
    if (menu != nullptr) {
        Append(menu, *items_);
    }
    return menu;
}

TMenuItem* TPopupMenu::ItemForCommand(UINT command) const {
    return command >= 1 && command <= commands_.size() ? commands_[command - 1] : nullptr;
}

TMenuItem* TPopupMenu::Popup(int x, int y, HWND ownerWindow) {
    if (OnPopup) {
        OnPopup(*this);
    }
    HMENU menu = BuildMenu();
    if (menu == nullptr) {
        Trace(L"TPopupMenu: CreatePopupMenu failed: ", Name());
        return nullptr;
    }
    // Without the owner in the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(ownerWindow);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, ownerWindow, nullptr));
    PostMessageW(ownerWindow, WM_NULL, 0, 0);
    DestroyMenu(menu);
    TMenuItem* chosen = ItemForCommand(command);
    commands_.clear();
    if (chosen != nullptr && chosen->Enabled) {
        chosen->Click();
    }
    return chosen;
}

}  // namespace tessaline
