// The right column of the start-menu window: the ten links with their hover highlights and actions, the
// "Open" menu, Computer's shell menu, "Send Feedback", the account name, and the user picture above them.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "base/FileSystem.h"
#include "base/Trace.h"
#include "controls/Label.h"
#include "controls/LogoHintwindow.h"
#include "controls/MenuItem.h"
#include "controls/PImageNote.h"
#include "controls/PopupMenuWin.h"
#include "controls/TimerWin.h"
#include "startmenu/FeedbackPage.h"
#include "startmenu/StartMenuForm.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"
#include "system/ShellStartObserver.h"

namespace tessaline {

namespace {

constexpr wchar_t kUserFramePicture[] = L"Resources\\userframe.png";
constexpr int kComputerTag = 5;
constexpr UINT kLogoDelayHover = 200;
constexpr UINT kLogoDelayLeave = 700;

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? std::wstring(path) : std::wstring();
}

void Open(HWND owner, const std::wstring& file, const wchar_t* parameters = nullptr) {
    NotifyShellStart(L"open", file, parameters != nullptr ? parameters : L"");
    ShellExecuteW(owner, L"open", file.c_str(), parameters, nullptr, SW_SHOWNORMAL);
}

// A program of the system folder, by its full path: WinExec looks for a bare name in the program's folder and the
// current one before the system's, where a planted file of that name would be run instead.
void Run(const wchar_t* program, const wchar_t* parameters) {
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring commandLine =
        (length > 0 && length < MAX_PATH ? std::wstring(system, length) : std::wstring(L"C:\\Windows\\System32")) +
        L"\\" + program + L" " + parameters;
    NotifyShellStart(L"", commandLine, L"");
    const int size = WideCharToMultiByte(CP_ACP, 0, commandLine.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_ACP, 0, commandLine.c_str(), -1, ansi.data(), size, nullptr, nullptr);
    WinExec(ansi.c_str(), SW_SHOWNORMAL);
}

}  // namespace

void TZelStartMenuFrm::SetUpRightColumn() {
    for (int tag = 0; tag < kLinkCount; ++tag) {
        for (TControl* control : {static_cast<TControl*>(LinkButtons[static_cast<size_t>(tag)]),
                                  static_cast<TControl*>(LinkLabels[static_cast<size_t>(tag)])}) {
            control->OnMouseEnter = [this, tag](TControl&) { LinkEnter(tag); };
            control->OnMouseLeave = [this, tag](TControl&) { LinkLeave(tag); };
            control->OnClick = [this, tag](TControl&) { LinkClick(tag); };
            control->OnMouseDown = [this, tag](TControl& sender, TMouseButton button, TShiftState, int x, int y) {
                if (button == TMouseButton::Right) {
                    const TRect at = sender.RectInForm();
                    LinkRightDown(tag, at.Left + x, at.Top + y);
                }
            };
            // The right button's release opens the link's "Open" menu, where a window's context menu would.
            control->OnMouseUp = [this, tag](TControl& sender, TMouseButton button, TShiftState, int x, int y) {
                if (button != TMouseButton::Right || tag == kComputerTag) {
                    return;
                }
                const TRect at = sender.RectInForm();
                POINT screen{at.Left + x, at.Top + y};
                ClientToScreen(Handle(), &screen);
                PopupMenu_Label->Tag = tag;
                PopupMenu_Label->Popup(screen.x, screen.y, Handle());
                linkMenuFlag_ = 0;
            };
        }
        LinkButtons[static_cast<size_t>(tag)]->SetImageIndex(-1);
    }
    if (auto* open = dynamic_cast<TMenuItem*>(FindComponent(L"Menu_Lable_Open"))) {
        open->OnClick = [this](TMenuItem&) {
            const int tag = static_cast<int>(PopupMenu_Label->Tag);
            if (tag >= 0 && tag < kLinkCount) {
                LinkClick(tag);
            }
        };
    }
    for (TControl* control : {static_cast<TControl*>(Image_SendBack), static_cast<TControl*>(Label_Sendback)}) {
        control->OnMouseEnter = [this](TControl&) { Image_SendBack->SetImageIndex(1); };
        control->OnMouseLeave = [this](TControl&) { Image_SendBack->SetImageIndex(0); };
        control->OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int, int) {
            if (button == TMouseButton::Left) {
                Image_SendBack->SetImageIndex(2);
            }
        };
        control->OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) {
            Image_SendBack->SetImageIndex(1);
        };
        control->OnClick = [this](TControl&) {
            if (!feedbackPage_.empty()) {
                Open(Handle(), feedbackPage_);
            }
            HideStartMenu();
        };
    }
    SetFeedbackPage(kFeedbackPage);
    for (TControl* separator : {static_cast<TControl*>(Image_Right_Step1), static_cast<TControl*>(Image_Right_Step2),
                                static_cast<TControl*>(ImageNote_SearchButton)}) {
        separator->OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) { EndRightColumnHover(0); };
    }
    Timer_LogoShow->OnTimer = [this](TTimer&) { Timer_LogoShowTimer(); };
}

