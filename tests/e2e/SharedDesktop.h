#pragma once
// A group of scenarios on one desktop: the taskbar host and Tessaline start before the group's first scenario and
// end after its last, so a group pays for one start. Each scenario opens the menu as a person does (a lone Windows
// key); whatever it leaves open (the menu, a popup menu, a dialog, launched programs) is closed after it, so the
// next one starts clean. Test thread only.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Desktop.h"
#include "WinTestSupport.h"

namespace tessaline::test {

class TSharedDesktopTest : public ::testing::Test {
  protected:
    // For the group's SetUpTestSuite, after it prepared what the program reads at start, and TearDownTestSuite.
    static void StartDesktop();
    static void EndDesktop();

    void SetUp() override;
    void TearDown() override;

    static TDesktop& Desktop() { return *desktop_; }
    static HWND Menu() { return menu_; }
    static DWORD MenuThread() { return GetWindowThreadProcessId(menu_, nullptr); }
    static bool Shown() { return IsWindowVisible(menu_) != FALSE; }
    // A lone Windows key; true once the menu is shown and done filling itself (its account picture is up).
    static ::testing::AssertionResult ShowMenu();
    // The menu hides on the program's own thread, after whatever the action did first: awaited, not assumed.
    static bool WaitHidden() {
        return WaitUntil([] { return !Shown(); }, 8000);
    }
    // The menu's trees in their creation order: pinned, frequent, all programs, search results.
    static HWND Tree(size_t index);
    // The search box; the power button and its arrow sit on the top of its frame.
    static RECT SearchBoxInMenu();
    static POINT MenuToScreen(int x, int y);

    // Ends the programs the scenario's launches started so far, before their windows take the foreground (which
    // would hide the menu the next step opens).
    void EndLaunched() { launched_->EndThem(); }

    // What the launch log gained since the scenario started (verb, file and parameters, tab-separated).
    std::vector<std::wstring> NewLaunches() const;
    // The launches so far once there are at least `count`, or when the wait is over.
    std::vector<std::wstring> WaitForLaunches(size_t count) const;

  private:
    inline static std::unique_ptr<ComScope> com_;
    inline static std::unique_ptr<TDesktop> desktop_;
    inline static HWND menu_ = nullptr;
    inline static bool started_ = false;
    inline static std::atomic<bool> answering_{false};
    inline static std::thread heartbeats_;
    std::unique_ptr<TStartedProcesses> launched_;
    size_t launchesBefore_ = 0;
};

// What the right-hand link `tag` (0 the account .. 9 help) hands to the shell, as the launch log has it: verb,
// file and parameters, tab-separated; a command line has no verb.
std::wstring LinkLaunch(int tag);

}  // namespace tessaline::test
