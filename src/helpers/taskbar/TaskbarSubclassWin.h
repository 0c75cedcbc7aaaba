#pragma once
// The taskbar side as it runs inside the taskbar's process: the band (ReBarWindow32) and the taskbar window
// subclassed to answer the program's messages and to keep the band clear of the docked Start button. Taskbar
// thread only (a window is subclassed on the thread that owns it). Nothing here throws or blocks the taskbar.

#include <windows.h>

#include <cstdint>

namespace tessaline {

// Subclasses the band and the taskbar unless done before (window properties mark them, so a second placement,
// even by another copy of the DLL, does not chain twice), forgets any attachment left by an earlier program,
// records `generation` on the band for the placer to see, and tells the start-menu window the taskbar side is
// ready. False when the band is missing or owned by another thread.
bool PlaceInTaskbar(HWND taskbar, uint32_t generation);

}  // namespace tessaline
