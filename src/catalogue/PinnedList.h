#pragma once
// The pinned programs: the shortcuts directly in the user's Programs folder, one entry per program file, most
// recently pinned first. Pure; the folder listing and the shell come in as values and callbacks. The list
// lives on the user-interface thread.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/DateTime.h"
#include "catalogue/LazyDisplayNames.h"

namespace tessaline {

struct TUserPinedInfo {
    std::wstring LinkPath;     // the shortcut in the pin folder; started on a click, deleted on unpin
    std::wstring TargetPath;   // the key (A-Z case ignored); any existing file, documents included
    std::wstring DisplayName;  // asked of the shell when the entry is first read
    TDateTime PinnedAt;        // creation time of the shortcut
};

// What the refresh asks of the system. All must be set.
struct TPinnedShell {
    std::function<bool(const std::wstring& path)> FileExists;  // a file, not a folder
    std::function<std::wstring(const std::wstring& linkPath)> ResolveLinkTarget;
    std::function<std::wstring(const std::wstring& path)> GetShellDisplayName;
    std::function<TDateTime(const std::wstring& path)> GetCreationTime;  // GetFileTimeStamp(path, 0)
};

// The Programs folder with a trailing backslash; empty when the folder is unknown, and then nothing is pinned or
// listed (never the current directory).
std::wstring PinFolderFromPrograms(std::wstring_view programsPath);

class TUserPinedList {
  public:
    // Refresh: `names` are the "*.lnk" entries of pinFolder in the order the file system listed them.
    void Rebuild(const std::wstring& pinFolder, const std::vector<std::wstring>& names, const TPinnedShell& shell);
    void Clear() {
        items_.clear();
        names_.Clear();
        byTarget_.clear();
    }

    int Count() const { return static_cast<int>(items_.size()); }
    const TUserPinedInfo* GetItem(int index) const;  // nullptr outside 0 .. Count() - 1
    const TUserPinedInfo* FindByTarget(std::wstring_view path) const;

  private:
    // Display names cost milliseconds each; they are asked for when an entry is first read.
    const TUserPinedInfo* Named(size_t index) const;
    size_t IndexOfTarget(std::wstring_view path) const;  // npos when absent

    mutable std::vector<TUserPinedInfo> items_;
    TLazyDisplayNames names_;
    // Target with A-Z lower-cased -> index: the merge and the pane's pinned check look up every entry.
    std::unordered_map<std::wstring, size_t> byTarget_;
};

// PinProgram's shortcut: pinFolder + caption + ".lnk". Characters that cannot be in a file name, path
// delimiters included, become "_", so a caption never places the shortcut outside the pin folder. An empty
// caption falls back to the target's name. Empty when there is no pin folder or no usable name.
std::wstring PinLinkPath(std::wstring_view pinFolder, std::wstring_view caption, std::wstring_view targetPath);

// Where PinProgram saves its shortcut, so that no shortcut of another program is lost: `wanted` (PinLinkPath)
// when no file is there or the shortcut there starts the same program (A-Z case ignored), else the first of
// "<name> (2).lnk", "<name> (3).lnk", ... (up to 99) that is free or starts the same program; empty when none is.
// `existingTarget` tells of a path: nothing when no file is there, else the target of the shortcut there (empty
// when it cannot be read, which counts as another program's).
std::wstring FreePinLinkPath(
    std::wstring_view wanted,
    std::wstring_view target,
    const std::function<std::optional<std::wstring>(const std::wstring& path)>& existingTarget);

// CreateShortcut writes only files whose extension, upper-cased, is ".LNK".
bool HasLnkExtension(std::wstring_view linkPath);

// "Pin to Taskbar" needs no substitute shortcut from Windows 7 (6.1) on; later major versions included.
bool IsWindows7OrLater(unsigned major, unsigned minor);
// The name PinToTaskbar gets: the program file's name without extension.
std::wstring TaskbarPinName(std::wstring_view targetPath);
// A shell verb is the pin verb when its name equals the verb text, A-Z case ignored. No verb text, no match.
bool VerbNameMatches(std::wstring_view verbName, std::wstring_view verbText);
// Before Windows 7: the substitute shortcut is used only when its target (long form) lies in the program's folder.
bool SubstituteShortcutAccepted(std::wstring_view longTarget, std::wstring_view programDirectory);

}  // namespace tessaline
