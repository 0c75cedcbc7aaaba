#pragma once
// What the index builder and the search pass need of the file system and the shell. The Win32 glue lists
// folders with FindFirstFileExW and asks the shell for display names and icons; tests list made-up trees.
// Called from the indexing and the search threads: an implementation must be safe to call from both at once.

#include <functional>
#include <string>

namespace tessaline {

struct TSearchFolderEntry {
    std::wstring Name;  // file name as found, without the folder
    bool IsFolder = false;
};

class ISearchFileSystem {
  public:
    virtual ~ISearchFileSystem() = default;

    // Calls `each` for every entry of `folder` (a path ending in "\"), without "." and ".."; stops early when
    // `each` returns false. False when the folder cannot be listed (missing, no access).
    virtual bool ListFolder(const std::wstring& folder, const std::function<bool(const TSearchFolderEntry&)>& each) = 0;
    virtual bool DirectoryExists(const std::wstring& path) = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // The shell's display name of a file (SHGDN_NORMAL); empty when the shell has none.
    virtual std::wstring DisplayName(const std::wstring& path) = 0;
    // The file's small icon in the system image list; -1 when the shell has none.
    virtual int SmallIconIndex(const std::wstring& path) = 0;
    // Whether two names are the same as the user's locale compares text, ignoring case.
    virtual bool SameName(const std::wstring& a, const std::wstring& b) = 0;
    // File-system redirection of a 32-bit process on 64-bit Windows, off for a pass or an index build and back
    // on after it; nothing elsewhere. Per thread.
    virtual void SetRedirectionOff(bool off) = 0;
};

}  // namespace tessaline
