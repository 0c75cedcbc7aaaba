#pragma once
// The start-menu window's keyboard position: the keys Esc, Enter and the arrows as the window sees them before
// the control that has the focus. What the regions show now is read into a TNavState, NavigationActions
// (KeyboardNavigation.h) decides, and the actions run here, each in the region it concerns. A key goes on to its
// control unless an action took its place. GUI thread only.

#include <windows.h>

#include <functional>

#include "startmenu/KeyboardNavigation.h"

namespace tessaline {

class TEdit;
class TForm;
class TPowerButtonRegion;
class TProgramPanesRegion;
class TRightColumnRegion;
class TSearchRegion;
class TTreeNode;
class TTreeView;

class TKeyboardNavigator {
  public:
    // What the keys move between; the regions outlive the navigator.
    struct TParts {
        TTreeView* Pinned = nullptr;
        TTreeView* Frequent = nullptr;
        TTreeView* Programs = nullptr;
        TTreeView* Results = nullptr;
        TEdit* Box = nullptr;
        TProgramPanesRegion* Panes = nullptr;
        TSearchRegion* Search = nullptr;
        TRightColumnRegion* RightColumn = nullptr;
        TPowerButtonRegion* Power = nullptr;
        std::function<void()> HideMenu;
        std::function<bool()> MenuShown;
    };

    TKeyboardNavigator(TForm& form, TParts parts);

    // A key before the focused control (or the window itself) gets it; true when the control must not.
    bool PreviewKey(WORD key);
    // A showing starts with the position in the search box: no highlight left from the last one.
    void ClearKeyboardMarks();

  private:
    TNavState NavigationState() const;
    TNavNode NavigationNode(const TTreeView& tree, const TTreeNode& node) const;
    TTreeView* NavigationTree(TNavControl control) const;
    // True when the action takes the key's place in the control.
    bool RunNavigationAction(const TNavAction& action);
    // A view switch or a closed search can hide the control that had the position; the search box takes it then.
    void KeepAStopMarked();

    TForm& form_;
    TParts parts_;
};

}  // namespace tessaline
