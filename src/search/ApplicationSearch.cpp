#include "search/ApplicationSearch.h"
#include "base/GuardedCall.h"

#include "search/WindowsSearchQuery.h"

namespace tessaline {

TApplicationSearch::TApplicationSearch(TSearchSetup setup) : setup_(std::move(setup)) {
    notEnglish_.store(setup_.NotEnglish);
    context_.FileSystem = setup_.FileSystem;
    context_.Index = setup_.Index;
    context_.View = setup_.View;
    context_.Folders = setup_.Folders;
    context_.Restart = &restart_;
    context_.Terminated = &terminated_;
    context_.MaxResults = &maxResults_;
    context_.IconBase = setup_.IconBase;
    context_.SqlTemplate = WindowsSearchSqlTemplate();
    // A thread's entry point: nothing may escape it (that would end the program); the search then ends.
    thread_ = std::thread([this] {
        Guarded(
            L"TApplicationSearch", 0, 0, [this] { Run(); }, [] {});
    });
}

TApplicationSearch::~TApplicationSearch() {
    {
        std::lock_guard lock(mutex_);
        terminated_.store(true);
    }
    wake_.notify_all();
    thread_.join();
}

uint64_t TApplicationSearch::HandOver(const std::wstring& text, int maxResults) {
    uint64_t handOver = 0;
    {
        std::lock_guard lock(mutex_);
        pendingQuery_ = text;
        maxResults_.store(maxResults);
        handOver = ++handOverCount_;
        // After the text: a pass that sees the flag reads the new text.
        restart_.store(true);
    }
    wake_.notify_all();
    return handOver;
}

void TApplicationSearch::RefreshLanguageFlag(bool notEnglish) {
    notEnglish_.store(notEnglish);
}

void TApplicationSearch::SetLabels(uint64_t handOver, bool searching, bool noMatch) {
    searchingShown_ = searching;
    noMatchShown_ = noMatch;
    setup_.View->SetLabels(handOver, searching, noMatch);
}

void TApplicationSearch::SetResultsVisible(uint64_t handOver, bool visible) {
    setup_.View->SetResultsVisible(handOver, visible);
}

void TApplicationSearch::ClearForEmptyQuery(uint64_t handOver) {
    SetLabels(handOver, false, false);
    setup_.View->ClearResults(handOver);
    resultsInView_ = 0;
    SetResultsVisible(handOver, true);
}

void TApplicationSearch::Run() {
    if (setup_.OnThreadStart) {
        setup_.OnThreadStart();
    }
    if (setup_.MakeWindowsSearchRows) {
        windowsSearch_ = setup_.MakeWindowsSearchRows();
    }
    context_.WindowsSearch = windowsSearch_.get();

    std::wstring lastQuery;
    std::unique_lock lock(mutex_);
    while (!terminated_.load()) {
        const uint64_t handOver = handOverCount_;
        if (handOver == 0) {
            wake_.wait(lock, [&] { return restart_.load() || terminated_.load(); });
            continue;
        }
        if (pendingQuery_.empty()) {
            restart_.store(false);
            lock.unlock();
            ClearForEmptyQuery(handOver);
            lastQuery.clear();
            setup_.View->Idle(handOver);
            lock.lock();
            wake_.wait(lock, [&] { return restart_.load() || terminated_.load(); });
            continue;
        }
        if (!restart_.load()) {
            wake_.wait(lock, [&] { return restart_.load() || terminated_.load(); });
            continue;
        }
        if (pendingQuery_ == lastQuery) {
            lastQuery.clear();  // the same text handed over again runs again
            continue;
        }
        lock.unlock();
        uint64_t ran = handOver;  // a newer hand-over may have come in since it was read above
        const bool finished = RunPass(lastQuery, ran);
        lock.lock();
        if (finished) {
            setup_.View->Idle(ran);
            wake_.wait(lock, [&] { return restart_.load() || terminated_.load(); });
        }
    }
    lock.unlock();
    windowsSearch_.reset();
    if (setup_.OnThreadEnd) {
        setup_.OnThreadEnd();
    }
}

bool TApplicationSearch::RunPass(std::wstring& lastQuery, uint64_t& handOver) {
    restart_.store(false);
    std::wstring query;
    {
        std::lock_guard lock(mutex_);
        query = pendingQuery_;
        handOver = handOverCount_;
    }
    ISearchView& view = *setup_.View;
    if (!noMatchShown_) {
        SetLabels(handOver, true, false);
    }
    if (resultsInView_ == 0) {
        SetResultsVisible(handOver, false);
    }
    lastQuery = query;
    if (restart_.load()) {
        return false;
    }
    context_.NotEnglish = notEnglish_.load();
    setup_.FileSystem->SetRedirectionOff(true);
    view.SetRedraw(handOver, false);
    TSearchPass pass(context_, query, handOver);
    pass.RunSources();
    resultsInView_ = pass.AddedCount();
    view.SetRedraw(handOver, true);
    const bool stopped = restart_.load() || terminated_.load();
    if (!stopped && resultsInView_ > 0) {
        view.SelectFirst(handOver);
    }
    setup_.FileSystem->SetRedirectionOff(false);
    if (stopped) {
        return false;
    }
    if (resultsInView_ == 0) {
        SetLabels(handOver, false, true);
        SetResultsVisible(handOver, false);
    } else {
        SetLabels(handOver, false, false);
        SetResultsVisible(handOver, true);
    }
    return true;
}

}  // namespace tessaline
