#include "system/HelperProtocol.h"
#include "system/HookKeyboard.h"

#include <vector>

#include "base/Trace.h"
#include "system/KeyboardHookLogic.h"

namespace tessaline {

HHOOK KeyboardHookHandle = nullptr;

namespace {

TKeyboardHookLogic v_KeyboardHookLogic;
HWND v_HookTargetWindow = nullptr;

void InjectKeys(const std::vector<TSyntheticKey>& keys) {
    if (keys.empty()) {
        return;
    }
    std::vector<INPUT> inputs(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = static_cast<WORD>(keys[i].Key);
        inputs[i].ki.wScan = static_cast<WORD>(keys[i].ScanCode);
        inputs[i].ki.dwFlags = (keys[i].Up ? KEYEVENTF_KEYUP : 0) | (keys[i].Extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs[i].ki.dwExtraInfo = static_cast<ULONG_PTR>(keys[i].ExtraInfo);
    }
    // Under Wine the hook sees these again before SendInput returns, so the state must be final by now.
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        Trace(L"SendInput: ", sent, L" of ", inputs.size(), L", error ", GetLastError());
    }
}

}  // namespace

bool InstallKeyboardHook(HWND startButtonWindow) {
    RemoveKeyboardHook();
    v_KeyboardHookLogic.Reset();
    v_HookTargetWindow = startButtonWindow;
    KeyboardHookHandle = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, GetModuleHandleW(nullptr), 0);
    if (KeyboardHookHandle == nullptr) {
        Trace(L"InstallKeyboardHook: SetWindowsHookExW failed: ", GetLastError());
        return false;
    }
    return true;
}

void SetKeyboardHookTarget(HWND startButtonWindow) {
    v_HookTargetWindow = startButtonWindow;
}

void RemoveKeyboardHook() {
    if (KeyboardHookHandle != nullptr && !UnhookWindowsHookEx(KeyboardHookHandle)) {
        Trace(L"RemoveKeyboardHook: UnhookWindowsHookEx failed: ", GetLastError());
    }
    KeyboardHookHandle = nullptr;
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event) {
    try {
        const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(event);
        TSyntheticKey key;
        if (code == HC_ACTION && info != nullptr) {
            key.Key = static_cast<uint32_t>(info->vkCode);
            key.ScanCode = static_cast<uint32_t>(info->scanCode);
            key.Extended = (info->flags & LLKHF_EXTENDED) != 0;
            key.ExtraInfo = static_cast<uint64_t>(info->dwExtraInfo);
        }
        const TKeyDecision decision = v_KeyboardHookLogic.KeyEvent(code, static_cast<uint32_t>(message), key);
        if (decision.PostShowToggle) {
            Trace(L"WM_SYSKEYUP");
            if (v_HookTargetWindow != nullptr) {
                PostMessageW(v_HookTargetWindow, WMShowToggle, 0, 0);
            }
        }
        if (!decision.Inject.empty() && !decision.Inject.front().Up) {
            Trace(L"WM_SYSKEYDOWN");
        }
        // Whatever it injects, the hook withholds the event that caused it (see KeyboardHookLogic.h).
        InjectKeys(decision.Inject);
        if (decision.Withhold) {
            return 1;
        }
        Trace(L"CallNextHookEx");
    } catch (...) {
        // Nothing may leave a hook procedure; the event goes on unchanged.
        Trace(L"KeyboardHookProc: an exception; the key goes on unchanged");
    }
    return CallNextHookEx(nullptr, code, message, event);
}

void ReleaseWindowsKeys() {
    InjectKeys(WindowsKeysReleaseSequence());
}

}  // namespace tessaline
