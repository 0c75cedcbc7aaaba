#include "startmenu/ProgramPanesModel.h"

namespace tessaline {

TPaneVisibility PaneVisibility(TPaneView view, bool hasPins) {
    const bool frequent = view == TPaneView::Frequent;
    return {frequent && hasPins, frequent && hasPins, frequent, !frequent};
}

bool TPointerMoves::Moved(TPane pane, TPoint at) {
    TPoint& last = last_[static_cast<int>(pane)];
    if (last == at) {
        return false;
    }
    last = at;
    return true;
}

}  // namespace tessaline
