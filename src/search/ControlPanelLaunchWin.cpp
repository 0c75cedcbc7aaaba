#include "search/ControlPanelLaunchWin.h"

#include "search/ControlPanelTable.h"
#include "system/LaunchWin.h"

namespace tessaline {

TControlPanelStart StartControlPanelItem(const std::wstring& commandLine) {
    if (RunCommandLine(commandLine).Started()) {
        return TControlPanelStart::Direct;
    }
    // A ".cpl" is no program: the control panel's runner opens it.
    if (RunCommandLine(ControlPanelFallbackCommand(SystemDirectory(), commandLine)).Started()) {
        return TControlPanelStart::ControlRun;
    }
    return TControlPanelStart::NotStarted;
}

}  // namespace tessaline
