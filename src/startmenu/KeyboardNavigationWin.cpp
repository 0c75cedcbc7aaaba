// The start-menu window's keyboard position: the keys Esc, Enter and the arrows as the window sees them before
// the control that has the focus. What the controls show now is read into a TNavState, NavigationActions decides,
// and the actions run here. A key goes on to its control unless an action took its place.

#include <windows.h>

#include <commctrl.h>

#include "catalogue/ShellItems.h"
#include "controls/PImageNote.h"
#include "controls/RdSkinMenuEx.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"
#include "startmenu/KeyboardNavigation.h"
#include "startmenu/StartMenuFormWin.h"

namespace tessaline {

namespace {

// The next node after `node` in absolute (pre-order) order, collapsed children included; null after the last.
TTreeNode* NextInOrder(const TTreeView& tree, TTreeNode& node) {
    if (node.Count() > 0) {
        return node.Item(0);
    }
    for (TTreeNode* at = &node; at != nullptr; at = at->Parent()) {
        TTreeNode* parent = at->Parent();
        const size_t siblings = parent != nullptr ? parent->Count() : tree.RootCount();
        for (size_t i = 0; i + 1 < siblings; ++i) {
            TTreeNode* sibling = parent != nullptr ? parent->Item(i) : tree.Root(i);
            if (sibling == at) {
                return parent != nullptr ? parent->Item(i + 1) : tree.Root(i + 1);
            }
        }
    }
    return nullptr;
}

TTreeNode* LastVisible(const TTreeView& tree) {
    return tree.Handle() != nullptr ? tree.FromHandle(TreeView_GetLastVisible(tree.Handle())) : nullptr;
}

}  // namespace

TTreeView* TZelStartMenuFrm::NavigationTree(TNavControl control) const {
    switch (control) {
        case TNavControl::PinnedTree:
            return TreeView_UserPind;
        case TNavControl::FrequentTree:
            return TreeView_StartProgramLst;
        case TNavControl::AllProgramsTree:
            return TreeView_Program;
        case TNavControl::ResultsTree:
            return RdListViewSearch;
        case TNavControl::None:
        case TNavControl::SearchBox:
            break;
    }
    return nullptr;
}

TNavNode TZelStartMenuFrm::NavigationNode(const TTreeView& tree, const TTreeNode& node) const {
    if (&tree != TreeView_Program) {
        return node.Data != nullptr ? TNavNode::Program : TNavNode::None;
    }
    auto found = programItems_.find(&node);
    if (found == programItems_.end() || found->second == nullptr) {
        return TNavNode::None;
    }
    switch (found->second->Kind) {
        case TShellItem::kFolder:
            return node.Count() > 0 ? TNavNode::FolderWithChildren : TNavNode::FolderNotExpanded;
        case TShellItem::kProgram:
            return TNavNode::Program;
        default:
            return TNavNode::Placeholder;
    }
}

TNavState TZelStartMenuFrm::NavigationState() const {
    TNavState state;
    state.View = searchMode_ ? TNavView::Search : viewFlag_ == 0 ? TNavView::Frequent : TNavView::AllPrograms;
    const HWND focus = ::GetFocus();
    state.Active = TNavControl::None;
    if (focus != nullptr && IsWindowVisible(focus)) {
        if (focus == Edit_Search->Handle()) {
            state.Active = TNavControl::SearchBox;
        }
        for (TNavControl control : {TNavControl::PinnedTree, TNavControl::FrequentTree, TNavControl::AllProgramsTree,
                                    TNavControl::ResultsTree}) {
            if (focus == NavigationTree(control)->Handle()) {
                state.Active = control;
            }
        }
    }
    state.RightColumnKeys = rightColumnKeyboard_;
    for (int link = 0; link < kLinkCount && state.Link < 0; ++link) {
        const TImageNote& button = *LinkButtons[static_cast<size_t>(link)];
        if (button.ImageIndex() == 0 && !button.Picture().Empty()) {
            state.Link = link;
        }
    }
    state.PowerMarked = ImageNote_ShotDown->ImageIndex() == 1;
    // Each of the two shows in one mode only; a highlight left from the other mode marks nothing.
    state.RowHighlighted = !searchMode_ && ImageNote_Program[1]->ImageIndex() == 0;
    state.FooterHighlighted = searchMode_ && Image_SearchResultBack[1]->ImageIndex() == 0;
    state.PinnedVisible = TreeView_UserPind->Visible();
    state.ResultsVisible = RdListViewSearch->Visible();
    if (const TTreeView* tree = NavigationTree(state.Active)) {
        const TTreeNode* selected = tree->Selected();
        state.AtFirst = tree->RootCount() == 0 || (selected != nullptr && selected == tree->Root(0));
        // The last row the tree shows: the children of a closed folder are no stop.
        state.AtLast = tree->RootCount() == 0 || (selected != nullptr && selected == LastVisible(*tree));
        state.Selected = selected != nullptr ? NavigationNode(*tree, *selected) : TNavNode::None;
    }
    return state;
}

bool TZelStartMenuFrm::PreviewKey(WORD key) {
    if (!IsNavigationKey(key)) {
        return false;
    }
    const TNavState state = NavigationState();
    if (key == VK_RETURN && state.Active == TNavControl::SearchBox) {
        SearchEnter();
        return true;
    }
    bool consumed = key == VK_ESCAPE || key == VK_RETURN;
    for (const TNavAction& action : NavigationActions(state, key)) {
        consumed = RunNavigationAction(action) || consumed;
        if (!v_Show_StartMenu) {
            return true;  // the action hid the menu (a start, Esc): nothing more to mark
        }
    }
    if (key == VK_UP || key == VK_DOWN) {
        // One mark on screen: a tree the position left shows no selection (it is entered at an end again).
        const HWND focus = ::GetFocus();
        for (TNavControl control : {TNavControl::PinnedTree, TNavControl::FrequentTree, TNavControl::AllProgramsTree,
                                    TNavControl::ResultsTree}) {
            TTreeView* tree = NavigationTree(control);
            if (tree->Handle() != focus && tree->Selected() != nullptr) {
                tree->SetSelected(nullptr);
            }
        }
    }
    KeepAStopMarked();
    return consumed;
}

void TZelStartMenuFrm::ClearKeyboardMarks() {
    SetSwitchHighlight(false);
    for (TImageNote* piece : Image_SearchResultBack) {
        piece->SetImageIndex(-1);
    }
    for (TImageNote* button : LinkButtons) {
        button->SetImageIndex(-1);
    }
    SetPowerPictures(0);
    rightColumnKeyboard_ = false;
}

// A view switch or a closed search can hide the control that had the position; the search box takes it then.
void TZelStartMenuFrm::KeepAStopMarked() {
    const TNavState state = NavigationState();
    if (state.Active == TNavControl::None && !state.RowHighlighted && !state.FooterHighlighted && state.Link < 0 &&
        !state.PowerMarked) {
        RunNavigationAction({TNavActionKind::FocusSearchBox});
    }
}

bool TZelStartMenuFrm::RunNavigationAction(const TNavAction& action) {
    using Kind = TNavActionKind;
    switch (action.Kind) {
        case Kind::CloseSearch:
            CloseSearch();
            break;
        case Kind::HideMenu:
            HideStartMenu();
            break;
        case Kind::SwitchView:
            SwitchView();
            return true;
        case Kind::FocusFirst:
        case Kind::FocusLast:
        case Kind::FocusKeepSelection: {
            TTreeView* tree = NavigationTree(action.Control);
            if (tree == nullptr || tree->Handle() == nullptr) {
                break;
            }
            tree->SetFocus();
            if (action.Kind == Kind::FocusFirst) {
                tree->SetSelected(tree->Root(0));
            } else if (action.Kind == Kind::FocusLast) {
                tree->SetSelected(LastVisible(*tree));
            }
            break;
        }
        case Kind::FocusSearchBox:
            Edit_Search->SetFocus();
            if (Edit_Search->Handle() != nullptr) {
                const int end = GetWindowTextLengthW(Edit_Search->Handle());
                SendMessageW(Edit_Search->Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
            }
            break;
        case Kind::NoActiveControl:
            ::SetFocus(Handle());
            break;
        case Kind::HighlightRow:
        case Kind::UnhighlightRow:
            SetSwitchHighlight(action.Kind == Kind::HighlightRow);
            break;
        case Kind::HighlightFooter:
        case Kind::UnhighlightFooter:
            for (TImageNote* piece : Image_SearchResultBack) {
                piece->SetImageIndex(action.Kind == Kind::HighlightFooter ? 0 : -1);
            }
            break;
        case Kind::HighlightLink:
            LinkEnter(action.Link);
            break;
        case Kind::UnhighlightLink:
            LinkLeave(action.Link);
            break;
        case Kind::MarkPower:
            SetPowerPictures(1);
            break;
        case Kind::UnmarkPower:
            if (PopupMenu_Shutdown != nullptr && PopupMenu_Shutdown->RootMenu().Visible()) {
                ClosePowerMenu();
            }
            SetPowerPictures(0);
            break;
        case Kind::SetRightColumnKeys:
        case Kind::ClearRightColumnKeys:
            rightColumnKeyboard_ = action.Kind == Kind::SetRightColumnKeys;
            break;
        case Kind::OpenPowerMenu:
            if (PopupMenu_Shutdown != nullptr && !PopupMenu_Shutdown->RootMenu().Visible()) {
                OpenPowerMenu();
            }
            return true;
        case Kind::ClosePowerMenu:
            ClosePowerMenu();
            return true;
        case Kind::SelectNextNode:
            if (TTreeNode* selected = TreeView_Program->Selected()) {
                if (TTreeNode* next = NextInOrder(*TreeView_Program, *selected)) {
                    TreeView_Program->SetSelected(next);
                }
            }
            return true;  // the tree's own Right would move on again
        case Kind::ExpandFolder:
        case Kind::ToggleFolder:
            if (TTreeNode* selected = TreeView_Program->Selected()) {
                ExpandFolder(*selected);
            }
            return true;  // the tree's own Right would move into the folder at once
        case Kind::StartSelected:
            for (TNavControl control : {TNavControl::PinnedTree, TNavControl::FrequentTree,
                                        TNavControl::AllProgramsTree, TNavControl::ResultsTree}) {
                TTreeView* tree = NavigationTree(control);
                if (tree->Handle() == ::GetFocus()) {
                    OpenNode(*tree, tree->Selected());
                    break;
                }
            }
            return true;
        case Kind::ClickLink:
            LinkClick(action.Link);
            return true;
    }
    return false;
}

}  // namespace tessaline
