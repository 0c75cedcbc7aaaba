#pragma once
// Starting and ending the helper programs beside Tessaline.exe, and arming the hot-corner helper. GUI thread.

#include "system/HelperProtocol.h"

namespace tessaline {

// ShellExecuteW "open", hidden, no working folder, the file from the program's folder. A missing file fails
// silently (traced).
void StartHelper(const THelperLaunch& launch);

// Posts WMHookHotCorners to the hot-corner helper's window, or starts the helper when it has none yet.
void HookHotCorners(bool bit64windows);

// Ends every running Velmora32.exe and then every Velmora64.exe, whichever folder they came from.
void EndHelperProcesses();

}  // namespace tessaline
