#include "search/SearchTestSupport.h"

#include <chrono>

#include "base/Strings.h"
#include "search/SearchMatch.h"

namespace tessaline::test {

namespace {

std::pair<std::wstring, std::wstring> SplitPath(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\', path.size() >= 2 ? path.size() - 2 : 0);
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

}  // namespace

void TMemoryFileSystem::AddFolder(const std::wstring& folder) {
    if (folders_.count(folder)) {
        return;
    }
    folders_[folder];
    const auto [parent, name] = SplitPath(folder);
    if (!parent.empty() && parent != folder) {
        AddFolder(parent);
        folders_[parent].push_back({name.substr(0, name.size() - 1), true});
    }
}

void TMemoryFileSystem::AddFile(const std::wstring& path, std::wstring displayName) {
    const auto [folder, name] = SplitPath(path);
    AddFolder(folder);
    folders_[folder].push_back({name, false});
    displayNames_[path] =
        displayName.empty() ? std::wstring(FileExtension(name) == L".lnk" ? FileBaseName(name) : name) : displayName;
}

void TMemoryFileSystem::RemoveFile(const std::wstring& path) {
    missing_.insert(path);
}

bool TMemoryFileSystem::ListFolder(const std::wstring& folder,
                                   const std::function<bool(const TSearchFolderEntry&)>& each) {
    const auto found = folders_.find(folder);
    if (found == folders_.end()) {
        return false;
    }
    for (const TSearchFolderEntry& entry : found->second) {
        if (OnEntry) {
            OnEntry(folder, entry.Name);
        }
        if (!each(entry)) {
            break;
        }
    }
    return true;
}

bool TMemoryFileSystem::DirectoryExists(const std::wstring& path) {
    return folders_.count(path.back() == L'\\' ? path : path + L"\\") != 0;
}

bool TMemoryFileSystem::FileExists(const std::wstring& path) {
    return displayNames_.count(path) != 0 && missing_.count(path) == 0;
}

std::wstring TMemoryFileSystem::DisplayName(const std::wstring& path) {
    const auto found = displayNames_.find(path);
    return found == displayNames_.end() ? std::wstring() : found->second;
}

int TMemoryFileSystem::SmallIconIndex(const std::wstring& path) {
    return static_cast<int>(path.size());
}

bool TMemoryFileSystem::SameName(const std::wstring& a, const std::wstring& b) {
    return EqualsNoCase(a, b);
}

void TRecordingView::Expect(uint64_t handOver) {
    std::lock_guard lock(mutex_);
    expected_ = handOver;
}

bool TRecordingView::WaitIdle(uint64_t handOver) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, std::chrono::seconds(10), [&] { return idleAfter_ >= handOver; });
}

TRecordingView::TState TRecordingView::State() {
    std::lock_guard lock(mutex_);
    return state_;
}

std::vector<std::wstring> TRecordingView::Texts() {
    std::vector<std::wstring> texts;
    for (const TSearchResult& result : State().Results) {
        texts.push_back(result.Text);
    }
    return texts;
}

void TRecordingView::SetLabels(uint64_t handOver, bool searchingVisible, bool noMatchVisible) {
    std::lock_guard lock(mutex_);
    if (Current(handOver)) {
        state_.Searching = searchingVisible;
        state_.NoMatch = noMatchVisible;
    }
}

void TRecordingView::SetResultsVisible(uint64_t handOver, bool visible) {
    std::lock_guard lock(mutex_);
    if (Current(handOver)) {
        state_.ResultsVisible = visible;
    }
}

void TRecordingView::SetRedraw(uint64_t, bool redraw) {
    std::lock_guard lock(mutex_);
    state_.RedrawOffCount += redraw ? -1 : 1;
}

void TRecordingView::ClearResults(uint64_t handOver) {
    std::lock_guard lock(mutex_);
    if (Current(handOver)) {
        state_.Results.clear();
        state_.SelectedIndex = -1;
    }
}

void TRecordingView::AddResult(uint64_t handOver, const TSearchResult& result) {
    std::lock_guard lock(mutex_);
    if (Current(handOver)) {
        state_.Results.push_back(result);
    }
}

void TRecordingView::SelectFirst(uint64_t handOver) {
    std::lock_guard lock(mutex_);
    if (Current(handOver)) {
        state_.SelectedIndex = 0;
    }
}

void TRecordingView::Idle(uint64_t handOver) {
    {
        std::lock_guard lock(mutex_);
        idleAfter_ = std::max(idleAfter_, handOver);
    }
    idle_.notify_all();
}

bool TTableRows::Open(const std::wstring& statement) {
    Statements.push_back(statement);
    current_ = 0;
    return true;
}

bool TTableRows::ReadRow(std::wstring& fileName, std::wstring& itemUrl) {
    if (current_ >= Rows.size()) {
        return false;
    }
    ++RowsRead;
    fileName = Rows[current_].FileName;
    itemUrl = Rows[current_].ItemUrl;
    return true;
}

bool TTableRows::MoveNext() {
    ++current_;
    return true;
}

}  // namespace tessaline::test
