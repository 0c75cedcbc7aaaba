#include "startmenu/StartMenuFormWin.h"

#include "app/AppState.h"
#include "app/ApplicationWin.h"
#include "app/HelperProtocol.h"
#include "app/StartButtonFormWin.h"
#include "app/StartupWin.h"
#include "base/Trace.h"
#include "settings/PLanguage.h"
#include "system/ShellServices.h"

namespace tessaline {

TZelStartMenuFrm* frmZelStartMenu = nullptr;

namespace {

constexpr int kMenuWidth = 400;
constexpr int kMenuHeight = 520;
constexpr TColor kMenuColor = 0x00302820;

}  // namespace

TZelStartMenuFrm::TZelStartMenuFrm(TComponent* owner) : TForm(owner) {
    SetName(L"ZelStartMenuFrm");
    WindowClass = kStartMenuFormClass;
    Style = WS_POPUP | WS_CLIPCHILDREN;
    ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    SetColor(kMenuColor);
    // Hidden until the Start button asks for it.
    SetVisible(false);
}

bool TZelStartMenuFrm::Create() {
    OwnerWindow = Application.Handle();
    SetCaption(kStartMenuFormCaption);
    SetBounds(0, 0, kMenuWidth, kMenuHeight);
    if (!CreateHandle()) {
        return false;
    }
    frmZelStartMenu = this;
    Application.MainFormHandle = Handle();
    // The taskbar side finds this window by class and caption while the creation steps wait for it.
    StartMenuCreationBegin(*this);
    StartMenuCreationEnd();
    if (GlobalLanguage) {
        GlobalLanguage->ApplyToComponent(*this);
    }
    Trace(L"FormCreate end");
    return true;
}

void TZelStartMenuFrm::ShowStartMenuForm() {
    // Beside the taskbar, at its start: above a bottom taskbar, beside a left one, below a top one.
    RECT bar{};
    HWND taskbar = FindWindowW(kTaskbarClass, nullptr);
    if (taskbar == nullptr || !GetWindowRect(taskbar, &bar)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &bar, 0);
        bar.top = bar.bottom;
    }
    if (bar.left == 0 && bar.top == 0 && bar.bottom > bar.right) {
        SetBounds(bar.right, bar.top, kMenuWidth, kMenuHeight);
    } else if (bar.left == 0 && bar.top == 0) {
        SetBounds(bar.left, bar.bottom, kMenuWidth, kMenuHeight);
    } else {
        SetBounds(bar.left, bar.top - kMenuHeight, kMenuWidth, kMenuHeight);
    }
    v_Show_StartMenu = true;
    SetVisible(true);
    ForceForegroundWindow(Handle());
}

void TZelStartMenuFrm::HideStartMenu() {
    if (!v_Show_StartMenu && !IsWindowVisible(Handle())) {
        return;
    }
    v_Show_StartMenu = false;
    SetVisible(false);
    if (frmStartMenu != nullptr) {
        frmStartMenu->UpdateButtonPicture(true);
    }
}

LRESULT TZelStartMenuFrm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WMStartMenuLoaded:
            Trace(L"WMStartMenuLoaded");
            v_StartMenuLoaded = true;
            return 0;
        case WMExplorerAlive:
            v_ExplorerWatchdog.OnExplorerAlive(static_cast<int64_t>(lParam));
            return 0;
        case WMHotCornerState:
            v_ExplorerWatchdog.OnHotCornerState(static_cast<int64_t>(lParam));
            return 0;
        case WMQuitStartMenu:
            if (frmStartMenu != nullptr) {
                frmStartMenu->RestoreTaskbar(true);
            } else {
                Application.Terminate();
            }
            return 0;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                Application.Deactivated();
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                HideStartMenu();
                return 0;
            }
            break;
        default:
            break;
    }
    return TForm::WndProc(message, wParam, lParam);
}

}  // namespace tessaline
