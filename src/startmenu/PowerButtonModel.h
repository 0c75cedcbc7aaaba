#pragma once
// What the power button and its arrow show: picture 0 at rest, 1 highlighted (the pointer over it or the
// keyboard's mark), 2 pressed; the arrow shows 2 while the menu of session actions is open. Any thread.

namespace tessaline {

enum class TPowerEvent {
    PointerEnter,
    PointerLeave,
    LeftDown,
    ButtonUp,
    MenuOpening,  // by the arrow or the keyboard
    MenuClosed,
    Mark,    // the keyboard's position came to the button
    Unmark,  // it left, a hover elsewhere ended, or the window showed
};

class TPowerButtonModel {
  public:
    void Apply(TPowerEvent event);

    int ButtonPicture() const { return button_; }
    int ArrowPicture() const { return arrow_; }
    // The button shows its highlight: it is a stop of the keyboard's ring now.
    bool Marked() const { return button_ == 1; }

  private:
    int button_ = 0;
    int arrow_ = 0;
};

}  // namespace tessaline
