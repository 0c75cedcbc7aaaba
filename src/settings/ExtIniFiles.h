#pragma once
// TExtIniFile: a read-mostly INI file held entirely in memory, for language files. Filled explicitly by
// LoadFromFile; writes change memory only and nothing is ever written back. One thread per object.

#include <string>

#include "settings/IniImage.h"

namespace tessaline {

class TExtIniFile : public TIniImage {
  public:
    TExtIniFile() = default;

    // Replaces the whole content by the parsed file. False when the file is missing or cannot be read;
    // the previous content is then still in place.
    bool LoadFromFile(const std::wstring& path);
    // Parses text already in memory (the bytes of a file, any encoding by byte-order mark).
    void LoadFromBytes(std::string_view bytes);

    void UpdateFile() {}
};

}  // namespace tessaline
