#include "catalogue/KeptFileFactsWin.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Strings.h"

namespace tessaline {
namespace {

std::wstring WithBackslash(const std::wstring& folder) {
    return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

// Whether `path` is `folder` (given with a trailing backslash) or lies below it.
bool Holds(std::wstring_view folder, std::wstring_view path) {
    const size_t bare = folder.size() - 1;
    return path.size() >= bare && EqualsNoCase(path.substr(0, bare), folder.substr(0, bare)) &&
           (path.size() == bare || path[bare] == L'\\');
}

}  // namespace

void TKeptFileFacts::Renew(TWatched& watched) {
    // Renewed before the questions: a change while they are asked shows at the next round.
    watched.Facts.clear();
    watched.Armed = watched.Watch->Arm(watched.Folder, watched.Subtree);
}

void TKeptFileFacts::Begin(const std::vector<std::wstring>& folders) {
    if (folders != folders_) {
        folders_ = folders;
        watched_.clear();
        singles_.clear();
        for (const std::wstring& folder : folders) {
            if (!folder.empty()) {
                TWatched& watched = watched_.emplace_back();
                watched.Folder = WithBackslash(folder);
                watched.Subtree = true;
            }
        }
    }
    // The usual answer is that nothing fired: one look at up to 64 watches at a time, then one by one only in
    // a batch where something did. A single folder that could not be watched is not tried again (its files are
    // asked every time); a given one is.
    std::vector<HANDLE> handles;
    std::vector<size_t> owners;
    for (size_t i = 0; i < watched_.size(); ++i) {
        if (watched_[i].Armed && !watched_[i].Subtree && !DirectoryExists(watched_[i].Folder)) {
            // A folder moved away as a whole (as to the Recycle Bin) takes its watch along, silent: what was kept
            // of it goes, and its files are asked every time from now on.
            watched_[i].Facts.clear();
            watched_[i].Armed = false;
        } else if (watched_[i].Armed) {
            handles.push_back(watched_[i].Watch->Handle());
            owners.push_back(i);
        } else if (watched_[i].Subtree) {
            Renew(watched_[i]);
        }
    }
    for (size_t start = 0; start < handles.size(); start += MAXIMUM_WAIT_OBJECTS) {
        const auto count = static_cast<DWORD>(std::min<size_t>(MAXIMUM_WAIT_OBJECTS, handles.size() - start));
        if (WaitForMultipleObjects(count, &handles[start], FALSE, 0) == WAIT_TIMEOUT) {
            continue;
        }
        for (size_t k = start; k < start + count; ++k) {
            if (watched_[owners[k]].Watch->Changed()) {
                Renew(watched_[owners[k]]);
            }
        }
    }
}

void TKeptFileFacts::Forget() {
    for (TWatched& watched : watched_) {
        watched.Facts.clear();
    }
}

TKeptFileFacts::TFacts* TKeptFileFacts::Kept(const std::wstring& path) {
    for (TWatched& watched : watched_) {
        if (!watched.Subtree) {
            break;  // the given folders come first
        }
        if (watched.Armed && Holds(watched.Folder, path)) {
            return &watched.Facts[path];
        }
    }
    const std::wstring folder = WithBackslash(ExtractFileDir(path));
    if (folder.size() < 2) {
        return nullptr;
    }
    const std::wstring key = UpperAZ(folder);
    size_t index = 0;
    if (const auto found = singles_.find(key); found != singles_.end()) {
        index = found->second;
    } else {
        if (singles_.size() >= kMaxSingleFolders) {
            return nullptr;
        }
        index = watched_.size();
        watched_.emplace_back().Folder = folder;
        singles_.emplace(key, index);
        Renew(watched_[index]);
    }
    TWatched& watched = watched_[index];
    return watched.Armed ? &watched.Facts[path] : nullptr;
}

template <typename T>
T TKeptFileFacts::Answer(const std::wstring& path, std::optional<T> TFacts::*field, const std::function<T()>& ask) {
    TFacts* facts = Kept(path);
    if (facts == nullptr) {
        return ask();
    }
    std::optional<T>& kept = facts->*field;
    if (!kept) {
        kept = ask();
    }
    return *kept;
}

bool TKeptFileFacts::FileExists(const std::wstring& path, const std::function<bool()>& ask) {
    return Answer(path, &TFacts::Exists, ask);
}

std::wstring TKeptFileFacts::LinkTarget(const std::wstring& path, const std::function<std::wstring()>& ask) {
    return Answer(path, &TFacts::Target, ask);
}

TDateTime TKeptFileFacts::CreationTime(const std::wstring& path, const std::function<TDateTime()>& ask) {
    return Answer(path, &TFacts::Created, ask);
}

std::vector<std::wstring> TKeptFileFacts::Listing(const std::wstring& folder,
                                                  const std::function<std::vector<std::wstring>()>& ask) {
    return Answer(folder, &TFacts::Names, ask);
}

}  // namespace tessaline
