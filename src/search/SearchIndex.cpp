#include "search/SearchIndex.h"

namespace tessaline {

TSearchIndex::TTable TSearchIndex::ControlPanelTable() const {
    std::lock_guard lock(mutex_);
    return table_;
}

TSearchIndex::TFiles TSearchIndex::ProgramFileIndex() const {
    std::lock_guard lock(mutex_);
    return files_;
}

void TSearchIndex::SetControlPanelTable(TTable table) {
    std::lock_guard lock(mutex_);
    table_ = std::move(table);
}

void TSearchIndex::SetProgramFileIndex(TFiles files) {
    std::lock_guard lock(mutex_);
    files_ = std::move(files);
}

}  // namespace tessaline
