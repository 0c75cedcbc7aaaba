#pragma once
// The cursor table's handles. Loaded once, at start-up or on first use; shared system cursors, never destroyed.
// Any thread.

#include <windows.h>

#include "controls/CursorTable.h"

namespace tessaline {

// Loads every entry; the program calls it before its first window.
void InitCursorTable();
HCURSOR CursorHandle(TCursor cursor);

}  // namespace tessaline
