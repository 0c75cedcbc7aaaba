#include "startmenu/KeyboardNavigatorWin.h"

#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "catalogue/ShellItems.h"
#include "controls/FormWin.h"
#include "controls/PImageNote.h"
#include "controls/RdSkinMenuEx.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"
#include "startmenu/KeyboardNavigation.h"
#include "startmenu/PowerButtonRegionWin.h"
#include "startmenu/ProgramPanesRegionWin.h"
#include "startmenu/RightColumnRegionWin.h"
#include "startmenu/SearchRegionWin.h"

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

TKeyboardNavigator::TKeyboardNavigator(TForm& form, TParts parts) : form_(form), parts_(std::move(parts)) {}

TTreeView* TKeyboardNavigator::NavigationTree(TNavControl control) const {
    switch (control) {
        case TNavControl::PinnedTree:
            return parts_.Pinned;
        case TNavControl::FrequentTree:
            return parts_.Frequent;
        case TNavControl::AllProgramsTree:
            return parts_.Programs;
        case TNavControl::ResultsTree:
            return parts_.Results;
        case TNavControl::None:
        case TNavControl::SearchBox:
            break;
    }
    return nullptr;
}

TNavNode TKeyboardNavigator::NavigationNode(const TTreeView& tree, const TTreeNode& node) const {
    if (&tree != parts_.Programs) {
        return node.HasValue() ? TNavNode::Program : TNavNode::None;
    }
    const TShellItem* item = parts_.Panes->ItemOf(node);
    if (item == nullptr) {
        return TNavNode::None;
    }
    switch (item->Kind) {
        case TShellItem::kFolder:
            return node.Count() > 0 ? TNavNode::FolderWithChildren : TNavNode::FolderNotExpanded;
        case TShellItem::kProgram:
            return TNavNode::Program;
        default:
            return TNavNode::Placeholder;
    }
}

TNavState TKeyboardNavigator::NavigationState() const {
    TNavState state;
    state.View = parts_.Search->Searching()      ? TNavView::Search
                 : parts_.Panes->ViewFlag() == 0 ? TNavView::Frequent
                                                 : TNavView::AllPrograms;
    const HWND focus = ::GetFocus();
    state.Active = TNavControl::None;
    if (focus != nullptr && IsWindowVisible(focus)) {
        if (focus == parts_.Box->Handle()) {
            state.Active = TNavControl::SearchBox;
        }
        for (TNavControl control : {TNavControl::PinnedTree, TNavControl::FrequentTree, TNavControl::AllProgramsTree,
                                    TNavControl::ResultsTree}) {
            if (focus == NavigationTree(control)->Handle()) {
                state.Active = control;
            }
        }
    }
    state.RightColumnKeys = parts_.RightColumn->Keyboard();
    state.Link = parts_.RightColumn->MarkedLink();
    state.PowerMarked = parts_.Power->Marked();
    // Each of the two shows in one mode only; a highlight left from the other mode marks nothing.
    state.RowHighlighted = !parts_.Search->Searching() && parts_.Panes->SwitchHighlighted();
    state.FooterHighlighted = parts_.Search->Searching() && parts_.Search->FooterHighlighted();
    state.PinnedVisible = parts_.Pinned->Visible();
    state.ResultsVisible = parts_.Results->Visible();
    if (const TTreeView* tree = NavigationTree(state.Active)) {
        const TTreeNode* selected = tree->Selected();
        state.AtFirst = tree->RootCount() == 0 || (selected != nullptr && selected == tree->Root(0));
        // The last row the tree shows: the children of a closed folder are no stop.
        state.AtLast = tree->RootCount() == 0 || (selected != nullptr && selected == LastVisible(*tree));
        state.Selected = selected != nullptr ? NavigationNode(*tree, *selected) : TNavNode::None;
    }
    return state;
}

