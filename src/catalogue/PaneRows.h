#pragma once
// Which catalogue entries the program panes show, and how many rows they take, for a given work area.
// Pure; the window adds the nodes (and writes its traces) from the result.

#include <functional>
#include <vector>

namespace tessaline {

inline constexpr int kPaneRowHeight = 40;
inline constexpr int kMaxFrequentRows = 10;

struct TFrequentRows {
    std::vector<int> shown;  // indices into the frequent list, in order
    int reservedRows = 0;    // rows the pane keeps room for (up to 10 while the work area allows)
    bool stoppedAtLimit = false;
};

// The frequent pane with its top at `base` (pinned height + 95) and the limit work-area height - 150: entries in
// list order while base + rows * 40 + 44 < limit, pinned programs skipped, at most ten; `countLimit` (-1: none)
// stops at once when the node of that zero-based index is added.
TFrequentRows SelectFrequentRows(int count,
                                 const std::function<bool(int index)>& isPinned,
                                 int base,
                                 int workAreaHeight,
                                 int countLimit = -1);

// The pinned pane: how many of `count` pins are shown from top `base`; the first always, each further one
// while index * 40 + base + 44 < limit.
int SelectPinnedRows(int count, int base, int workAreaHeight);

}  // namespace tessaline
