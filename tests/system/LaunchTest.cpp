// What the program makes of the shell's and WinExec's answers.
#include <gtest/gtest.h>

#include "system/Launch.h"

namespace tessaline {
namespace {

TEST(Launch, EachCallsThresholdSeparatesAStartFromAReason) {
    // ShellExecuteW's 32 is SE_ERR_DLLNOTFOUND; WinExec starts with anything above 31.
    EXPECT_FALSE(ShellExecuteResult(32).Started());
    EXPECT_TRUE(ShellExecuteResult(33).Started());
    EXPECT_TRUE(WinExecResult(32).Started());
    EXPECT_FALSE(WinExecResult(31).Started());
    // A handle-sized answer far above the codes is a start too (ShellExecuteW returns a pseudo-instance).
    EXPECT_TRUE(ShellExecuteResult(0x7ffe0000u).Started());
    EXPECT_EQ(ShellExecuteResult(42).Code, 42u);
}

TEST(Launch, TheReasonsTheCallsGiveAreNamed) {
    EXPECT_EQ(ShellExecuteResult(0).Outcome, TLaunchOutcome::OutOfResources);
    EXPECT_EQ(ShellExecuteResult(2).Outcome, TLaunchOutcome::FileNotFound);
    EXPECT_EQ(ShellExecuteResult(3).Outcome, TLaunchOutcome::PathNotFound);
    EXPECT_EQ(ShellExecuteResult(5).Outcome, TLaunchOutcome::AccessDenied);
    EXPECT_EQ(ShellExecuteResult(31).Outcome, TLaunchOutcome::NoAssociation);
    EXPECT_EQ(ShellExecuteResult(27).Outcome, TLaunchOutcome::NoAssociation);
    EXPECT_EQ(WinExecResult(11).Outcome, TLaunchOutcome::BadFormat);
    EXPECT_EQ(ShellExecuteResult(29).Outcome, TLaunchOutcome::Failed);  // a DDE failure: no finer name

    EXPECT_TRUE(ShellExecuteExResult(true, 5).Started());
    EXPECT_EQ(ShellExecuteExResult(false, 1223).Outcome, TLaunchOutcome::Cancelled);
    EXPECT_EQ(ShellExecuteExResult(false, 1155).Outcome, TLaunchOutcome::NoAssociation);
    EXPECT_EQ(ShellExecuteExResult(false, 2).Outcome, TLaunchOutcome::FileNotFound);
    // A failed call with no error set is still a failure.
    EXPECT_EQ(ShellExecuteExResult(false, 0).Outcome, TLaunchOutcome::Failed);
}

TEST(Launch, ASystemProgramIsNamedByItsFullPath) {
    EXPECT_EQ(SystemProgramCommandLine(L"C:\\Windows\\system32", L"control.exe", L"/name Microsoft.AddHardware"),
              L"C:\\Windows\\system32\\control.exe /name Microsoft.AddHardware");
    EXPECT_EQ(SystemProgramCommandLine(L"C:\\Windows\\system32\\", L"control.exe", L""),
              L"C:\\Windows\\system32\\control.exe");
}

}  // namespace
}  // namespace tessaline
