#include "catalogue/KeptFileFactsWin.h"

#include "base/Strings.h"

namespace tessaline {

void TKeptFileFacts::Begin(const std::vector<std::wstring>& folders) {
    if (folders != folders_) {
        folders_ = folders;
        watched_.clear();
        facts_.clear();
        for (const std::wstring& folder : folders) {
            if (folder.empty()) {
                continue;
            }
            TWatched watched;
            watched.Folder = folder.back() == L'\\' ? folder : folder + L'\\';
            watched.Watch = std::make_unique<TFolderWatch>();
            watched_.push_back(std::move(watched));
        }
    }
    for (TWatched& watched : watched_) {
        if (!watched.Armed || watched.Watch->Changed()) {
            // Renewed before the questions: a change while they are asked shows at the next round.
            facts_.clear();
            watched.Armed = watched.Watch->Arm(watched.Folder, true);
        }
    }
}

TKeptFileFacts::TFacts* TKeptFileFacts::Kept(const std::wstring& path) {
    for (const TWatched& watched : watched_) {
        const std::wstring_view folder = watched.Folder;
        const bool inside =
            path.size() >= folder.size() - 1 &&
            EqualsNoCase(std::wstring_view(path).substr(0, folder.size() - 1), folder.substr(0, folder.size() - 1)) &&
            (path.size() == folder.size() - 1 || path[folder.size() - 1] == L'\\');
        if (watched.Armed && inside) {
            return &facts_[path];
        }
    }
    return nullptr;
}

bool TKeptFileFacts::FileExists(const std::wstring& path, const std::function<bool()>& ask) {
    TFacts* facts = Kept(path);
    if (facts == nullptr) {
        return ask();
    }
    if (!facts->Exists) {
        facts->Exists = ask();
    }
    return *facts->Exists;
}

std::wstring TKeptFileFacts::LinkTarget(const std::wstring& path, const std::function<std::wstring()>& ask) {
    TFacts* facts = Kept(path);
    if (facts == nullptr) {
        return ask();
    }
    if (!facts->Target) {
        facts->Target = ask();
    }
    return *facts->Target;
}

TDateTime TKeptFileFacts::CreationTime(const std::wstring& path, const std::function<TDateTime()>& ask) {
    TFacts* facts = Kept(path);
    if (facts == nullptr) {
        return ask();
    }
    if (!facts->Created) {
        facts->Created = ask();
    }
    return *facts->Created;
}

std::vector<std::wstring> TKeptFileFacts::Listing(const std::wstring& folder,
                                                  const std::function<std::vector<std::wstring>()>& ask) {
    TFacts* facts = Kept(folder);
    if (facts == nullptr) {
        return ask();
    }
    if (!facts->Names) {
        facts->Names = ask();
    }
    return *facts->Names;
}

}  // namespace tessaline
