#include "app/StartButtonMenu.h"

#include "settings/MainSettings.h"

namespace tessaline {

TStartButtonMenuChecks ReadStartButtonMenuChecks() {
    TStartButtonMenuChecks checks;
    checks.SkipMetro = ReadSkipStartScreen();
    checks.Startup = ReadStartup();
    const HotCornerSettings hot = ReadHotCornerSettings();
    checks.HotCorners = hot.hotCorners;
    checks.HotSidebar = hot.hotSidebar;
    return checks;
}

std::optional<TWindowMessage> StoreStartButtonOption(TStartButtonOption option, bool checked) {
    switch (option) {
        case TStartButtonOption::Startup:
            WriteStartup(checked);
            return std::nullopt;
        case TStartButtonOption::SkipMetro:
            WriteSkipStartScreen(checked);
            return std::nullopt;
        case TStartButtonOption::HotCorners:
            WriteHotCorners(checked);
            return SetHotCornersMessage(checked);
        case TStartButtonOption::HotSidebar:
            WriteHotSidebar(checked);
            return SetHotSidebarMessage(checked);
    }
    return std::nullopt;
}

}  // namespace tessaline
