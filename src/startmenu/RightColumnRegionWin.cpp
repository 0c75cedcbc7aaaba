#include "startmenu/RightColumnRegionWin.h"

#include <windows.h>

#include <shlobj.h>

#include <utility>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "controls/FormWin.h"
#include "controls/Label.h"
#include "controls/LogoHintwindow.h"
#include "controls/MenuItem.h"
#include "controls/PImageNote.h"
#include "controls/PopupMenuWin.h"
#include "controls/TimerWin.h"
#include "system/LaunchWin.h"
#include "system/PopupMenuShell.h"
#include "system/ShellServices.h"

namespace tessaline {

namespace {

constexpr int kComputerLink = 5;

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE) ? std::wstring(path) : std::wstring();
}

std::wstring FolderPath(TLinkFolder folder) {
    switch (folder) {
        case TLinkFolder::Profile:
            return SpecialFolder(CSIDL_PROFILE);
        case TLinkFolder::AppData:
            return SpecialFolder(CSIDL_APPDATA);
        case TLinkFolder::Windows:
            return SpecialFolder(CSIDL_WINDOWS);
        case TLinkFolder::None:
            break;
    }
    return {};
}

void Open(HWND owner, const std::wstring& file, const std::wstring& parameters = {}) {
    ShellLaunch(owner, L"open", file, parameters);
}

}  // namespace

TRightColumnRegion::TRightColumnRegion(TForm& form, TControls controls, TCalls calls)
    : form_(form), controls_(controls), calls_(std::move(calls)) {
    for (int link = 0; link < kLinkCount; ++link) {
        for (TControl* control : {static_cast<TControl*>(controls_.Links[static_cast<size_t>(link)]),
                                  static_cast<TControl*>(controls_.Labels[static_cast<size_t>(link)])}) {
            control->OnMouseEnter = [this, link](TControl&) { Enter(link); };
            control->OnMouseLeave = [this, link](TControl&) { Leave(link); };
            control->OnClick = [this, link](TControl&) { Click(link); };
            control->OnMouseDown = [this, link](TControl& sender, TMouseButton button, TShiftState, int x, int y) {
                if (button == TMouseButton::Right) {
                    const TRect at = sender.RectInForm();
                    RightDown(link, at.Left + x, at.Top + y);
                }
            };
            control->OnMouseUp = [this, link](TControl& sender, TMouseButton button, TShiftState, int x, int y) {
                if (button == TMouseButton::Right) {
                    RightUp(sender, link, x, y);
                }
            };
        }
    }
    ShowMarks();
    if (auto* open = dynamic_cast<TMenuItem*>(form_.FindComponent(L"Menu_Lable_Open"))) {
        open->OnClick = [this](TMenuItem&) {
            const int link = static_cast<int>(controls_.LinkMenu->Tag);
            if (link >= 0 && link < kLinkCount) {
                Click(link);
            }
        };
    }
    for (TControl* control :
         {static_cast<TControl*>(controls_.SendBack), static_cast<TControl*>(controls_.SendBackLabel)}) {
        control->OnMouseEnter = [this](TControl&) { controls_.SendBack->SetImageIndex(1); };
        control->OnMouseLeave = [this](TControl&) { controls_.SendBack->SetImageIndex(0); };
        control->OnMouseDown = [this](TControl&, TMouseButton button, TShiftState, int, int) {
            if (button == TMouseButton::Left) {
                controls_.SendBack->SetImageIndex(2);
            }
        };
        control->OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) {
            controls_.SendBack->SetImageIndex(1);
        };
        control->OnClick = [this](TControl&) {
            if (!feedbackPage_.empty()) {
                Open(form_.Handle(), feedbackPage_);
            }
            calls_.HideMenu();
        };
    }
    controls_.PictureTimer->OnTimer = [this](TTimer&) { Tick(); };
}

void TRightColumnRegion::SetFeedbackPage(const std::wstring& page) {
    feedbackPage_ = page;
    // A build without a page has no button that goes nowhere.
    controls_.SendBack->SetVisible(!page.empty());
    controls_.SendBackLabel->SetVisible(!page.empty());
}

void TRightColumnRegion::ShowMarks() {
    for (int link = 0; link < kLinkCount; ++link) {
        controls_.Links[static_cast<size_t>(link)]->SetImageIndex(link == model_.MarkedLink() ? 0 : -1);
    }
}

void TRightColumnRegion::RestartTimer(unsigned delay) {
    if (delay == 0) {
        return;
    }
    controls_.PictureTimer->SetEnabled(false);
    controls_.PictureTimer->SetInterval(delay);
    controls_.PictureTimer->SetEnabled(true);
}

void TRightColumnRegion::Enter(int link) {
    // No active control: the keyboard leaves the search box (or a pane) for the window itself, as the keys' own
    // way into the right column does.
    if (HWND focus = GetFocus(); focus != nullptr && form_.Handle() != nullptr && IsChild(form_.Handle(), focus)) {
        ::SetFocus(form_.Handle());
    }
    const unsigned delay = model_.Enter(link);
    ShowMarks();
    RestartTimer(delay);
}

void TRightColumnRegion::Leave(int link) {
    const unsigned delay = model_.Leave(link);
    ShowMarks();
    RestartTimer(delay);
}

void TRightColumnRegion::EndHover() {
    const unsigned delay = model_.EndHover();
    ShowMarks();
    RestartTimer(delay);
    calls_.HoverEnded();
}

void TRightColumnRegion::ClearMarks() {
    model_.ClearMarks();
    ShowMarks();
}

void TRightColumnRegion::HidePicture() {
    if (pictureWindow_ != nullptr) {
        pictureWindow_->SetVisible(false);
    }
    model_.PictureHidden();
}

