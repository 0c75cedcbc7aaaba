// Times opening the start menu: from ShowStartMenuForm to the end of the first paint of the window and its
// panes, for profiles of the catalogue benchmark's sizes built in the running prefix, beside a floor (BenchFloor.h:
// a bare window holding the same controls and content, shown and painted the same way) timed in the same run, the
// two interleaved. Needs a display. Run under Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tools/bench/menu_open_benchmark.exe [sizes...]
// Prints, per size, the first opening and the median of the later ones in milliseconds, each with its floor and
// the ratio, and where the time of an opening goes.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "BenchFloor.h"
#include "BenchMenu.h"
#include "BenchProfile.h"
#include "base/Trace.h"
#include "catalogue/ShellItems.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"
#include "controls/Component.h"
#include "controls/CursorTableWin.h"
#include "controls/PictureLoader.h"
#include "controls/StandardClasses.h"
#include "startmenu/StartMenuFormWin.h"

using namespace tessaline;
using namespace tessaline::bench;

namespace {

void Pump() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

constexpr int kInterleavedRuns = 15;
// First openings are timed over fresh windows and catalogue managers, as after so many start-ups.
constexpr int kFirstRuns = 5;

void OpenAndPaint(TZelStartMenuFrm& form) {
    form.ShowStartMenuForm();
    // The first paint of the window and every pane, done before this returns.
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void OpenAndPaint(TFloorWindow& floor) {
    floor.Show();
    RedrawWindow(floor.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// One opening with the show handler's trace lines timed: prints how long each step took, from the line that
// starts it to the next one, and the first paint after the handler, and how many lines the opening traced. The menu
// is left open. Returns the whole opening's milliseconds.
double PrintSteps(TZelStartMenuFrm& form, bool print = true) {
    std::vector<std::pair<std::wstring, LARGE_INTEGER>> lines;
    SetTraceSink([&](const std::wstring& line) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        lines.emplace_back(line, now);
    });
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    form.ShowStartMenuForm();
    Trace(L"first paint");
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    LARGE_INTEGER end{};
    QueryPerformanceCounter(&end);
    Trace(L"end");
    SetTraceSink({});
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    // Only the steps' own labels: lines with values (heights, a pinned row's icon) belong to the step before.
    static const wchar_t* const kSteps[] = {L"ShowStartMenuForm",
                                            L"FormShow",
                                            L"LoadProgram",
                                            L"GetUserPinSoftwareList",
                                            L"GetUsuallySoftwareList",
                                            L"InitControlMarInset",
                                            L"JisuanControlHeightLeftTop",
                                            L"SetLeaveSearchEditData",
                                            L"FormShow end",
                                            L"first paint",
                                            L"end"};
    std::vector<std::pair<std::wstring, LARGE_INTEGER>> steps;
    for (const auto& line : lines) {
        for (const wchar_t* step : kSteps) {
            if (line.first == step) {
                steps.push_back(line);
            }
        }
    }
    for (size_t i = 0; print && i + 1 < steps.size(); ++i) {
        const double ms = 1000.0 * static_cast<double>(steps[i + 1].second.QuadPart - steps[i].second.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        std::printf("    %-28ls %8.2f ms\n", steps[i].first.c_str(), ms);
    }
    if (print) {
        std::printf("    (%zu lines traced)\n", lines.size());
    }
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EnsureGdiplus();
    RegisterStandardClasses();
    InitCursorTable();
    const std::vector<std::pair<int, int>> sizes = ProfileSizes(argc, argv, {{100, 50}, {1000, 300}});
    auto writer = std::make_unique<TShortcutWriter>();

    std::printf("%-6s %-6s | %9s %9s %6s | %9s %9s %6s | %10s\n", "links", "values", "first ms", "floor ms", "ratio",
                "open ms", "floor ms", "ratio", "first/open");
    for (const auto& [size, values] : sizes) {
        const Profile profile = Build(size, values, writer->Link, writer->File);
        // Per start-up: what the program does once its button has docked, then the first opening, its steps timed;
        // a floor copies what it shows and is shown for the first time. The last start-up's menu and floor stay.
        TBenchMenu menu;
        std::unique_ptr<TFloorWindow> floor;
        std::vector<double> prepares;
        std::vector<double> firsts;
        std::vector<double> floorFirsts;
        for (int run = 0; run < kFirstRuns; ++run) {
            floor.reset();
            menu.Owner.reset();
            Pump();
            menu = MakeBenchMenu();
            if (menu.Form == nullptr) {
                std::printf("no window\n");
                return 1;
            }
            prepares.push_back(Milliseconds([&] { menu.Form->PrepareFirstOpening(); }));
            const bool last = run + 1 == kFirstRuns;
            if (last) {
                std::printf("  the first opening after start-up:\n");
            }
            firsts.push_back(PrintSteps(*menu.Form, last));
            floor = std::make_unique<TFloorWindow>(menu.Form->Handle(), *menu.Form);
            menu.Form->HideStartMenu();
            Pump();
            floorFirsts.push_back(Milliseconds([&] { OpenAndPaint(*floor); }));
            floor->Hide();
            Pump();
        }
        TZelStartMenuFrm* form = menu.Form;
        const double first = MedianOf(firsts);
        const double floorFirst = MedianOf(floorFirsts);
        std::vector<double> opens;
        std::vector<double> floors;
        for (int run = 0; run < kInterleavedRuns; ++run) {
            opens.push_back(Milliseconds([&] { OpenAndPaint(*form); }));
            form->HideStartMenu();
            Pump();
            floors.push_back(Milliseconds([&] { OpenAndPaint(*floor); }));
            floor->Hide();
            Pump();
        }
        const double open = MedianOf(opens);
        const double floorOpen = MedianOf(floors);

        // Where a later opening goes: its steps, the show handler alone (no painting), the paint of a shown menu.
        std::printf("  a later opening:\n");
        PrintSteps(*form);
        form->HideStartMenu();
        Pump();
        const double show = Median([&] { form->ShowStartMenuForm(); },
                                   [&] {
                                       form->HideStartMenu();
                                       Pump();
                                   });
        form->ShowStartMenuForm();
        Pump();
        const double paint = Median([&] {
            InvalidateRect(form->Handle(), nullptr, TRUE);
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        });
        form->HideStartMenu();
        Pump();
        const double frequent = Median([] { v_UseProgramManage->Refresh(); });
        const double pinned = Median([] { v_UserPinedManage->Refresh(); });
        const double top = Median([] {
            std::vector<std::unique_ptr<TShellItem>> items;
            v_StartMenuManage->LoadAllPrograms(
                nullptr, [&](std::unique_ptr<TShellItem> item) { items.push_back(std::move(item)); }, nullptr);
        });
        // Every traced line goes to the debugger output stream (OutputDebugStringW), listened to or not.
        const double traceLine = Median([] { Trace(L"bench: a line of the debugger output"); });
        std::printf(
            "  prepared after docking in %.2f ms; show handler %.2f ms, a full repaint %.2f ms, frequent list "
            "%.2f ms, pinned list %.2f ms, All Programs' top level %.2f ms, one traced line %.3f ms; the floor "
            "holds %d windows\n",
            MedianOf(prepares), show, paint, frequent, pinned, top, traceLine, floor->Windows());
        std::printf("%-6d %-6d | %9.2f %9.2f %6.2f | %9.2f %9.2f %6.2f | %10.2f\n", size, values, first, floorFirst,
                    first / floorFirst, open, floorOpen, open / floorOpen, first / open);
        std::fflush(stdout);
        floor.reset();
        menu.Owner.reset();
        Pump();
        Remove(profile);
    }
    writer.reset();
    CoUninitialize();
    return 0;
}
