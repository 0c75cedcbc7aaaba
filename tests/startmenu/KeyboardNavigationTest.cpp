// The keyboard position's moves over a model of the start menu: trees that move their own selection with the same
// key (as the platform's tree does), and the window stepping in at their ends.
#include "startmenu/KeyboardNavigation.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaline {
namespace {

constexpr unsigned kEnter = 13, kEsc = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
using Kind = TNavActionKind;

// The start menu as far as the keys see it: the trees' sizes and selected rows, the highlights, the power menu.
struct TMenuModel {
    TNavState state;
    int pinned = 3;
    int frequent = 5;
    int results = 4;
    int allPrograms = 2;
    int row[4] = {-1, -1, -1, -1};  // the selected node of each tree, by TNavControl - 1
    bool powerMenuOpen = false;
    std::vector<TNavAction> last;

    int Count(TNavControl tree) const {
        switch (tree) {
            case TNavControl::PinnedTree:
                return pinned;
            case TNavControl::FrequentTree:
                return frequent;
            case TNavControl::AllProgramsTree:
                return allPrograms;
            case TNavControl::ResultsTree:
                return results;
            default:
                return 0;
        }
    }
    int& Row(TNavControl tree) { return row[static_cast<int>(tree) - 1]; }
    bool IsTree(TNavControl c) const { return c != TNavControl::None && c != TNavControl::SearchBox; }

    void Refresh() {
        if (IsTree(state.Active)) {
            const int n = Count(state.Active);
            const int r = Row(state.Active);
            state.AtFirst = n == 0 || r <= 0;
            state.AtLast = n == 0 || r >= n - 1;
            state.Selected = r >= 0 ? TNavNode::Program : TNavNode::None;
        }
        state.PinnedVisible = pinned > 0;
    }

    void Press(unsigned key) {
        Refresh();
        const TNavControl target = state.Active;
        last = NavigationActions(state, key);
        for (const TNavAction& a : last) {
            Apply(a);
        }
        // The key still reaches the control it was sent to: a tree moves its own selection within its ends.
        if (IsTree(target) && last.empty() && (key == kDown || key == kUp)) {
            int& r = Row(target);
            r = key == kDown ? std::min(r + 1, Count(target) - 1) : std::max(r - 1, 0);
        }
        Refresh();
    }

    void Apply(const TNavAction& a) {
        switch (a.Kind) {
            case Kind::FocusFirst:
                state.Active = a.Control;
                Row(a.Control) = Count(a.Control) > 0 ? 0 : -1;
                break;
            case Kind::FocusLast:
                state.Active = a.Control;
                Row(a.Control) = Count(a.Control) - 1;
                break;
            case Kind::FocusKeepSelection:
                state.Active = a.Control;
                break;
            case Kind::FocusSearchBox:
                state.Active = TNavControl::SearchBox;
                break;
            case Kind::NoActiveControl:
                state.Active = TNavControl::None;
                break;
            case Kind::HighlightRow:
                state.RowHighlighted = true;
                break;
            case Kind::UnhighlightRow:
                state.RowHighlighted = false;
                break;
            case Kind::HighlightFooter:
                state.FooterHighlighted = true;
                break;
            case Kind::UnhighlightFooter:
                state.FooterHighlighted = false;
                break;
            case Kind::HighlightLink:  // the mouse-enter action sets the flag, the mouse-leave one clears it
                state.Link = a.Link;
                state.RightColumnKeys = true;
                break;
            case Kind::UnhighlightLink:
                state.Link = -1;
                state.RightColumnKeys = false;
                break;
            case Kind::MarkPower:
                state.PowerMarked = true;
                break;
            case Kind::UnmarkPower:
                state.PowerMarked = false;
                break;
            case Kind::SetRightColumnKeys:
                state.RightColumnKeys = true;
                break;
            case Kind::ClearRightColumnKeys:
                state.RightColumnKeys = false;
                break;
            case Kind::OpenPowerMenu:
                powerMenuOpen = true;
                break;
            case Kind::ClosePowerMenu:
                powerMenuOpen = false;
                break;
            case Kind::SwitchView:
                state.View = state.View == TNavView::Frequent ? TNavView::AllPrograms : TNavView::Frequent;
                break;
            default:
                break;
        }
    }

    // Where the position is, as a person would name it.
    std::string Where() const {
        switch (state.Active) {
            case TNavControl::PinnedTree:
                return "pin " + std::to_string(row[0] + 1);
            case TNavControl::FrequentTree:
                return "frequent " + std::to_string(row[1] + 1);
            case TNavControl::AllProgramsTree:
                return "program " + std::to_string(row[2] + 1);
            case TNavControl::ResultsTree:
                return "result " + std::to_string(row[3] + 1);
            case TNavControl::SearchBox:
                return "search box";
            case TNavControl::None:
                break;
        }
        if (state.RowHighlighted) {
            return "row";
        }
        if (state.FooterHighlighted) {
            return "footer";
        }
        if (state.PowerMarked) {
            return "power";
        }
        return state.Link >= 0 ? "link " + std::to_string(state.Link) : "nowhere";
    }

