#include "app/StartMenuHostWin.h"

#include "app/AppState.h"
#include "app/StartButtonFormWin.h"
#include "app/StartupWin.h"
#include "app/TaskbarDockingWin.h"
#include "controls/ApplicationWin.h"

namespace tessaline {
namespace {

class TProgramStartMenuHost : public IStartMenuHost {
  public:
    bool CreationBegin(TZelStartMenuFrm& form) override {
        v_ExplorerWatchdog.OnHotCornerState(0);
        return StartMenuCreationBegin(form);
    }
    bool CreationEnd() override { return StartMenuCreationEnd(); }

    void TaskbarSideLoaded(int64_t taskbar) override {
        v_StartMenuLoaded = true;
        tessaline::TaskbarSideLoaded(static_cast<LPARAM>(taskbar));
    }
    void TaskbarCreated() override { tessaline::TaskbarCreated(); }
    void ExplorerAlive(int64_t count) override { v_ExplorerWatchdog.OnExplorerAlive(count); }
    void HotCornerState(int64_t value) override { v_ExplorerWatchdog.OnHotCornerState(value); }

    void Quit() override {
        if (frmStartMenu != nullptr) {
            frmStartMenu->RestoreTaskbar(true);
        } else {
            Application.Terminate();
        }
    }

    void MenuHidden() override {
        if (frmStartMenu != nullptr) {
            frmStartMenu->UpdateButtonPicture(true);
        }
    }
    HWND TaskbarWindow() const override { return frmStartMenu != nullptr ? frmStartMenu->TaskbarWindow() : nullptr; }
};

}  // namespace

IStartMenuHost& ProgramStartMenuHost() {
    static TProgramStartMenuHost host;
    return host;
}

}  // namespace tessaline
