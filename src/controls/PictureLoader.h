#pragma once
// Pictures from PNG data: files beside the program (skins, Resources) and resources embedded in the executable
// by name. Decoding goes through GDI+, started once for the process. A file or resource that cannot be read or
// decoded gives an empty picture and a trace line. UI thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "controls/Picture.h"

namespace tessaline {

// Starts GDI+ for the process on first use (later calls do nothing); false when it cannot start.
bool EnsureGdiplus();

TPicture DecodePicture(const std::vector<uint8_t>& bytes);
TPicture LoadPictureFile(const std::wstring& path);
// An RCDATA resource of the running executable, by name (names are upper-case in the resource script).
TPicture LoadPictureResource(const std::wstring& name);

}  // namespace tessaline
