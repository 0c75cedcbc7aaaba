#include "startmenu/PowerButtonRegionWin.h"

#include <utility>

#include "controls/FormWin.h"
#include "controls/Label.h"
#include "controls/MenuItem.h"
#include "controls/PImageNote.h"
#include "controls/RdSkinMenuEx.h"
#include "controls/RdSkinMenuWin.h"
#include "startmenu/SessionActions.h"

namespace tessaline {

TPowerButtonRegion::TPowerButtonRegion(TForm& form, TControls controls, TCalls calls)
    : form_(form), controls_(controls), calls_(std::move(calls)) {
    menu_ = CreateRdSkinMenu(&form_, L"PopupMenu_Shutdown", form_.Handle());
    if (menu_ != nullptr) {
        TFont font;
        font.Name = L"Tahoma";
        font.Height = -11;
        menu_->FontNormal = font;
        menu_->FontHighLight = font;
        menu_->FontHighLight.Color = 13395456;
        menu_->FontDisabled = font;
        menu_->FontDisabled.Color = 0x808080;
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
            auto* item = tessaline::Create<TMenuItem>(&form_, entry.Name);
            item->SetCaption(entry.Caption);
            if (!entry.Line) {
                const TSessionAction action = entry.Action;
                item->OnClick = [this, action](TMenuItem&) {
                    RunSessionAction(action);
                    calls_.HideMenu();
                };
            }
            menu_->Items().Add(item);
        }
        menu_->OnHide = [this](TRdSkinMenu&) { Apply(TPowerEvent::MenuClosed); };
        menu_->OnOtherKey = [this](TRdSkinMenu&, int key) { calls_.OtherKey(static_cast<WORD>(key)); };
    }

    for (TControl* control : {static_cast<TControl*>(controls_.Button), static_cast<TControl*>(controls_.Caption)}) {
        control->OnMouseEnter = [this](TControl&) { Apply(TPowerEvent::PointerEnter); };
        control->OnMouseLeave = [this](TControl&) { Apply(TPowerEvent::PointerLeave); };
        control->OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int, int) {
            if (button == TMouseButton::Left) {
                Apply(TPowerEvent::LeftDown);
            }
        };
        control->OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) { Apply(TPowerEvent::ButtonUp); };
        // The menu stays until the session ends.
        control->OnClick = [](TControl&) { RunSessionAction(TSessionAction::ShutDown); };
    }
    controls_.Arrow->OnMouseEnter = [this](TControl&) { OpenMenu(); };
    controls_.Arrow->OnClick = [this](TControl&) { OpenMenu(); };
}

void TPowerButtonRegion::Apply(TPowerEvent event) {
    model_.Apply(event);
    controls_.Button->SetImageIndex(model_.ButtonPicture());
    controls_.Arrow->SetImageIndex(model_.ArrowPicture());
}

bool TPowerButtonRegion::MenuOpen() const {
    return menu_ != nullptr && menu_->RootMenu().Visible();
}

void TPowerButtonRegion::OpenMenu() {
    if (menu_ == nullptr) {
        return;
    }
    Apply(TPowerEvent::MenuOpening);
    const TRect arrow = controls_.Arrow->RectInForm();
    POINT corner{arrow.Right, arrow.Bottom};
    ClientToScreen(form_.Handle(), &corner);
    menu_->Popup(corner.x, corner.y);
}

void TPowerButtonRegion::CloseMenu() {
    if (menu_ != nullptr) {
        menu_->CloseMenu();
    }
}

}  // namespace tessaline
