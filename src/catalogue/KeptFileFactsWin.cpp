#include "catalogue/KeptFileFactsWin.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Strings.h"

namespace tessaline {
namespace {

std::wstring WithBackslash(const std::wstring& folder) {
    return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

}  // namespace

void TKeptFileFacts::Renew(TWatched& watched) {
    // Renewed before the questions: a change while they are asked shows at the next round.
    watched.Facts.clear();
    watched.Armed = watched.Watch->Arm(watched.Folder, false);
}

void TKeptFileFacts::Begin(const std::vector<std::wstring>& folders) {
    if (folders != folders_) {
        ++forgotten_;
        folders_ = folders;
        watched_.clear();
        byFolder_.clear();
        singles_ = 0;
        for (const std::wstring& folder : folders) {
            if (!folder.empty() && byFolder_.emplace(UpperAZ(WithBackslash(folder)), watched_.size()).second) {
                TWatched& watched = watched_.emplace_back();
                watched.Folder = WithBackslash(folder);
                watched.Given = true;
            }
        }
    }
    // The usual answer is that nothing fired: one look at up to 64 watches at a time, then one by one only in
    // a batch where something did. A single folder that could not be watched is not tried again (its files are
    // asked every time); a given one is.
    std::vector<HANDLE> handles;
    std::vector<size_t> owners;
    for (size_t i = 0; i < watched_.size(); ++i) {
        if (watched_[i].Armed && !DirectoryExists(watched_[i].Folder)) {
            // A folder moved away as a whole (as to the Recycle Bin) takes its watch along, silent: what was kept
            // of it goes, and its files are asked every time from now on (a given folder is watched again once it
            // is back).
            watched_[i].Facts.clear();
            watched_[i].Armed = false;
            ++forgotten_;
        } else if (watched_[i].Armed) {
            handles.push_back(watched_[i].Watch->Handle());
            owners.push_back(i);
        } else if (watched_[i].Given) {
            Renew(watched_[i]);
            ++forgotten_;
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
                ++forgotten_;
            }
        }
    }
}

void TKeptFileFacts::Forget() {
    ++forgotten_;
    for (TWatched& watched : watched_) {
        watched.Facts.clear();
    }
}

TKeptFileFacts::TFacts* TKeptFileFacts::Kept(const std::wstring& path) {
    if (const auto given = byFolder_.find(UpperAZ(WithBackslash(path)));
        given != byFolder_.end() && watched_[given->second].Given) {
        TWatched& watched = watched_[given->second];
        return watched.Armed ? &watched.Facts[path] : nullptr;
    }
    const std::wstring folder = WithBackslash(ExtractFileDir(path));
    if (folder.size() < 2) {
        return nullptr;
    }
    size_t index = 0;
    if (const auto found = byFolder_.find(UpperAZ(folder)); found != byFolder_.end()) {
        index = found->second;
    } else {
        if (singles_ >= kMaxSingleFolders) {
            return nullptr;
        }
        ++singles_;
        index = watched_.size();
        watched_.emplace_back().Folder = folder;
        byFolder_.emplace(UpperAZ(folder), index);
        Renew(watched_[index]);
    }
    TWatched& watched = watched_[index];
    return watched.Armed ? &watched.Facts[path] : nullptr;
}

template <typename T>
T TKeptFileFacts::Answer(const std::wstring& path, std::optional<T> TFacts::*field, const std::function<T()>& ask) {
    TFacts* facts = Kept(path);
    if (facts == nullptr) {
        ++unkept_;
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
    if (const auto given = byFolder_.find(UpperAZ(WithBackslash(folder)));
        given == byFolder_.end() || !watched_[given->second].Given) {
        ++unkept_;
        return ask();
    }
    return Answer(folder, &TFacts::Names, ask);
}

}  // namespace tessaline
