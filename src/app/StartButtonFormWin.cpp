#include "app/StartButtonFormWin.h"

#include "app/AppState.h"
#include "app/StartButtonMenu.h"
#include "base/FileSystem.h"
#include "base/Trace.h"
#include "controls/FormDescription.h"
#include "controls/PImageNote.h"
#include "controls/PictureLoader.h"
#include "controls/PopupMenuWin.h"
#include "controls/TimerWin.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/HelperProtocol.h"
#include "system/HookKeyboard.h"
#include "system/MessageFilter.h"

namespace tessaline {

TfrmStartMenu* frmStartMenu = nullptr;

namespace {

// The options menu comes first so the button's PopupMenu reference finds it.
const TFormDescription kStartButtonFormRows = {
    {L"TPopupMenu", L"PopupMenu1", L"", {}, {}},
    {L"TMenuItem", L"Menu_startup", L"", {}, {{L"Menu", L"PopupMenu1"}, {L"Caption", L"Run at Startup"}}},
    {L"TMenuItem", L"Menu_SkipMetro", L"", {}, {{L"Menu", L"PopupMenu1"}, {L"Caption", L"Skip Metro Screen"}}},
    {L"TMenuItem", L"N1", L"", {}, {{L"Menu", L"PopupMenu1"}, {L"Caption", L"-"}}},
    {L"TMenuItem",
     L"Menu_StartButtonSkin",
     L"",
     {},
     {{L"Menu", L"PopupMenu1"}, {L"Caption", L"Customize User Interface"}}},
    {L"TMenuItem",
     L"Menu_cornersMetrol",
     L"",
     {},
     {{L"Menu", L"PopupMenu1"}, {L"Caption", L"Deactivate Metro Hot Corners"}}},
    {L"TMenuItem",
     L"Menu_cornersSidebar",
     L"",
     {},
     {{L"Menu", L"PopupMenu1"}, {L"Caption", L"Deactivate Metro Sidebar"}}},
    {L"TMenuItem", L"N2", L"", {}, {{L"Menu", L"PopupMenu1"}, {L"Caption", L"-"}}},
    {L"TMenuItem", L"Menu_Exit", L"", {}, {{L"Menu", L"PopupMenu1"}, {L"Caption", L"Exit"}}},
    {L"TImageNote",
     L"ImageNote_Button",
     L"",
     RectOf(0, 0, 54, 54),
     {{L"Stretch", L"True"}, {L"Hint", L"Tessaline"}, {L"ShowHint", L"True"}, {L"PopupMenu", L"PopupMenu1"}}},
    {L"TImageNote",
     L"ImageNote_Default",
     L"",
     RectOf(0, 0, 54, 54),
     {{L"Visible", L"False"}, {L"Items", L"STARTBUTTON_NORMAL,STARTBUTTON_HOVER,STARTBUTTON_PRESSED"}}},
    {L"TTimer", L"Timer1", L"", {}, {{L"Enabled", L"False"}, {L"Interval", L"500"}}},
};

template <typename T>
T* FindNamed(TComponent& form, const wchar_t* name) {
    return dynamic_cast<T*>(form.FindComponent(name));
}

}  // namespace

const TFormDescription& StartButtonFormDescription() {
    return kStartButtonFormRows;
}

TfrmStartMenu::TfrmStartMenu(TComponent* owner) : TForm(owner) {
    SetName(L"frmStartMenu");
    WindowClass = kStartButtonFormClass;
    Style = WS_POPUP;
    ExStyle = WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;
    ClearBrush = true;
    // Shown once it is docked.
    SetVisible(false);
    TFont font = Font();
    font.Name = L"Tahoma";
    font.Height = -11;
    SetFont(font);
}

bool TfrmStartMenu::Create() {
    TPropertyContext context;
    context.Pictures = [](const std::wstring& name) { return LoadPictureResource(name); };
    context.Form = this;
    BuildForm(*this, StartButtonFormDescription(), context);
    ImageNote_Button = FindNamed<TImageNote>(*this, L"ImageNote_Button");
    ImageNote_Default = FindNamed<TImageNote>(*this, L"ImageNote_Default");
    PopupMenu1 = FindNamed<TPopupMenu>(*this, L"PopupMenu1");
    Timer1 = FindNamed<TTimer>(*this, L"Timer1");
    Menu_startup = FindNamed<TMenuItem>(*this, L"Menu_startup");
    Menu_SkipMetro = FindNamed<TMenuItem>(*this, L"Menu_SkipMetro");
    Menu_StartButtonSkin = FindNamed<TMenuItem>(*this, L"Menu_StartButtonSkin");
    Menu_cornersMetrol = FindNamed<TMenuItem>(*this, L"Menu_cornersMetrol");
    Menu_cornersSidebar = FindNamed<TMenuItem>(*this, L"Menu_cornersSidebar");
    Menu_Exit = FindNamed<TMenuItem>(*this, L"Menu_Exit");
    if (ImageNote_Button == nullptr || ImageNote_Default == nullptr || PopupMenu1 == nullptr || Timer1 == nullptr ||
        Menu_Exit == nullptr) {
        Trace(L"TfrmStartMenu: the form description is incomplete");
        return false;
    }

    ImageNote_Button->OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int, int) {
        ImageNote_ButtonMouseDown(button);
    };
    ImageNote_Button->OnMouseUp = [this](TControl&, TMouseButton button, TShiftState, int, int) {
        ImageNote_ButtonMouseUp(button);
    };
    ImageNote_Button->OnMouseEnter = [this](TControl&) { ImageNote_ButtonMouseEnter(); };
    ImageNote_Button->OnMouseLeave = [this](TControl&) { ImageNote_ButtonMouseLeave(); };
    PopupMenu1->OnPopup = [this](TPopupMenu&) { PopupMenu1Popup(); };
    for (TMenuItem* option : {Menu_startup, Menu_SkipMetro, Menu_cornersMetrol, Menu_cornersSidebar}) {
        if (option != nullptr) {
            option->OnClick = [this](TMenuItem& item) { ToggleOption(item); };
        }
    }
    if (Menu_StartButtonSkin != nullptr) {
        Menu_StartButtonSkin->OnClick = [this](TMenuItem&) {
            if (OnShowSettings) {
                OnShowSettings();
            } else {
                Trace(L"Customize User Interface: no settings dialog");
            }
        };
    }
    Menu_Exit->OnClick = [this](TMenuItem&) { RestoreTaskbar(true); };
    Timer1->OnTimer = [this](TTimer&) { Timer1Timer(); };

