#pragma once
// Writes the rendered pictures below a repository root, removes embedded pictures that are no longer drawn, and
// writes res/pictures.txt.

#include "Pictures.h"

#include <filesystem>
#include <string>

namespace artwork {

struct TWriteResult {
    bool Ok = false;
    int Written = 0;
    int Removed = 0;
    std::string Error;
};

TWriteResult WriteAll(const std::filesystem::path& root, const TPictureList& list);

}  // namespace artwork
