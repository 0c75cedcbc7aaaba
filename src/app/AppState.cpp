#include "app/AppState.h"

namespace tessaline {

bool v_ToggleInProgress = false;
bool v_bit64windows = false;
bool v_StartMenuLoaded = false;
TExplorerWatchdog v_ExplorerWatchdog;

}  // namespace tessaline
