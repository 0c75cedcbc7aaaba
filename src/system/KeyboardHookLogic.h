#pragma once
// The decisions of the low-level keyboard hook, kept apart from Windows: a key event goes in; out come whether the
// event is withheld, which keystrokes to inject and whether the start menu toggles. Pure. One instance per hook,
// used only by the thread that runs the hook.
//
// A Windows key-down is withheld until the next key event shows what it was for:
//   - released alone: the key-up is withheld too, the start menu toggles and a left Windows key-up is injected;
//   - another key goes down: that key is withheld as well, and a left Windows key-down followed by a copy of that
//     key is injected in its place.
// The injected keystrokes come back through the hook like any other event; the state is such that they pass
// without starting further injections. An event that causes an injection is always withheld, so the system
// gets the same sequence whether injected input runs through the hooks at once (Wine: inside SendInput, before
// the injecting event goes on) or is queued behind the event being processed (Windows).

#include <cstdint>
#include <vector>

namespace tessaline {

inline constexpr uint32_t kVkLeftWindows = 0x5B;   // VK_LWIN
inline constexpr uint32_t kVkRightWindows = 0x5C;  // VK_RWIN
inline constexpr uint32_t kVkNumpad1 = 0x61;       // VK_NUMPAD1

inline constexpr uint32_t kKeyDownMessage = 0x100;     // WM_KEYDOWN
inline constexpr uint32_t kKeyUpMessage = 0x101;       // WM_KEYUP
inline constexpr uint32_t kSysKeyDownMessage = 0x104;  // WM_SYSKEYDOWN
inline constexpr uint32_t kSysKeyUpMessage = 0x105;    // WM_SYSKEYUP

inline constexpr int kHookAction = 0;  // HC_ACTION

// A key event as the hook sees it, and as it injects one: a copy of a withheld key keeps its scan code, its
// extended-key flag and the extra value its sender gave it.
struct TSyntheticKey {
    uint32_t Key = 0;
    bool Up = false;
    uint32_t ScanCode = 0;
    bool Extended = false;
    uint64_t ExtraInfo = 0;
    bool operator==(const TSyntheticKey&) const = default;
};

struct TKeyDecision {
    bool Withhold = false;              // the event goes no further: no other hook and no window sees it
    bool PostShowToggle = false;        // post WMShowToggle to the Start button window
    std::vector<TSyntheticKey> Inject;  // injected in order before the event (when not withheld) goes on
};

class TKeyboardHookLogic {
  public:
    // One event as the hook gets it: the hook code, the key message and the key (its `Up` is not read: the
    // message tells).
    TKeyDecision KeyEvent(int code, uint32_t message, const TSyntheticKey& event);
    TKeyDecision KeyEvent(int code, uint32_t message, uint32_t key) {
        return KeyEvent(code, message, TSyntheticKey{key});
    }
    // Forgets every key: a newly installed hook has withheld nothing.
    void Reset() { *this = {}; }

    // A Windows key went down and was withheld; the next key event decides what it was.
    bool WinKeyHeld() const { return winKeyHeld_; }
    // The withheld Windows key was released alone; cleared by the next key-up.
    bool WinKeyReleased() const { return winKeyReleased_; }

  private:
    bool winKeyHeld_ = false;
    bool winKeyReleased_ = false;
    uint32_t heldKey_ = 0;
    // The physical Windows key that an injected left Windows key-down stands in for, until it goes up; 0 when none.
    uint32_t standInFor_ = 0;
};

inline bool IsWindowsKey(uint32_t key) {
    return key == kVkLeftWindows || key == kVkRightWindows;
}

// What the program injects when it ends, so that no Windows key stays down: numeric-pad 1 down, both Windows
// keys up, numeric-pad 1 up. The hook must be removed first.
std::vector<TSyntheticKey> WindowsKeysReleaseSequence();

}  // namespace tessaline
