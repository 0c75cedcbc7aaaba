#pragma once
// The low-level keyboard hook that turns a Windows key pressed and released alone into WMShowToggle for the Start
// button window, while combinations with a Windows key still reach Windows (decisions: KeyboardHookLogic.h).
// User-interface thread only: the hook procedure runs on the thread that installed it, while it waits for or
// dispatches messages.

#include <windows.h>

namespace tessaline {

// The installed hook; null when none is.
extern HHOOK KeyboardHookHandle;

// Installs KeyboardHookProc for the whole desktop, posting to `startButtonWindow`. A hook already installed is
// replaced. False (traced) when Windows refuses.
bool InstallKeyboardHook(HWND startButtonWindow);
void RemoveKeyboardHook();
// The window WMShowToggle goes to, when it is made after the hook was installed.
void SetKeyboardHookTarget(HWND startButtonWindow);

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event);

// Reports both Windows keys released, for the program's end; call it after RemoveKeyboardHook.
void ReleaseWindowsKeys();

}  // namespace tessaline
