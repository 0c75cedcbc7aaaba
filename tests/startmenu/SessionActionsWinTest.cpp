// RunSessionAction with a recorder installed. Nothing here may lock, log off or shut down the machine: every
// action goes to the recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include "startmenu/SessionActions.h"

namespace tessaline {
namespace {

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

}  // namespace
}  // namespace tessaline
