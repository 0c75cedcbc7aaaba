#include "catalogue/PaneRows.h"

namespace tessaline {

TFrequentRows SelectFrequentRows(int count,
                                 const std::function<bool(int index)>& isPinned,
                                 int base,
                                 int workAreaHeight,
                                 int countLimit) {
    TFrequentRows rows;
    const int limit = workAreaHeight - 150;
    int added = 0;
    for (int index = 0; index < count && base + added * kPaneRowHeight + 44 < limit; ++index) {
        if (isPinned && isPinned(index)) {
            continue;
        }
        rows.shown.push_back(index);
        if (countLimit != -1 && added == countLimit) {
            rows.stoppedAtLimit = true;
            rows.reservedRows = added + 1;
            return rows;
        }
        ++added;
        if (added == kMaxFrequentRows) {
            break;
        }
    }
    int reserved = added;
    while (reserved < kMaxFrequentRows && reserved * kPaneRowHeight + base + 44 < limit) {
        ++reserved;
    }
    rows.reservedRows = reserved;
    return rows;
}

int SelectPinnedRows(int count, int base, int workAreaHeight) {
    const int limit = workAreaHeight - 150;
    int shown = 0;
    for (int index = 0; index < count; ++index) {
        ++shown;
        if (index * kPaneRowHeight + base + 44 >= limit) {
            break;
        }
    }
    return shown;
}

}  // namespace tessaline
