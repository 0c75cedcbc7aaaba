#include "app/ExplorerWatchdogLogic.h"

#include <algorithm>
#include <climits>

namespace tessaline {
namespace {

int ToCounter(int64_t lParam) {
    return static_cast<int>(std::clamp<int64_t>(lParam, INT_MIN, INT_MAX));
}

}  // namespace

TWatchdogTick TExplorerWatchdog::Tick() {
    TWatchdogTick tick;
    tick.HeartbeatCount = explorerCount_;
    // An answer may set any value; the count must not overflow on the next tick.
    if (explorerCount_ < INT_MAX) {
        ++explorerCount_;
    }
    tick.ExplorerCount = explorerCount_;
    tick.RestoreAndRestart = explorerCount_ >= kExplorerSilentTicks;
    tick.HookHotCorners = hotCornerCount_ >= kHotCornerRearmCount;
    return tick;
}

void TExplorerWatchdog::OnExplorerAlive(int64_t lParam) {
    explorerCount_ = ToCounter(lParam);
}

void TExplorerWatchdog::OnHotCornerState(int64_t lParam) {
    hotCornerCount_ = ToCounter(lParam);
}

}  // namespace tessaline
