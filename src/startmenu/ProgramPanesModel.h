#pragma once
// The program panes' decisions that are not the catalogue's: which trees the view shows, and which mouse moves
// are the user's. Any thread.

#include "base/Geometry.h"

namespace tessaline {

enum class TPaneView { Frequent = 0, AllPrograms = 1 };

struct TPaneVisibility {
    bool Pinned = false;
    bool PinnedSeparator = false;
    bool Frequent = false;
    bool AllPrograms = false;

    bool operator==(const TPaneVisibility&) const = default;
};

// The trees of `view`: the pinned pane and its separator only in the frequent view and only with pins.
TPaneVisibility PaneVisibility(TPaneView view, bool hasPins);

enum class TPane { Pinned = 0, Frequent = 1, AllPrograms = 2 };

// Windows reports a mouse move whenever a window comes up or moves under a pointer that stays where it was:
// only a move to a new place in a pane is the user's.
class TPointerMoves {
  public:
    // True when `at` differs from the pane's last position; remembers it either way.
    bool Moved(TPane pane, TPoint at);
    // The pointer's place in the pane as the window shows, before anything is reported.
    void Remember(TPane pane, TPoint at) { last_[static_cast<int>(pane)] = at; }

  private:
    TPoint last_[3] = {{-1, -1}, {-1, -1}, {-1, -1}};
};

}  // namespace tessaline
