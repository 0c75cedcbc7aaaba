// Tarnwick.exe, the taskbar side's starter; no window.
//   /loaddll  puts the hook DLL into the taskbar's process (see TarnwickHookWin.cpp). Exit 0 once the taskbar
//             confirmed it, else non-zero.
//   /Restart  Explorer restarted or hung and the program undocked itself; it starts us every second while that
//             lasts. One copy waits until a taskbar with a band answers again and gives the program a moment to
//             dock into it by itself (a new taskbar announces itself); if it does not, asks it to end
//             (WMQuitStartMenu: it gives the band its room back and exits), waits for its process to end, and
//             starts Tessaline.exe afresh, which docks again and runs "/loaddll" itself. Further copies exit.
//   /Quit     the installer is about to replace or remove the programs: the running program is asked to end the
//             same way (the taskbar gets its band back) and waited for. Exit 0 once none runs.

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/Trace.h"
#include "helpers/HelperNames.h"
#include "helpers/taskbar/TarnwickPlacement.h"
#include "system/HelperProtocol.h"
#include "system/LaunchWin.h"

namespace tessaline {
namespace {

constexpr DWORD kPollMs = 500;
// At log-on the program may start before Explorer has its taskbar.
constexpr DWORD kTaskbarWaitMs = 30000;
constexpr DWORD kRestartWaitMs = 60000;
constexpr DWORD kSelfDockWaitMs = 3000;
constexpr UINT kAnswerTimeoutMs = 1000;
constexpr UINT kQuitTimeoutMs = 5000;
constexpr DWORD kProgramEndWaitMs = 10000;
constexpr DWORD kRundllWaitMs = 20000;

enum TExitCode { kOk = 0, kNoTaskbar = 2, kPlacementFailed = 3, kProgramStillRunning = 4, kStartFailed = 5 };

bool ShownWithSize(HWND window) {
    RECT rect{};
    return window != nullptr && IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left &&
           rect.bottom > rect.top;
}

// The taskbar the program docks into: one shown with a band shown (Wine's desktop process keeps a hidden
// Shell_TrayWnd of its own without a band); else any with a band.
HWND FindTaskbarWithBand() {
    HWND withBand = nullptr;
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExW(nullptr, taskbar, kTaskbarClass, nullptr)) != nullptr) {
        HWND band = FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr);
        if (band == nullptr) {
            continue;
        }
        if (ShownWithSize(taskbar) && ShownWithSize(band)) {
            return taskbar;
        }
        if (withBand == nullptr) {
            withBand = taskbar;
        }
    }
    return withBand;
}

// The running program's button sits in this taskbar, attached: it docked itself into a new taskbar (on its
// "TaskbarCreated") and needs no restart.
bool ProgramDockedInto(HWND taskbar) {
    HWND band = FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr);
    HWND button = FindWindowExW(taskbar, nullptr, kStartButtonFormClass, nullptr);
    return band != nullptr && GetPropW(band, kAttachedProperty) != nullptr && button != nullptr &&
           IsWindowVisible(button);
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) != 0;
}

template <typename Found>
HWND WaitForTaskbar(DWORD timeoutMs, Found accept) {
    for (DWORD waited = 0;; waited += kPollMs) {
        if (HWND taskbar = FindTaskbarWithBand(); taskbar != nullptr && accept(taskbar)) {
            return taskbar;
        }
        if (waited >= timeoutMs) {
            return nullptr;
        }
        Sleep(kPollMs);
    }
}

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) != FALSE && wow64 != FALSE;
}

// A process of 64-bit Windows that is not under WOW64 is 64-bit. Unknown (no access): Explorer is native.
bool IsProcess64(DWORD processId, bool windows64) {
    if (!windows64) {
        return false;
    }
    const TUniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return !process || !IsWow64(process.get());
}

std::wstring WindowsDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : L"C:\\Windows";
}

bool PlaceInProcess(const std::wstring& dllPath, HWND taskbar, uint32_t generation) {
    const TUniqueLibrary library(LoadLibraryW(dllPath.c_str()));
    if (!library) {
        Trace(L"Tarnwick: LoadLibraryW failed: ", dllPath, L" ", GetLastError());
        return false;
    }
    using TPlace = BOOL(WINAPI*)(HWND, DWORD);
    const auto place = reinterpret_cast<TPlace>(reinterpret_cast<void*>(GetProcAddress(library.get(), kPlaceExport)));
    if (place == nullptr) {
        Trace(L"Tarnwick: no placement function in ", dllPath);
        return false;
    }
    return place(taskbar, generation) != FALSE;
}

