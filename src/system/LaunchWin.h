#pragma once
// Every start the program makes of a program, document, folder, verb or command line goes through here: the
// test build's observer is told of it first (ShellStartObserver.h), the start is made, and what became of it is
// traced and returned. Callers show the user a message only where the menu has one. User-interface thread (the
// shell's starts need COM initialised on it).

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "system/Launch.h"

namespace tessaline {

// WOW64 file-system redirection around a start: a path of the 64-bit system folders from a 32-bit program needs
// it off; nothing changes where there is no redirection.
enum class TRedirection { AsIs, Off };

// ShellExecuteW, its arguments in its own order (a null verb: the file's default one; no working directory).
TLaunchResult ShellLaunch(HWND owner,
                          const wchar_t* verb,
                          const std::wstring& file,
                          const std::wstring& parameters = {},
                          int show = SW_SHOWNORMAL,
                          TRedirection redirection = TRedirection::AsIs);
// ShellLaunch of one of the program's own helpers (its taskbar side, its hot-corner helper, the program itself
// again): traced like every start, but no start the menu makes for the user, so the observer is not told.
TLaunchResult StartOwnProgram(const std::wstring& file, const std::wstring& parameters, int show);
// ShellExecuteExW of a filled record (its size is set here); the observer hears its verb, file and parameters.
TLaunchResult ShellLaunchEx(SHELLEXECUTEINFOW& info);
// WinExec of the command line in the system's ANSI code page, converted exactly: a character that would become
// a look-alike (U+2215 for a backslash, a full-width letter) could make the line name another program, so such
// a line is not run.
TLaunchResult RunCommandLine(const std::wstring& commandLine, int show = SW_SHOWNORMAL);
// RunCommandLine of a program of the system folder, named by its full path.
TLaunchResult RunSystemProgram(const std::wstring& program, const std::wstring& parameters);

// The system folder (GetSystemDirectoryW), or "C:\Windows\System32" when it cannot be asked.
std::wstring SystemDirectory();

}  // namespace tessaline
