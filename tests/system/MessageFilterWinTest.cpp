// Letting the messages of Explorer and the helpers through to a program that runs with more rights. Wine has no
// integrity levels, so what is checked here is the call itself: found, called with the right arguments (a wrong
// calling convention on i686 would not return), and accepted for a window of ours.
#include "system/MessageFilter.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

TEST(MessageFilter, TheTaskbarsBroadcastAndThePrivateMessagesAreLetThrough) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    EXPECT_TRUE(AllowMessagesFromLowerIntegrity(window, {taskbarCreated, WM_USER + 300, WM_USER + 2200}));
    // Not a message at all is left alone, and a missing window is no window of ours.
    EXPECT_TRUE(AllowMessagesFromLowerIntegrity(window, {0}));
    DestroyWindow(window);
    EXPECT_FALSE(AllowMessagesFromLowerIntegrity(nullptr, {taskbarCreated}));
}

}  // namespace
}  // namespace tessaline
