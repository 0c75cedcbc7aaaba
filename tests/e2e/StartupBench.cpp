// Times starting the program as it ships (bin/, its real helpers) against the demo taskbar host, which answers at
// once, over a typical profile (100 shortcuts, 50 UserAssist values) built in the running prefix. Each run starts a
// fresh host and Tessaline and measures, from the moment Tessaline.exe is started:
//   window  - its start-menu window exists (the process is up and has made its windows),
//   docked  - the Start button is a visible child of the taskbar (the taskbar side answered, the button placed),
//   painted - the button has handled its first paint,
//   answers - the program answers a message again (the rest of its set-up done): a key pressed is handled now,
//   ready   - the first opening's work was done behind the scenes (the All Programs tree holds rows).
// and each of docked, painted and answers as a multiple of window.
// Needs a display. Run under Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tests/e2e/startup_benchmark.exe [runs]
// Prints every run and the medians in milliseconds.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "BenchClock.h"
#include "BenchProfile.h"
#include "Desktop.h"
#include "WinTestSupport.h"

using namespace tessaline;

namespace {

// The time since `start` when `done` first held, looking for up to ten seconds; -1 when it never did.
template <typename Done>
double TimeUntil(const LARGE_INTEGER& start, Done done) {
    return bench::PollUntil(done, 10000.0) ? bench::Since(start) : -1.0;
}

// The button has handled its paint: nothing of it waits to be drawn. (Its pixels cannot be read from the screen
// here: under Wine the child window of another process is drawn only within its own process.)
bool Painted(HWND button) {
    return button != nullptr && IsWindowVisible(button) && !GetUpdateRect(button, nullptr, FALSE);
}

HWND AllProgramsTree(HWND menu) {
    HWND tree = nullptr;
    for (int i = 0; i < 3; ++i) {  // pinned, frequent, All Programs
        tree = FindWindowExW(menu, tree, WC_TREEVIEWW, nullptr);
    }
    return tree;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 7;
    test::ComScope com;
    auto writer = std::make_unique<bench::TShortcutWriter>();
    const bench::Profile profile = bench::Build(100, 50, writer->Link, writer->File);
    std::vector<double> windows, docks, paints, answers, readies;
    std::printf("%-4s %10s %10s %10s %10s %10s\n", "run", "window ms", "docked ms", "painted ms", "answers ms",
                "ready ms");
    for (int run = 0; run < runs; ++run) {
        test::TDesktopOptions options;
        options.ProgramFolder = test::BuildPath(L"bin");
        test::TDesktop desktop(options);
        if (!desktop.StartHost()) {
            std::printf("the taskbar host did not start\n");
            return 1;
        }
        LARGE_INTEGER start{};
        QueryPerformanceCounter(&start);
        if (!desktop.StartTessaline(false)) {
            std::printf("Tessaline did not start\n");
            return 1;
        }
        const double window = TimeUntil(start, [&] { return desktop.StartMenu() != nullptr; });
        const double docked =
            TimeUntil(start, [&] { return desktop.Button() != nullptr && IsWindowVisible(desktop.Button()); });
        const double painted = TimeUntil(start, [&] { return Painted(desktop.Button()); });
        const double answered = TimeUntil(start, [&] {
            DWORD_PTR result = 0;
            return SendMessageTimeoutW(desktop.StartMenu(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        });
        const double ready = TimeUntil(start, [&] {
            HWND tree = AllProgramsTree(desktop.StartMenu());
            return tree != nullptr && test::SendBounded(tree, TVM_GETCOUNT, 0, 0, 1000) > 0;
        });
        std::printf("%-4d %10.1f %10.1f %10.1f %10.1f %10.1f\n", run + 1, window, docked, painted, answered, ready);
        std::fflush(stdout);
        windows.push_back(window);
        docks.push_back(docked);
        paints.push_back(painted);
        answers.push_back(answered);
        readies.push_back(ready);
    }
    const double window = bench::MedianOf(windows);
    std::printf("%-4s %10.1f %10.1f %10.1f %10.1f %10.1f\n", "med", window, bench::MedianOf(docks),
                bench::MedianOf(paints), bench::MedianOf(answers), bench::MedianOf(readies));
    std::printf("docked %.2f x window, painted %.2f x, answers %.2f x (medians)\n", bench::MedianOf(docks) / window,
                bench::MedianOf(paints) / window, bench::MedianOf(answers) / window);
    bench::Remove(profile);
    return 0;
}
