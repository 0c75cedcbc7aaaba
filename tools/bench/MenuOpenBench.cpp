// Times opening the start menu: from ShowStartMenuForm to the end of the first paint of the window and its
// panes, for profiles of the catalogue benchmark's sizes built in the running prefix. Needs a display. Run under
// Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tools/bench/menu_open_benchmark.exe [sizes...]
// Prints, per size, the median of the runs in milliseconds, with the catalogue's share of it.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

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

// One opening with the show handler's trace lines timed: prints how long each step took, from the line that
// starts it to the next one, and the first paint after the handler.
void PrintSteps(TZelStartMenuFrm& form) {
    std::vector<std::pair<std::wstring, LARGE_INTEGER>> lines;
    SetTraceSink([&](const std::wstring& line) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        lines.emplace_back(line, now);
    });
    form.ShowStartMenuForm();
    Trace(L"first paint");
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Trace(L"end");
    SetTraceSink({});
    form.HideStartMenu();
    Pump();
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
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
        const double ms = 1000.0 * static_cast<double>(steps[i + 1].second.QuadPart - steps[i].second.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        std::printf("    %-28ls %8.2f ms\n", steps[i].first.c_str(), ms);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EnsureGdiplus();
    RegisterStandardClasses();
    InitCursorTable();
    const std::vector<std::pair<int, int>> sizes = ProfileSizes(argc, argv, {{100, 50}, {1000, 300}});
    auto writer = std::make_unique<TShortcutWriter>();

    std::printf("%-8s %-7s %14s %12s %12s %12s\n", "links", "values", "open+paint ms", "frequent ms", "pinned ms",
                "top level ms");
    for (const auto& [size, values] : sizes) {
        const Profile profile = Build(size, values, writer->Link, writer->File);
        TBenchMenu menu = MakeBenchMenu();
        TZelStartMenuFrm* form = menu.Form;
        if (form == nullptr) {
            std::printf("no window\n");
            return 1;
        }
        // The first showing on its own: it also loads the shell's image lists and fonts, and asks the shell for
        // every display name and shortcut target the later showings find kept.
        const double first = Milliseconds([&] {
            form->ShowStartMenuForm();
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        });
        form->HideStartMenu();
        Pump();
        const double open = Median(
            [&] {
                form->ShowStartMenuForm();
                // The first paint of the window and every pane, done before this returns.
                RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            },
            [&] {
                form->HideStartMenu();
                Pump();
            });
        // Where it goes: the show handler alone (no painting), and the paint of a shown menu.
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
        PrintSteps(*form);
        std::printf("  first showing %.2f ms, show handler %.2f ms, a full repaint %.2f ms\n", first, show, paint);
        const double frequent = Median([] { v_UseProgramManage->Refresh(); });
        const double pinned = Median([] { v_UserPinedManage->Refresh(); });
        const double top = Median([] {
            std::vector<std::unique_ptr<TShellItem>> items;
            v_StartMenuManage->LoadAllPrograms(
                nullptr, [&](std::unique_ptr<TShellItem> item) { items.push_back(std::move(item)); }, nullptr);
        });
        std::printf("%-8d %-7d %14.2f %12.2f %12.2f %12.2f\n", size, values, open, frequent, pinned, top);
        std::fflush(stdout);
        menu.Owner.reset();
        Pump();
        Remove(profile);
    }
    writer.reset();
    CoUninitialize();
    return 0;
}
