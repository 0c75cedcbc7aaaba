#include "startmenu/PowerButtonModel.h"

namespace tessaline {

void TPowerButtonModel::Apply(TPowerEvent event) {
    switch (event) {
        case TPowerEvent::PointerEnter:
        case TPowerEvent::ButtonUp:
        case TPowerEvent::Mark:
            button_ = arrow_ = 1;
            return;
        case TPowerEvent::PointerLeave:
        case TPowerEvent::MenuClosed:
        case TPowerEvent::Unmark:
            button_ = arrow_ = 0;
            return;
        case TPowerEvent::LeftDown:
            button_ = arrow_ = 2;
            return;
        case TPowerEvent::MenuOpening:
            button_ = 1;
            arrow_ = 2;
            return;
    }
}

}  // namespace tessaline