    // The description's size; docking makes it 54 x 54.
    SetBounds(0, 0, 116, 16);
    OwnerWindow = nullptr;
    if (!CreateHandle()) {
        return false;
    }
    frmStartMenu = this;
    WindowMade();
    skinFolder_ = StartButtonSkinFolder(GetProgramDirectory());
    LoadButtonSkin();
    if (GlobalLanguage) {
        GlobalLanguage->ApplyToComponent(*this);
    }
    return true;
}

void TfrmStartMenu::WindowMade() {
    SetKeyboardHookTarget(Handle());
    // The taskbar side asks for a fresh picture from inside Explorer, which may run with fewer rights than we do.
    AllowMessagesFromLowerIntegrity(Handle(), {tessaline::WMStartMenuRef});
}

bool TfrmStartMenu::EnsureWindow() {
    // Windows destroys a child with its parent, and tells its thread; Wine may only free it.
    ForgetDeadHandle();
    if (Handle() != nullptr) {
        return true;
    }
    Trace(L"TfrmStartMenu: the window went with its taskbar; making it again");
    // Made hidden, as at start-up, and shown by the docking in its place: shown now it would flash up as a window
    // of its own where the old taskbar was.
    SetVisible(false);
    mouseOver_ = false;
    menuShownAtPress_ = false;
    taskbar_ = nullptr;
    band_ = nullptr;
    if (!CreateHandle()) {
        return false;
    }
    WindowMade();
    UpdateButtonPicture(false);
    return true;
}

