// The keyboard hook against Wine's input. Keystrokes go in through SendInput; a second low-level hook, installed
// first and so called after ours, stands for the rest of the system: it records what ours let through and
// swallows it, so that no test keystroke reaches a window or the key state of the desktop.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "system/HelperProtocol.h"
#include "system/HookKeyboard.h"
#include "system/KeyboardHookLogic.h"

namespace tessaline {

void PrintTo(const TSyntheticKey& key, std::ostream* out);

namespace {

constexpr DWORD kEndMarker = VK_F24;
constexpr uint32_t kLeft = kVkLeftWindows;
constexpr uint32_t kRight = kVkRightWindows;
constexpr uint32_t kE = 'E';

std::vector<TSyntheticKey> v_SeenKeys;
bool v_EndMarkerSeen = false;

LRESULT CALLBACK RecordAndSwallow(int code, WPARAM message, LPARAM event) {
    if (code != HC_ACTION) {
        return CallNextHookEx(nullptr, code, message, event);
    }
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    if (info->vkCode == kEndMarker) {
        v_EndMarkerSeen = true;
    } else {
        v_SeenKeys.push_back({info->vkCode, up});
    }
    return 1;
}

TSyntheticKey Down(uint32_t key) {
    return {key, false};
}
TSyntheticKey Up(uint32_t key) {
    return {key, true};
}

class HookKeyboard : public testing::Test {
  protected:
    void SetUp() override {
        // Message-only: never shown, never activated.
        window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
        ASSERT_NE(window_, nullptr);
        recorder_ = SetWindowsHookExW(WH_KEYBOARD_LL, RecordAndSwallow, GetModuleHandleW(nullptr), 0);
        ASSERT_NE(recorder_, nullptr);
        if (!Send({})) {
            GTEST_SKIP() << "SendInput does not reach low-level keyboard hooks here";
        }
    }

    void TearDown() override {
        RemoveKeyboardHook();
        if (recorder_ != nullptr) {
            UnhookWindowsHookEx(recorder_);
        }
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }

    // Sends the keys and an end marker, and waits until the marker has gone through every hook. False when it
    // never arrives.
    bool Send(const std::vector<TSyntheticKey>& keys) {
        std::vector<INPUT> inputs;
        for (TSyntheticKey key : keys) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = static_cast<WORD>(key.Key);
            input.ki.dwFlags = key.Up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
        // A lone key-up: passes the hook without deciding anything, unlike a key-down.
        INPUT marker{};
        marker.type = INPUT_KEYBOARD;
        marker.ki.wVk = kEndMarker;
        marker.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(marker);
        v_SeenKeys.clear();
        v_EndMarkerSeen = false;
        toggles_ = 0;
        if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
            return false;
        }
        const DWORD start = GetTickCount();
        while (!v_EndMarkerSeen && GetTickCount() - start < 5000) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            Pump();
        }
        Pump();  // a toggle posted before the marker passed is in the queue by now
        return v_EndMarkerSeen;
    }

    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == window_ && message.message == WMShowToggle) {
                ++toggles_;
            } else {
                DispatchMessageW(&message);
            }
        }
    }

    HWND window_ = nullptr;
    HHOOK recorder_ = nullptr;
    int toggles_ = 0;
};

TEST_F(HookKeyboard, LoneKeysToggleAndCombinationsPassWithALeftWindowsKey) {
    struct Case {
        const char* name;
        std::vector<TSyntheticKey> keys;
        std::vector<TSyntheticKey> seen;
        int toggles;
    };
    const Case cases[] = {
        {"left key alone", {Down(kLeft), Up(kLeft)}, {Up(kLeft)}, 1},
        {"right key alone", {Down(kRight), Up(kRight)}, {Up(kLeft)}, 1},
        {"auto-repeat while withheld", {Down(kLeft), Down(kLeft), Down(kLeft), Up(kLeft)}, {Up(kLeft)}, 1},
        {"Win+E", {Down(kLeft), Down(kE), Up(kE), Up(kLeft)}, {Down(kLeft), Down(kE), Up(kE), Up(kLeft)}, 0},
        {"Win+E, Windows key released first",
         {Down(kLeft), Down(kE), Up(kLeft), Up(kE)},
         {Down(kLeft), Down(kE), Up(kLeft), Up(kE)},
         0},
        {"right Win+E", {Down(kRight), Down(kE), Up(kE), Up(kRight)}, {Down(kLeft), Down(kE), Up(kE), Up(kLeft)}, 0},
    };
    ASSERT_TRUE(InstallKeyboardHook(window_));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Send(c.keys));
        EXPECT_EQ(v_SeenKeys, c.seen);
        EXPECT_EQ(toggles_, c.toggles);
        // Keystrokes that escaped both hooks (Wine stops calling hooks for deeply nested input) show here.
        EXPECT_EQ(GetAsyncKeyState(VK_LWIN) & 0x8000, 0);
        EXPECT_EQ(GetAsyncKeyState(VK_RWIN) & 0x8000, 0);
    }
}

TEST_F(HookKeyboard, RemovedHookLetsKeysThroughAndPostsNothing) {
    ASSERT_TRUE(InstallKeyboardHook(window_));
    ASSERT_TRUE(Send({Down(kLeft)}));  // withheld when the hook goes
    RemoveKeyboardHook();
    EXPECT_EQ(KeyboardHookHandle, nullptr);
    ASSERT_TRUE(Send({Up(kLeft), Down(kRight), Up(kRight)}));
    EXPECT_EQ(v_SeenKeys, (std::vector<TSyntheticKey>{Up(kLeft), Down(kRight), Up(kRight)}));
    EXPECT_EQ(toggles_, 0);

    // A new hook starts with nothing withheld: the next key is not taken for a combination.
    ASSERT_TRUE(InstallKeyboardHook(window_));
    ASSERT_TRUE(Send({Down(kE), Up(kE)}));
    EXPECT_EQ(v_SeenKeys, (std::vector<TSyntheticKey>{Down(kE), Up(kE)}));
}

}  // namespace
}  // namespace tessaline
