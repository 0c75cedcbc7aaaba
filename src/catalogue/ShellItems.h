#pragma once
// The catalogue's shell layer: Start Menu folders, shortcut resolution, display names, file stamps and the
// identifier-list routines. Stateless; callers own what is returned. COM must be initialised on the calling
// thread (the catalogue runs on the user-interface thread, the search on its own threads).

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/DateTime.h"

namespace tessaline {

// The four folders that make up the Start Menu, and the application-data roots of known folders.
std::wstring GetSpecialFolder(int csidl);

// The target path of a shortcut, or empty: not a shortcut, damaged, or unresolvable. Never shows a dialog and
// never repairs the shortcut on disk; a shortcut whose target was deleted gives its last target.
std::wstring ResolveLinkTarget(const std::wstring& linkPath);

// Resolves many shortcuts in a row with one shell-link object: creating the object costs more than loading a
// shortcut into it, and a refresh resolves one shortcut per entry. Same answers as ResolveLinkTarget. COM must be
// initialised on the thread for the object's whole life; one thread only. A shortcut whose file is unchanged
// (write time and size) since it was last resolved in this process gives the answer of then.
class TLinkResolver {
  public:
    TLinkResolver();
    ~TLinkResolver();
    TLinkResolver(const TLinkResolver&) = delete;
    TLinkResolver& operator=(const TLinkResolver&) = delete;
    std::wstring Resolve(const std::wstring& linkPath);

  private:
    std::wstring ResolveNow(const std::wstring& linkPath);

    IShellLinkW* link_ = nullptr;
    IPersistFile* file_ = nullptr;
};

// The name the shell shows for a file (without ".lnk" for shortcuts); kept per process while the file is
// unchanged. Any thread.
std::wstring GetShellDisplayName(const std::wstring& path);

// A file's index in the small or large system image list: `ask` finds it; its answer is kept per process while
// the file is unchanged (write time and size). A file that cannot be looked at is asked about every time. Any
// thread.
int KeptIconIndex(const std::wstring& path, bool small, const std::function<int()>& ask);

// which: 0 creation, 1 last write, other last access. Local time through DOS date-time (two-second
// resolution); zero for a path that cannot be found.
TDateTime GetFileTimeStamp(const std::wstring& path, int which);
// UTC file time -> local -> DOS date-time -> date-time; zero when it cannot be converted (0, before 1980).
TDateTime FileTimeToDateTime(const FILETIME& utc);
// The FILETIME as one number (100-ns units).
inline uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

UINT PidlSize(PCUIDLIST_RELATIVE list);
// A new list from the shell allocator: parent without its terminator, then child; null on failure.
PIDLIST_ABSOLUTE ConcatPidl(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE child);

struct PidlDeleter {
    void operator()(const ITEMIDLIST* list) const { CoTaskMemFree(const_cast<ITEMIDLIST*>(list)); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;
using SharedPidl = std::shared_ptr<const ITEMIDLIST>;
SharedPidl MakeSharedPidl(PIDLIST_ABSOLUTE list);

std::wstring GetItemDisplayName(IShellFolder* folder, PCUITEMID_CHILD item, bool forParsing);

struct TItemFindData {
    std::wstring fileName;
    bool hidden = false;
};
TItemFindData GetItemFindData(IShellFolder* folder, PCUITEMID_CHILD item);

bool IsFolderItem(IShellFolder* folder, PCUITEMID_CHILD item);

// How the program tells two names of files apart, the All Programs merge and the search alike: by the user's
// locale, ignoring case. The key is the name in the locale's upper case.
std::wstring SystemNameKey(std::wstring_view name);

// One entry of the tree of all programs. Owned by the tree node that shows it.
struct TShellItem {
    enum : uint8_t { kPlaceholder = 0, kProgram = 1, kFolder = 2 };

    std::wstring Name;
    UniquePidl AbsolutePidl;  // made on first use from ParentPidl and RelativePidl
    UniquePidl RelativePidl;  // as the folder's enumerator returned it
    int32_t ImageIndex = -1;
    uint8_t Kind = kPlaceholder;
    SharedPidl ParentPidl;  // the enumerated folder, shared by its items
    std::wstring FileName;

    // Null for an item without a relative list of its own (the "(None)" placeholder).
    PCIDLIST_ABSOLUTE GetAbsolutePidl();
};

}  // namespace tessaline
