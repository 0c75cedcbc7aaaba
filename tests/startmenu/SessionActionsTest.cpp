// The power menu's actions as the calls they make, and the recorder that stands in for the system.
#include "startmenu/SessionActions.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace tessaline {
namespace {

using Lines = std::vector<std::wstring>;

TEST(SessionActions, EachActionMakesItsCallsInOrder) {
    struct Case {
        TSessionAction action;
        Lines calls;
    };
    const Case cases[] = {
        {TSessionAction::SwitchUser, {L"LockWorkStation"}},
        {TSessionAction::Lock, {L"LockWorkStation"}},
        {TSessionAction::LogOff, {L"EnableShutdownPrivilege", L"ExitWindowsEx 0 0"}},
        {TSessionAction::Restart, {L"EnableShutdownPrivilege", L"ExitWindowsEx 2 65535"}},
        {TSessionAction::ShutDown, {L"EnableShutdownPrivilege", L"ExitWindowsEx 1 65535"}},
        {TSessionAction::Sleep, {L"EnableShutdownPrivilege", L"SetSystemPowerState 1 1"}},
    };
    for (const auto& [action, calls] : cases) {
        TSessionCallRecorder recorder;
        PerformSessionAction(action, recorder);
        EXPECT_EQ(recorder.Lines(), calls) << static_cast<int>(action);
    }
}

TEST(SessionActions, RecorderAppendsEachCallToItsFile) {
    test::TempFolder folder;
    const std::wstring log = folder.File(L"session.log");
    test::WriteBytes(log, "earlier\r\n");

    TSessionCallRecorder recorder(log);
    PerformSessionAction(TSessionAction::Lock, recorder);
    EXPECT_EQ(test::ReadBytes(log), "earlier\r\nLockWorkStation\r\n");  // written at once, not on destruction

    PerformSessionAction(TSessionAction::ShutDown, recorder);
    EXPECT_EQ(test::ReadBytes(log),
              "earlier\r\nLockWorkStation\r\nEnableShutdownPrivilege\r\nExitWindowsEx 1 65535\r\n");
}

TEST(SessionActions, RecorderCreatesAMissingLogButNeverReplacesAnUnreadableOne) {
    test::TempFolder folder;
    TSessionCallRecorder fresh(folder.File(L"new.log"));
    fresh.LockWorkStation();
    EXPECT_EQ(test::ReadBytes(folder.File(L"new.log")), "LockWorkStation\r\n");

    // A folder where the log should be cannot be read; the call is still kept in memory.
    const std::wstring blocked = folder.File(L"blocked");
    test::WriteBytes(blocked + L"\\inside.txt", "keep");
    TSessionCallRecorder recorder(blocked);
    recorder.LockWorkStation();
    EXPECT_EQ(recorder.Lines(), Lines{L"LockWorkStation"});
    EXPECT_EQ(test::ReadBytes(blocked + L"\\inside.txt"), "keep");
}

}  // namespace
}  // namespace tessaline
