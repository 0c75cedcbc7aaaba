#pragma once
// The start-menu window (the program's main window, found by others through its class and caption): the dark
// glass window beside the taskbar with the program panes on a white panel at the left (ProgramPanesWin.cpp), the
// links and the user picture at the right (RightColumnWin.cpp) and the power button (PowerButtonWin.cpp). The
// process-wide messages of the taskbar side and the hot-corner helper arrive here. GUI thread only.

#include <windows.h>

#include <functional>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/FormWin.h"
#include "controls/TrackingHintWin.h"
#include "startmenu/KeyboardNavigation.h"
#include "startmenu/StartMenuHost.h"
#include "startmenu/StartMenuLayout.h"

namespace tessaline {

class TEdit;
class TImageList;
class TImageNote;
class TLabel;
class TLogoHintWindow;
class TMenuItem;
class TPopupMenu;
class TRdSkinMenu;
class TTimer;
class TTreeNode;
class TTreeView;
class AdoObject;
class TApplicationSearch;
class TIdx;
class TSearchIndex;
class TShellSearchFileSystem;
class TSearchResultsView;
struct TSearchResultInfo;
struct TShellItem;
struct TUseProgramInfo;
struct TUserPinedInfo;

// The height the window is held at (every move and resize is overridden to it).
extern int v_StartMenu_Height;

// The start-menu window is showing.
extern bool v_Show_StartMenu;

class TZelStartMenuFrm : public TForm {
  public:
    explicit TZelStartMenuFrm(TComponent* owner);
    ~TZelStartMenuFrm() override;

    // The program around the window; set before Create.
    IStartMenuHost* Host = nullptr;

    // Creates the window and runs its creation steps (the host's wait for the taskbar side among them).
    bool Create();
    // The window and its own set-up alone, without the program's start-up steps (for benchmarks), finished.
    bool CreateWindowOnly();
    // The set-up that docking the button does not wait for: the control-panel pictures and the search index's
    // build, and the user's full name on the label. Once, by the first opening or its preparation, whichever
    // comes first (a search before the index is built walks the folders).
    void FinishSetUp();

    void ShowStartMenuForm();
    // The first opening's own work done ahead, after the button has docked: the catalogue read, the panes filled
    // and laid out, their pictures asked for and drawn once into memory, so that the user's first opening costs
    // what the later ones do. The user sees nothing (the window shows once off the screen, without activation) and
    // the active window keeps the keyboard. Once per window, and nothing once the menu has opened.
    void PrepareFirstOpening();
    // PrepareFirstOpening after `milliseconds`, from a timer: the program's messages and paints come first.
    // `first` runs just before it (the program's own start-up work that waited for the dock).
    void PrepareFirstOpeningLater(unsigned milliseconds, std::function<void()> first = {});
    // Also the application's deactivation handler: activating another application hides the menu.
    void HideStartMenu();
    // The settings dialog's OK: the language of Main.ini again, for every window of the program.
    void ReloadLanguage();

    // 0: the frequent list shows; 1: the "All Programs" tree.
    int ViewFlag() const { return viewFlag_; }
    TPoint WindowPosition() const { return position_; }
    const TLeftPaneLayout& LeftPane() const { return leftPane_; }

