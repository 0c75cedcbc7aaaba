#include "search/ControlPanelLaunchWin.h"

#include <windows.h>

#include <optional>
#include <string>

#include "base/Trace.h"
#include "search/ControlPanelTable.h"

namespace tessaline {
namespace {

// WinExec takes ANSI only. No best-fit mapping and no lossy conversion: a character replaced by a look-alike
// (U+2215 for a backslash, a full-width letter for a letter) could make the line name another program.
std::optional<std::string> ToAnsiExactly(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(text.size());
    // With UTF-8 as the system code page (a Windows 10 option) every character converts, but the call refuses
    // the best-fit flag and the lossy flag's pointer.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* lossyOut = utf8 ? nullptr : &lossy;
    const int needed = WideCharToMultiByte(CP_ACP, flags, text.c_str(), length, nullptr, 0, nullptr, lossyOut);
    if (needed <= 0 || lossy) {
        return std::nullopt;
    }
    std::string out(static_cast<size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text.c_str(), length, out.data(), needed, nullptr, nullptr) != needed) {
        return std::nullopt;
    }
    return out;
}

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring(L"C:\\Windows\\System32");
}

}  // namespace

TControlPanelStart StartControlPanelItem(const std::wstring& commandLine) {
    const std::optional<std::string> ansi = ToAnsiExactly(commandLine);
    if (!ansi) {
        Trace(L"ControlPanel: command line not representable in the ANSI code page: ", commandLine);
        return TControlPanelStart::NotStarted;
    }
    const UINT direct = WinExec(ansi->c_str(), SW_SHOWNORMAL);
    if (direct >= 32) {
        return TControlPanelStart::Direct;
    }
    // A ".cpl" is no program: the control panel's runner opens it.
    const std::optional<std::string> viaRunner =
        ToAnsiExactly(ControlPanelFallbackCommand(SystemDirectory(), commandLine));
    if (!viaRunner) {
        Trace(L"ControlPanel: the runner's command line is not representable in the ANSI code page");
        return TControlPanelStart::NotStarted;
    }
    const UINT runner = WinExec(viaRunner->c_str(), SW_SHOWNORMAL);
    if (runner >= 32) {
        return TControlPanelStart::ControlRun;
    }
    Trace(L"ControlPanel: WinExec failed: ", commandLine, L" ", direct, L" ", runner);
    return TControlPanelStart::NotStarted;
}

}  // namespace tessaline
