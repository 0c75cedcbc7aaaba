#pragma once
// The taskbar's own Start button (Windows 8.1 and 10: a child of the taskbar of class "Start") while ours is
// docked: hidden, kept hidden when the taskbar's own layout shows it again (on a resize or a theme change), and
// taking no click; shown again when ours leaves. A taskbar without one (Windows 8) is left as it is. Taskbar
// thread only.

#include <windows.h>

namespace tessaline {

void HideOwnStartButton(HWND taskbar);
void ShowOwnStartButton(HWND taskbar);
// Where the own Start button ends in the taskbar (its right edge, or its bottom one on a vertical taskbar) while
// it is kept hidden; 0 otherwise.
int HiddenOwnStartButtonEnd(HWND taskbar, bool horizontalTaskbar);
// Where the own Start button ends, shown or hidden; 0 when the taskbar has none.
int OwnStartButtonEnd(HWND taskbar, bool horizontalTaskbar);

}  // namespace tessaline
