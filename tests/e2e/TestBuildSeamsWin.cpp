// Linked into the test build of Tessaline.exe only (the end-to-end tests start that one): before the program's
// body runs, its power actions go to a recorder and its shell starts are written down, each to the file an
// environment variable names (and, when TESSALINE_TRACE_LOG names one, its trace lines); TESSALINE_NO_BAND_MS
// shortens its wait for a taskbar band that never comes. The program that ships has none of this.

#include <windows.h>

#include <cwchar>
#include <string>

#include "app/TaskbarDockingWin.h"
#include "base/FileSystem.h"
#include "base/Trace.h"
#include "base/WideText.h"
#include "startmenu/SessionActions.h"
#include "system/ShellStartObserver.h"

namespace tessaline::test {
namespace {

void AppendLine(const std::wstring& file, const std::wstring& line) {
    const std::string bytes = WideToUtf8(line) + "\r\n";
    HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
    }
}

bool InstallSeams() {
    // No test may lock, log off or shut down the machine: without a log the actions are recorded in memory only.
    static TSessionCallRecorder recorder(GetEnvironmentText(L"TESSALINE_SESSION_LOG"));
    SetSessionSystemForTest(&recorder);
    // For a person looking into a scenario: the program's trace lines, also in a file.
    if (std::wstring log = GetEnvironmentText(L"TESSALINE_TRACE_LOG"); !log.empty()) {
        SetTraceSink([log](const std::wstring& line) {
            AppendLine(log,
                       std::to_wstring(GetCurrentProcessId()) + L" " + std::to_wstring(GetTickCount()) + L" " + line);
        });
    }
    // The scenarios of a taskbar without a band wait less than the program's 30 s.
    if (const std::wstring ms = GetEnvironmentText(L"TESSALINE_NO_BAND_MS"); !ms.empty()) {
        SetNoDockableBandBoundForTest(static_cast<uint32_t>(std::wcstoul(ms.c_str(), nullptr, 10)));
    }
    if (std::wstring log = GetEnvironmentText(L"TESSALINE_LAUNCH_LOG"); !log.empty()) {
        SetShellStartObserverForTest(
            [log](const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) {
                AppendLine(log, verb + L"\t" + file + L"\t" + parameters);
            });
    }
    return true;
}

[[maybe_unused]] const bool g_seamsInstalled = InstallSeams();

}  // namespace
}  // namespace tessaline::test
