#include "system/LaunchWin.h"

#include <optional>

#include "base/Trace.h"
#include "system/HelperProtocol.h"
#include "system/ShellServices.h"
#include "system/ShellStartObserver.h"

namespace tessaline {
namespace {

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

void TraceLaunch(const wchar_t* how,
                 const wchar_t* verb,
                 const std::wstring& file,
                 const std::wstring& parameters,
                 const TLaunchResult& result) {
    Trace(L"Launch: ", how, L" ", verb != nullptr ? verb : L"(default)", L" \"", file, L"\"",
          parameters.empty() ? L"" : L" ", parameters, L": ", LaunchOutcomeName(result.Outcome), L" (",
          static_cast<unsigned long long>(result.Code), L")");
}

TLaunchResult Execute(HWND owner,
                      const wchar_t* verb,
                      const std::wstring& file,
                      const std::wstring& parameters,
                      int show,
                      TRedirection redirection) {
    HINSTANCE answer = nullptr;
    {
        std::optional<ScopedWow64RedirectionOff> off;
        if (redirection == TRedirection::Off) {
            off.emplace();
        }
        answer =
            ShellExecuteW(owner, verb, file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr, show);
    }
    const TLaunchResult result = ShellExecuteResult(reinterpret_cast<std::uintptr_t>(answer));
    TraceLaunch(L"shell", verb, file, parameters, result);
    return result;
}

}  // namespace

TLaunchResult ShellLaunch(HWND owner,
                          const wchar_t* verb,
                          const std::wstring& file,
                          const std::wstring& parameters,
                          int show,
                          TRedirection redirection) {
    NotifyShellStart(verb != nullptr ? verb : L"", file, parameters);
    return Execute(owner, verb, file, parameters, show, redirection);
}

TLaunchResult StartOwnProgram(const std::wstring& file, const std::wstring& parameters, int show) {
    return Execute(nullptr, kHelperVerb, file, parameters, show, TRedirection::AsIs);
}

TLaunchResult ShellLaunchEx(SHELLEXECUTEINFOW& info) {
    info.cbSize = sizeof info;
    const std::wstring file = info.lpFile != nullptr ? info.lpFile : L"";
    const std::wstring parameters = info.lpParameters != nullptr ? info.lpParameters : L"";
    NotifyShellStart(info.lpVerb != nullptr ? info.lpVerb : L"", file, parameters);
    const bool succeeded = ShellExecuteExW(&info) != FALSE;
    const TLaunchResult result = ShellExecuteExResult(succeeded, succeeded ? 0 : GetLastError());
    TraceLaunch(L"shell (ex)", info.lpVerb, file, parameters, result);
    return result;
}

TLaunchResult RunCommandLine(const std::wstring& commandLine, int show) {
    NotifyShellStart(L"", commandLine, L"");
    const std::optional<std::string> ansi = ToAnsiExactly(commandLine);
    TLaunchResult result{TLaunchOutcome::NotRepresentable, 0};
    if (ansi) {
        result = WinExecResult(WinExec(ansi->c_str(), static_cast<UINT>(show)));
    }
    TraceLaunch(L"command line", nullptr, commandLine, {}, result);
    return result;
}

TLaunchResult RunSystemProgram(const std::wstring& program, const std::wstring& parameters) {
    return RunCommandLine(SystemProgramCommandLine(SystemDirectory(), program, parameters));
}

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring(L"C:\\Windows\\System32");
}

}  // namespace tessaline
