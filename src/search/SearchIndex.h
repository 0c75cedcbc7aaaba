#pragma once
// The search index: the control-panel table and the program files found in the four program folders. The
// indexing thread writes it, the search thread reads it; lists are replaced whole, never changed in place, so a
// reader holding one keeps a complete list.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "search/IndexedFiles.h"

namespace tessaline {

// The four folders the index and the folder walks cover, each ending in "\".
struct TSearchFolders {
    std::wstring CommonStartMenu;
    std::wstring UserPrograms;
    std::wstring Windows;
    std::wstring System;
};

class TSearchIndex {
  public:
    using TTable = std::shared_ptr<const std::vector<std::wstring>>;
    using TFiles = std::shared_ptr<const TIndexedFiles>;

    // Any thread.
    bool IndexReady() const { return ready_.load(std::memory_order_acquire); }
    TTable ControlPanelTable() const;
    TFiles ProgramFileIndex() const;

    // The indexing thread: ready goes false first and true last, after the lists are in place.
    void SetReady(bool ready) { ready_.store(ready, std::memory_order_release); }
    void SetControlPanelTable(TTable table);
    void SetProgramFileIndex(TFiles files);

  private:
    mutable std::mutex mutex_;
    TTable table_;
    TFiles files_;
    std::atomic<bool> ready_{false};
};

}  // namespace tessaline
