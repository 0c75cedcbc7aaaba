#include "settings/IniFile.h"

#include "base/Strings.h"
#include "base/Trace.h"
#include "settings/PSafeIniFile.h"

namespace tessaline {

int32_t TProfileIniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int32_t defaultValue) const {
    return ParseInt32(ReadString(section, key, L"")).value_or(defaultValue);
}

bool TProfileIniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TProfileIniFile::ValueExists(const std::wstring& section, const std::wstring& key) const {
    // Two different defaults tell a present value from an absent one.
    const std::wstring a = ReadString(section, key, L"\x1");
    return a != L"\x1" || ReadString(section, key, L"\x2") != L"\x2";
}

TIniFile::TIniFile(std::wstring fileName) : TProfileIniFile(std::move(fileName)) {
    EnsureFileWritable(FileName());
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    if (!WriteValue(section, key, value)) {
        Trace(L"TIniFile: write failed: ", FileName());
    }
}

}  // namespace tessaline
