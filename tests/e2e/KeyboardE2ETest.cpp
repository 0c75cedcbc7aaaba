// The Windows keys on their way through Tessaline's keyboard hook, seen from another process: this test's own
// low-level hook, installed before Tessaline starts, is called after Tessaline's and records (and swallows)
// whatever Tessaline lets through.

#include <gtest/gtest.h>

#include <vector>

#include "Desktop.h"

namespace tessaline::test {
namespace {

// Marks the key events this test sends, so they are told apart from those Tessaline injects.
constexpr ULONG_PTR kTestKey = 0x7E57;

struct TSeenKey {
    DWORD Key = 0;
    bool Up = false;
    bool FromTest = false;
};

std::vector<TSeenKey> v_Seen;

LRESULT CALLBACK RecordKeys(int code, WPARAM message, LPARAM event) {
    if (code == HC_ACTION) {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
        v_Seen.push_back({info->vkCode, message == WM_KEYUP || message == WM_SYSKEYUP, info->dwExtraInfo == kTestKey});
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, event);
}

class KeyboardE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, RecordKeys, GetModuleHandleW(nullptr), 0);
        ASSERT_NE(hook_, nullptr);
        ASSERT_TRUE(desktop_.StartHost());
        ASSERT_TRUE(desktop_.StartTessaline());
        PumpFor(300);
        v_Seen.clear();
    }
    void TearDown() override {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
    }

    static void Send(std::initializer_list<std::pair<WORD, bool>> keys) {
        for (const auto& [key, up] : keys) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            input.ki.dwExtraInfo = kTestKey;
            SendInput(1, &input, sizeof input);
            PumpFor(30);
        }
        PumpFor(400);
    }

    bool MenuShown() const { return IsWindowVisible(desktop_.StartMenu()) != FALSE; }

    static std::vector<TSeenKey> FromTest() {
        std::vector<TSeenKey> keys;
        for (const TSeenKey& k : v_Seen) {
            if (k.FromTest) {
                keys.push_back(k);
            }
        }
        return keys;
    }

    TDesktop desktop_;
    HHOOK hook_ = nullptr;
};

TEST_F(KeyboardE2E, LoneWindowsKeyTogglesOnceAndReachesNoOtherWindow) {
    ASSERT_FALSE(MenuShown());
    Send({{VK_LWIN, false}, {VK_LWIN, true}});
    EXPECT_TRUE(MenuShown());
    EXPECT_TRUE(FromTest().empty());
    // Only the synthetic left Windows key-up that tells the system the key is up again.
    ASSERT_EQ(v_Seen.size(), 1u);
    EXPECT_EQ(v_Seen[0].Key, static_cast<DWORD>(VK_LWIN));
    EXPECT_TRUE(v_Seen[0].Up);
    PumpFor(300);
    EXPECT_TRUE(MenuShown());  // exactly one toggle

    // The right key toggles the same way, and the system is told of a left key-up.
    v_Seen.clear();
    Send({{VK_RWIN, false}, {VK_RWIN, true}});
    EXPECT_FALSE(MenuShown());
    EXPECT_TRUE(FromTest().empty());
    ASSERT_EQ(v_Seen.size(), 1u);
    EXPECT_EQ(v_Seen[0].Key, static_cast<DWORD>(VK_LWIN));
    EXPECT_TRUE(v_Seen[0].Up);
}

TEST_F(KeyboardE2E, WindowsKeyCombinationPassesAfterASyntheticWindowsKeyDown) {
    Send({{VK_LWIN, false}, {'E', false}, {'E', true}, {VK_LWIN, true}});
    EXPECT_FALSE(MenuShown());
    ASSERT_GE(v_Seen.size(), 2u);
    EXPECT_EQ(v_Seen[0].Key, static_cast<DWORD>(VK_LWIN));
    EXPECT_FALSE(v_Seen[0].Up);
    EXPECT_FALSE(v_Seen[0].FromTest);
    EXPECT_EQ(v_Seen[1].Key, static_cast<DWORD>('E'));
    EXPECT_FALSE(v_Seen[1].Up);
    EXPECT_TRUE(v_Seen[1].FromTest);
    // Released in the order xdotool uses (the Windows key first): E's key-up still gets through.
    v_Seen.clear();
    Send({{VK_LWIN, false}, {'E', false}, {VK_LWIN, true}, {'E', true}});
    EXPECT_FALSE(MenuShown());
    bool eUp = false;
    for (const TSeenKey& k : v_Seen) {
        eUp = eUp || (k.Key == 'E' && k.Up);
    }
    EXPECT_TRUE(eUp);
}

}  // namespace
}  // namespace tessaline::test
