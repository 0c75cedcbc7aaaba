#pragma once
// One search pass: the sources in their order (control-panel rows and program files from the index, or the four
// folder walks while the index is not ready; then Windows Search), each stopping as soon as a newer query arrives
// or the results view is full. Runs on the search thread.

#include <atomic>
#include <deque>
#include <string>
#include <vector>

#include "search/SearchFileSystem.h"
#include "search/SearchIndex.h"
#include "search/SearchView.h"
#include "search/WindowsSearchRows.h"

namespace tessaline {

// What a pass needs that outlives it; owned by the search thread.
struct TPassContext {
    ISearchFileSystem* FileSystem = nullptr;
    const TSearchIndex* Index = nullptr;
    ISearchView* View = nullptr;
    TSearchFolders Folders;
    const std::atomic<bool>* Restart = nullptr;
    const std::atomic<bool>* Terminated = nullptr;
    const std::atomic<int>* MaxResults = nullptr;
    bool NotEnglish = false;
    int IconBase = 0;
    IWindowsSearchRows* WindowsSearch = nullptr;  // null: no Windows Search
    std::wstring SqlTemplate;
    std::wstring ExtensionFilter;  // of the last folder walk; kept from pass to pass
};

class TSearchPass {
  public:
    TSearchPass(TPassContext& context, std::wstring query, uint64_t handOver);

    // Steps 4 to 6: the results are replaced by what the sources find.
    void RunSources();
    int ResultCount() const { return resultCount_; }
    int AddedCount() const { return addedCount_; }  // results put into the view (counted rows may be unshown)

  private:
    bool Stopped() const;
    int MaxResults() const;
    bool Shown(const std::wstring& name) const;
    void Add(std::wstring text, int icon, std::wstring target, std::wstring kind);

    void SearchIndex();
    void SearchControlPanel(const std::vector<std::wstring>& table);
    void SearchProgramFiles(const TIndexedFiles& files);
    void WalkFolders();
    void Walk(const std::wstring& root, const wchar_t* extension, bool recurse);
    void SearchWindowsIndex();

    TPassContext& context_;
    const std::wstring query_;
    const std::wstring upperQuery_;
    const bool blank_;
    const uint64_t handOver_;
    int resultCount_ = 0;
    int addedCount_ = 0;
    std::vector<std::wstring> shownNames_;
    std::deque<std::wstring> folderQueue_;
};

}  // namespace tessaline
