// RunSessionAction with a recorder installed. Nothing here may lock, log off or shut down the machine: every
// action goes to the recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include "startmenu/SessionActions.h"

namespace tessaline {
namespace {

// Which calls each action makes is SessionActionsTest's; here only where RunSessionAction sends them.
TEST(SessionActionsWin, ActionsGoToTheInstalledSystemWhileItIsInstalled) {
    TSessionCallRecorder recorder;
    ISessionSystem* previous = SetSessionSystemForTest(&recorder);
    RunSessionAction(TSessionAction::Sleep);
    EXPECT_EQ(SetSessionSystemForTest(previous), &recorder);
    EXPECT_EQ(recorder.Lines(), (std::vector<std::wstring>{L"EnableShutdownPrivilege", L"SetSystemPowerState 1 1"}));
}

}  // namespace
}  // namespace tessaline
