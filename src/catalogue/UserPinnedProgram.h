#pragma once
// TUserPinedManage: the pinned programs, which are plain shortcuts in the user's Programs folder. One
// instance for the program's life; user-interface thread only, with COM initialised.

#include <memory>
#include <string>

#include "catalogue/KeptFileFactsWin.h"
#include "catalogue/PinnedList.h"

namespace tessaline {

class TUserPinedManage {
  public:
    TUserPinedManage();  // PinFolder: the user's Programs folder with a trailing backslash

    void Refresh();
    int Count() const { return list_.Count(); }
    const TUserPinedInfo* GetItem(int index) const { return list_.GetItem(index); }
    const TUserPinedInfo* FindByTarget(const std::wstring& path) const { return list_.FindByTarget(path); }

    // Deletes the shortcut; a failure is ignored (the entry comes back at the next refresh).
    void Unpin(const TUserPinedInfo& info);
    // "Pin to Start Menu": a shortcut named after the caption in the pin folder, replacing one of that name.
    bool PinProgram(const std::wstring& targetPath, const std::wstring& caption);
    // "Pin to Taskbar" through the shell's own verb; true when the verb was found and invoked. Where the
    // shell does not offer it, nothing happens.
    bool PinToTaskbar(const std::wstring& targetPath, const std::wstring& name);
    // Only for a link path ending in ".lnk"; the working directory is the target's folder. Failures are traced
    // and returned.
    static bool CreateShortcut(const std::wstring& targetPath,
                               const std::wstring& arguments,
                               const std::wstring& linkPath,
                               const std::wstring& description);

    const std::wstring& PinFolder() const { return pinFolder_; }

  private:
    TUserPinedList list_;
    std::wstring pinFolder_;
    TKeptFileFacts kept_;  // the pin folder's shortcuts, while it is unchanged
};

extern std::unique_ptr<TUserPinedManage> v_UserPinedManage;

}  // namespace tessaline
