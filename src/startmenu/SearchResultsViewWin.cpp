#include "startmenu/SearchResultsViewWin.h"

#include "base/Trace.h"

namespace tessaline {

void TSearchResultsView::Post(TSearchViewCall* call) {
    if (!PostMessageW(window_, kSearchViewMessage, 0, reinterpret_cast<LPARAM>(call))) {
        Trace(L"TSearchResultsView: PostMessageW failed: ", GetLastError());
        delete call;
    }
}

void TSearchResultsView::SetLabels(uint64_t handOver, bool searchingVisible, bool noMatchVisible) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::Labels, handOver, searchingVisible, noMatchVisible, {}});
}

void TSearchResultsView::SetResultsVisible(uint64_t handOver, bool visible) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::ResultsVisible, handOver, visible, false, {}});
}

void TSearchResultsView::SetRedraw(uint64_t handOver, bool redraw) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::Redraw, handOver, redraw, false, {}});
}

void TSearchResultsView::ClearResults(uint64_t handOver) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::Clear, handOver, false, false, {}});
}

void TSearchResultsView::AddResult(uint64_t handOver, const TSearchResult& result) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::Add, handOver, false, false, result});
}

void TSearchResultsView::SelectFirst(uint64_t handOver) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::SelectFirst, handOver, false, false, {}});
}

void TSearchResultsView::Idle(uint64_t handOver) {
    Post(new TSearchViewCall{TSearchViewCall::TKind::Idle, handOver, false, false, {}});
}

}  // namespace tessaline
