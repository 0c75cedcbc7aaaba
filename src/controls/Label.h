#pragma once
// The plain text label of the forms: the label control's layout and painting, seen by the language walk as an
// ordinary label. UI thread only.

#include "controls/RdLabel.h"

namespace tessaline {

class TLabel : public TRdCustomLabel {
  public:
    using TRdCustomLabel::TRdCustomLabel;
    TComponentKind Kind() const override { return TComponentKind::Label; }
};

}  // namespace tessaline
