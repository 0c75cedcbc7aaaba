#pragma once
// The shared cursor table: which system cursor each TCursor shows. Every control that asks for the hand gets the
// system's own hand, not a private copy. The handles are in CursorTableWin.h. Any thread.

#include "controls/Control.h"

namespace tessaline {

// The system cursor's resource number: IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_HAND.
constexpr int SystemCursorId(TCursor cursor) {
    switch (cursor) {
        case TCursor::HandPoint:
            return 32649;
        case TCursor::IBeam:
            return 32513;
        case TCursor::Wait:
            return 32514;
        case TCursor::Default:
        case TCursor::Arrow:
            break;
    }
    return 32512;
}

}  // namespace tessaline
