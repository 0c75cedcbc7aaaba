// Starts through the shell and WinExec under Wine, with what the test build's observer hears of them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "WinTestSupport.h"
#include "system/LaunchWin.h"
#include "system/ShellStartObserver.h"

namespace tessaline {
namespace {

class LaunchWin : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(com.Ok());
        previous_ = SetShellStartObserverForTest(
            [this](const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) {
                heard_.push_back(verb + L"|" + file + L"|" + parameters);
            });
    }
    void TearDown() override { SetShellStartObserverForTest(previous_); }

    // cmd.exe writing a marker file, so that a start is seen to have happened.
    std::wstring MarkerCommand(const std::wstring& marker) const { return L"/c echo started> \"" + marker + L"\""; }

    test::ComScope com;
    test::TempFolder folder;
    std::vector<std::wstring> heard_;
    TShellStartObserver previous_;
};

TEST_F(LaunchWin, AShellStartRunsTheProgramAndIsHeardFirst) {
    const std::wstring marker = folder.File(L"shell.txt");
    const std::wstring cmd = SystemDirectory() + L"\\cmd.exe";
    const TLaunchResult result = ShellLaunch(nullptr, L"open", cmd, MarkerCommand(marker), SW_HIDE);
    EXPECT_TRUE(result.Started()) << result.Code;
    EXPECT_EQ(test::AwaitFile(marker).rfind("started", 0), 0u);
    ASSERT_EQ(heard_.size(), 1u);
    EXPECT_EQ(heard_[0], L"open|" + cmd + L"|" + MarkerCommand(marker));
}

TEST_F(LaunchWin, WhatCannotStartSaysWhy) {
    const TLaunchResult missing = ShellLaunch(nullptr, nullptr, folder.File(L"no such program.exe"));
    EXPECT_FALSE(missing.Started());
    EXPECT_EQ(missing.Outcome, TLaunchOutcome::FileNotFound) << missing.Code;

    const TLaunchResult noFolder = RunCommandLine(folder.File(L"no folder\\nothing.exe"));
    EXPECT_FALSE(noFolder.Started());

    SHELLEXECUTEINFOW info{};
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    const std::wstring file = folder.File(L"absent.exe");
    info.lpFile = file.c_str();
    info.nShow = SW_HIDE;
    const TLaunchResult ex = ShellLaunchEx(info);
    EXPECT_FALSE(ex.Started());
    EXPECT_NE(ex.Code, 0u);
    EXPECT_EQ(heard_.size(), 3u);  // every try is heard, whatever became of it
}

TEST_F(LaunchWin, ACommandLineRunsOnlyWhenTheCodePageCarriesItExactly) {
    const std::wstring marker = folder.File(L"line.txt");
    const TLaunchResult started = RunSystemProgram(L"cmd.exe", MarkerCommand(marker));
    EXPECT_TRUE(started.Started()) << started.Code;
    EXPECT_EQ(test::AwaitFile(marker).rfind("started", 0), 0u);
    ASSERT_FALSE(heard_.empty());
    EXPECT_EQ(heard_.back(), L"|" + SystemDirectory() + L"\\cmd.exe " + MarkerCommand(marker) + L"|");

    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "every character converts with UTF-8 as the system code page";
    }
    // A full-width "f" would be "best fit" to a plain one: the line names a file it does not say.
    const TLaunchResult refused = RunSystemProgram(L"cmd.exe", MarkerCommand(folder.File(L"\uff46.txt")));
    EXPECT_EQ(refused.Outcome, TLaunchOutcome::NotRepresentable);
}

}  // namespace
}  // namespace tessaline
