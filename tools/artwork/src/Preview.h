#pragma once
// Mock-ups that put the pictures together as the windows will (the start menu over a desktop, the guide's two
// pages), so the look can be judged whole. Written only on request, never committed.

#include "Pictures.h"

#include <string>

namespace artwork {

bool WritePreviews(const TPictureList& list, const std::string& folder);

}  // namespace artwork
