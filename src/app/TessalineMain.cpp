// Tessaline.exe: the Start button and the start menu.

#include <windows.h>

#include <objbase.h>

#include <memory>

#include "app/AppState.h"
#include "app/ExplorerWatchdogWin.h"
#include "app/HelperProcessesWin.h"
#include "app/SetMainWin.h"
#include "app/StartButtonFormWin.h"
#include "app/StartMenuHostWin.h"
#include "app/StartupWin.h"
#include "app/TaskbarDockingWin.h"
#include "base/SaveTemporary.h"
#include "base/Trace.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserDataFile.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"
#include "controls/ApplicationWin.h"
#include "controls/CursorTableWin.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "settings/MainSettings.h"
#include "settings/PLanguage.h"
#include "settings/UserDataDir.h"
#include "startmenu/BugReport.h"
#include "startmenu/StartMenuFormWin.h"
#include "system/DpiAware.h"
#include "system/HookKeyboard.h"

using namespace tessaline;

namespace {

constexpr unsigned kPrepareFirstOpeningAfterMs = 500;

// What runs before the program's body: the catalogue, GDI+, DPI awareness, the controls' shared parts.
void InitializeModules() {
    v_UseProgramManage = std::make_unique<TUseProgramManage>();
    v_UserPinedManage = std::make_unique<TUserPinedManage>();
    v_StartMenuManage = std::make_unique<TStartMenuManage>();
    EnsureGdiplus();
    SetDPIAware();
    RegisterStandardClasses();
    InitCursorTable();
}

void FinalizeModules() {
    v_StartMenuManage.reset();
    v_UserPinedManage.reset();
    v_UseProgramManage.reset();
    GlobalLanguage.reset();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A crash appends its report to the data directory's bug-report file.
    InstallCrashReporter();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    InitializeModules();

    if (!Application.CreateHandle() || !Application.CheckUniqueInstance()) {
        FinalizeModules();
        CoUninitialize();
        return 0;
    }
    // A save cut short by a crash or a power loss left its temporary file beside the real one.
    RemoveStaleSaveTemporaries(GetUserDataDir(), {kMainIniName, kUserDataFileName});

    GlobalLanguage = std::make_unique<TLanguage>(kAppName);
    std::wstring language = ReadLanguageSetting();
    GlobalLanguage->LoadLanguage(language.empty() ? std::wstring(kDefaultLanguage) : language);

    // The forms belong to this owner; freeing it frees them, newest first.
    auto owner = std::make_unique<TComponent>(nullptr);
    Trace(L"Tessaline");
    auto* startMenu = new TZelStartMenuFrm(owner.get());
    startMenu->Host = &ProgramStartMenuHost();
    bool created = startMenu->Create();
    Trace(L"TZelStartMenuFrm.Create");
    if (created) {
        auto* startButton = new TfrmStartMenu(owner.get());
        created = startButton->Create();
        Trace(L"TfrmStartMenu.Create");
        if (created && !Application.Terminated()) {
            // Docks now when the taskbar side answered (or gave up answering); otherwise once a taskbar can take it.
            StartButtonReady();
            // The settings dialog waits hidden for "Customize User Interface", made for it if that comes before the
            // rest of the start-up; without it the menu item only traces.
            TfrmSetting* settings = nullptr;
            bool settingsMade = false;
            const auto settingsDialog = [&owner, &settings, &settingsMade]() -> TfrmSetting* {
                if (!settingsMade) {
                    settingsMade = true;
                    auto* made = new TfrmSetting(owner.get());
                    settings = made->Create() ? made : nullptr;
                }
                return settings;
            };
            startButton->OnShowSettings = [settingsDialog] {
                if (TfrmSetting* dialog = settingsDialog()) {
                    dialog->ShowSettings();
                }
            };
            // What the dock does not wait for comes once the docked button has painted and the program answers
            // again (a timer's turn comes after every message and paint): the hot-corner helper and the settings
            // dialog, then the first opening's work, the search index and the user's name first, while nobody
            // waits for it.
            startMenu->PrepareFirstOpeningLater(kPrepareFirstOpeningAfterMs, [settingsDialog] {
                HookHotCorners(v_bit64windows);
                settingsDialog();
            });
            Application.Run();
        }
    }
    if (!created) {
        // Nothing was docked: the hook and the helpers that creation started go, and the program ends.
        Trace(Application.Terminated() ? L"Tessaline: told to end while starting"
                                       : L"Tessaline: a window could not be made; ending");
        RemoveKeyboardHook();
        EndHelperProcesses();
    }

    StopDocking();
    StopExplorerWatchdog();
    RemoveKeyboardHook();
    frmSetting = nullptr;
    frmStartMenu = nullptr;
    frmZelStartMenu = nullptr;
    owner.reset();
    if (Application.Handle() != nullptr) {
        DestroyWindow(Application.Handle());
    }
    FinalizeModules();
    Application.ReleaseUniqueInstance();
    CoUninitialize();
    return 0;
}
