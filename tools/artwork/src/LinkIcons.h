#pragma once
// The large pictures of the right-hand links, drawn inside the 46 x 46 opening of the user frame.

#include "Art.h"

namespace artwork {

enum class TLinkIcon { Documents, Pictures, Music, Games, Computer, ControlPanel, DefaultPrograms, Help, Devices };

void DrawLinkIcon(cairo_t* cr, TLinkIcon icon, const Rect& tile);

}  // namespace artwork
