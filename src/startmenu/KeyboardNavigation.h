#pragma once
// Which stop of the start menu the arrow keys, Enter and Esc move the keyboard position to: the decision alone,
// from what the window's controls show now (the view, the active control, the highlights, the trees' ends and
// the selected node's kind), as the list of actions the window then carries out in order. UI thread; no state of
// its own.

#include <vector>

#include "startmenu/StartMenuLayout.h"

namespace tessaline {

enum class TNavView { Frequent, AllPrograms, Search };

// The control that is active; None when the position is on an image button (row, footer, link, power button).
enum class TNavControl { None, PinnedTree, FrequentTree, AllProgramsTree, ResultsTree, SearchBox };

// The selected node of the active tree; Placeholder is the "(None)" row of an empty folder.
enum class TNavNode { None, Program, FolderWithChildren, FolderNotExpanded, Placeholder };

struct TNavState {
    TNavView View = TNavView::Frequent;
    TNavControl Active = TNavControl::SearchBox;
    bool RightColumnKeys = false;  // the right-column keyboard flag
    int Link = -1;                 // the highlighted right-hand link, 0..9; -1 none
    bool PowerMarked = false;      // the power button and its arrow show picture 1
    bool RowHighlighted = false;   // the view-switch row
    bool FooterHighlighted = false;
    bool PinnedVisible = true;
    bool ResultsVisible = true;
    // The active tree's ends (an empty tree is at both) and its selected node.
    bool AtFirst = true;
    bool AtLast = true;
    TNavNode Selected = TNavNode::None;
};

enum class TNavActionKind {
    CloseSearch,
    HideMenu,
    SwitchView,          // the view-switch row's click
    FocusFirst,          // Control: make the tree active and select its first node
    FocusLast,           // ... its last node
    FocusKeepSelection,  // ... as it is
    FocusSearchBox,      // the edit active, nothing selected in it
    NoActiveControl,
    HighlightRow,    // the row's mouse enter
    UnhighlightRow,  // its mouse leave
    HighlightFooter,
    UnhighlightFooter,
    HighlightLink,    // Link: the link's mouse enter (which sets the right-column flag)
    UnhighlightLink,  // Link: its mouse leave (which clears it)
    MarkPower,        // the power button and arrow to picture 1
    UnmarkPower,      // back to picture 0
    SetRightColumnKeys,
    ClearRightColumnKeys,
    OpenPowerMenu,
    ClosePowerMenu,
    SelectNextNode,  // the next node of the All Programs tree in absolute order
    ExpandFolder,    // the selected folder of the All Programs tree
    ToggleFolder,    // Enter on a folder: open or close it
    StartSelected,   // Enter on a program: as its click
    ClickLink,       // Link: Enter on a marked link: as its click
};

struct TNavAction {
    TNavActionKind Kind;
    TNavControl Control = TNavControl::None;
    int Link = -1;
    friend bool operator==(const TNavAction&, const TNavAction&) = default;
};

// Esc, Enter and the four arrows: the keys that move the keyboard position.
bool IsNavigationKey(unsigned key);

// A key whose press types into the search box or edits its text (a letter, a digit, a sign, space, Backspace,
// Delete, the number pad), as against one that does not on its own: a modifier, a lock, a function key, the
// caret's own keys, Tab, Insert, the Windows and menu keys, the media and browser keys.
bool KeyTypesOrEdits(unsigned key);

// Key codes: Esc 27, Enter 13, Left 37, Up 38, Right 39, Down 40. Other keys, and keys with nothing to do,
// give no action; Enter in the search box is the search's own.
std::vector<TNavAction> NavigationActions(const TNavState& state, unsigned key);

}  // namespace tessaline