void TRightColumnRegion::SearchEntered() {
    controls_.PictureTimer->SetEnabled(false);  // or the picture's timer would show it again over the results
    HidePicture();
}

void TRightColumnRegion::SearchLeft() {
    if (pictureWindow_ != nullptr && calls_.MenuShown()) {
        controls_.PictureTimer->SetEnabled(false);
        controls_.PictureTimer->SetEnabled(true);  // the user picture comes back as on a showing
    }
}

void TRightColumnRegion::Click(int link) {
    const TLinkAction action = LinkAction(link);
    switch (action.Kind) {
        case TLinkAction::TKind::Open:
            Open(form_.Handle(), FolderPath(action.Folder) + action.File, action.Parameters);
            break;
        case TLinkAction::TKind::RunSystemProgram:
            RunSystemProgram(action.File, action.Parameters);
            break;
        case TLinkAction::TKind::None:
            return;
    }
    calls_.HideMenu();
}

void TRightColumnRegion::RightDown(int link, int x, int y) {
    model_.LinkMenuOpened();
    if (link != kComputerLink) {
        return;  // the "Open" menu comes with the release
    }
    LPITEMIDLIST drivesList = nullptr;
    const HRESULT found = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drivesList);
    const TUniqueCoTaskMem<ITEMIDLIST> drives(drivesList);
    TComPtr<IShellFolder> desktop;
    if (SUCCEEDED(found) && SUCCEEDED(SHGetDesktopFolder(desktop.Put()))) {
        ScopedWow64RedirectionOff redirection;
        ShowShellContextMenu(form_.Handle(), desktop.Get(), reinterpret_cast<PCUITEMID_CHILD>(drives.get()),
                             POINT{x, y}, CMF_EXPLORE);
    }
    model_.LinkMenuClosed();
}

// The right button's release opens the link's "Open" menu, where a window's context menu would.
void TRightColumnRegion::RightUp(TControl& sender, int link, int x, int y) {
    if (link == kComputerLink) {
        return;
    }
    const TRect at = sender.RectInForm();
    POINT screen{at.Left + x, at.Top + y};
    ClientToScreen(form_.Handle(), &screen);
    controls_.LinkMenu->Tag = link;
    controls_.LinkMenu->Popup(screen.x, screen.y, form_.Handle());
    model_.LinkMenuClosed();
}

void TRightColumnRegion::Tick() {
    if (pictureWindow_ == nullptr) {
        pictureWindow_ = new TLogoHintWindow(&form_, form_.Handle());
        pictureWindow_->SetClickHandler([this](TControl&) {
            RunSystemProgram(L"control.exe", L"/name Microsoft.UserAccounts");
            calls_.HideMenu();
        });
    }
    // The results cover the right column: its hover changes show no picture until the search closes.
    if (const std::wstring picture = model_.Tick(calls_.MenuShown(), calls_.SearchMode()); !picture.empty()) {
        const std::wstring file = GetProgramDirectory() + picture;
        // The window's text names its picture (for accessibility tools; it has no caption bar).
        pictureWindow_->SetCaption(picture);
        if (IsUserFrameFile(picture)) {
            pictureWindow_->ShowUserFrame(file, anchor_.X, anchor_.Y);
        } else {
            pictureWindow_->ShowImage(file, anchor_.X, anchor_.Y);
        }
    }
    controls_.PictureTimer->SetEnabled(false);
}

void TRightColumnRegion::Place(TPoint anchor) {
    anchor_ = anchor;
    TRightColumnInput input;
    POINT inWindow{anchor_.X, anchor_.Y};
    ScreenToClient(form_.Handle(), &inWindow);
    input.AnchorInWindow = {inWindow.x, inWindow.y};
    input.AnchorScreenX = anchor_.X;
    input.SendBackWidth = controls_.SendBack->Width();
    for (size_t i = 0; i < kLinkCount; ++i) {
        input.Links[i] = controls_.Links[i]->BoundsRect();
        input.Labels[i] = controls_.Labels[i]->BoundsRect();
    }
    input.Separator1 = controls_.Separator1->BoundsRect();
    input.Separator2 = controls_.Separator2->BoundsRect();
    input.SendBack = controls_.SendBack->BoundsRect();
    input.SendBackLabel = controls_.SendBackLabel->BoundsRect();
    const TRightColumnLayout layout = LayoutRightColumn(input);
    const auto place = [](TControl* control, const TRect& r) {
        control->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    };
    for (size_t i = 0; i < kLinkCount; ++i) {
        place(controls_.Links[i], layout.Links[i]);
        place(controls_.Labels[i], layout.Labels[i]);
    }
    place(controls_.Separator1, layout.Separator1);
    place(controls_.Separator2, layout.Separator2);
    place(controls_.SendBack, layout.SendBack);
    place(controls_.SendBackLabel, layout.SendBackLabel);
}

void TRightColumnRegion::HideLinksBelow(int powerButtonTop) {
    std::array<TRect, kLinkCount> links;
    std::array<TRect, kLinkCount> labels;
    for (size_t i = 0; i < kLinkCount; ++i) {
        links[i] = controls_.Links[i]->BoundsRect();
        labels[i] = controls_.Labels[i]->BoundsRect();
    }
    const std::array<bool, kLinkCount> visible = LinksAbovePowerButton(links, labels, powerButtonTop);
    for (size_t i = 0; i < kLinkCount; ++i) {
        controls_.Links[i]->SetVisible(visible[i]);
        controls_.Labels[i]->SetVisible(visible[i]);
    }
}

void TRightColumnRegion::UpdateUserName() {
    controls_.Labels[0]->SetCaption(GetUserFullName());
}

}  // namespace tessaline