void TZelStartMenuFrm::SetFeedbackPage(const std::wstring& page) {
    feedbackPage_ = page;
    // A build without a page has no button that goes nowhere.
    Image_SendBack->SetVisible(!page.empty());
    Label_Sendback->SetVisible(!page.empty());
}

void TZelStartMenuFrm::LinkEnter(int tag) {
    rightColumnKeyboard_ = true;
    // No active control: the keyboard leaves the search box (or a pane) for the window itself, as the keys' own
    // way into the right column does.
    if (HWND focus = GetFocus(); focus != nullptr && Handle() != nullptr && IsChild(Handle(), focus)) {
        ::SetFocus(Handle());
    }
    Timer_LogoShow->SetEnabled(false);
    Timer_LogoShow->SetInterval(kLogoDelayHover);
    for (TImageNote* button : LinkButtons) {
        button->ClearPicture();
    }
    currentImage_ = std::wstring(L"Resources\\") + kLinkHoverPictures[tag];
    LinkButtons[static_cast<size_t>(tag)]->SetImageIndex(0);
    Timer_LogoShow->SetEnabled(true);
}

void TZelStartMenuFrm::LinkLeave(int tag) {
    if (linkMenuFlag_ == 1) {
        return;
    }
    rightColumnKeyboard_ = false;
    currentImage_ = kUserFramePicture;
    Timer_LogoShow->SetEnabled(false);
    Timer_LogoShow->SetInterval(kLogoDelayLeave);
    LinkButtons[static_cast<size_t>(tag)]->ClearPicture();
    Timer_LogoShow->SetEnabled(true);
}

void TZelStartMenuFrm::EndRightColumnHover(int linkMenu) {
    if (linkMenu != linkMenuFlag_) {
        linkMenuFlag_ = linkMenu;
        if (linkMenu == 0) {
            currentImage_ = kUserFramePicture;
            Timer_LogoShow->SetEnabled(false);
            Timer_LogoShow->SetInterval(kLogoDelayLeave);
            for (TImageNote* button : LinkButtons) {
                button->SetImageIndex(-1);
            }
            Timer_LogoShow->SetEnabled(true);
        }
    }
    SetPowerPictures(0);
}

void TZelStartMenuFrm::LinkClick(int tag) {
    const HWND owner = Handle();
    switch (tag) {
        case 0:
            Open(owner, SpecialFolder(CSIDL_PROFILE));
            break;
        case 1:
        case 2:
        case 3: {
            static constexpr const wchar_t* kLibraries[] = {L"Documents", L"Pictures", L"Music"};
            Open(owner, SpecialFolder(CSIDL_APPDATA) + L"\\Microsoft\\Windows\\Libraries\\" + kLibraries[tag - 1] +
                            L".library-ms");
            break;
        }
        case 4:
            Open(owner, L"Explorer.exe", L"::{ED228FDF-9EA8-4870-83B1-96B02CFE0D52}");
            break;
        case 5:
            Open(owner, L"Explorer.exe", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
            break;
        case 6:
            Run(L"rundll32.exe", L"Shell32.DLL,Control_RunDLL");
            break;
        case 7:
            Run(L"control.exe", L"/name Microsoft.AddHardware");
            break;
        case 8:
            Run(L"control.exe", L"/name Microsoft.DefaultPrograms");
            break;
        case 9:
            Open(owner, SpecialFolder(CSIDL_WINDOWS) + L"\\winhlp32.exe");
            break;
        default:
            return;
    }
    HideStartMenu();
}

void TZelStartMenuFrm::LinkRightDown(int tag, int x, int y) {
    linkMenuFlag_ = 1;
    if (tag != kComputerTag) {
        return;
    }
    LPITEMIDLIST drives = nullptr;
    IShellFolder* desktop = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) &&
        SUCCEEDED(SHGetDesktopFolder(&desktop))) {
        ScopedWow64RedirectionOff redirection;
        ShowShellContextMenu(Handle(), desktop, reinterpret_cast<PCUITEMID_CHILD>(drives), POINT{x, y}, CMF_EXPLORE);
    }
    if (desktop != nullptr) {
        desktop->Release();
    }
    CoTaskMemFree(drives);
    linkMenuFlag_ = 0;
}

