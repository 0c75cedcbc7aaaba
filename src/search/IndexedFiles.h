#pragma once
// The program files an index build found, in the order found. Each folder is kept once and every file's name is
// kept one after another in one string, and again upper-cased in a–z in another (made once, so that a search pass
// only searches), so that a file costs the index no allocation of its own: building the index of a large Start
// Menu is mostly this list, and the folder listing it reads.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaline {

class TIndexedFiles {
  public:
    // The files added after this lie in `folder`, which ends in "\".
    void BeginFolder(std::wstring folder);
    // A file of the folder begun last, by its name.
    void Add(std::wstring_view name);

    size_t Size() const { return files_.size(); }
    std::wstring Path(size_t file) const;
    // The name without its extension, what the query is matched against.
    std::wstring_view BaseName(size_t file) const;
    // With its dot; empty for a name without one.
    std::wstring_view Extension(size_t file) const;
    // BaseName upper-cased in a–z.
    std::wstring_view UpperBaseName(size_t file) const;

  private:
    struct TFile {
        uint32_t Folder;
        uint32_t NameStart;
        uint32_t NameLength;
        uint32_t BaseLength;
    };

    std::wstring_view Name(const TFile& file) const {
        return std::wstring_view(names_).substr(file.NameStart, file.NameLength);
    }

    std::vector<std::wstring> folders_;
    std::wstring names_;
    std::wstring upperNames_;  // names_ upper-cased in a–z, each name at the same place
    std::vector<TFile> files_;
};

}  // namespace tessaline
