#pragma once
// TKeptFileFacts: what the lists of the menu ask about files at every showing (whether a shortcut or a program is
// there, a shortcut's target, its creation time, a folder's names), kept while the system's change notifications
// say nothing changed in the folder that holds the file. Every folder is watched on its own, without what lies
// below it: the given folders from the start, any other once a file in it is asked about, up to a limit, after which
// files in further folders are asked every time, as is anything in a folder that cannot be watched. (A watch of a
// whole tree is not told of every change below its top under Wine: of none in a sub-folder it has not seen opened,
// nor once another watch of that sub-folder has closed.) A notification forgets only what lies in its folder.
// User-interface thread.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/DateTime.h"
#include "catalogue/FolderWatchWin.h"

namespace tessaline {

class TKeptFileFacts {
  public:
    // Folders watched beside the given ones; each costs a handle.
    static constexpr size_t kMaxSingleFolders = 1024;

    // Before a round of questions: watches `folders` (other folders than last time start over), and forgets what
    // lies in any watched folder that may have changed since the last round.
    void Begin(const std::vector<std::wstring>& folders);
    // Forgets every answer: for a change this program makes itself, which it reads back at once.
    void Forget();

    // For a caller that keeps what it made of a round's answers: `Forgotten` grows whenever kept answers may no
    // longer hold (a notification, a folder moved away, other folders given, Forget), `Unkept` with every answer
    // asked where none can be kept. What a round made from answers all kept (Unkept the same before and after it)
    // is what the same round would make now while Forgotten has not grown since.
    uint64_t Forgotten() const { return forgotten_; }
    uint64_t Unkept() const { return unkept_; }

    bool FileExists(const std::wstring& path, const std::function<bool()>& ask);
    std::wstring LinkTarget(const std::wstring& path, const std::function<std::wstring()>& ask);
    TDateTime CreationTime(const std::wstring& path, const std::function<TDateTime()>& ask);
    // The names a folder lists: kept for a given folder, whose own watch is told of what changes in it; asked every
    // time for any other.
    std::vector<std::wstring> Listing(const std::wstring& folder,
                                      const std::function<std::vector<std::wstring>()>& ask);

  private:
    struct TFacts {
        std::optional<bool> Exists;
        std::optional<std::wstring> Target;
        std::optional<TDateTime> Created;
        std::optional<std::vector<std::wstring>> Names;
    };
    struct TWatched {
        std::wstring Folder;  // with a trailing backslash
        bool Given = false;
        std::unique_ptr<TFolderWatch> Watch = std::make_unique<TFolderWatch>();
        bool Armed = false;
        std::unordered_map<std::wstring, TFacts> Facts;
    };
    void Renew(TWatched& watched);
    // The kept facts of `path`, or null when no watched folder holds it (a given folder itself is held by its own
    // watch); a file in a folder not watched yet has its folder watched, within the limit.
    TFacts* Kept(const std::wstring& path);
    // The kept answer of `field` for `path`, asked (and kept, where `path` is watched) when not known.
    template <typename T>
    T Answer(const std::wstring& path, std::optional<T> TFacts::*field, const std::function<T()>& ask);

    std::vector<std::wstring> folders_;
    std::vector<TWatched> watched_;                      // the given folders first, then the others
    std::unordered_map<std::wstring, size_t> byFolder_;  // a watched folder's upper-case path -> its index
    size_t singles_ = 0;                                 // how many of them are not given
    uint64_t forgotten_ = 0;
    uint64_t unkept_ = 0;
};

}  // namespace tessaline
