#pragma once
// The search thread's calls on the results tree and the two labels, carried to the start-menu window's thread
// as posted messages in the order they were made. The window applies them in ApplySearchViewCall.

#include <windows.h>

#include "search/SearchView.h"

namespace tessaline {

inline constexpr UINT kSearchViewMessage = WM_APP + 0x153;  // lParam: a TSearchViewCall* the window frees

struct TSearchViewCall {
    enum class TKind { Labels, ResultsVisible, Redraw, Clear, Add, SelectFirst, Idle };
    TKind Kind = TKind::Clear;
    uint64_t HandOver = 0;
    bool First = false;   // searching label / visible / redraw
    bool Second = false;  // no-match label
    TSearchResult Result;
};

class TSearchResultsView final : public ISearchView {
  public:
    explicit TSearchResultsView(HWND window) : window_(window) {}

    void SetLabels(uint64_t handOver, bool searchingVisible, bool noMatchVisible) override;
    void SetResultsVisible(uint64_t handOver, bool visible) override;
    void SetRedraw(uint64_t handOver, bool redraw) override;
    void ClearResults(uint64_t handOver) override;
    void AddResult(uint64_t handOver, const TSearchResult& result) override;
    void SelectFirst(uint64_t handOver) override;
    void Idle(uint64_t handOver) override;

  private:
    void Post(TSearchViewCall* call);
    HWND window_;
};

}  // namespace tessaline
