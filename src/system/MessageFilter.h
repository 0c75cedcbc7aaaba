#pragma once
// Messages that other processes send to the program's windows. A program started with raised rights has a higher
// integrity level than Explorer and the helpers, and Windows drops their messages to it (from WM_USER on, and
// registered ones such as "TaskbarCreated") unless the window lets them through. GUI thread.

#include <windows.h>

#include <initializer_list>

namespace tessaline {

// Lets each message through to `window` from processes of a lower integrity level. Where Windows has no such
// filter (before Windows 7) every message gets through anyway. False (traced) when one was refused.
bool AllowMessagesFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages);

}  // namespace tessaline
