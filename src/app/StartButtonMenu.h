#pragma once
// The Start button's options menu as settings: the four check marks read from Main.ini when the menu opens,
// and what clicking an option stores and tells the taskbar side. Main.ini is read and written afresh each time
// (settings are never cached). GUI thread only.

#include <optional>

#include "system/HelperProtocol.h"

namespace tessaline {

struct TStartButtonMenuChecks {
    bool Startup = true;     // Menu_startup
    bool SkipMetro = true;   // Menu_SkipMetro
    bool HotCorners = true;  // Menu_cornersMetrol
    bool HotSidebar = true;  // Menu_cornersSidebar
    friend bool operator==(const TStartButtonMenuChecks&, const TStartButtonMenuChecks&) = default;
};

// Absent keys read as checked. The hot-corner pair is read in one TSafeIniFile cycle, which rewrites the file.
TStartButtonMenuChecks ReadStartButtonMenuChecks();

enum class TStartButtonOption { Startup, SkipMetro, HotCorners, HotSidebar };

// Stores the option's new check state. The hot-corner options also return the message to post to the band
// (when the band is not found the setting stays stored and nothing is posted).
std::optional<TWindowMessage> StoreStartButtonOption(TStartButtonOption option, bool checked);

}  // namespace tessaline
