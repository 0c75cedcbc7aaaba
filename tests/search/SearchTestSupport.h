#pragma once
// A made-up program tree for the search's pure tests, and a results view that keeps what the window would show.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "search/SearchFileSystem.h"
#include "search/SearchView.h"
#include "search/WindowsSearchRows.h"

namespace tessaline::test {

// Folders end in "\"; files are added by full path, their folders with them. Read-only once the test has built it,
// so both search threads may read it at once.
class TMemoryFileSystem : public ISearchFileSystem {
  public:
    void AddFile(const std::wstring& path, std::wstring displayName = {});
    void AddFolder(const std::wstring& folder);
    void RemoveFile(const std::wstring& path);  // the file vanishes from disk but stays listed

    // Called before each entry is handed out (lets a test hold a pass in the middle of a walk).
    std::function<void(const std::wstring& folder, const std::wstring& name)> OnEntry;

    bool ListFolder(const std::wstring& folder, const std::function<bool(const TSearchFolderEntry&)>& each) override;
    bool DirectoryExists(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    std::wstring DisplayName(const std::wstring& path) override;
    int SmallIconIndex(const std::wstring& path) override;
    bool SameName(const std::wstring& a, const std::wstring& b) override;
    void SetRedirectionOff(bool) override {}

  private:
    std::map<std::wstring, std::vector<TSearchFolderEntry>> folders_;
    std::map<std::wstring, std::wstring> displayNames_;
    std::set<std::wstring> missing_;
};

// Applies the calls as the window does: calls of a stale hand-over are dropped.
class TRecordingView : public ISearchView {
  public:
    struct TState {
        std::vector<TSearchResult> Results;
        bool ResultsVisible = true;
        bool Searching = false;
        bool NoMatch = false;
        int SelectedIndex = -1;
        int RedrawOffCount = 0;  // SetRedraw(false) not yet paired with SetRedraw(true)
    };

    // The window's side of a hand-over: later calls of older hand-overs are dropped.
    void Expect(uint64_t handOver);
    // Waits until the thread is idle after `handOver`; false after 10 s.
    bool WaitIdle(uint64_t handOver);
    TState State();
    std::vector<std::wstring> Texts();

    void SetLabels(uint64_t handOver, bool searchingVisible, bool noMatchVisible) override;
    void SetResultsVisible(uint64_t handOver, bool visible) override;
    void SetRedraw(uint64_t handOver, bool redraw) override;
    void ClearResults(uint64_t handOver) override;
    void AddResult(uint64_t handOver, const TSearchResult& result) override;
    void SelectFirst(uint64_t handOver) override;
    void Idle(uint64_t handOver) override;

  private:
    bool Current(uint64_t handOver) const { return handOver >= expected_; }

    std::mutex mutex_;
    std::condition_variable idle_;
    uint64_t expected_ = 0;
    uint64_t idleAfter_ = 0;
    TState state_;
};

// Windows Search rows from a table.
class TTableRows : public IWindowsSearchRows {
  public:
    struct TRow {
        std::wstring FileName;
        std::wstring ItemUrl;
    };
    std::vector<TRow> Rows;
    std::vector<std::wstring> Statements;
    int RowsRead = 0;

    bool Open(const std::wstring& statement) override;
    long RecordCount() override { return static_cast<long>(Rows.size()); }
    bool ReadRow(std::wstring& fileName, std::wstring& itemUrl) override;
    bool MoveNext() override;

  private:
    size_t current_ = 0;
};

}  // namespace tessaline::test
