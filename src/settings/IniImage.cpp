#include "settings/IniImage.h"

#include "base/Strings.h"
#include "base/TextFile.h"

namespace tessaline {

struct TIniImage::Section {
    std::wstring name;
    std::vector<std::wstring> lines;
    NameIndex keyIndex;  // name part -> first line holding it

    static std::wstring_view NamePart(const std::wstring& line, bool* hasSeparator = nullptr) {
        const size_t eq = line.find(L'=');
        if (hasSeparator != nullptr) {
            *hasSeparator = eq != std::wstring::npos;
        }
        return eq == std::wstring::npos ? std::wstring_view() : std::wstring_view(line).substr(0, eq);
    }

    void IndexLine(size_t position) {
        bool hasSeparator = false;
        const std::wstring_view keyName = NamePart(lines[position], &hasSeparator);
        if (hasSeparator) {
            keyIndex.emplace(keyName, position);  // keeps an earlier line of the same name
        }
    }

    void RebuildIndex() {
        keyIndex.clear();
        for (size_t i = 0; i < lines.size(); ++i) {
            IndexLine(i);
        }
    }

    const std::wstring* FindLine(std::wstring_view key) const {
        const auto it = keyIndex.find(key);
        return it == keyIndex.end() ? nullptr : &lines[it->second];
    }

    void Append(std::wstring line) {
        lines.push_back(std::move(line));
        IndexLine(lines.size() - 1);
    }
};

size_t TIniImage::NoCaseHash::operator()(std::wstring_view name) const noexcept {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a over the folded characters
    for (const wchar_t c : name) {
        hash = (hash ^ static_cast<uint32_t>(FoldCase(c))) * 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

bool TIniImage::NoCaseEqual::operator()(std::wstring_view a, std::wstring_view b) const noexcept {
    return EqualsNoCase(a, b);
}

TIniImage::TIniImage() = default;
TIniImage::~TIniImage() = default;
TIniImage::TIniImage(TIniImage&&) noexcept = default;
TIniImage& TIniImage::operator=(TIniImage&&) noexcept = default;

void TIniImage::Clear() {
    sections_.clear();
    sectionIndex_.clear();
}

void TIniImage::SetLines(const std::vector<std::wstring>& lines) {
    Clear();
    Section* current = nullptr;
    for (const auto& line : lines) {
        ParseLine(line, current);
    }
}

void TIniImage::SetText(std::wstring_view text) {
    Clear();
    Section* current = nullptr;
    ForEachLine(text, [&](std::wstring_view line) { ParseLine(line, current); });
}

void TIniImage::ParseLine(std::wstring_view raw, Section*& current) {
    const std::wstring_view line = TrimView(raw);
    if (line.empty() || line.front() == L';') {
        return;
    }
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
        current = &AddSection(TrimView(line.substr(1, line.size() - 2)));
        return;
    }
    if (current == nullptr) {
        return;
    }
    const size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) {
        current->Append(std::wstring(line));
    } else {
        const std::wstring_view name = TrimView(line.substr(0, eq));
        const std::wstring_view value = TrimView(line.substr(eq + 1));
        std::wstring stored;
        stored.reserve(name.size() + 1 + value.size());
        stored += name;
        stored += L'=';
        stored += value;
        current->Append(std::move(stored));
    }
}

std::vector<std::wstring> TIniImage::GetLines() const {
    std::vector<std::wstring> out;
    for (const auto& section : sections_) {
        out.push_back(L"[" + section->name + L"]");
        out.insert(out.end(), section->lines.begin(), section->lines.end());
        out.emplace_back();
    }
    return out;
}

TIniImage::Section* TIniImage::FindSection(std::wstring_view name) const {
    const auto it = sectionIndex_.find(name);
    return it == sectionIndex_.end() ? nullptr : sections_[it->second].get();
}

TIniImage::Section& TIniImage::AddSection(std::wstring_view name) {
    auto section = std::make_unique<Section>();
    section->name = std::wstring(name);
    sectionIndex_.emplace(name, sections_.size());
    sections_.push_back(std::move(section));
    return *sections_.back();
}

TIniImage::Section& TIniImage::FindOrAddSection(std::wstring_view name) {
    Section* section = FindSection(name);
    return section != nullptr ? *section : AddSection(name);
}

void TIniImage::RebuildSectionIndex() {
    sectionIndex_.clear();
    for (size_t i = 0; i < sections_.size(); ++i) {
        sectionIndex_.emplace(sections_[i]->name, i);
    }
}

std::wstring TIniImage::ReadString(std::wstring_view section,
                                   std::wstring_view key,
                                   std::wstring_view defaultValue) const {
    const Section* s = FindSection(section);
    const std::wstring* line = s != nullptr ? s->FindLine(key) : nullptr;
    if (line == nullptr) {
        return std::wstring(defaultValue);
    }
    return line->substr(line->find(L'=') + 1);
}

int32_t TIniImage::ReadInteger(std::wstring_view section, std::wstring_view key, int32_t defaultValue) const {
    return ParseInt32(ReadString(section, key, L"")).value_or(defaultValue);
}

bool TIniImage::ReadBool(std::wstring_view section, std::wstring_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TIniImage::ValueExists(std::wstring_view section, std::wstring_view key) const {
    const Section* s = FindSection(section);
    return s != nullptr && s->FindLine(key) != nullptr;
}

bool TIniImage::SectionExists(std::wstring_view section) const {
    return FindSection(section) != nullptr;
}

void TIniImage::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    Section& s = FindOrAddSection(section);
    std::wstring line(key);
    line += L'=';
    line += value;
    const auto it = s.keyIndex.find(key);
    if (it != s.keyIndex.end()) {
        s.lines[it->second] = std::move(line);
    } else {
        s.Append(std::move(line));
    }
}

void TIniImage::WriteInteger(std::wstring_view section, std::wstring_view key, int32_t value) {
    WriteString(section, key, IntToText(value));
}

void TIniImage::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
    WriteString(section, key, value ? L"1" : L"0");
}

std::vector<std::wstring> TIniImage::ReadSection(std::wstring_view section) const {
    std::vector<std::wstring> names;
    if (const Section* s = FindSection(section)) {
        names.reserve(s->lines.size());
        for (const auto& line : s->lines) {
            names.emplace_back(Section::NamePart(line));
        }
    }
    return names;
}

std::vector<std::wstring> TIniImage::ReadSections() const {
    std::vector<std::wstring> names;
    names.reserve(sections_.size());
    for (const auto& section : sections_) {
        names.push_back(section->name);
    }
    return names;
}

std::vector<std::wstring> TIniImage::ReadSectionValues(std::wstring_view section) const {
    const Section* s = FindSection(section);
    return s != nullptr ? s->lines : std::vector<std::wstring>();
}

void TIniImage::EraseSection(std::wstring_view section) {
    const auto it = sectionIndex_.find(section);
    if (it == sectionIndex_.end()) {
        return;
    }
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    RebuildSectionIndex();
}

void TIniImage::DeleteKey(std::wstring_view section, std::wstring_view key) {
    Section* s = FindSection(section);
    if (s == nullptr) {
        return;
    }
    const auto it = s->keyIndex.find(key);
    if (it == s->keyIndex.end()) {
        return;
    }
    s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(it->second));
    s->RebuildIndex();
}

}  // namespace tessaline
