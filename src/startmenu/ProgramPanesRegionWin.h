#pragma once
// The program panes of the start-menu window: pinned programs, frequently used programs and the "All Programs"
// tree, filled from the catalogue each time the menu shows; icons on demand; launching; the view switch between
// the frequent list and the tree; the panes' menus (run as administrator, pin, unpin, remove, properties). The rows'
// choices are the catalogue's (PaneRows.h) and the layout's (StartMenuLayout.h); this is their glue. GUI thread only.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "base/Geometry.h"
#include "controls/TrackingHintWin.h"
#include "startmenu/ProgramPanesModel.h"

namespace tessaline {

class TForm;
class TImageList;
class TImageNote;
class TLabel;
class TPopupMenu;
class TTreeNode;
class TTreeView;
struct TShellItem;

class TProgramPanesRegion {
  public:
    struct TControls {
        TTreeView* Pinned = nullptr;
        TTreeView* Frequent = nullptr;
        TTreeView* Programs = nullptr;          // "All Programs"
        TImageNote* PinnedSeparator = nullptr;  // under the pinned pane
        TImageNote* SwitchSeparator = nullptr;  // above the view switch
        std::array<TImageNote*, 3> Switch{};    // the view switch's row: left, centre, right
        TImageNote* SwitchLogo = nullptr;
        TLabel* SwitchLabel = nullptr;
        TPopupMenu* PinnedMenu = nullptr;
        TPopupMenu* FrequentMenu = nullptr;
        TImageList* LargeIcons = nullptr;
        TImageList* SmallIcons = nullptr;
    };
    struct TCalls {
        std::function<void()> HideMenu;         // after a start
        std::function<void()> EndHover;         // a press in the panes ends the right column's hover
        std::function<void(bool grow)> LayOut;  // the window's left side laid out again
        std::function<void()> Reposition;       // the window placed again (its height changed)
        std::function<void()> Invalidate;       // the window's glass painted again
    };

    TProgramPanesRegion(TForm& form, TControls controls, TCalls calls);
    ~TProgramPanesRegion();

    // The catalogue read again into the three trees (redraw held until Showing); returns the pinned pane's height.
    int Fill(int pinnedTop);
    // After the window's layout: the frequent view, the first row selected, the trees drawn again.
    void Showing();
    // The window shows under a pointer that has not moved: the move Windows reports there is no move.
    void RememberPointer();
    // The trees of the current view shown (the search's results went).
    void ShowTrees();
    void HideHint();

    // 0: the frequent list shows; 1: the "All Programs" tree.
    int ViewFlag() const { return viewFlag_; }
    void SwitchView();
    void SetSwitchHighlight(bool on);
    bool SwitchHighlighted() const;
    void SetSwitchTexts(const std::wstring& allPrograms, const std::wstring& back);
    // The switch's caption for the view shown.
    void ShowSwitchCaption();

    // A node's click or Enter: a program starts (and the menu hides), a folder of All Programs opens or closes.
    void Open(TTreeView& tree, TTreeNode* node);
    void ExpandFolder(TTreeNode& node);
    // The shell item of an "All Programs" node; null for none.
    const TShellItem* ItemOf(const TTreeNode& node) const;

  private:
    friend class TProgramNodeAdapter;

    int FillPinned(int base, bool reread);
    void FillFrequent(int base, bool reread, int countLimit, bool setHeight);
    // The All Programs top level read anew; its rows are kept when it is unchanged.
    void FillProgramTree();
    void SetUpMenus();
    void PaneIcon(TTreeView& tree, TTreeNode& node);
    void PaneRightClick(TTreeView& tree, int x, int y);
    void PaneMouseMove(TTreeView& tree, int x, int y);
    void LaunchLink(const std::wstring& path);
    void UnpinSelected();
    void PinSelectedFrequent();
    void RemoveSelectedFrequent();
    int WorkAreaHeight() const;
    TPane PaneOf(const TTreeView& tree) const;

    TForm& form_;
    TControls controls_;
    TCalls calls_;
    int viewFlag_ = 0;
    std::wstring allProgramsText_ = L"All Programs";
    std::wstring backText_ = L"Back";
    TPointerMoves pointer_;
    TTrackingHint hint_;  // the pinned and frequent panes' hint, shown at once at the mouse
    // The shell items of the "All Programs" tree, owned for their nodes (freed when a node's children go).
    std::unordered_map<const TTreeNode*, std::unique_ptr<TShellItem>> programItems_;
};

}  // namespace tessaline
