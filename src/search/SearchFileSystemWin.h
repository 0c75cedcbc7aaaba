#pragma once
// The real file system and shell behind the index builder and the search pass. Any thread with COM initialised
// (apartment-threaded) may call it, several at once: the object holds no state, and redirection is per thread.

#include <functional>
#include <string>

#include "search/SearchFileSystem.h"

namespace tessaline {

class TShellSearchFileSystem final : public ISearchFileSystem {
  public:
    bool ListFolder(const std::wstring& folder, const std::function<bool(const TSearchFolderEntry&)>& each) override;
    bool DirectoryExists(const std::wstring& path) override;
    bool FileExists(const std::wstring& path) override;
    std::wstring DisplayName(const std::wstring& path) override;
    int SmallIconIndex(const std::wstring& path) override;
    bool SameName(const std::wstring& a, const std::wstring& b) override;
    // Only under WOW64; a second "off" on the same thread keeps the value saved by the first.
    void SetRedirectionOff(bool off) override;
};

}  // namespace tessaline
