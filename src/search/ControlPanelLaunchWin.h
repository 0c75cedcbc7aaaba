#pragma once
// Starting a control-panel item by the command line of its row. Any thread; reports nothing to the user.

#include <string>

namespace tessaline {

enum class TControlPanelStart {
    Direct,      // WinExec of the command line itself
    ControlRun,  // through "rundll32 shell32,Control_RunDLL " + the command line
    NotStarted,  // both failed, or the line has characters the ANSI code page cannot carry
};

TControlPanelStart StartControlPanelItem(const std::wstring& commandLine);

}  // namespace tessaline
