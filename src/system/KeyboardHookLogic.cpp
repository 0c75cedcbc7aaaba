#include "system/KeyboardHookLogic.h"

namespace tessaline {

namespace {

bool IsKeyDown(uint32_t message) {
    return message == kKeyDownMessage || message == kSysKeyDownMessage;
}

bool IsKeyUp(uint32_t message) {
    return message == kKeyUpMessage || message == kSysKeyUpMessage;
}

TKeyDecision Pass() {
    return {};
}

TKeyDecision Withhold() {
    TKeyDecision decision;
    decision.Withhold = true;
    return decision;
}

}  // namespace

TKeyDecision TKeyboardHookLogic::KeyEvent(int code, uint32_t message, const TSyntheticKey& event) {
    const uint32_t key = event.Key;
    if (code != kHookAction || !(IsKeyDown(message) || IsKeyUp(message))) {
        return winKeyHeld_ ? Withhold() : Pass();
    }
    const bool windowsKey = IsWindowsKey(key);

    if (IsKeyDown(message)) {
        if (winKeyHeld_) {
            if (windowsKey) {
                // Auto-repeat (or the other Windows key): still undecided. Injecting here would feed the hook its
                // own key-down, which would inject again, without end.
                return Withhold();
            }
            // A combination: the system gets its Windows key-down first, then this key. Both are injected, the
            // key itself withheld: were it passed, Windows would deliver it before the injected Windows key.
            standInFor_ = heldKey_;
            winKeyHeld_ = false;
            heldKey_ = 0;
            TKeyDecision decision = Withhold();
            decision.Inject.push_back({kVkLeftWindows, false});
            TSyntheticKey copy = event;
            copy.Up = false;
            decision.Inject.push_back(copy);
            return decision;
        }
        if (windowsKey && standInFor_ != 0) {
            // The system already has our left Windows key-down: this is its echo or an auto-repeat. A repeated
            // right key stays hidden, since the system knows that key as the left one.
            return key == kVkRightWindows && standInFor_ == kVkRightWindows ? Withhold() : Pass();
        }
        if (windowsKey) {
            winKeyHeld_ = true;
            heldKey_ = key;
            return Withhold();
        }
        return Pass();
    }

    winKeyReleased_ = false;
    if (windowsKey && winKeyHeld_) {
        winKeyReleased_ = true;
        winKeyHeld_ = false;
        heldKey_ = 0;
        TKeyDecision decision = Withhold();
        decision.PostShowToggle = true;
        decision.Inject.push_back({kVkLeftWindows, true});
        return decision;
    }
    if (windowsKey && key == standInFor_) {
        standInFor_ = 0;
        if (key == kVkRightWindows) {
            // The system saw a left key go down for it: release that one, or it stays down.
            TKeyDecision decision = Withhold();
            decision.Inject.push_back({kVkLeftWindows, true});
            return decision;
        }
    }
    // Other key-ups pass even while a Windows key is withheld: the system saw those keys go down, and holding back
    // their key-ups would leave them down.
    return Pass();
}

std::vector<TSyntheticKey> WindowsKeysReleaseSequence() {
    return {{kVkNumpad1, false}, {kVkLeftWindows, true}, {kVkRightWindows, true}, {kVkNumpad1, true}};
}

}  // namespace tessaline
