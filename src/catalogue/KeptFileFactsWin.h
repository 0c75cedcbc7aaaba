#pragma once
// TKeptFileFacts: what the lists of the menu ask about files at every showing (whether a shortcut or a program is
// there, a shortcut's target, its creation time, a folder's names), kept while the system's change notifications
// say nothing changed where the file lies. The given folders are watched with everything below them; any other
// file's folder is watched on its own once a file in it is asked about, up to a limit, after which files in further
// folders are asked every time, as is anything in a folder that cannot be watched. A notification forgets only what
// lies in its folder. User-interface thread.

#include <windows.h>

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
    // Folders watched one by one beside the given ones; each costs a handle.
    static constexpr size_t kMaxSingleFolders = 256;

    // Before a round of questions: watches `folders` and everything below them (other folders than last time
    // start over), and forgets what lies in any watched folder that may have changed since the last round.
    void Begin(const std::vector<std::wstring>& folders);
    // Forgets every answer: for a change this program makes itself, which it reads back at once.
    void Forget();

    bool FileExists(const std::wstring& path, const std::function<bool()>& ask);
    std::wstring LinkTarget(const std::wstring& path, const std::function<std::wstring()>& ask);
    TDateTime CreationTime(const std::wstring& path, const std::function<TDateTime()>& ask);
    // The names a folder lists (a watched folder itself, or one below it).
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
        bool Subtree = false;
        std::unique_ptr<TFolderWatch> Watch = std::make_unique<TFolderWatch>();
        bool Armed = false;
        std::unordered_map<std::wstring, TFacts> Facts;
    };
    void Renew(TWatched& watched);
    // The kept facts of `path`, or null when no watched folder holds it (a watched folder itself is held); a file
    // in a folder not watched yet has its folder watched, within the limit.
    TFacts* Kept(const std::wstring& path);
    // The kept answer of `field` for `path`, asked (and kept, where `path` is watched) when not known.
    template <typename T>
    T Answer(const std::wstring& path, std::optional<T> TFacts::*field, const std::function<T()>& ask);

    std::vector<std::wstring> folders_;
    std::vector<TWatched> watched_;                     // the given folders first, then single folders
    std::unordered_map<std::wstring, size_t> singles_;  // a single folder's upper-case path -> its index
};

}  // namespace tessaline
