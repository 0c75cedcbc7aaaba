#pragma once
// What the search thread does to the window's results view and its two labels. Every call carries the number of
// the hand-over whose pass made it: the window drops calls of a pass that a newer hand-over has made stale (all
// but SetRedraw, which must always pair up). Called on the search thread; an implementation hands the calls to
// the window's thread in order.

#include <cstdint>
#include <string>

namespace tessaline {

inline constexpr wchar_t kControlKind[] = L".control";

// The record behind one result.
struct TSearchResultInfo {
    std::wstring Target;  // path to open, or a control-panel item's command line
    std::wstring Kind;    // ".control", or a file extension as found (".lnk", ".exe", ".msc", …)
};

struct TSearchResult {
    std::wstring Text;
    int Icon = -1;
    TSearchResultInfo Info;
};

class ISearchView {
  public:
    virtual ~ISearchView() = default;

    virtual void SetLabels(uint64_t handOver, bool searchingVisible, bool noMatchVisible) = 0;
    virtual void SetResultsVisible(uint64_t handOver, bool visible) = 0;
    virtual void SetRedraw(uint64_t handOver, bool redraw) = 0;
    virtual void ClearResults(uint64_t handOver) = 0;
    virtual void AddResult(uint64_t handOver, const TSearchResult& result) = 0;
    virtual void SelectFirst(uint64_t handOver) = 0;
    // The thread has nothing more to do for this hand-over and waits for the next one.
    virtual void Idle(uint64_t handOver) { (void)handOver; }
};

}  // namespace tessaline