bool PlaceThroughRundll(const TPlacementPlan& plan, HWND band, uint32_t generation) {
    std::wstring commandLine = L"\"" + plan.Rundll32 + L"\" " + plan.Rundll32Parameters;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(plan.Rundll32.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info)) {
        Trace(L"Tarnwick: CreateProcessW failed: ", plan.Rundll32, L" ", GetLastError());
        return false;
    }
    const TUniqueHandle process(info.hProcess);
    const TUniqueHandle thread(info.hThread);
    WaitForSingleObject(process.get(), kRundllWaitMs);
    // rundll32 reports nothing: the band tells whether this placement arrived.
    return GetPropW(band, kPlacementProperty) == reinterpret_cast<HANDLE>(static_cast<uintptr_t>(generation));
}

int LoadDll() {
    HWND taskbar = WaitForTaskbar(kTaskbarWaitMs, [](HWND) { return true; });
    if (taskbar == nullptr) {
        Trace(L"Tarnwick: no taskbar with a band");
        return kNoTaskbar;
    }
    HWND band = FindWindowExW(taskbar, nullptr, kTaskbarBandClass, nullptr);
    DWORD processId = 0;
    GetWindowThreadProcessId(taskbar, &processId);
    const bool self64 = sizeof(void*) == 8;
    const bool windows64 = self64 || IsWow64(GetCurrentProcess());
    const bool taskbar64 = IsProcess64(processId, windows64);
    const uint32_t generation = PlacementGeneration(GetTickCount(), GetCurrentProcessId());
    const TPlacementPlan plan = PlanPlacement(self64, taskbar64, GetProgramDirectory(), WindowsDirectory(),
                                              HandleToWire(reinterpret_cast<uintptr_t>(taskbar)), generation);
    const bool placed =
        plan.InProcess ? PlaceInProcess(plan.DllPath, taskbar, generation) : PlaceThroughRundll(plan, band, generation);
    Trace(L"Tarnwick: placement ", placed ? L"confirmed" : L"failed");
    return placed ? kOk : kPlacementFailed;
}

// Asks the running program, if any, to end (it gives the band its room back first) and waits for its process.
bool EndRunningProgram() {
    HWND menu = FindWindowW(kStartMenuFormClass, kStartMenuFormCaption);
    if (menu == nullptr) {
        return true;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(menu, &processId);
    const TUniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(menu, WMQuitStartMenu, 0, 0, SMTO_ABORTIFHUNG, kQuitTimeoutMs, &result);
    if (process && WaitForSingleObject(process.get(), kProgramEndWaitMs) != WAIT_OBJECT_0) {
        Trace(L"Tarnwick: the program did not end");
        return false;
    }
    return true;
}

int Restart() {
    const TUniqueHandle mutex(CreateMutexW(nullptr, FALSE, kRestartMutexName));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        return kOk;  // another copy is at work
    }
    // A hung taskbar that answers again is this one; a new taskbar (Explorer restarted) is another window.
    HWND before = FindTaskbarWithBand();
    HWND taskbar = WaitForTaskbar(kRestartWaitMs, Answers);
    if (taskbar == nullptr) {
        Trace(L"Tarnwick: the taskbar did not come back");
        return kNoTaskbar;
    }
    // A new taskbar announces itself, and the program docks into it on its own, within a second or two.
    for (DWORD waited = 0; taskbar != before && waited < kSelfDockWaitMs; waited += kPollMs) {
        if (ProgramDockedInto(taskbar)) {
            Trace(L"Tarnwick: the program docked again by itself");
            return kOk;
        }
        Sleep(kPollMs);
    }
    // A second program would only find the first one's instance mutex and leave: wait for its end, and if it
    // does not end, the first program starts us again within a second.
    if (!EndRunningProgram()) {
        return kProgramStillRunning;
    }
    const std::wstring program = GetProgramDirectory() + kMainProgramExe;
    return StartOwnProgram(program, {}, SW_SHOWNORMAL).Started() ? kOk : kStartFailed;
}

}  // namespace
}  // namespace tessaline

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    try {
        switch (tessaline::ParseTarnwickCommand(commandLine != nullptr ? commandLine : L"")) {
            case tessaline::TTarnwickCommand::LoadDll:
                return tessaline::LoadDll();
            case tessaline::TTarnwickCommand::Restart:
                return tessaline::Restart();
            case tessaline::TTarnwickCommand::Quit:
                return tessaline::EndRunningProgram() ? tessaline::kOk : tessaline::kProgramStillRunning;
            case tessaline::TTarnwickCommand::Unknown:
                break;
        }
    } catch (...) {
        tessaline::Trace(L"Tarnwick: failed");
    }
    return 1;
}
