#include "search/IndexBuilder.h"
#include "base/GuardedCall.h"

#include <deque>

#include "base/Strings.h"
#include "search/SearchMatch.h"

namespace tessaline {

namespace {

// Breadth-first over the tree; sub-folders are queued as found and a vanished one is passed over.
bool IndexTree(ISearchFileSystem& fileSystem,
               const std::wstring& root,
               const std::atomic<bool>& terminated,
               TIndexedFiles& files) {
    std::deque<std::wstring> queue;
    std::wstring folder = root;
    bool first = true;
    for (;;) {
        files.BeginFolder(folder);
        const bool listed = fileSystem.ListFolder(folder, [&](const TSearchFolderEntry& entry) {
            if (terminated.load()) {
                return false;
            }
            if (entry.IsFolder) {
                queue.push_back(folder + entry.Name + L"\\");
                return true;
            }
            const std::wstring_view extension = FileExtension(entry.Name);
            if ((extension == L".lnk" || extension == L".exe" || extension == L".msc") &&
                entry.Name != L"Default Programs.lnk") {
                files.Add(entry.Name);
            }
            return true;
        });
        if (!listed && first) {
            return false;  // the program folder itself cannot be read: no index
        }
        first = false;
        if (terminated.load()) {
            return false;
        }
        if (queue.empty()) {
            return true;
        }
        folder = std::move(queue.front());
        queue.pop_front();
    }
}

bool IndexFlat(ISearchFileSystem& fileSystem,
               const std::wstring& folder,
               const std::atomic<bool>& terminated,
               TIndexedFiles& files) {
    files.BeginFolder(folder);
    const bool listed = fileSystem.ListFolder(folder, [&](const TSearchFolderEntry& entry) {
        if (terminated.load()) {
            return false;
        }
        const std::wstring_view extension = FileExtension(entry.Name);
        if (!entry.IsFolder && (extension == L".lnk" || extension == L".exe")) {
            files.Add(entry.Name);
        }
        return true;
    });
    return listed && !terminated.load();
}

}  // namespace

bool IndexProgramFiles(ISearchFileSystem& fileSystem,
                       const TSearchFolders& folders,
                       const std::atomic<bool>& terminated,
                       TIndexedFiles& files) {
    // A folder the system could not name is skipped: listing "" would walk the current folder instead.
    const auto tree = [&](const std::wstring& root) {
        return !IsFullyQualifiedPath(root) || IndexTree(fileSystem, root, terminated, files);
    };
    const auto flat = [&](const std::wstring& folder) {
        return !IsFullyQualifiedPath(folder) || IndexFlat(fileSystem, folder, terminated, files);
    };
    fileSystem.SetRedirectionOff(true);
    const bool complete =
        tree(folders.CommonStartMenu) && tree(folders.UserPrograms) && flat(folders.Windows) && flat(folders.System);
    fileSystem.SetRedirectionOff(false);
    return complete;
}

bool BuildSearchIndex(const TIndexSetup& setup, bool tableOnly, const std::atomic<bool>& terminated) {
    TSearchIndex& index = *setup.Index;
    index.SetReady(false);
    // A new table replaces the old one whole: a pass that still holds the old one reads it to the end.
    index.SetControlPanelTable(std::make_shared<const std::vector<std::wstring>>(setup.BuildTable()));
    if (!tableOnly || !index.ProgramFileIndex()) {
        auto files = std::make_shared<TIndexedFiles>();
        if (!IndexProgramFiles(*setup.FileSystem, setup.Folders, terminated, *files)) {
            return false;
        }
        index.SetProgramFileIndex(std::move(files));
    }
    if (terminated.load()) {
        return false;
    }
    index.SetReady(true);
    return true;
}

TIdx::TIdx(TIndexSetup setup, bool tableOnly, std::unique_ptr<TIdx> previous)
    : setup_(std::move(setup)), tableOnly_(tableOnly), previous_(std::move(previous)) {
    // A finished build has nothing more to wait for: it goes now rather than living on, with every build before it,
    // for as long as this one.
    if (previous_ && previous_->Finished()) {
        previous_.reset();
    }
    // A thread's entry point: nothing may escape it (that would end the program); a build cut short is not ready.
    thread_ = std::thread([this] {
        Guarded(
            L"TIdx", 0, 0, [this] { Run(); }, [this] { finished_.store(true); });
    });
}

TIdx::~TIdx() {
    Terminate();
    if (previous_) {
        previous_->Terminate();
    }
    WaitFor();
}

void TIdx::WaitFor() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TIdx::Run() {
    if (setup_.OnThreadStart) {
        setup_.OnThreadStart();
    }
    if (previous_) {
        previous_->WaitFor();
    }
    if (!terminated_.load()) {
        BuildSearchIndex(setup_, tableOnly_, terminated_);
    }
    if (setup_.OnThreadEnd) {
        setup_.OnThreadEnd();
    }
    finished_.store(true);
}

}  // namespace tessaline
