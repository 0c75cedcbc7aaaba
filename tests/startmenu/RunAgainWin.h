#pragma once
// Starts this test program again as a probe: the caller has set the variable its static initialiser looks
// for, so the child does its one thing (crash, act) before main and never runs the tests.

#include <windows.h>

#include <string>

namespace tessaline::test {

inline constexpr DWORD kProbeUnfinished = 0xFFFFFFFF;

// The child's exit code; its output goes nowhere so it cannot be mistaken for ours.
inline DWORD RunThisProgramAgain() {
    wchar_t exe[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH * 2);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";

    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(exe, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE) {
        CloseHandle(nul);
    }
    if (!started) {
        return kProbeUnfinished;
    }
    DWORD exitCode = kProbeUnfinished;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, kProbeUnfinished);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

}  // namespace tessaline::test
