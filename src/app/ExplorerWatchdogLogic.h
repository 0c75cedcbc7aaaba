#pragma once
// The taskbar watchdog's counting, apart from its timer: each tick sends a heartbeat and counts it; the taskbar
// side answers with the count to keep (normally 0). Ten heartbeats without an answer mean Explorer is gone or
// hung. GUI thread only (the timer callback and the answers arrive there).

#include <cstdint>

namespace tessaline {

inline constexpr int kExplorerSilentTicks = 10;
inline constexpr int kHotCornerRearmCount = 10;

// What one tick asks the glue to do, in this order.
struct TWatchdogTick {
    int HeartbeatCount = 0;          // lParam of WMExplorerAlive: the count before this tick
    int ExplorerCount = 0;           // after this tick, for the trace
    bool RestoreAndRestart = false;  // undock without ending, then start Tarnwick "/Restart"
    bool HookHotCorners = false;
};

class TExplorerWatchdog {
  public:
    int ExplorerCount() const { return explorerCount_; }
    int HotCornerCount() const { return hotCornerCount_; }

    // Not reset by a restore: while Explorer stays silent every further tick restores and restarts again.
    TWatchdogTick Tick();

    // WMExplorerAlive from the taskbar side and WMHotCornerState from the helper: their lParam is stored as it
    // is, limited to the 32-bit range of the counters.
    void OnExplorerAlive(int64_t lParam);
    void OnHotCornerState(int64_t lParam);

  private:
    int explorerCount_ = 0;
    int hotCornerCount_ = 0;
};

}  // namespace tessaline