    TTreeView* TreeView_UserPind = nullptr;
    TTreeView* TreeView_StartProgramLst = nullptr;
    TTreeView* TreeView_Program = nullptr;
    std::array<TImageNote*, 9> Image_bg_menu{};  // the nine-slice panel, in the layout's order
    TImageNote* Pnl_Step1 = nullptr;
    TImageNote* Pnl_Step2 = nullptr;
    std::array<TImageNote*, 3> ImageNote_Program{};  // left, centre, right piece of the view switch
    TImageNote* Image_ProgramLogo = nullptr;
    TLabel* lbl_Program = nullptr;
    TImageNote* Image_Search_bg = nullptr;
    TImageNote* Image_SearchFrame = nullptr;
    TEdit* Edit_Search = nullptr;
    TImageNote* ImageNote_SearchButton = nullptr;
    TImageNote* ImageNote_SearchCloseButton = nullptr;
    std::array<TImageNote*, kLinkCount> LinkButtons{};
    std::array<TLabel*, kLinkCount> LinkLabels{};
    TImageNote* Image_Right_Step1 = nullptr;
    TImageNote* Image_Right_Step2 = nullptr;
    TImageNote* Image_SendBack = nullptr;
    TLabel* Label_Sendback = nullptr;
    TImageNote* ImageNote_ShotDown = nullptr;
    TImageNote* ImageNote_PopMenu = nullptr;
    TLabel* lab_Powner = nullptr;
    TPopupMenu* PopupMenu_Label = nullptr;
    TPopupMenu* PopupMenu_UserPin = nullptr;
    TPopupMenu* PopupMenu_UsuallySoftware = nullptr;
    TRdSkinMenu* PopupMenu_Shutdown = nullptr;
    TTimer* Timer_LogoShow = nullptr;
    TImageList* LargeIcons = nullptr;  // the system's, for the pinned and frequent panes
    TImageList* IcoImgList = nullptr;  // the system's small icons, for the tree and the search results
    TImageNote* pnl_SearchClient = nullptr;
    TTreeView* RdListViewSearch = nullptr;
    TLabel* Label_SearchTitle = nullptr;
    TLabel* Label_Search = nullptr;
    std::array<TImageNote*, 3> Image_SearchResultBack{};  // left, centre, right
    TImageNote* Image_SearchResultLogo = nullptr;
    TLabel* lbl_SearchResult = nullptr;

    bool SearchMode() const { return searchMode_; }
    // Remembers the window that has the keyboard now, unless it is one of ours: hiding the menu gives it back.
    void NoteForegroundWindow();
    // The page "Send Feedback" opens (the build's, from the start); empty hides the button.
    void SetFeedbackPage(const std::wstring& page);
    // The rows of the results tree that a pass may fill.
    int SearchRowsThatFit() const;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool FindComponents();
    bool CreateWindowParts();
    void SetUpWindow();
    void FormShow();
    void FillPanes();
    void ShowOnceOffScreen();
    void ApplyLeftPane(bool grow);
    void PositionWindow();
    void PaintGlass(ICanvas& canvas, const TRect& client);
    bool WindowPosChanging(WINDOWPOS& pos);
    HWND WindowToReturnTo() const;
    void ReadLanguageTexts();

    // The program panes (ProgramPanesWin.cpp).
    void SetUpPanes();
    int FillPinned(int base, bool reread);
    void FillFrequent(int base, bool reread, int countLimit, bool setHeight);
    // The All Programs top level read anew; its rows are kept when it is unchanged.
    void FillProgramTree();
    void ExpandFolder(TTreeNode& node);
    void PaneIcon(TTreeView& tree, TTreeNode& node);
    void PaneClick(TTreeView& tree, int x, int y);
    // A node's click: a program starts (and the menu hides), a folder of All Programs opens or closes, a search
    // result opens.
    void OpenNode(TTreeView& tree, TTreeNode* node);
    void PaneRightClick(TTreeView& tree, int x, int y);
    void PaneMouseMove(TTreeView& tree, int x, int y);
    void SwitchView();
    void SetSwitchHighlight(bool on);
    void LaunchLink(const std::wstring& path);
    void UnpinSelected();
    void PinSelectedFrequent();
    void RemoveSelectedFrequent();
    int WorkAreaHeight() const;

    // The right column (RightColumnWin.cpp).
    void SetUpRightColumn();
    void LinkEnter(int tag);
    void LinkLeave(int tag);
    void LinkClick(int tag);
    void LinkRightDown(int tag, int x, int y);
    void EndRightColumnHover(int linkMenu);
    void Timer_LogoShowTimer();
    void LayoutRightColumnNow();
    void HideLinksBelowPowerButton();
    void HideUserPicture();
    void UpdateUserName();

