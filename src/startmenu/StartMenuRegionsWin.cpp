// The start-menu window's regions: made once the window exists, handed the controls they own and the calls they
// make into the window, and the panes laid out around the search's results.

#include <windows.h>

#include <utility>

#include "controls/ImageListWin.h"
#include "controls/Label.h"
#include "controls/PImageNote.h"
#include "controls/TreeViewWin.h"
#include "startmenu/FeedbackPage.h"
#include "startmenu/StartMenuFormWin.h"

namespace tessaline {

void TZelStartMenuFrm::SetUpRegions() {
    LargeIcons = tessaline::Create<TImageList>(this, L"LargeIcons", 32, 32);
    LargeIcons->UseSystemList(false);
    IcoImgList = tessaline::Create<TImageList>(this, L"IcoImgList", 16, 16);
    IcoImgList->UseSystemList(true);
    TProgramPanesRegion::TControls panes;
    panes.Pinned = TreeView_UserPind;
    panes.Frequent = TreeView_StartProgramLst;
    panes.Programs = TreeView_Program;
    panes.PinnedSeparator = Pnl_Step1;
    panes.SwitchSeparator = Pnl_Step2;
    panes.Switch = ImageNote_Program;
    panes.SwitchLogo = Image_ProgramLogo;
    panes.SwitchLabel = lbl_Program;
    panes.PinnedMenu = PopupMenu_UserPin;
    panes.FrequentMenu = PopupMenu_UsuallySoftware;
    panes.LargeIcons = LargeIcons;
    panes.SmallIcons = IcoImgList;
    panes_ = std::make_unique<TProgramPanesRegion>(
        *this, panes,
        TProgramPanesRegion::TCalls{.HideMenu = [this] { HideStartMenu(); },
                                    .EndHover = [this] { rightColumn_->EndHover(); },
                                    .LayOut = [this](bool grow) { ApplyLeftPane(grow); },
                                    .Reposition = [this] { PositionWindow(); },
                                    .Invalidate = [this] { InvalidateRect(ClientArea()); }});

    TRightColumnRegion::TControls column;
    column.Links = LinkButtons;
    column.Labels = LinkLabels;
    column.Separator1 = Image_Right_Step1;
    column.Separator2 = Image_Right_Step2;
    column.SendBack = Image_SendBack;
    column.SendBackLabel = Label_Sendback;
    column.LinkMenu = PopupMenu_Label;
    column.PictureTimer = Timer_LogoShow;
    rightColumn_ = std::make_unique<TRightColumnRegion>(
        *this, column,
        TRightColumnRegion::TCalls{.HideMenu = [this] { HideStartMenu(); },
                                   .MenuShown = [] { return v_Show_StartMenu; },
                                   .SearchMode = [this] { return search_->Searching(); },
                                   .HoverEnded = [this] { power_->Apply(TPowerEvent::Unmark); }});
    rightColumn_->SetFeedbackPage(kFeedbackPage);
    power_ = std::make_unique<TPowerButtonRegion>(
        *this, TPowerButtonRegion::TControls{ImageNote_ShotDown, ImageNote_PopMenu, lab_Powner},
        TPowerButtonRegion::TCalls{.HideMenu = [this] { HideStartMenu(); },
                                   // The open menu has the keys; the arrows it does not use move the keyboard
                                   // position when the right column has it (Left closes the menu for the search box).
                                   .OtherKey =
                                       [this](WORD key) {
                                           if (rightColumn_->Keyboard()) {
                                               keyboard_->PreviewKey(key);
                                           }
                                       }});
    TSearchRegion::TControls search;
    search.Box = Edit_Search;
    search.SearchButton = ImageNote_SearchButton;
    search.CloseButton = ImageNote_SearchCloseButton;
    search.Panel = pnl_SearchClient;
    search.Results = RdListViewSearch;
    search.Searching = Label_SearchTitle;
    search.NoMatch = Label_Search;
    search.Footer = Image_SearchResultBack;
    search.Icons = IcoImgList;
    search_ = std::make_unique<TSearchRegion>(
        *this, search,
        TSearchRegion::TCalls{
            .PreviewKey = [this](WORD key) { return keyboard_->PreviewKey(key); },
            .EndHover = [this] { rightColumn_->EndHover(); },
            .ModeChanged = [this](bool searching, bool changed) { LayOutForSearch(searching, changed); }});
    // The separators end a hover that a link's menu left behind (the search button does too, in its region).
    for (TControl* control : {static_cast<TControl*>(Image_Right_Step1), static_cast<TControl*>(Image_Right_Step2)}) {
        control->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) { rightColumn_->EndHover(); };
    }
    TKeyboardNavigator::TParts keys;
    keys.Pinned = TreeView_UserPind;
    keys.Frequent = TreeView_StartProgramLst;
    keys.Programs = TreeView_Program;
    keys.Results = RdListViewSearch;
    keys.Box = Edit_Search;
    keys.Panes = panes_.get();
    keys.Search = search_.get();
    keys.RightColumn = rightColumn_.get();
    keys.Power = power_.get();
    keys.HideMenu = [this] { HideStartMenu(); };
    keys.MenuShown = [] { return v_Show_StartMenu; };
    keyboard_ = std::make_unique<TKeyboardNavigator>(*this, std::move(keys));
}

void TZelStartMenuFrm::LayOutForSearch(bool searching, bool changed) {
    for (TImageNote* piece : ImageNote_Program) {
        piece->SetVisible(!searching);
    }
    lbl_Program->SetVisible(!searching);
    Image_ProgramLogo->SetVisible(!searching);
    TFont font = lab_Powner->Font();
    font.Color = searching ? kColorBlack : kColorWhite;
    lab_Powner->SetFont(font);
    if (searching) {
        panes_->HideHint();
        rightColumn_->SearchEntered();
    }
    if (changed) {
        ApplyLeftPane(false);  // the white panel spans the whole window while the results show
    }
    if (searching) {
        search_->Place(leftPane_.SearchPanel);
        Pnl_Step1->SetVisible(false);
        Pnl_Step2->SetVisible(false);
        // The results' panel is painted by the window: the panes' own windows are hidden under it.
        TreeView_UserPind->SetVisible(false);
        TreeView_StartProgramLst->SetVisible(false);
        TreeView_Program->SetVisible(false);
        return;
    }
    Pnl_Step2->SetVisible(true);
    panes_->ShowTrees();
    if (changed) {
        rightColumn_->SearchLeft();
    }
}

}  // namespace tessaline
