#pragma once
// A contact sheet of rendered pictures for a person to judge: each picture over a light checker and over the dark
// menu glass, small ones enlarged with hard pixels so 1-px lines can be inspected. Not part of the output.

#include "Pictures.h"

#include <string>

namespace artwork {

bool WriteContactSheet(const TPictureList& list, const std::string& path);

}  // namespace artwork
