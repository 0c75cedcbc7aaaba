#pragma once
// TIdx: the indexing thread. Builds the control-panel table and, unless table-only, the program-file index, then
// ends. A new one waits for the one before it, so two builds never overlap.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "search/SearchFileSystem.h"
#include "search/SearchIndex.h"

namespace tessaline {

struct TIndexSetup {
    TSearchIndex* Index = nullptr;
    ISearchFileSystem* FileSystem = nullptr;
    TSearchFolders Folders;
    // Builds the 48 rows in the current language (reads the settings file and the language files).
    std::function<std::vector<std::wstring>()> BuildTable;
    // Run first and last on the thread (priority, COM).
    std::function<void()> OnThreadStart;
    std::function<void()> OnThreadEnd;
};

// The build itself, on the calling thread. False when it ended early (terminated, or a program folder could not
// be listed); the index then stays not ready.
bool BuildSearchIndex(const TIndexSetup& setup, bool tableOnly, const std::atomic<bool>& terminated);

// Files of the program folders in index order: the two Start Menu trees breadth-first (".lnk", ".exe", ".msc",
// without "Default Programs.lnk"), then the Windows and system directories flat (".lnk", ".exe").
bool IndexProgramFiles(ISearchFileSystem& fileSystem,
                       const TSearchFolders& folders,
                       const std::atomic<bool>& terminated,
                       TIndexedFiles& files);

class TIdx {
  public:
    // Owner: the window's thread. Starts at once.
    TIdx(TIndexSetup setup, bool tableOnly, std::unique_ptr<TIdx> previous);
    ~TIdx();  // stops the build (and the one before it) and waits
    TIdx(const TIdx&) = delete;
    TIdx& operator=(const TIdx&) = delete;

    bool TableOnly() const { return tableOnly_; }
    void Terminate() { terminated_.store(true); }
    bool Finished() const { return finished_.load(); }
    // Whether this build still keeps the one before it (only while that one had not finished when this began).
    bool KeepsPrevious() const { return previous_ != nullptr; }
    void WaitFor();

  private:
    void Run();

    TIndexSetup setup_;
    const bool tableOnly_;
    std::unique_ptr<TIdx> previous_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace tessaline
