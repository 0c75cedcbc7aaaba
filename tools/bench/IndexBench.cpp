// The search index build (the program files of the four folders, as the indexing thread makes it at start-up)
// over a made-up tree, with the real file system layer. tools/bench/index_benchmark.sh makes the tree, runs this
// under Wine and times Unix find over the same tree in the same run:
//   index_benchmark.exe <folder with programs\, user\, windows\, system\ in it>
// Prints the median of 21 runs, the build and the walk taking turns, in milliseconds and the number of files indexed,
// the same for a bare FindFirstFileExW walk of the tree, and the index build as a multiple of that walk.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchProfile.h"
#include "search/ControlPanelTable.h"
#include "search/IndexBuilder.h"
#include "search/SearchFileSystemWin.h"

namespace {
constexpr int kInterleavedRuns = 21;
}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace tessaline;
    if (argc < 2) {
        std::fprintf(stderr, "usage: index_benchmark.exe <folder>\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring root = std::wstring(argv[1]) + L"\\";
    TShellSearchFileSystem fileSystem;
    TIndexSetup setup;
    setup.FileSystem = &fileSystem;
    setup.Folders = {root + L"programs\\", root + L"user\\", root + L"windows\\", root + L"system\\"};
    setup.BuildTable = [] {
        const auto same = [](const std::wstring&, const std::wstring& fallback) { return fallback; };
        return BuildControlPanelTable(L"C:\\windows\\system32", L"English", same, same);
    };
    const std::atomic<bool> never{false};
    bool complete = true;
    // The two interleaved, so that whatever slows the machine for a while slows both alike.
    std::vector<double> builds;
    std::vector<double> walks;
    size_t walked = 0;
    std::unique_ptr<TSearchIndex> index;
    for (int run = 0; run < kInterleavedRuns; ++run) {
        // Each build into an empty index, as at start-up: freeing the last build's list is not timed.
        index = std::make_unique<TSearchIndex>();
        setup.Index = index.get();
        builds.push_back(bench::Milliseconds([&] { complete = BuildSearchIndex(setup, false, never) && complete; }));
        walks.push_back(bench::Milliseconds([&] { walked = bench::CountEntries(root + L"programs", true); }));
    }
    const double ms = bench::MedianOf(builds);
    const double walkMs = bench::MedianOf(walks);
    const auto files = index->ProgramFileIndex();
    std::printf("index_ms %.1f files %zu complete %d walk_ms %.1f entries %zu walk_ratio %.2f\n", ms,
                files ? files->Size() : size_t{0}, complete ? 1 : 0, walkMs, walked, walkMs > 0 ? ms / walkMs : 0.0);
    return complete ? 0 : 1;
}
