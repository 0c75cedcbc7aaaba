// The power button of the start-menu window, its arrow, and the skinned menu of session actions.

#include <windows.h>

#include "base/Trace.h"
#include "controls/Label.h"
#include "controls/MenuItem.h"
#include "controls/PImageNote.h"
#include "controls/RdSkinMenuEx.h"
#include "controls/RdSkinMenuWin.h"
#include "startmenu/SessionActions.h"
#include "startmenu/StartMenuFormWin.h"

namespace tessaline {

void TZelStartMenuFrm::SetUpPowerButton() {
    PopupMenu_Shutdown = CreateRdSkinMenu(this, L"PopupMenu_Shutdown", Handle());
    if (PopupMenu_Shutdown != nullptr) {
        TFont font;
        font.Name = L"Tahoma";
        font.Height = -11;
        PopupMenu_Shutdown->FontNormal = font;
        PopupMenu_Shutdown->FontHighLight = font;
        PopupMenu_Shutdown->FontHighLight.Color = 13395456;
        PopupMenu_Shutdown->FontDisabled = font;
        PopupMenu_Shutdown->FontDisabled.Color = 0x808080;
        struct TPowerItem {
            const wchar_t* Name;
            const wchar_t* Caption;
            bool Line;
            TSessionAction Action;
        };
        static const TPowerItem kItems[] = {
            {L"Menu_ChangeUser", L"Switch user", false, TSessionAction::SwitchUser},
            {L"Menu_UserLogout", L"Log off", false, TSessionAction::LogOff},
            {L"Menu_Lock", L"Lock", false, TSessionAction::Lock},
            {L"N1", L"-", true, TSessionAction::Lock},
            {L"Menu_Restart", L"Restart", false, TSessionAction::Restart},
            {L"N2", L"-", true, TSessionAction::Lock},
            {L"Menu_Sleep", L"Sleep", false, TSessionAction::Sleep},
        };
        for (const TPowerItem& entry : kItems) {
            auto* item = tessaline::Create<TMenuItem>(this, entry.Name);
            item->SetCaption(entry.Caption);
            if (!entry.Line) {
                const TSessionAction action = entry.Action;
                item->OnClick = [this, action](TMenuItem&) {
                    RunSessionAction(action);
                    HideStartMenu();
                };
            }
            PopupMenu_Shutdown->Items().Add(item);
        }
        PopupMenu_Shutdown->OnHide = [this](TRdSkinMenu&) { SetPowerPictures(0); };
        // The open menu has the keys; the arrows it does not use move the keyboard position when the right column
        // has it (Left closes the menu for the search box).
        PopupMenu_Shutdown->OnOtherKey = [this](TRdSkinMenu&, int key) {
            if (rightColumnKeyboard_) {
                PreviewKey(static_cast<WORD>(key));
            }
        };
    }

    for (TControl* control : {static_cast<TControl*>(ImageNote_ShotDown), static_cast<TControl*>(lab_Powner)}) {
        control->OnMouseEnter = [this](TControl&) { SetPowerPictures(1); };
        control->OnMouseLeave = [this](TControl&) { SetPowerPictures(0); };
        control->OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int, int) {
            if (button == TMouseButton::Left) {
                SetPowerPictures(2);
            }
        };
        control->OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) { SetPowerPictures(1); };
        // The menu stays until the session ends.
        control->OnClick = [](TControl&) { RunSessionAction(TSessionAction::ShutDown); };
    }
    ImageNote_PopMenu->OnMouseEnter = [this](TControl&) { OpenPowerMenu(); };
    ImageNote_PopMenu->OnClick = [this](TControl&) { OpenPowerMenu(); };
}

void TZelStartMenuFrm::SetPowerPictures(int index) {
    ImageNote_ShotDown->SetImageIndex(index);
    ImageNote_PopMenu->SetImageIndex(index);
}

void TZelStartMenuFrm::OpenPowerMenu() {
    if (PopupMenu_Shutdown == nullptr) {
        return;
    }
    ImageNote_ShotDown->SetImageIndex(1);
    ImageNote_PopMenu->SetImageIndex(2);
    const TRect arrow = ImageNote_PopMenu->RectInForm();
    POINT corner{arrow.Right, arrow.Bottom};
    ClientToScreen(Handle(), &corner);
    PopupMenu_Shutdown->Popup(corner.x, corner.y);
}

void TZelStartMenuFrm::ClosePowerMenu() {
    if (PopupMenu_Shutdown != nullptr) {
        PopupMenu_Shutdown->CloseMenu();
    }
}

}  // namespace tessaline