void TfrmStartMenu::LoadButtonSkin() {
    skinName_ = ReadSkinName();
    Trace(L"StartSkinName: ", skinName_);
    skinComplete_ =
        ButtonSkinComplete(skinFolder_, skinName_, [](const std::wstring& path) { return FileExists(path); });
    UpdateButtonPicture(true);
}

void TfrmStartMenu::ApplySkin(const std::wstring& skinName) {
    skinName_ = skinName;
    Trace(L"Setting SkinName: ", skinName_);
    skinComplete_ =
        ButtonSkinComplete(skinFolder_, skinName_, [](const std::wstring& path) { return FileExists(path); });
    UpdateButtonPicture(true);
}

void TfrmStartMenu::ShowPicture(TButtonPictureState state) {
    if (ImageNote_Button == nullptr || ImageNote_Default == nullptr) {
        return;
    }
    const TButtonPicture choice = ChooseButtonPicture(state, skinComplete_, skinFolder_, skinName_);
    TPicture picture;
    if (!choice.SkinFile.empty()) {
        picture = LoadPictureFile(choice.SkinFile);
    }
    if (picture.Empty()) {
        // A skin file that stopped decoding falls back to the built-in picture rather than to nothing.
        const int index = choice.SkinFile.empty() ? choice.BuiltInIndex : static_cast<int>(state);
        if (const TPictureItem* item = ImageNote_Default->Items().Item(static_cast<size_t>(index))) {
            picture = item->Picture();
        }
    }
    ImageNote_Button->SetPicture(picture);
}

void TfrmStartMenu::UpdateButtonPicture(bool repaint) {
    ShowPicture(ButtonPictureState(v_Show_StartMenu, mouseOver_));
    if (repaint) {
        RedrawButtonArea();
    }
}

void TfrmStartMenu::ImageNote_ButtonMouseEnter() {
    mouseOver_ = true;
    if (v_Show_StartMenu) {
        return;
    }
    ShowPicture(TButtonPictureState::Hover);
    Trace(L"MouseEnter: ", SkinFilePath(skinFolder_, skinName_, TButtonPictureState::Hover));
    RedrawButtonArea();
}

void TfrmStartMenu::ImageNote_ButtonMouseLeave() {
    mouseOver_ = false;
    if (v_Show_StartMenu) {
        return;
    }
    ShowPicture(TButtonPictureState::Normal);
    Trace(L"MouseLeave: ", SkinFilePath(skinFolder_, skinName_, TButtonPictureState::Normal));
    RedrawButtonArea();
}

void TfrmStartMenu::ImageNote_ButtonMouseDown(TMouseButton button) {
    const bool menuShownAtPress = menuShownAtPress_;
    menuShownAtPress_ = false;
    if (button == TMouseButton::Left && menuShownAtPress && !v_Show_StartMenu) {
        // The menu was open when this click began and something on its way hid it (another window took the
        // activation): the click meant to close it, so it stays closed.
        Trace(L"v_Show_StartMenu False (hidden by this click)");
        v_ToggleInProgress = false;
        UpdateButtonPicture(true);
        return;
    }
    if (button == TMouseButton::Left) {
        ShowPicture(TButtonPictureState::Pressed);
        RedrawButtonArea();
        ToggleStartMenu();
    } else if (button == TMouseButton::Right && v_Show_StartMenu && frmZelStartMenu != nullptr) {
        frmZelStartMenu->HideStartMenu();
    }
}

void TfrmStartMenu::ImageNote_ButtonMouseUp(TMouseButton button) {
    // The options menu opens on the right button's release, where a window's context menu would.
    if (button == TMouseButton::Right && PopupMenu1 != nullptr) {
        POINT at{};
        GetCursorPos(&at);
        PopupMenu1->Popup(at.x, at.y, Handle());
    }
}

