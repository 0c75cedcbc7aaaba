#pragma once
// The start-menu window (the program's main window, found by others through its class and caption): the dark
// glass window beside the taskbar with the program panes on a white panel at the left (ProgramPanesWin.cpp), the
// right column of links and the user picture (TRightColumnRegion) and the power button (TPowerButtonRegion). The
// process-wide messages of the taskbar side and the hot-corner helper arrive here. GUI thread only.

#include <windows.h>

#include <functional>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/FormWin.h"
#include "startmenu/KeyboardNavigatorWin.h"
#include "startmenu/PowerButtonRegionWin.h"
#include "startmenu/ProgramPanesRegionWin.h"
#include "startmenu/RightColumnRegionWin.h"
#include "startmenu/SearchRegionWin.h"
#include "startmenu/StartMenuHost.h"
#include "startmenu/StartMenuLayout.h"

namespace tessaline {

class TEdit;
class TImageList;
class TImageNote;
class TLabel;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TTreeNode;
class TTreeView;
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

    // Remembers the window that has the keyboard now, unless it is one of ours: hiding the menu gives it back.
    void NoteForegroundWindow();
    TRightColumnRegion& RightColumn() { return *rightColumn_; }
    TPowerButtonRegion& PowerButton() { return *power_; }
    TSearchRegion& Search() { return *search_; }
    TProgramPanesRegion& Panes() { return *panes_; }

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

    // The panes around the search's results: hidden while they show (`searching`), back when they go.
    void LayOutForSearch(bool searching, bool changed);

    // The regions, made once the window exists.
    void SetUpRegions();

    TPoint position_{0, 0};
    TLeftPaneLayout leftPane_;
    // The window that had the keyboard when the menu last opened (not one of ours); it gets it back on hiding.
    HWND foregroundBeforeShow_ = nullptr;
    bool hiding_ = false;
    UINT taskbarCreatedMessage_ = 0;
    bool firstOpeningDone_ = false;  // opened, or prepared for it
    bool setUpFinished_ = false;
    TTimer* prepareTimer_ = nullptr;
    std::unique_ptr<TRightColumnRegion> rightColumn_;
    std::unique_ptr<TPowerButtonRegion> power_;
    std::unique_ptr<TProgramPanesRegion> panes_;
    std::unique_ptr<TKeyboardNavigator> keyboard_;
    bool imposingPosition_ = false;

    std::unique_ptr<TSearchRegion> search_;
};

extern TZelStartMenuFrm* frmZelStartMenu;

}  // namespace tessaline
