// Times the catalogue's refreshes against a bare FindFirstFileW walk of the same folders, for profiles of
// several sizes built in the running prefix (real shortcuts, real UserAssist values). Run under Wine:
//   scripts/wine-run.sh "$PWD/build/wineprefix" build/windows64/tools/bench/catalogue_benchmark.exe [sizes...]
// Prints, per size, the median of the runs in milliseconds and the ratio to the walk.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchProfile.h"
#include "base/FileSystem.h"
#include "catalogue/ShellItems.h"
#include "catalogue/StartMenuManage.h"
#include "catalogue/UserAssist.h"
#include "catalogue/UserPinnedProgram.h"
#include "catalogue/uStartProgramLst.h"

namespace {

using namespace tessaline;
using namespace tessaline::bench;

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::vector<std::pair<int, int>> sizes = ProfileSizes(argc, argv, {{100, 50}, {1000, 300}, {10000, 1000}});
    auto writer = std::make_unique<TShortcutWriter>();

    std::printf("%-8s %-7s %12s %12s %12s %12s %14s\n", "links", "values", "walk ms", "frequent ms", "pinned ms",
                "top level ms", "open folder ms");
    for (const auto& [size, values] : sizes) {
        const Profile profile = Build(size, values, writer->Link, writer->File);
        TStartMenuManage tree;
        TUseProgramManage frequent;
        TUserPinedManage pinned;
        const double walk = Median([&] {
            CountEntries(tree.UserProgramsPath, true);
            CountEntries(tree.CommonProgramsPath, true);
            CountEntries(tree.UserStartMenuPath, false);
            CountEntries(tree.CommonStartMenuPath, false);
        });
        const double frequentMs = Median([&] { frequent.Refresh(); });
        // Where the frequent list's time goes: one shortcut resolved, one display name.
        const std::wstring sample = profile.loose.front();
        const double resolveMs = Median([&] { ResolveLinkTarget(sample); });
        const double nameMs = Median([&] { GetShellDisplayName(sample); });
        std::printf("one ResolveLinkTarget %.2f ms, one GetShellDisplayName %.2f ms\n", resolveMs, nameMs);
        const double pinnedMs = Median([&] { pinned.Refresh(); });
        std::vector<std::unique_ptr<TShellItem>> top;
        const double topMs = Median([&] {
            top.clear();
            tree.LoadAllPrograms(
                nullptr, [&](std::unique_ptr<TShellItem> item) { top.push_back(std::move(item)); }, nullptr);
        });
        // Opening one folder of ten, as a click does.
        const double openMs = Median([&] {
            TShellListing listing;
            tree.ListPath(profile.folders.front(), listing);
        });
        std::printf("%-8d %-7d %12.2f %12.2f %12.2f %12.2f %14.2f\n", size, values, walk, frequentMs, pinnedMs, topMs,
                    openMs);
        std::printf("%-8s %-7s %12s %11.1fx %11.1fx %11.1fx   (frequent %d, pinned %d, top level %zu)\n", "", "",
                    "ratio", frequentMs / walk, pinnedMs / walk, topMs / walk, frequent.Count(), pinned.Count(),
                    top.size());
        std::fflush(stdout);
        Remove(profile);
    }
    writer.reset();
    CoUninitialize();
    return 0;
}