void TZelStartMenuFrm::Timer_LogoShowTimer() {
    if (logoWindow_ == nullptr) {
        logoWindow_ = new TLogoHintWindow(this, Handle());
        logoWindow_->SetClickHandler([this](TControl&) {
            Run(L"control.exe", L"/name Microsoft.UserAccounts");
            HideStartMenu();
        });
    }
    // The results cover the right column: its hover changes show no picture until the search closes.
    if (currentImage_ != shownImage_ && v_Show_StartMenu && !searchMode_) {
        const std::wstring file = GetProgramDirectory() + currentImage_;
        // The window's text names its picture (for accessibility tools; it has no caption bar).
        logoWindow_->SetCaption(currentImage_);
        if (IsUserFrameFile(currentImage_)) {
            logoWindow_->ShowUserFrame(file, anchor_.X, anchor_.Y);
        } else {
            logoWindow_->ShowImage(file, anchor_.X, anchor_.Y);
        }
        shownImage_ = currentImage_;
    }
    Timer_LogoShow->SetEnabled(false);
}

void TZelStartMenuFrm::HideUserPicture() {
    if (logoWindow_ != nullptr) {
        logoWindow_->SetVisible(false);
    }
    shownImage_.clear();
}

void TZelStartMenuFrm::LayoutRightColumnNow() {
    TRightColumnInput input;
    POINT anchor{anchor_.X, anchor_.Y};
    ScreenToClient(Handle(), &anchor);
    input.AnchorInWindow = {anchor.x, anchor.y};
    input.AnchorScreenX = anchor_.X;
    input.SendBackWidth = Image_SendBack->Width();
    for (size_t i = 0; i < kLinkCount; ++i) {
        input.Links[i] = LinkButtons[i]->BoundsRect();
        input.Labels[i] = LinkLabels[i]->BoundsRect();
    }
    input.Separator1 = Image_Right_Step1->BoundsRect();
    input.Separator2 = Image_Right_Step2->BoundsRect();
    input.SendBack = Image_SendBack->BoundsRect();
    input.SendBackLabel = Label_Sendback->BoundsRect();
    const TRightColumnLayout layout = LayoutRightColumn(input);
    const auto place = [](TControl* control, const TRect& r) {
        control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    };
    for (size_t i = 0; i < kLinkCount; ++i) {
        place(LinkButtons[i], layout.Links[i]);
        place(LinkLabels[i], layout.Labels[i]);
    }
    place(Image_Right_Step1, layout.Separator1);
    place(Image_Right_Step2, layout.Separator2);
    place(Image_SendBack, layout.SendBack);
    place(Label_Sendback, layout.SendBackLabel);
}

void TZelStartMenuFrm::HideLinksBelowPowerButton() {
    std::array<TRect, kLinkCount> links;
    std::array<TRect, kLinkCount> labels;
    for (size_t i = 0; i < kLinkCount; ++i) {
        links[i] = LinkButtons[i]->BoundsRect();
        labels[i] = LinkLabels[i]->BoundsRect();
    }
    const std::array<bool, kLinkCount> visible = LinksAbovePowerButton(links, labels, ImageNote_ShotDown->Top());
    for (size_t i = 0; i < kLinkCount; ++i) {
        LinkButtons[i]->SetVisible(visible[i]);
        LinkLabels[i]->SetVisible(visible[i]);
    }
}

void TZelStartMenuFrm::UpdateUserName() {
    LinkLabels[0]->SetCaption(GetUserFullName());
}

}  // namespace tessaline
