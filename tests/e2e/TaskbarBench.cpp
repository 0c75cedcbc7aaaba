// Times the Start button coming back into new taskbars, with the program as it ships (bin/, its real taskbar side)
// and the demo taskbar host:
//   restart - the taskbar's process ends (killed, as a crash does, or closed, taking turns) and a new one starts:
//             from the new taskbar showing to the button docked in it, the same program all along;
//   late    - the program started before any taskbar, a taskbar started three seconds later: from the taskbar
//             showing to the button docked in it.
// Needs a display. Run under Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tests/e2e/taskbar_benchmark.exe [restarts] [lates]
// Prints every run and the medians in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "BenchClock.h"
#include "BenchProfile.h"
#include "Desktop.h"
#include "WinTestSupport.h"
#include "system/HelperProtocol.h"

using namespace tessaline;

namespace {

// The host's taskbar shows: the moment a new Explorer's taskbar appears.
HWND ShownTaskbarOf(DWORD process) {
    for (HWND taskbar = nullptr; (taskbar = FindWindowExW(nullptr, taskbar, kTaskbarClass, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(taskbar, &owner);
        if (owner == process && IsWindowVisible(taskbar)) {
            return taskbar;
        }
    }
    return nullptr;
}

bool DockedIn(HWND taskbar) {
    HWND button = FindWindowExW(taskbar, nullptr, kStartButtonFormClass, nullptr);
    return button != nullptr && IsWindowVisible(button);
}

// Starts a new host and times its taskbar from showing to holding the button; -1 when it never did.
double TimeNewTaskbar(test::TDesktop& desktop) {
    if (!desktop.LaunchHost()) {
        return -1.0;
    }
    HWND taskbar = nullptr;
    if (!bench::PollUntil([&] { return (taskbar = ShownTaskbarOf(desktop.HostProcessId())) != nullptr; }, 10000.0)) {
        return -1.0;
    }
    LARGE_INTEGER shown{};
    QueryPerformanceCounter(&shown);
    const bool docked = bench::PollUntil([&] { return DockedIn(taskbar); }, 10000.0);
    const double ms = docked ? bench::Since(shown) : -1.0;
    desktop.WaitHostUp();
    return ms;
}

void PrintMedian(const char* what, const std::vector<double>& values) {
    const double worst = values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
    std::printf("%-8s median %7.1f ms, longest %7.1f ms over %zu\n", what, bench::MedianOf(values), worst,
                values.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int restarts = argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 10;
    const int lates = argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 5;
    test::ComScope com;
    test::TDesktopOptions options;
    options.ProgramFolder = test::BuildPath(L"bin");
    options.UnmanagedWindows = true;
    options.HostArguments = L"--broadcast";  // as Explorer's taskbar announces itself

    std::vector<double> restartTimes;
    {
        test::TDesktop desktop(options);
        if (!desktop.StartHost() || !desktop.StartTessaline(true, 20000)) {
            std::printf("the program did not dock into the first taskbar\n");
            return 1;
        }
        const DWORD program = desktop.TessalineProcessId();
        test::PumpFor(2000);  // the first opening's preparation done
        for (int run = 1; run <= restarts; ++run) {
            desktop.RestartHost(run % 2 == 1, false);
            const double ms = TimeNewTaskbar(desktop);
            std::printf("restart %-3d %s  %7.1f ms\n", run, run % 2 == 1 ? "killed" : "closed", ms);
            std::fflush(stdout);
            if (ms < 0 || desktop.TessalineProcessId() != program ||
                desktop.WaitTessalineExit(0) != static_cast<DWORD>(STILL_ACTIVE)) {
                std::printf("the button did not come back into the same program's hands\n");
                return 1;
            }
            restartTimes.push_back(ms);
            test::PumpFor(1000);
        }
    }

    std::vector<double> lateTimes;
    for (int run = 1; run <= lates; ++run) {
        test::TDesktop desktop(options);
        if (!desktop.StartTessaline(false)) {
            std::printf("Tessaline did not start\n");
            return 1;
        }
        test::PumpFor(3000);
        const double ms = TimeNewTaskbar(desktop);
        std::printf("late    %-3d         %7.1f ms\n", run, ms);
        std::fflush(stdout);
        if (ms < 0) {
            std::printf("the late taskbar never got the button\n");
            return 1;
        }
        lateTimes.push_back(ms);
    }
    PrintMedian("restart", restartTimes);
    PrintMedian("late", lateTimes);
    return 0;
}
