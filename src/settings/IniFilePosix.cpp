// The native build's profile reader: the answers of GetPrivateProfileStringW for the files this system writes.

#include "base/FileSystem.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "settings/IniFile.h"

namespace tessaline {
namespace {

struct Found {
    size_t sectionLine = std::wstring::npos;  // line of the section header
    size_t keyLine = std::wstring::npos;
    size_t sectionEnd = 0;  // one past the section's last line
};

Found Locate(const std::vector<std::wstring>& lines, const std::wstring& section, const std::wstring& key) {
    Found found;
    const std::wstring_view wantedSection = TrimView(section);
    const std::wstring_view wantedKey = TrimView(key);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring_view line = TrimView(lines[i]);
        if (!line.empty() && line.front() == L'[') {
            if (found.sectionLine != std::wstring::npos) {
                found.sectionEnd = i;
                return found;
            }
            const size_t close = line.find(L']');
            if (close != std::wstring_view::npos && EqualsNoCase(TrimView(line.substr(1, close - 1)), wantedSection)) {
                found.sectionLine = i;
            }
            continue;
        }
        if (found.sectionLine == std::wstring::npos || found.keyLine != std::wstring::npos || line.empty() ||
            line.front() == L';') {
            continue;
        }
        const size_t eq = line.find(L'=');
        if (EqualsNoCase(TrimView(line.substr(0, eq)), wantedKey)) {
            found.keyLine = i;
        }
    }
    found.sectionEnd = lines.size();
    return found;
}

}  // namespace

TProfileIniFile::TProfileIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}

std::wstring TProfileIniFile::ReadString(const std::wstring& section,
                                         const std::wstring& key,
                                         const std::wstring& defaultValue) const {
    std::vector<std::wstring> lines;
    if (ReadTextFileLines(fileName_, lines) != FileReadResult::Ok) {
        return defaultValue;
    }
    const Found found = Locate(lines, section, key);
    if (found.keyLine == std::wstring::npos) {
        return defaultValue;
    }
    const std::wstring& line = lines[found.keyLine];
    const size_t eq = line.find(L'=');
    std::wstring_view value =
        eq == std::wstring::npos ? std::wstring_view() : TrimView(std::wstring_view(line).substr(eq + 1));
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

bool TProfileIniFile::WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    std::vector<std::wstring> lines;
    if (ReadTextFileLines(fileName_, lines) == FileReadResult::Failed) {
        return false;
    }
    const Found found = Locate(lines, section, key);
    const std::wstring entry = key + L"=" + value;
    if (found.keyLine != std::wstring::npos) {
        lines[found.keyLine] = entry;
    } else if (found.sectionLine != std::wstring::npos) {
        size_t at = found.sectionEnd;
        while (at > found.sectionLine + 1 && TrimView(lines[at - 1]).empty()) {
            --at;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    } else {
        lines.push_back(L"[" + section + L"]");
        lines.push_back(entry);
    }
    return WriteUtf16LeLinesAtomic(fileName_, lines);
}

}  // namespace tessaline
