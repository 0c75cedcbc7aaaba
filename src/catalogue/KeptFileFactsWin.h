#pragma once
// TKeptFileFacts: what the lists of the menu ask about their shortcuts at every showing (whether a shortcut is
// there, its target, its creation time), kept for the shortcuts under a few watched folders while no change
// notification has come from them. A path outside those folders is asked every time, and so is anything when a
// folder cannot be watched. User-interface thread.

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
    // Before a round of questions: watches `folders` and their sub-folders, and forgets every answer when one of
    // them may have changed since the last round (or the folders are others than last time).
    void Begin(const std::vector<std::wstring>& folders);
    // Forgets every answer: for a change this program makes itself, which it reads back at once.
    void Forget() { facts_.clear(); }

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
        std::unique_ptr<TFolderWatch> Watch;
        bool Armed = false;
    };
    // The kept facts of `path`, or null when it lies outside the watched folders (a watched folder itself is in).
    TFacts* Kept(const std::wstring& path);

    std::vector<std::wstring> folders_;
    std::vector<TWatched> watched_;
    std::unordered_map<std::wstring, TFacts> facts_;
};

}  // namespace tessaline