void TfrmStartMenu::PopupMenu1Popup() {
    const TStartButtonMenuChecks checks = ReadStartButtonMenuChecks();
    if (Menu_SkipMetro != nullptr) {
        Menu_SkipMetro->Checked = checks.SkipMetro;
    }
    if (Menu_startup != nullptr) {
        Menu_startup->Checked = checks.Startup;
    }
    if (Menu_cornersMetrol != nullptr) {
        Menu_cornersMetrol->Checked = checks.HotCorners;
    }
    if (Menu_cornersSidebar != nullptr) {
        Menu_cornersSidebar->Checked = checks.HotSidebar;
    }
}

void TfrmStartMenu::ToggleOption(TMenuItem& item) {
    item.Checked = !item.Checked;
    const TStartButtonOption option = &item == Menu_startup         ? TStartButtonOption::Startup
                                      : &item == Menu_SkipMetro     ? TStartButtonOption::SkipMetro
                                      : &item == Menu_cornersMetrol ? TStartButtonOption::HotCorners
                                                                    : TStartButtonOption::HotSidebar;
    const std::optional<TWindowMessage> message = StoreStartButtonOption(option, item.Checked);
    if (!message) {
        return;
    }
    // Found afresh: Explorer may have been restarted since docking.
    HWND band = FindWindowExW(FindWindowW(kTaskbarClass, nullptr), nullptr, kTaskbarBandClass, nullptr);
    if (band != nullptr) {
        PostMessageW(band, message->Message, message->WParam, message->LParam);
    }
}

void TfrmStartMenu::ToggleStartMenu() {
    if (v_Show_StartMenu) {
        Trace(L"v_Show_StartMenu False");
        v_Show_StartMenu = false;
        if (frmZelStartMenu != nullptr) {
            // The window, the user picture beside it and the power menu go together.
            frmZelStartMenu->HideStartMenu();
        }
        UpdateButtonPicture(true);
    } else {
        Trace(L"v_Show_StartMenu True");
        if (frmZelStartMenu != nullptr) {
            frmZelStartMenu->ShowStartMenuForm();
            PostMessageW(frmZelStartMenu->Handle(), WMUpdateUserName, 0, 0);
        }
        UpdateButtonPicture(true);
    }
    v_ToggleInProgress = false;
}

void TfrmStartMenu::WMShowToggle() {
    if (v_ToggleInProgress) {
        return;
    }
    v_ToggleInProgress = true;
    if (frmZelStartMenu != nullptr) {
        if (!v_Show_StartMenu) {
            frmZelStartMenu->NoteForegroundWindow();  // before this program takes it
        }
        SwitchToThisWindow(frmZelStartMenu->Handle(), TRUE);
    }
    ToggleStartMenu();
}

void TfrmStartMenu::WMStartMenuRef() {
    Trace(L"WMStartMenuRef");
    UpdateButtonPicture(true);
}

void TfrmStartMenu::Timer1Timer() {
    Timer1->SetEnabled(false);
    UpdateButtonPicture(true);
}

LRESULT TfrmStartMenu::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case tessaline::WMShowToggle:
            WMShowToggle();
            return 0;
        case tessaline::WMStartMenuRef:
            WMStartMenuRef();
            return 0;
        case WM_MOUSEACTIVATE:
            // A click on the button does not activate the taskbar it sits in: that would deactivate the open menu,
            // which hides on deactivation, and the click would then show it again.
            menuShownAtPress_ = v_Show_StartMenu;
            return MA_NOACTIVATE;
        case WM_SHOWWINDOW:
            // The application's own window never shows: no taskbar button for the program.
            if (wParam != FALSE) {
                ShowWindow(GetWindow(Handle(), GW_OWNER), SW_HIDE);
            }
            break;
        default:
            break;
    }
    return TForm::WndProc(message, wParam, lParam);
}

}  // namespace tessaline
