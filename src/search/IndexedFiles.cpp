#include "search/IndexedFiles.h"

#include <utility>

#include "base/Strings.h"
#include "search/SearchMatch.h"

namespace tessaline {

void TIndexedFiles::BeginFolder(std::wstring folder) {
    folders_.push_back(std::move(folder));
}

void TIndexedFiles::Add(std::wstring_view name) {
    // A file before any folder goes with an empty one: its path is its name.
    if (folders_.empty()) {
        folders_.emplace_back();
    }
    files_.push_back({static_cast<uint32_t>(folders_.size() - 1), static_cast<uint32_t>(names_.size()),
                      static_cast<uint32_t>(name.size()), static_cast<uint32_t>(FileBaseName(name).size())});
    names_.append(name);
    AppendUpperAZ(upperNames_, name);
}

std::wstring TIndexedFiles::Path(size_t file) const {
    const TFile& found = files_[file];
    const std::wstring& folder = folders_[found.Folder];
    std::wstring path;
    path.reserve(folder.size() + found.NameLength);
    path.append(folder).append(Name(found));
    return path;
}

std::wstring_view TIndexedFiles::BaseName(size_t file) const {
    return Name(files_[file]).substr(0, files_[file].BaseLength);
}

std::wstring_view TIndexedFiles::UpperBaseName(size_t file) const {
    const TFile& found = files_[file];
    return std::wstring_view(upperNames_).substr(found.NameStart, found.BaseLength);
}

std::wstring_view TIndexedFiles::Extension(size_t file) const {
    return Name(files_[file]).substr(files_[file].BaseLength);
}

}  // namespace tessaline
