
#include <windows.h>

#include "settings/IniFile.h"

namespace tessaline {
namespace {

// The profile functions look a bare or relative name up in the Windows folder; the settings writer uses the
// current folder. Make the name absolute so reader and writer always mean the same file.
std::wstring AbsolutePath(const std::wstring& fileName) {
    if (fileName.empty()) {
        return fileName;
    }
    const DWORD needed = GetFullPathNameW(fileName.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return fileName;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(fileName.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return fileName;
    }
    full.resize(length);
    return full;
}

}  // namespace

TProfileIniFile::TProfileIniFile(std::wstring fileName) : fileName_(AbsolutePath(fileName)) {}

std::wstring TProfileIniFile::ReadString(const std::wstring& section,
                                         const std::wstring& key,
                                         const std::wstring& defaultValue) const {
    std::wstring buffer(2048, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), fileName_.c_str());
        // A full buffer (size - 1) means the value may have been cut; try again with more room.
        if (length + 1 < buffer.size() || buffer.size() >= (1u << 20)) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 4);
    }
}

bool TProfileIniFile::WriteValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()) != FALSE;
}

}  // namespace tessaline