    std::vector<std::string> Walk(unsigned key, int presses) {
        std::vector<std::string> stops;
        for (int i = 0; i < presses; ++i) {
            Press(key);
            stops.push_back(Where());
        }
        return stops;
    }
};

using Stops = std::vector<std::string>;

TEST(KeyboardNavigation, DownAndUpGoRoundTheFrequentView) {
    TMenuModel menu;
    EXPECT_EQ(menu.Walk(kDown, 11), (Stops{"pin 1", "pin 2", "pin 3", "frequent 1", "frequent 2", "frequent 3",
                                           "frequent 4", "frequent 5", "row", "search box", "pin 1"}));
    menu.state.Active = TNavControl::SearchBox;
    EXPECT_EQ(menu.Walk(kUp, 11), (Stops{"row", "frequent 5", "frequent 4", "frequent 3", "frequent 2", "frequent 1",
                                         "pin 3", "pin 2", "pin 1", "search box", "row"}));
    // Without pins the pinned tree is no stop; without frequent programs the frequent tree is at both ends at once.
    TMenuModel bare;
    bare.pinned = 0;
    bare.frequent = 0;
    EXPECT_EQ(bare.Walk(kDown, 3), (Stops{"frequent 0", "row", "search box"}));
    EXPECT_EQ(bare.Walk(kUp, 3), (Stops{"row", "frequent 0", "search box"}));
}

TEST(KeyboardNavigation, EnterOnTheRowSwitchesTheViewAndEscSwitchesBack) {
    TMenuModel menu;
    menu.Press(kUp);
    ASSERT_EQ(menu.Where(), "row");
    menu.Press(kEnter);
    EXPECT_EQ(menu.last, (std::vector<TNavAction>{{Kind::SwitchView}}));
    EXPECT_EQ(menu.state.View, TNavView::AllPrograms);
    menu.Press(kDown);
    EXPECT_EQ(menu.Where(), "search box");
    EXPECT_EQ(menu.Walk(kDown, 4), (Stops{"program 1", "program 2", "row", "search box"}));
    EXPECT_EQ(NavigationActions(menu.state, kEsc), (std::vector<TNavAction>{{Kind::SwitchView}}));
    menu.state.View = TNavView::Frequent;
    EXPECT_EQ(NavigationActions(menu.state, kEsc), (std::vector<TNavAction>{{Kind::HideMenu}}));
    menu.state.View = TNavView::Search;
    EXPECT_EQ(NavigationActions(menu.state, kEsc), (std::vector<TNavAction>{{Kind::CloseSearch}}));
}

TEST(KeyboardNavigation, SearchModeGoesThroughTheResultsAndTheFooter) {
    TMenuModel menu;
    menu.state.View = TNavView::Search;
    EXPECT_EQ(menu.Walk(kDown, 6), (Stops{"result 1", "result 2", "result 3", "result 4", "footer", "search box"}));
    EXPECT_EQ(menu.Walk(kUp, 6), (Stops{"footer", "result 4", "result 3", "result 2", "result 1", "search box"}));
    menu.state.ResultsVisible = false;
    EXPECT_EQ(menu.Walk(kDown, 2), (Stops{"footer", "search box"}));
    EXPECT_EQ(menu.Walk(kUp, 2), (Stops{"footer", "search box"}));
    // Left and Right belong to the search box's caret.
    EXPECT_TRUE(NavigationActions(menu.state, kLeft).empty());
}

TEST(KeyboardNavigation, TheRightColumnIsARingOfTenLinksAndThePowerButton) {
    TMenuModel menu;
    menu.Press(kDown);  // pin 1
    menu.Press(kRight);
    EXPECT_EQ(menu.Where(), "link 0");
    EXPECT_TRUE(menu.state.RightColumnKeys);
    Stops down = menu.Walk(kDown, 11);
    EXPECT_EQ(down, (Stops{"link 1", "link 2", "link 3", "link 4", "link 5", "link 6", "link 7", "link 8", "link 9",
                           "power", "link 0"}));
    EXPECT_EQ(menu.Walk(kUp, 2), (Stops{"power", "link 9"}));
    // Enter on a link runs its click; on the power button nothing, so a stray Enter never shuts down.
    EXPECT_EQ(NavigationActions(menu.state, kEnter),
              (std::vector<TNavAction>{{Kind::ClickLink, TNavControl::None, 9}}));
    menu.Press(kDown);
    ASSERT_EQ(menu.Where(), "power");
    EXPECT_TRUE(NavigationActions(menu.state, kEnter).empty());
    // Right opens the power menu and keeps the position; Left closes it and the search box takes the keys.
    menu.Press(kRight);
    EXPECT_TRUE(menu.powerMenuOpen);
    EXPECT_EQ(menu.Where(), "power");
    menu.Press(kLeft);
    EXPECT_FALSE(menu.powerMenuOpen);
    EXPECT_EQ(menu.Where(), "search box");
    EXPECT_FALSE(menu.state.RightColumnKeys);
    EXPECT_FALSE(menu.state.PowerMarked);
    // From a link, Left gives the keys back to the program tree as it was.
    menu.Press(kDown);
    menu.Press(kDown);  // pin 2
    menu.Press(kLeft);
    ASSERT_EQ(menu.Where(), "link 0");
    menu.Press(kDown);
    menu.Press(kLeft);
    EXPECT_EQ(menu.last.back(), TNavAction{Kind::ClearRightColumnKeys});
    EXPECT_EQ(menu.state.Active, TNavControl::FrequentTree);
    EXPECT_EQ(menu.state.Link, -1);
}

TEST(KeyboardNavigation, SidewaysFromTheFrequentViewMarksTheFirstLinkFromATreeElseThePowerButton) {
    TMenuModel menu;
    menu.Press(kUp);  // the row: no tree has the keys
    menu.Press(kRight);
    EXPECT_EQ(menu.Where(), "power");
    EXPECT_FALSE(menu.state.RowHighlighted);
    EXPECT_TRUE(menu.state.RightColumnKeys);
    // A link the mouse highlighted stays the position.
    TMenuModel hovered;
    hovered.Press(kDown);
    hovered.state.Link = 4;
    hovered.Press(kLeft);
    EXPECT_EQ(hovered.Where(), "link 4");
}

TEST(KeyboardNavigation, RightInAllProgramsOpensAFolderThenEntersItThenLeavesForTheLinks) {
    TNavState s;
    s.View = TNavView::AllPrograms;
    s.Active = TNavControl::AllProgramsTree;
    s.Selected = TNavNode::FolderNotExpanded;
    EXPECT_EQ(NavigationActions(s, kRight), (std::vector<TNavAction>{{Kind::ExpandFolder}}));
    s.Selected = TNavNode::FolderWithChildren;
    EXPECT_EQ(NavigationActions(s, kRight), (std::vector<TNavAction>{{Kind::SelectNextNode}}));
    EXPECT_TRUE(NavigationActions(s, kLeft).empty());
    s.Selected = TNavNode::None;
    EXPECT_TRUE(NavigationActions(s, kRight).empty());
    s.Selected = TNavNode::Placeholder;  // an empty folder's "(None)" leaves for the links like a program
    EXPECT_EQ(NavigationActions(s, kRight).back(), TNavAction{Kind::SetRightColumnKeys});
    EXPECT_TRUE(NavigationActions(s, kEnter).empty());
    s.Selected = TNavNode::Program;
    s.PowerMarked = true;
    EXPECT_EQ(NavigationActions(s, kRight), (std::vector<TNavAction>{{Kind::HighlightLink, TNavControl::None, 0},
                                                                     {Kind::UnmarkPower},
                                                                     {Kind::UnhighlightRow},
                                                                     {Kind::NoActiveControl},
                                                                     {Kind::SetRightColumnKeys}}));
    // Enter starts a program and opens or closes a folder, in every tree.
    EXPECT_EQ(NavigationActions(s, kEnter), (std::vector<TNavAction>{{Kind::StartSelected}}));
    s.Selected = TNavNode::FolderWithChildren;
    EXPECT_EQ(NavigationActions(s, kEnter), (std::vector<TNavAction>{{Kind::ToggleFolder}}));
    s.Active = TNavControl::SearchBox;
    EXPECT_TRUE(NavigationActions(s, kEnter).empty());  // the search box's own Enter
    // Only these keys move the position: Tab, Home and the letters are the controls' own.
    for (unsigned key : {kEsc, kEnter, kLeft, kUp, kRight, kDown}) {
        EXPECT_TRUE(IsNavigationKey(key)) << key;
    }
    for (unsigned key : {9u, 36u, 41u, 65u}) {
        EXPECT_FALSE(IsNavigationKey(key)) << key;
        EXPECT_TRUE(NavigationActions(s, key).empty()) << key;
    }
}

TEST(KeyboardNavigation, OnlyAKeyThatTypesOrEditsReplacesTheSearchBoxsPrompt) {
    // Letters, digits, space, signs, the number pad, Backspace and Delete.
    for (unsigned key : {0x41u, 0x5Au, 0x30u, 0x39u, 0x20u, 0xBAu, 0xBFu, 0xDEu, 0x60u, 0x6Fu, 0x08u, 0x2Eu, 0xE5u}) {
        EXPECT_TRUE(KeyTypesOrEdits(key)) << std::hex << key;
    }
    // Shift, Ctrl, Alt (either side), the locks, F-keys, the caret's keys, Tab, Insert, Windows, Menu, media keys.
    for (unsigned key : {0x10u, 0x11u, 0x12u, 0xA0u, 0xA5u, 0x14u, 0x90u, 0x91u, 0x70u, 0x7Bu, 0x87u, 0x24u, 0x23u,
                         0x21u, 0x09u, 0x2Du, 0x5Bu, 0x5Cu, 0x5Du, 0xADu, 0xB3u, 0x2Cu, 0x13u, 0x00u, 0x100u}) {
        EXPECT_FALSE(KeyTypesOrEdits(key)) << std::hex << key;
    }
}

}  // namespace
}  // namespace tessaline
