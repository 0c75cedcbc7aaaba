#pragma once
// An INI file held in memory: an ordered list of sections, each an ordered list of lines "name=value".
// Sections and names compare without regard to case; every lookup finds the first match, through hash
// indexes so that a large language file reads fast. Shared by TSafeIniFile (settings) and TExtIniFile
// (language files). Not thread-safe; each object belongs to one thread.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaline {

class TIniImage {
  public:
    TIniImage();
    TIniImage(const TIniImage&) = delete;
    TIniImage& operator=(const TIniImage&) = delete;
    TIniImage(TIniImage&&) noexcept;
    TIniImage& operator=(TIniImage&&) noexcept;
    virtual ~TIniImage();

    void Clear();
    // Replaces the whole content by the parsed lines: trimmed; empty and ";" lines skipped; "[name]" starts a
    // section (a repeated name adds a second one); lines before the first section dropped; "a = b" stored as
    // "a=b"; other lines stored as they are.
    void SetLines(const std::vector<std::wstring>& lines);
    // The same for a whole text, split into lines as SplitLines does.
    void SetText(std::wstring_view text);
    // Each section as "[name]", its lines, then an empty line.
    std::vector<std::wstring> GetLines() const;

    std::wstring ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view defaultValue) const;
    int32_t ReadInteger(std::wstring_view section, std::wstring_view key, int32_t defaultValue) const;
    bool ReadBool(std::wstring_view section, std::wstring_view key, bool defaultValue) const;
    bool ValueExists(std::wstring_view section, std::wstring_view key) const;
    bool SectionExists(std::wstring_view section) const;

    void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    void WriteInteger(std::wstring_view section, std::wstring_view key, int32_t value);
    void WriteBool(std::wstring_view section, std::wstring_view key, bool value);

    // Name parts of the section's lines in order (empty for a line without "=").
    std::vector<std::wstring> ReadSection(std::wstring_view section) const;
    std::vector<std::wstring> ReadSections() const;
    // The section's lines as stored, "name=value".
    std::vector<std::wstring> ReadSectionValues(std::wstring_view section) const;

    void EraseSection(std::wstring_view section);
    void DeleteKey(std::wstring_view section, std::wstring_view key);

    // Hash and equality of names without regard to case, usable with views, so that a lookup copies nothing.
    struct NoCaseHash {
        using is_transparent = void;
        size_t operator()(std::wstring_view name) const noexcept;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::wstring_view a, std::wstring_view b) const noexcept;
    };
    using NameIndex = std::unordered_map<std::wstring, size_t, NoCaseHash, NoCaseEqual>;

  private:
    struct Section;
    void ParseLine(std::wstring_view raw, Section*& current);
    Section* FindSection(std::wstring_view name) const;
    Section& FindOrAddSection(std::wstring_view name);
    Section& AddSection(std::wstring_view name);
    void RebuildSectionIndex();

    std::vector<std::unique_ptr<Section>> sections_;
    NameIndex sectionIndex_;  // name -> first position
};

}  // namespace tessaline
