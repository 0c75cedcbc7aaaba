#include "settings/ExtIniFiles.h"

#include "base/FileSystem.h"
#include "base/TextFile.h"

namespace tessaline {

bool TExtIniFile::LoadFromFile(const std::wstring& path) {
    std::string bytes;
    if (ReadFileBytes(path, bytes) != FileReadResult::Ok) {
        return false;
    }
    LoadFromBytes(bytes);
    return true;
}

void TExtIniFile::LoadFromBytes(std::string_view bytes) {
    SetText(DecodeText(bytes));
}

}  // namespace tessaline
