// RunSessionAction's choice of system, against the real process environment. Nothing here may lock, log off or
// shut down the machine: every action goes to a recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/FileSystem.h"
#include "startmenu/RunAgainWin.h"
#include "startmenu/SessionActions.h"

namespace tessaline {
namespace {

constexpr wchar_t kSessionProbeVariable[] = L"TESSALINE_SESSION_PROBE";

// The probe: two actions, the variable removed between them, so the second shows the choice holds for the
// process. Lock only: should the recorder not be chosen, the worst is a locked screen.
bool RunSessionProbeIfAsked() {
    if (GetEnvironmentText(kSessionProbeVariable).empty()) {
        return false;
    }
    RunSessionAction(TSessionAction::Lock);
    SetEnvironmentVariableW(kSessionLogVariable, nullptr);
    RunSessionAction(TSessionAction::SwitchUser);
    ExitProcess(0);
}
[[maybe_unused]] const bool g_sessionProbe = RunSessionProbeIfAsked();

TEST(SessionActionsWin, InstalledSystemReceivesEveryAction) {
    TSessionCallRecorder recorder;
    ISessionSystem* previous = SetSessionSystemForTest(&recorder);
    for (TSessionAction action : {TSessionAction::SwitchUser, TSessionAction::LogOff, TSessionAction::Lock,
                                  TSessionAction::Restart, TSessionAction::Sleep, TSessionAction::ShutDown}) {
        RunSessionAction(action);
    }
    SetSessionSystemForTest(previous);
    EXPECT_EQ(recorder.Lines(), (std::vector<std::wstring>{
                                    L"LockWorkStation",
                                    L"EnableShutdownPrivilege",
                                    L"ExitWindowsEx 0 0",
                                    L"LockWorkStation",
                                    L"EnableShutdownPrivilege",
                                    L"ExitWindowsEx 2 65535",
                                    L"EnableShutdownPrivilege",
                                    L"SetSystemPowerState 1 1",
                                    L"EnableShutdownPrivilege",
                                    L"ExitWindowsEx 1 65535",
                                }));
}

TEST(SessionActionsWin, LogVariableAtTheFirstActionRecordsForTheWholeProcess) {
    test::TempFolder folder;
    const std::wstring log = folder.File(L"session.log");
    test::ScopedEnv logVariable(kSessionLogVariable, log.c_str());
    test::ScopedEnv probe(kSessionProbeVariable, L"1");

    ASSERT_EQ(test::RunThisProgramAgain(), 0u);
    EXPECT_EQ(test::ReadBytes(log), "LockWorkStation\r\nLockWorkStation\r\n");
}

}  // namespace
}  // namespace tessaline