bool TKeyboardNavigator::PreviewKey(WORD key) {
    if (!IsNavigationKey(key)) {
        return false;
    }
    const TNavState state = NavigationState();
    if (key == VK_RETURN && state.Active == TNavControl::SearchBox) {
        parts_.Search->PressEnter();
        return true;
    }
    bool consumed = key == VK_ESCAPE || key == VK_RETURN;
    for (const TNavAction& action : NavigationActions(state, key)) {
        consumed = RunNavigationAction(action) || consumed;
        if (!parts_.MenuShown()) {
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

void TKeyboardNavigator::ClearKeyboardMarks() {
    parts_.Panes->SetSwitchHighlight(false);
    parts_.Search->SetFooterHighlight(false);
    parts_.RightColumn->ClearMarks();
    parts_.Power->Apply(TPowerEvent::Unmark);
}

void TKeyboardNavigator::KeepAStopMarked() {
    const TNavState state = NavigationState();
    if (state.Active == TNavControl::None && !state.RowHighlighted && !state.FooterHighlighted && state.Link < 0 &&
        !state.PowerMarked) {
        RunNavigationAction({TNavActionKind::FocusSearchBox});
    }
}

bool TKeyboardNavigator::RunNavigationAction(const TNavAction& action) {
    using Kind = TNavActionKind;
    switch (action.Kind) {
        case Kind::CloseSearch:
            parts_.Search->Close();
            break;
        case Kind::HideMenu:
            parts_.HideMenu();
            break;
        case Kind::SwitchView:
            parts_.Panes->SwitchView();
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
            parts_.Search->FocusBoxAtEnd();
            break;
        case Kind::NoActiveControl:
            ::SetFocus(form_.Handle());
            break;
        case Kind::HighlightRow:
        case Kind::UnhighlightRow:
            parts_.Panes->SetSwitchHighlight(action.Kind == Kind::HighlightRow);
            break;
        case Kind::HighlightFooter:
        case Kind::UnhighlightFooter:
            parts_.Search->SetFooterHighlight(action.Kind == Kind::HighlightFooter);
            break;
        case Kind::HighlightLink:
            parts_.RightColumn->Enter(action.Link);
            break;
        case Kind::UnhighlightLink:
            parts_.RightColumn->Leave(action.Link);
            break;
        case Kind::MarkPower:
            parts_.Power->Apply(TPowerEvent::Mark);
            break;
        case Kind::UnmarkPower:
            if (parts_.Power->MenuOpen()) {
                parts_.Power->CloseMenu();
            }
            parts_.Power->Apply(TPowerEvent::Unmark);
            break;
        case Kind::SetRightColumnKeys:
        case Kind::ClearRightColumnKeys:
            parts_.RightColumn->SetKeyboard(action.Kind == Kind::SetRightColumnKeys);
            break;
        case Kind::OpenPowerMenu:
            if (!parts_.Power->MenuOpen()) {
                parts_.Power->OpenMenu();
            }
            return true;
        case Kind::ClosePowerMenu:
            parts_.Power->CloseMenu();
            return true;
        case Kind::SelectNextNode:
            if (TTreeNode* selected = parts_.Programs->Selected()) {
                if (TTreeNode* next = NextInOrder(*parts_.Programs, *selected)) {
                    parts_.Programs->SetSelected(next);
                }
            }
            return true;  // the tree's own Right would move on again
        case Kind::ExpandFolder:
        case Kind::ToggleFolder:
            if (TTreeNode* selected = parts_.Programs->Selected()) {
                parts_.Panes->ExpandFolder(*selected);
            }
            return true;  // the tree's own Right would move into the folder at once
        case Kind::StartSelected:
            for (TNavControl control : {TNavControl::PinnedTree, TNavControl::FrequentTree,
                                        TNavControl::AllProgramsTree, TNavControl::ResultsTree}) {
                TTreeView* tree = NavigationTree(control);
                if (tree->Handle() == ::GetFocus()) {
                    if (tree == parts_.Results) {
                        parts_.Search->OpenResult(tree->Selected());
                    } else {
                        parts_.Panes->Open(*tree, tree->Selected());
                    }
                    break;
                }
            }
            return true;
        case Kind::ClickLink:
            parts_.RightColumn->Click(action.Link);
            return true;
    }
    return false;
}

}  // namespace tessaline
