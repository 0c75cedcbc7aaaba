#include "startmenu/StartMenuFormWin.h"

#include <windowsx.h>

#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "catalogue/ShellItems.h"
#include "controls/ApplicationWin.h"
#include "controls/ImageListWin.h"
#include "controls/Label.h"
#include "controls/LogoHintwindow.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/PopupMenuWin.h"
#include "controls/RdSkinMenuEx.h"
#include "controls/TimerWin.h"
#include "controls/TreeViewWin.h"
#include "controls/WinControlWin.h"
#include "search/ApplicationSearch.h"
#include "search/IndexBuilder.h"
#include "search/SearchFileSystemWin.h"
#include "search/UnitAdo.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "startmenu/FeedbackPage.h"
#include "startmenu/SearchResultsViewWin.h"
#include "startmenu/StartMenuForm.h"
#include "system/HelperProtocol.h"
#include "system/MessageFilter.h"
#include "system/ShellServices.h"

namespace tessaline {

bool v_Show_StartMenu = false;

TZelStartMenuFrm* frmZelStartMenu = nullptr;
int v_StartMenu_Height = kStartMenuBaseHeight;

namespace {

bool IsWindowOfThisProcess(HWND window) {
    DWORD process = 0;
    return window != nullptr && GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

// Black at alpha 160 over the glass: the dark translucent background (premultiplied, so only alpha is set).
constexpr TColor kGlass = 0xA0000000;
// Where the window is shown once before its first opening: left of and above any screen.
constexpr int kOffScreen = -32000;

template <typename T>
T* FindNamed(TComponent& form, const wchar_t* name) {
    auto* found = dynamic_cast<T*>(form.FindComponent(name));
    if (found == nullptr) {
        Trace(L"TZelStartMenuFrm: no component ", name);
    }
    return found;
}

void SetRect(TControl* control, const TRect& rect) {
    if (control != nullptr) {
        control->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    }
}

void SetShown(TControl* control, bool visible) {
    if (control != nullptr) {
        control->SetVisible(visible);
    }
}

// The glass frame over the whole window where the desktop composes one (dwmapi is absent before Vista). True
// when the window has it.
bool ExtendGlass(HWND window) {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (dwm == nullptr) {
        return false;
    }
    struct TMargins {
        int Left, Right, Top, Bottom;
    };
    using ExtendFn = HRESULT(WINAPI*)(HWND, const TMargins*);
    auto extend =
        reinterpret_cast<ExtendFn>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmExtendFrameIntoClientArea")));
    if (extend != nullptr) {
        const TMargins whole{-1, -1, -1, -1};
        return SUCCEEDED(extend(window, &whole));
    }
    return false;
}

}  // namespace

TZelStartMenuFrm::TZelStartMenuFrm(TComponent* owner) : TForm(owner) {
    SetName(L"ZelStartMenuFrm");
    WindowClass = kStartMenuFormClass;
    Style = WS_POPUP | WS_CLIPCHILDREN;
    ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    TFont font = Font();
    font.Name = L"Tahoma";
    font.Height = -11;
    SetFont(font);
    // Hidden until the Start button asks for it.
    SetVisible(false);
    OnPaintBackground = [this](ICanvas& canvas, const TRect& client) { PaintGlass(canvas, client); };
}

TZelStartMenuFrm::~TZelStartMenuFrm() {
    search_.reset();  // its threads end while the window they post to still exists
    if (frmZelStartMenu == this) {
        frmZelStartMenu = nullptr;
    }
}

bool TZelStartMenuFrm::FindComponents() {
    static constexpr const wchar_t* kPanel[] = {
        L"Image_bg_menu_topleft",
        L"Image_bg_menu_topcenter",
        L"Image_bg_menu_topright",
        L"Image_bg_menu_centerleft",
        L"Image_bg_menu",
        L"Image_bg_menu_centerright",
        L"Image_bg_menu_bottomleft",
        L"Image_bg_menu_bottomcenter",
        L"Image_bg_menu_bottomright",
    };
    for (size_t i = 0; i < Image_bg_menu.size(); ++i) {
        Image_bg_menu[i] = FindNamed<TImageNote>(*this, kPanel[i]);
    }
    TreeView_UserPind = FindNamed<TTreeView>(*this, L"TreeView_UserPind");
    TreeView_StartProgramLst = FindNamed<TTreeView>(*this, L"TreeView_StartProgramLst");
    TreeView_Program = FindNamed<TTreeView>(*this, L"TreeView_Program");
    Pnl_Step1 = FindNamed<TImageNote>(*this, L"Pnl_Step1");
    Pnl_Step2 = FindNamed<TImageNote>(*this, L"Pnl_Step2");
    ImageNote_Program = {FindNamed<TImageNote>(*this, L"ImageNote_ProgramLeft"),
                         FindNamed<TImageNote>(*this, L"ImageNote_ProgramCenter"),
                         FindNamed<TImageNote>(*this, L"ImageNote_ProgramRight")};
    Image_ProgramLogo = FindNamed<TImageNote>(*this, L"Image_ProgramLogo");
    lbl_Program = FindNamed<TLabel>(*this, L"lbl_Program");
    Image_Search_bg = FindNamed<TImageNote>(*this, L"Image_Search_bg");
    Image_SearchFrame = FindNamed<TImageNote>(*this, L"Image_SearchFrame");
    Edit_Search = FindNamed<TEdit>(*this, L"Edit_Search");
    ImageNote_SearchButton = FindNamed<TImageNote>(*this, L"ImageNote_SearchButton");
    ImageNote_SearchCloseButton = FindNamed<TImageNote>(*this, L"ImageNote_SearchCloseButton");
    for (int i = 0; i < kLinkCount; ++i) {
        LinkButtons[static_cast<size_t>(i)] = FindNamed<TImageNote>(*this, kLinkButtons[i]);
        LinkLabels[static_cast<size_t>(i)] = FindNamed<TLabel>(*this, kLinkLabels[i]);
    }
    Image_Right_Step1 = FindNamed<TImageNote>(*this, L"Image_Right_Step1");
    Image_Right_Step2 = FindNamed<TImageNote>(*this, L"Image_Right_Step2");
    Image_SendBack = FindNamed<TImageNote>(*this, L"Image_SendBack");
    Label_Sendback = FindNamed<TLabel>(*this, L"Label_Sendback");
    ImageNote_ShotDown = FindNamed<TImageNote>(*this, L"ImageNote_ShotDown");
    ImageNote_PopMenu = FindNamed<TImageNote>(*this, L"ImageNote_PopMenu");
    lab_Powner = FindNamed<TLabel>(*this, L"lab_Powner");
    PopupMenu_Label = FindNamed<TPopupMenu>(*this, L"PopupMenu_Label");
    PopupMenu_UserPin = FindNamed<TPopupMenu>(*this, L"PopupMenu_UserPin");
    PopupMenu_UsuallySoftware = FindNamed<TPopupMenu>(*this, L"PopupMenu_UsuallySoftware");
    Timer_LogoShow = FindNamed<TTimer>(*this, L"Timer_LogoShow");
    pnl_SearchClient = FindNamed<TImageNote>(*this, L"pnl_SearchClient");
    RdListViewSearch = FindNamed<TTreeView>(*this, L"RdListViewSearch");
    Label_SearchTitle = FindNamed<TLabel>(*this, L"Label_SearchTitle");
    Label_Search = FindNamed<TLabel>(*this, L"Label_Search");
    Image_SearchResultBack = {FindNamed<TImageNote>(*this, L"Image_SearchResultBack_Left"),
                              FindNamed<TImageNote>(*this, L"Image_SearchResultBack_Center"),
                              FindNamed<TImageNote>(*this, L"Image_SearchResultBack_Right")};
    Image_SearchResultLogo = FindNamed<TImageNote>(*this, L"Image_SearchResultLogo");
    lbl_SearchResult = FindNamed<TLabel>(*this, L"lbl_SearchResult");

    bool complete = TreeView_UserPind != nullptr && TreeView_StartProgramLst != nullptr &&
                    TreeView_Program != nullptr && Pnl_Step1 != nullptr && Pnl_Step2 != nullptr &&
                    Image_ProgramLogo != nullptr && lbl_Program != nullptr && Image_Search_bg != nullptr &&
                    Image_SearchFrame != nullptr && Edit_Search != nullptr && ImageNote_SearchButton != nullptr &&
                    ImageNote_SearchCloseButton != nullptr && Image_Right_Step1 != nullptr &&
                    Image_Right_Step2 != nullptr && Image_SendBack != nullptr && Label_Sendback != nullptr &&
                    ImageNote_ShotDown != nullptr && ImageNote_PopMenu != nullptr && lab_Powner != nullptr &&
                    PopupMenu_Label != nullptr && PopupMenu_UserPin != nullptr &&
                    PopupMenu_UsuallySoftware != nullptr && Timer_LogoShow != nullptr && pnl_SearchClient != nullptr &&
                    RdListViewSearch != nullptr && Label_SearchTitle != nullptr && Label_Search != nullptr &&
                    Image_SearchResultLogo != nullptr && lbl_SearchResult != nullptr;
    for (size_t i = 0; i < kLinkCount; ++i) {
        complete = complete && LinkButtons[i] != nullptr && LinkLabels[i] != nullptr;
    }
    for (TImageNote* piece : Image_bg_menu) {
        complete = complete && piece != nullptr;
    }
    for (TImageNote* piece : ImageNote_Program) {
        complete = complete && piece != nullptr;
    }
    for (TImageNote* piece : Image_SearchResultBack) {
        complete = complete && piece != nullptr;
    }
    return complete;
}

bool TZelStartMenuFrm::CreateWindowParts() {
    TPropertyContext context;
    context.Pictures = [](const std::wstring& name) { return LoadPictureResource(name); };
    context.Form = this;
    BuildForm(*this, StartMenuFormDescription(), context);
    if (!FindComponents()) {
        Trace(L"TZelStartMenuFrm: the form description is incomplete");
        return false;
    }
    OwnerWindow = Application.Handle();
    SetCaption(kStartMenuFormCaption);
    SetBounds(0, 0, kStartMenuWidth, kStartMenuBaseHeight);
    if (!CreateHandle()) {
        return false;
    }
    frmZelStartMenu = this;
    Application.MainFormHandle = Handle();
    Glass = ExtendGlass(Handle());
    // Explorer's new taskbar broadcasts this to every top-level window; the taskbar side and the helpers send the
    // private messages. All of them must get through when the program runs with more rights than they do.
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    AllowMessagesFromLowerIntegrity(
        Handle(), {taskbarCreatedMessage_, WMStartMenuLoaded, WMExplorerAlive, WMHotCornerState, WMQuitStartMenu});
    return true;
}

void TZelStartMenuFrm::SetUpWindow() {
    SetUpRegions();
    // Keys reach the window before its controls (the search box's and the results' in their region).
    for (TWinControl* control :
         {static_cast<TWinControl*>(TreeView_UserPind), static_cast<TWinControl*>(TreeView_StartProgramLst),
          static_cast<TWinControl*>(TreeView_Program)}) {
        control->OnKeyDown = [this](TWinControl&, WORD key, TShiftState) { return keyboard_->PreviewKey(key); };
    }
    v_StartMenu_Height = kStartMenuBaseHeight;
}

bool TZelStartMenuFrm::Create() {
    if (!CreateWindowParts()) {
        return false;
    }
    // The taskbar side finds this window by class and caption while the creation steps wait for it.
    if (Host != nullptr && !Host->CreationBegin(*this)) {
        return false;
    }
    SetUpWindow();
    if (Host != nullptr && !Host->CreationEnd()) {
        return false;
    }
    if (GlobalLanguage) {
        GlobalLanguage->ApplyToComponent(*this);
    }
    search_->SetStatusTexts();
    ReadLanguageTexts();
    Trace(L"FormCreate end");
    return true;
}

bool TZelStartMenuFrm::CreateWindowOnly() {
    if (!CreateWindowParts()) {
        return false;
    }
    SetUpWindow();
    FinishSetUp();
    return true;
}

void TZelStartMenuFrm::FinishSetUp() {
    if (setUpFinished_) {
        return;
    }
    setUpFinished_ = true;
    search_->StartIndex();
    rightColumn_->UpdateUserName();
}

void TZelStartMenuFrm::ReadLanguageTexts() {
    if (GlobalLanguage) {
        panes_->SetSwitchTexts(GlobalLanguage->GetMessage(L"lbl_Program_Common", L"All Programs"),
                               GlobalLanguage->GetMessage(L"lbl_Program_back", L"Back"));
        search_->SetPlaceholderText(GlobalLanguage->GetMessage(L"Edit_Search_Title", L"Search programs and files"));
    }
}

void TZelStartMenuFrm::ReloadLanguage() {
    const bool placeholderShown = search_->PlaceholderShown();
    std::wstring language = ReadLanguageSetting();
    if (GlobalLanguage) {
        GlobalLanguage->LoadLanguage(language.empty() ? std::wstring(kDefaultLanguage) : language);
        GlobalLanguage->ApplyToApplication();
    }
    search_->SetStatusTexts();
    ReadLanguageTexts();
    rightColumn_->UpdateUserName();
    panes_->ShowSwitchCaption();
    if (placeholderShown) {
        search_->ShowPlaceholder();
    }
    search_->LanguageChanged();
}

void TZelStartMenuFrm::ShowStartMenuForm() {
    FinishSetUp();
    rightColumn_->EndHover();
    Trace(L"ShowStartMenuForm");
    firstOpeningDone_ = true;
    NoteForegroundWindow();
    v_Show_StartMenu = true;
    search_->Leave();
    SetVisible(true);
    // The window takes the keyboard before the panes are filled: what the user types meanwhile waits in this
    // thread's queue for the search box instead of going to the window that had the focus.
    ForceForegroundWindow(Handle());
    if (Edit_Search->Handle() != nullptr) {
        SetFocus(Edit_Search->Handle());
    }
    FormShow();
    panes_->RememberPointer();
    ForceForegroundWindow(Handle());
}

void TZelStartMenuFrm::FormShow() {
    rightColumn_->HidePicture();
    Trace(L"FormShow");
    FillPanes();
    Trace(L"Height: ", v_StartMenu_Height);
    keyboard_->ClearKeyboardMarks();
    if (Edit_Search->Handle() != nullptr) {
        SetFocus(Edit_Search->Handle());
        SendMessageW(Edit_Search->Handle(), EM_SETSEL, 0, 0);
    }
    PositionWindow();
    rightColumn_->Showing();
    InvalidateRect(ClientArea());
    Trace(L"FormShow end");
}

void TZelStartMenuFrm::FillPanes() {
    v_StartMenu_Height = kStartMenuBaseHeight;
    panes_->Fill(kStartMenuBaseHeight);
    rightColumn_->ResetPicture();
    Trace(L"InitControlMarInset");
    ApplyLeftPane(true);
    Trace(L"JisuanControlHeightLeftTop");
    search_->ShowPlaceholder();
    panes_->Showing();
    rightColumn_->HideLinksBelow(ImageNote_ShotDown->Top());
}

void TZelStartMenuFrm::PrepareFirstOpening() {
    FinishSetUp();
    if (firstOpeningDone_ || v_Show_StartMenu || Handle() == nullptr) {
        return;
    }
    firstOpeningDone_ = true;
    Trace(L"PrepareFirstOpening");
    FillPanes();
    PositionWindow();
    ShowOnceOffScreen();
    Trace(L"PrepareFirstOpening end");
}

void TZelStartMenuFrm::PrepareFirstOpeningLater(unsigned milliseconds, std::function<void()> first) {
    if (prepareTimer_ == nullptr) {
        prepareTimer_ = new TTimer(this);
        prepareTimer_->SetEnabled(false);
    }
    prepareTimer_->OnTimer = [this, first = std::move(first)](TTimer& timer) {
        timer.SetEnabled(false);
        if (first) {
            first();
        }
        PrepareFirstOpening();
    };
    prepareTimer_->SetInterval(milliseconds);
    prepareTimer_->SetEnabled(true);
}

// The window shown once where no screen is, without taking the keyboard, and hidden again: the first showing of
// a window costs the window system more than later ones. While it shows, the window and its panes are painted
// into a bitmap that is then dropped (nothing is painted where no screen is): a first paint reads fonts, draws
// every row's picture (asking for those not yet known) and scales the window's pictures, all of which is kept.
void TZelStartMenuFrm::ShowOnceOffScreen() {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    imposingPosition_ = true;
    SetWindowPos(Handle(), nullptr, kOffScreen, kOffScreen, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    {
        const TWindowDc window(Handle());
        const TUniqueDc memory(CreateCompatibleDC(window.Get()));
        const TUniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(window.Get(), width, height));
        const TScopedSelection selection(memory.get(), bitmap.get());
        const auto target = reinterpret_cast<WPARAM>(memory.get());
        SendMessageW(Handle(), WM_PRINTCLIENT, target, PRF_CLIENT | PRF_ERASEBKGND);
        for (TTreeView* tree : {TreeView_UserPind, TreeView_StartProgramLst}) {
            if (tree->Handle() != nullptr && tree->Visible()) {
                SendMessageW(tree->Handle(), WM_PRINTCLIENT, target, PRF_CLIENT | PRF_ERASEBKGND);
            }
        }
    }
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    imposingPosition_ = false;
}

void TZelStartMenuFrm::ApplyLeftPane(bool grow) {
    TLeftPaneInput input;
    input.WindowWidth = kStartMenuWidth;
    input.ClientWidth = kStartMenuWidth;
    input.WindowHeight = grow ? kStartMenuBaseHeight : v_StartMenu_Height;
    input.Grow = grow;
    input.PinnedTop = 10;
    input.PinnedHeight = TreeView_UserPind->Height();
    input.PinnedHasItems = TreeView_UserPind->RootCount() > 0;
    input.FrequentHeight = TreeView_StartProgramLst->Height();
    input.FrequentVisible = TreeView_StartProgramLst->Visible();
    input.UserLabelLeft = LinkLabels[0]->Left();
    input.SearchMode = search_->Searching();
    leftPane_ = LayoutLeftPane(input);
    v_StartMenu_Height = leftPane_.StartMenuHeight;

    SetRect(TreeView_UserPind, leftPane_.PinnedTree);
    SetShown(TreeView_UserPind, leftPane_.PinnedVisible && panes_->ViewFlag() == 0);
    SetRect(TreeView_StartProgramLst, leftPane_.FrequentTree);
    SetRect(TreeView_Program, leftPane_.ProgramTree);
    SetRect(Pnl_Step1, leftPane_.Step1);
    SetShown(Pnl_Step1, leftPane_.Step1Visible && panes_->ViewFlag() == 0);
    SetRect(Pnl_Step2, leftPane_.Step2);
    SetShown(Pnl_Step2, leftPane_.Step2Visible);
    for (size_t i = 0; i < Image_bg_menu.size(); ++i) {
        SetRect(Image_bg_menu[i], leftPane_.Panel[i]);
    }
    for (size_t i = 0; i < ImageNote_Program.size(); ++i) {
        SetRect(ImageNote_Program[i], leftPane_.SwitchRow[i]);
    }
    SetRect(Image_ProgramLogo, leftPane_.ProgramLogo);
    SetRect(lbl_Program, leftPane_.ProgramLabel);
    SetRect(Image_SearchFrame, leftPane_.SearchFrame);
    SetRect(Image_Search_bg, leftPane_.SearchBackground);
    SetRect(ImageNote_SearchButton, leftPane_.SearchButton);
    SetRect(ImageNote_SearchCloseButton, leftPane_.SearchCloseButton);
    SetRect(Edit_Search, leftPane_.SearchEdit);
    SetRect(ImageNote_ShotDown, leftPane_.PowerButton);
    SetRect(ImageNote_PopMenu, leftPane_.PowerArrow);
    SetRect(lab_Powner, leftPane_.PowerLabel);
    search_->Place(leftPane_.SearchPanel);
    if (search_->Searching()) {
        TreeView_UserPind->SetVisible(false);
        Pnl_Step1->SetVisible(false);
    }
}

void TZelStartMenuFrm::PositionWindow() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const TRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const TStartMenuPlacement placement = PlaceStartMenu(screen, TRect{work.left, work.top, work.right, work.bottom},
                                                         kStartMenuWidth, v_StartMenu_Height);
    TPoint anchor{position_.X + kStartMenuWidth - 104, position_.Y};
    if (placement.Changed) {
        position_ = placement.Position;
        anchor = placement.Anchor;
    }
    imposingPosition_ = true;
    SetBounds(position_.X, position_.Y, kStartMenuWidth, v_StartMenu_Height);
    imposingPosition_ = false;
    rightColumn_->Place(anchor);
}

void TZelStartMenuFrm::PaintGlass(ICanvas& canvas, const TRect& client) {
    canvas.FillRect(client, kGlass);
}

bool TZelStartMenuFrm::WindowPosChanging(WINDOWPOS& pos) {
    Trace(L"v_StartMenu_Height: ", pos.cy);
    // Whatever asks (the system included), the window stays where the layout put it, as tall as it says.
    pos.x = position_.X;
    pos.y = position_.Y;
    pos.cy = v_StartMenu_Height;
    pos.flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
    if (pos.cx <= 0) {
        pos.cx = kStartMenuWidth;
    }
    return true;
}

void TZelStartMenuFrm::NoteForegroundWindow() {
    if (HWND foreground = GetForegroundWindow(); foreground != nullptr && !IsWindowOfThisProcess(foreground)) {
        foregroundBeforeShow_ = foreground;
    }
}

HWND TZelStartMenuFrm::WindowToReturnTo() const {
    HWND taskbar = Host != nullptr ? Host->TaskbarWindow() : nullptr;
    const DWORD taskbarThread = taskbar != nullptr ? GetWindowThreadProcessId(taskbar, nullptr) : 0;
    for (HWND candidate : {foregroundBeforeShow_, GetShellWindow()}) {
        if (candidate != nullptr && IsWindow(candidate) && IsWindowVisible(candidate) &&
            !IsWindowOfThisProcess(candidate) && !IsHungAppWindow(candidate) &&
            GetWindowThreadProcessId(candidate, nullptr) != taskbarThread) {
            return candidate;
        }
    }
    return nullptr;
}

void TZelStartMenuFrm::HideStartMenu() {
    if (hiding_) {
        return;  // hiding deactivates, and deactivation hides
    }
    hiding_ = true;
    if (panes_) {
        panes_->HideHint();
    }
    try {
        // The keyboard goes back where it was before the menu opened (the desktop when that window is gone), or
        // nowhere. Left to the system it goes to the next window down, often the taskbar: the Start button is the
        // taskbar's child, so the taskbar's thread shares this thread's input, and every later change of the active
        // window would wait for that thread, which hangs this program whenever Explorer hangs.
        if (GetActiveWindow() == Handle()) {
            if (HWND target = WindowToReturnTo(); target != nullptr) {
                SetForegroundWindow(target);
            } else {
                SetActiveWindow(nullptr);
            }
        }
        SetVisible(false);
        // A hidden window has nothing under the mouse: the next showing starts without a hovered control.
        Mouse().Leave();
        v_Show_StartMenu = false;
        if (rightColumn_) {
            rightColumn_->HidePicture();
        }
        if (Host != nullptr) {
            Host->MenuHidden();
        }
        if (power_) {
            power_->CloseMenu();
        }
    } catch (...) {
        // Hiding never fails for the caller.
        Trace(L"HideStartMenu: an exception while hiding");
    }
    hiding_ = false;
}

LRESULT TZelStartMenuFrm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreatedMessage_ && message != 0) {
        if (Host != nullptr) {
            Host->TaskbarCreated();
        }
        return 0;
    }
    switch (message) {
        case WM_ENDSESSION:
            // The session ends (the program may still be waiting for a taskbar): leave as Exit does.
            if (wParam != FALSE) {
                Trace(L"WM_ENDSESSION");
                if (Host != nullptr) {
                    Host->Quit();
                }
            }
            return 0;
        case WMStartMenuLoaded:
            Trace(L"WMStartMenuLoaded");
            if (Host != nullptr) {
                Host->TaskbarSideLoaded(static_cast<int64_t>(lParam));
            }
            return 0;
        case WMExplorerAlive:
            if (Host != nullptr) {
                Host->ExplorerAlive(static_cast<int64_t>(lParam));
            }
            return 0;
        case WMHotCornerState:
            if (Host != nullptr) {
                Host->HotCornerState(static_cast<int64_t>(lParam));
            }
            return 0;
        case WMQuitStartMenu:
            if (Host != nullptr) {
                Host->Quit();
            } else {
                Application.Terminate();
            }
            return 0;
        case WMUpdateUserName:
            if (rightColumn_) {
                rightColumn_->UpdateUserName();
            }
            return 0;
        case kSearchViewMessage:
            search_->ApplyViewCall(lParam);
            return 0;
        case WM_CTLCOLOREDIT:
            if (reinterpret_cast<HWND>(lParam) == Edit_Search->Handle()) {
                // The placeholder's grey and the typed text's black are the edit's font colour.
                SetTextColor(reinterpret_cast<HDC>(wParam), Edit_Search->Font().Color);
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        case WM_NCCALCSIZE:
            if (wParam != FALSE) {
                // The whole window is client area (the glass covers it): whatever frame the default would take
                // off is given back.
                auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
                const RECT whole = params->rgrc[0];
                DefaultProc(message, wParam, lParam);
                params->rgrc[0] = whole;
                return 0;
            }
            break;
        case WM_WINDOWPOSCHANGING:
            if (Handle() != nullptr && lParam != 0 && !imposingPosition_) {
                WindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
                return 0;
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                Application.Deactivated();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // A press on the background (no control under it) ends the right column's hover state.
            if (rightColumn_ && Mouse().ControlAt(TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) == nullptr) {
                rightColumn_->EndHover();
            }
            break;
        case WM_KEYDOWN:
            // The window itself has the keys while the position is on a picture (the row, a link, ...).
            if (keyboard_ && keyboard_->PreviewKey(static_cast<WORD>(wParam))) {
                return 0;
            }
            break;
        default:
            break;
    }
    return TForm::WndProc(message, wParam, lParam);
}

}  // namespace tessaline