    // The search box and its results (SearchBoxWin.cpp).
    void SetUpSearch();
    void EndSearch();
    void StartIndexBuild(bool tableOnly);
    void SetSearchStatusTexts();
    void RememberPointerInPanes();
    // The control-panel pictures into the system image lists, then the index's first build.
    void StartSearchIndex();
    void SearchLanguageChanged();
    void SetPlaceholder();
    bool ShowsPlaceholder() const;
    void ClearPlaceholder();
    void Edit_SearchChange();
    void EnterSearchMode();
    void LeaveSearchMode();
    void CloseSearch();
    void SearchEnter();
    void OpenFirstResult();
    void LaunchResult(const TSearchResultInfo& info, bool fromClick);
    void ResultMouseDown(TMouseButton button, int x, int y);
    void ResultMouseMove(int x, int y);
    void ApplySearchViewCall(LPARAM call);
    void PlaceSearchPanel();
    void ShowPaneTrees();

    // Enter right after typing: waits, briefly, for the pass of the text in the box to give its first rows.
    // False when the rows shown still belong to an earlier text.
    bool WaitForCurrentRows();

    // The keyboard position (KeyboardNavigationWin.cpp).
    // A key before the focused control (or the window itself) gets it; true when the control must not.
    bool PreviewKey(WORD key);
    TNavState NavigationState() const;
    TNavNode NavigationNode(const TTreeView& tree, const TTreeNode& node) const;
    TTreeView* NavigationTree(TNavControl control) const;
    // True when the action takes the key's place in the control.
    bool RunNavigationAction(const TNavAction& action);
    void KeepAStopMarked();
    // A showing starts with the position in the search box: no highlight left from the last one.
    void ClearKeyboardMarks();

    // The power button (PowerButtonWin.cpp).
    void SetUpPowerButton();
    void SetPowerPictures(int index);
    void OpenPowerMenu();
    void ClosePowerMenu();

    int viewFlag_ = 0;
    bool rightColumnKeyboard_ = false;
    int linkMenuFlag_ = 0;
    TPoint position_{0, 0};
    TPoint anchor_{0, 0};  // the user picture's, screen coordinates
    TLeftPaneLayout leftPane_;
    std::wstring allProgramsText_ = L"All Programs";
    std::wstring backText_ = L"Back";
    std::wstring searchPlaceholder_ = L"Search programs and files";
    std::wstring currentImage_;
    std::wstring feedbackPage_;
    // The window that had the keyboard when the menu last opened (not one of ours); it gets it back on hiding.
    HWND foregroundBeforeShow_ = nullptr;
    bool hiding_ = false;
    UINT taskbarCreatedMessage_ = 0;
    bool firstOpeningDone_ = false;  // opened, or prepared for it
    bool setUpFinished_ = false;
    TTimer* prepareTimer_ = nullptr;
    std::wstring shownImage_;
    TLogoHintWindow* logoWindow_ = nullptr;
    TPoint lastMouse_[3] = {{-1, -1}, {-1, -1}, {-1, -1}};
    TTrackingHint paneHint_;  // the pinned and frequent panes' hint, shown at once at the mouse
    // The shell items of the "All Programs" tree, owned for their nodes (freed when a node's children go).
    std::unordered_map<const TTreeNode*, std::unique_ptr<TShellItem>> programItems_;
    friend class TProgramNodeAdapter;
    bool imposingPosition_ = false;

    bool searchMode_ = false;
    int iconBase_ = 0;                             // the icon count once the control-panel icons are appended
    uint64_t searchHandOver_ = 0;                  // calls of older hand-overs are stale
    uint64_t searchRowsHandOver_ = 0;              // the hand-over whose rows the results tree holds
    uint64_t searchIdleHandOver_ = 0;              // the last hand-over whose pass has ended
    std::unique_ptr<AdoObject> searchConnection_;  // opened once at creation: whether Windows Search answers
    bool windowsSearchAvailable_ = false;
    std::unique_ptr<TShellSearchFileSystem> searchFileSystem_;
    std::unique_ptr<TSearchIndex> searchIndex_;
    std::unique_ptr<TIdx> indexBuild_;
    std::unique_ptr<TSearchResultsView> searchView_;
    std::unique_ptr<TApplicationSearch> search_;
    std::vector<std::unique_ptr<TSearchResultInfo>> results_;  // the records of the results tree's nodes
};

extern TZelStartMenuFrm* frmZelStartMenu;

}  // namespace tessaline
