#pragma once
// What became of a start the program asked of the shell or the system: one outcome for ShellExecuteW's,
// WinExec's and ShellExecuteExW's different ways of saying it, so that callers and the trace read one thing.

#include <cstdint>
#include <string>

namespace tessaline {

enum class TLaunchOutcome {
    Started,
    FileNotFound,
    PathNotFound,
    AccessDenied,
    NoAssociation,  // no program is registered for the file's type or the verb
    BadFormat,      // not a program Windows can run
    OutOfResources,
    Cancelled,         // the user said no (the elevation prompt)
    NotRepresentable,  // the command line has characters WinExec's ANSI code page cannot carry
    Failed,            // any other answer
};

struct TLaunchResult {
    TLaunchOutcome Outcome = TLaunchOutcome::Failed;
    // The call's own answer: ShellExecuteW's or WinExec's value, or ShellExecuteExW's GetLastError.
    std::uintptr_t Code = 0;

    bool Started() const { return Outcome == TLaunchOutcome::Started; }
};

// ShellExecuteW's answer: above 32 it started; 32 and below are the SE_ERR_ and ERROR_ codes.
TLaunchResult ShellExecuteResult(std::uintptr_t code);
// WinExec's answer: above 31 it started.
TLaunchResult WinExecResult(std::uintptr_t code);
// ShellExecuteExW's: `succeeded`, else the thread's last error.
TLaunchResult ShellExecuteExResult(bool succeeded, std::uint32_t lastError);

// A short English name of the outcome, for the trace.
const wchar_t* LaunchOutcomeName(TLaunchOutcome outcome);

// A program of the system folder by its full path, with its parameters: a bare name would be looked for in the
// program's folder and the current one first, where a planted file of that name would run instead.
std::wstring SystemProgramCommandLine(const std::wstring& systemDirectory,
                                      const std::wstring& program,
                                      const std::wstring& parameters);

}  // namespace tessaline
