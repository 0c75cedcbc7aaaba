#pragma once
// TApplicationSearch: the one search thread. It waits for a query, runs a pass over it, and starts over as soon
// as the window hands over a newer text. The window (its thread only) calls HandOver and RefreshLanguageFlag.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "search/SearchPass.h"

namespace tessaline {

// The labels' texts as the search thread sets them (English whatever the language).
inline constexpr wchar_t kNoMatchText[] = L"No items match your search.";
inline constexpr wchar_t kSearchingText[] = L"Searching...";

struct TSearchSetup {
    ISearchFileSystem* FileSystem = nullptr;
    const TSearchIndex* Index = nullptr;
    ISearchView* View = nullptr;
    TSearchFolders Folders;
    bool NotEnglish = false;
    int IconBase = 0;
    // Made on the search thread when Windows Search is available; null otherwise.
    std::function<std::unique_ptr<IWindowsSearchRows>()> MakeWindowsSearchRows;
    std::function<void()> OnThreadStart;  // e.g. COM for the thread
    std::function<void()> OnThreadEnd;
};

class TApplicationSearch {
  public:
    // The thread starts waiting: nothing runs before the first hand-over.
    explicit TApplicationSearch(TSearchSetup setup);
    ~TApplicationSearch();  // ends the pass in progress and waits for the thread
    TApplicationSearch(const TApplicationSearch&) = delete;
    TApplicationSearch& operator=(const TApplicationSearch&) = delete;

    // Sets the text exactly as typed and the row limit, wakes the thread, then sets the restart flag. Returns the
    // number of this hand-over, which the view's calls for it carry.
    uint64_t HandOver(const std::wstring& text, int maxResults);
    void RefreshLanguageFlag(bool notEnglish);

  private:
    void Run();
    // True when the pass ran to its end (no newer query, not terminated); `handOver` becomes the number of the
    // hand-over it ran.
    bool RunPass(std::wstring& lastQuery, uint64_t& handOver);
    void ClearForEmptyQuery(uint64_t handOver);
    void SetLabels(uint64_t handOver, bool searching, bool noMatch);
    void SetResultsVisible(uint64_t handOver, bool visible);

    TSearchSetup setup_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::wstring pendingQuery_;   // guarded by mutex_
    uint64_t handOverCount_ = 0;  // guarded by mutex_
    std::atomic<bool> restart_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<int> maxResults_{0};
    std::atomic<bool> notEnglish_{false};

    // The search thread's own: what it last told the view.
    bool searchingShown_ = false;
    bool noMatchShown_ = false;
    int resultsInView_ = 0;
    std::unique_ptr<IWindowsSearchRows> windowsSearch_;
    TPassContext context_;
    std::thread thread_;
};

}  // namespace tessaline
