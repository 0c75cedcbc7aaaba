// One search pass over an index of 10,000 program files and the 48 control-panel rows, from the hand-over to the
// thread's going idle, for queries of 1, 2 and 5 characters; and how long a new hand-over takes to stop a pass in
// progress (until the first call of the new pass reaches the view). Run: build/native/tests/bench/search_benchmark
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "search/ApplicationSearch.h"
#include "search/ControlPanelTable.h"
#include "search/IndexBuilder.h"
#include "search/SearchTestSupport.h"

namespace {

using namespace tessaline;
using Clock = std::chrono::steady_clock;

const wchar_t* const kWords[] = {L"Studio", L"Player", L"Editor", L"Viewer", L"Manager", L"Tools",  L"Office",
                                 L"Setup",  L"Update", L"Remote", L"Photo",  L"Music",   L"Backup", L"Notes"};

// Names like "Photo Editor 0042": a short query matches many, a five-character one a few.
void BuildProfile(test::TMemoryFileSystem& fs, TSearchIndex& index, const TSearchFolders& folders, int files) {
    for (int i = 0; i < files; ++i) {
        const std::wstring name =
            std::wstring(kWords[i % 14]) + L" " + kWords[(i / 14) % 14] + L" " + std::to_wstring(10000 + i).substr(1);
        fs.AddFile(folders.CommonStartMenu + L"Vendor " + std::to_wstring(i % 200) + L"\\" + name + L".lnk");
    }
    TIndexSetup setup;
    setup.Index = &index;
    setup.FileSystem = &fs;
    setup.Folders = folders;
    setup.BuildTable = [] {
        const auto same = [](const std::wstring&, const std::wstring& fallback) { return fallback; };
        return BuildControlPanelTable(L"C:\\Windows\\System32", L"English", same, same);
    };
    const std::atomic<bool> never{false};
    BuildSearchIndex(setup, false, never);
}

// Counts the calls of each hand-over; wakes a waiter when a given one first shows up or goes idle.
class TTimingView : public ISearchView {
  public:
    void SetLabels(uint64_t h, bool, bool) override { Seen(h); }
    void SetResultsVisible(uint64_t h, bool) override { Seen(h); }
    void SetRedraw(uint64_t h, bool) override { Seen(h); }
    void ClearResults(uint64_t h) override { Seen(h); }
    void AddResult(uint64_t h, const TSearchResult&) override { Seen(h); }
    void SelectFirst(uint64_t h) override { Seen(h); }
    void Idle(uint64_t h) override {
        std::lock_guard lock(mutex_);
        idle_ = h;
        changed_.notify_all();
    }
    void WaitIdle(uint64_t h) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return idle_ >= h; });
    }
    void WaitSeen(uint64_t h) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return seen_ >= h; });
    }

  private:
    void Seen(uint64_t h) {
        std::lock_guard lock(mutex_);
        if (h > seen_) {
            seen_ = h;
            changed_.notify_all();
        }
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t idle_ = 0;
    uint64_t seen_ = 0;
};

struct TProfile {
    TSearchFolders folders{L"C:\\ProgramData\\Start Menu\\", L"C:\\Users\\u\\Programs\\", L"C:\\Windows\\",
                           L"C:\\Windows\\System32\\"};
    test::TMemoryFileSystem fs;
    TSearchIndex index;
    TTimingView view;
    std::unique_ptr<TApplicationSearch> search;

    explicit TProfile(int files) {
        BuildProfile(fs, index, folders, files);
        TSearchSetup setup;
        setup.FileSystem = &fs;
        setup.Index = &index;
        setup.View = &view;
        setup.Folders = folders;
        setup.IconBase = 100;
        search = std::make_unique<TApplicationSearch>(std::move(setup));
    }
};

void BM_Pass(benchmark::State& state, const wchar_t* query) {
    static TProfile profile(10000);
    int rows = 21;  // a results tree of 396 pixels: 396 / 18 - 1
    for (auto _ : state) {
        // Alternate with an empty text so every hand-over runs a whole pass.
        profile.view.WaitIdle(profile.search->HandOver(L"", rows));
        const auto start = Clock::now();
        profile.view.WaitIdle(profile.search->HandOver(query, rows));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK_CAPTURE(BM_Pass, one_char, L"o")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Pass, two_chars, L"ph")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Pass, five_chars, L"r 012")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Pass, five_chars_no_match, L"zzzzz")->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_NewHandOverStopsThePass(benchmark::State& state) {
    // A pass that runs long: 200,000 files, none matching, so it reads them all (about 50 ms).
    static TProfile profile(200000);
    for (auto _ : state) {
        profile.search->HandOver(L"zzzzq", 21);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));  // well inside the pass
        const auto start = Clock::now();
        const uint64_t next = profile.search->HandOver(L"zzzzz", 21);
        profile.view.WaitSeen(next);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        profile.view.WaitIdle(next);
    }
}
BENCHMARK(BM_NewHandOverStopsThePass)->UseManualTime()->Iterations(100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
