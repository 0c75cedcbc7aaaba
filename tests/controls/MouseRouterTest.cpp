#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/MouseRouter.h"

namespace tessaline {
namespace {

using TLog = std::vector<std::string>;

// The form glue's part in routing: it forgets a control as it goes away.
class TTestForm : public TControl {
  public:
    TTestForm() : TControl(nullptr) { SetBounds(0, 0, 200, 100); }
    void ControlDestroying(const TControl& control) override { Router.Forget(control); }

    TMouseRouter Router{*this};
};

class TWindowed : public TControl {
  public:
    using TControl::TControl;
    bool Windowed() const override { return true; }
};

enum TWatch : unsigned { kEnterLeave = 1, kMoves = 2, kButtons = 4, kAll = 7 };

const char* ButtonName(TMouseButton button) {
    return button == TMouseButton::Left ? "L" : button == TMouseButton::Right ? "R" : "M";
}

std::string At(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

// Logs the control's events as "<name> <event> [button] [x,y]".
void Watch(TControl& control, const std::string& name, TLog& log, unsigned what = kAll) {
    if ((what & kEnterLeave) != 0) {
        control.OnMouseEnter = [&log, name](TControl&) { log.push_back(name + " enter"); };
        control.OnMouseLeave = [&log, name](TControl&) { log.push_back(name + " leave"); };
    }
    if ((what & kMoves) != 0) {
        control.OnMouseMove = [&log, name](TControl&, TShiftState, int x, int y) {
            log.push_back(name + " move " + At(x, y));
        };
    }
    if ((what & kButtons) != 0) {
        control.OnMouseDown = [&log, name](TControl&, TMouseButton button, TShiftState, int x, int y) {
            log.push_back(name + " down " + ButtonName(button) + " " + At(x, y));
        };
        control.OnMouseUp = [&log, name](TControl&, TMouseButton button, TShiftState, int x, int y) {
            log.push_back(name + " up " + ButtonName(button) + " " + At(x, y));
        };
        control.OnClick = [&log, name](TControl&) { log.push_back(name + " click"); };
    }
}

class MouseRouter : public ::testing::Test {
  protected:
    template <typename T = TControl>
    T* Add(TControl* parent, int left, int top, int width, int height, TComponent* owner = nullptr) {
        auto* control = new T(owner != nullptr ? owner : &form);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }
    void Move(int x, int y) { form.Router.Move({x, y}, {}); }
    void Down(int x, int y, TMouseButton button = TMouseButton::Left) { form.Router.Down(button, {x, y}, {}); }
    void Up(int x, int y, TMouseButton button = TMouseButton::Left) { form.Router.Up(button, {x, y}, {}); }

    TLog log;
    TTestForm form;  // after the log: the controls' handlers write to it until the form is gone
};

TEST_F(MouseRouter, TheTopmostVisibleEnabledControlUnderThePointerGetsIt) {
    TControl* a = Add(&form, 0, 0, 60, 60);
    TControl* b = Add(&form, 40, 40, 60, 60);
    Add(&form, 0, 0, 20, 20)->SetVisible(false);    // over a
    Add(&form, 50, 50, 20, 20)->SetEnabled(false);  // over b
    Add<TWindowed>(&form, 100, 0, 20, 20);          // a real window gets its own mouse messages
    TControl* panel = Add(&form, 120, 0, 80, 60);
    TControl* inPanel = Add(panel, 10, 10, 20, 20);
    TControl* hiddenPanel = Add(&form, 0, 70, 30, 30);
    Add(hiddenPanel, 0, 0, 30, 30);
    hiddenPanel->SetVisible(false);
    TControl* disabledPanel = Add(&form, 140, 70, 30, 30);
    Add(disabledPanel, 0, 0, 30, 30);
    disabledPanel->SetEnabled(false);

    struct Case {
        TPoint point;
        TControl* expected;
    };
    for (const auto& [point, expected] : {
             Case{{5, 5}, a},           // the hidden control above is skipped
             Case{{45, 45}, b},         // overlap: the later sibling wins
             Case{{55, 55}, b},         // the disabled control above is skipped
             Case{{59, 5}, a},          // right edge inside
             Case{{60, 5}, nullptr},    // one past it
             Case{{105, 5}, nullptr},   // windowed
             Case{{135, 15}, inPanel},  // nested
             Case{{125, 5}, panel},     // the panel itself around its child
             Case{{5, 85}, nullptr},    // a hidden panel hides what lies on it
             Case{{145, 85}, nullptr},  // so does a disabled one
             Case{{-1, 5}, nullptr},
         }) {
        EXPECT_EQ(form.Router.ControlAt(point), expected) << At(point.X, point.Y);
    }
}

TEST_F(MouseRouter, AControlWithNoPictureGetsEnterClickAndLeaveOverItsWholeRectangle) {
    TControl* highlight = Add(&form, 10, 10, 30, 20);
    Watch(*highlight, "A", log);

    Move(10, 10);
    Move(39, 29);
    Down(39, 29);
    Up(39, 29);
    Move(40, 29);

    EXPECT_EQ(log,
              (TLog{"A enter", "A move 0,0", "A move 29,19", "A down L 29,19", "A up L 29,19", "A click", "A leave"}));
    EXPECT_EQ(form.Router.Hovered(), nullptr);
}

TEST_F(MouseRouter, EnterAndLeaveFollowThePointerBetweenOverlappingSiblings) {
    Watch(*Add(&form, 0, 0, 60, 60), "A", log, kEnterLeave);
    Watch(*Add(&form, 40, 40, 60, 60), "B", log, kEnterLeave);

    Move(10, 10);
    Move(20, 20);  // still A: nothing
    Move(50, 50);
    Move(20, 20);
    Move(150, 20);
    Move(50, 50);
    form.Router.Leave();  // the pointer leaves the window

    EXPECT_EQ(log, (TLog{"A enter", "A leave", "B enter", "B leave", "A enter", "A leave", "B enter", "B leave"}));
}

TEST_F(MouseRouter, TheReleaseGoesToThePressedControlAndClicksNothingElsewhere) {
    TControl* a = Add(&form, 0, 0, 40, 40);
    TControl* b = Add(&form, 50, 0, 40, 40);
    Watch(*a, "A", log, kMoves | kButtons);
    Watch(*b, "B", log, kMoves | kButtons);

    Down(10, 10);
    EXPECT_EQ(form.Router.Captured(), a);
    Move(60, 10);
    Up(60, 10);
    EXPECT_EQ(log, (TLog{"A down L 10,10", "A move 60,10", "A up L 60,10"}));
    EXPECT_EQ(form.Router.Captured(), nullptr);

    // The capture is over: the next press and release on b is b's click.
    log.clear();
    Down(60, 10);
    Up(60, 10);
    EXPECT_EQ(log, (TLog{"B down L 10,10", "B up L 10,10", "B click"}));
}

TEST_F(MouseRouter, ReleasingOverAControlPressedElsewhereIsNoClick) {
    Watch(*Add(&form, 50, 0, 40, 40), "B", log, kButtons);

    Down(10, 10);  // over nothing
    Up(60, 10);
    EXPECT_EQ(log, (TLog{"B up L 10,10"}));
}

TEST_F(MouseRouter, OnlyTheLeftButtonClicks) {
    Watch(*Add(&form, 0, 0, 40, 40), "A", log, kButtons);

    struct Case {
        TMouseButton button;
        TLog expected;
    };
    for (const auto& [button, expected] : {
             Case{TMouseButton::Left, {"A down L 5,5", "A up L 5,5", "A click"}},
             Case{TMouseButton::Right, {"A down R 5,5", "A up R 5,5"}},
             Case{TMouseButton::Middle, {"A down M 5,5", "A up M 5,5"}},
         }) {
        log.clear();
        Down(5, 5, button);
        Up(5, 5, button);
        EXPECT_EQ(log, expected) << ButtonName(button);
    }

    // Left pressed, right released: no click.
    log.clear();
    Down(5, 5, TMouseButton::Left);
    Up(5, 5, TMouseButton::Right);
    EXPECT_EQ(log, (TLog{"A down L 5,5", "A up R 5,5"}));
}

TEST_F(MouseRouter, AnUpHandlerThatHidesTheControlPreventsTheClick) {
    TControl* button = Add(&form, 0, 0, 40, 40);
    Watch(*button, "A", log);
    button->OnMouseUp = [this](TControl& sender, TMouseButton, TShiftState, int, int) {
        log.push_back("A up");
        sender.SetVisible(false);
    };

    Move(5, 5);
    Down(5, 5);
    Up(5, 5);
    EXPECT_EQ(log, (TLog{"A enter", "A move 5,5", "A down L 5,5", "A up", "A leave"}));
}

TEST_F(MouseRouter, NoEventReachesADestroyedControl) {
    TControl* a = Add(&form, 0, 0, 40, 40);
    Watch(*a, "A", log);
    Move(5, 5);
    Down(5, 5);
    ASSERT_EQ(form.Router.Captured(), a);

    log.clear();
    delete a;
    ASSERT_EQ(form.Router.Hovered(), nullptr);
    ASSERT_EQ(form.Router.Captured(), nullptr);
    Move(6, 6);
    Up(6, 6);
    form.Router.Leave();
    EXPECT_TRUE(log.empty());
}

TEST_F(MouseRouter, NoEventReachesAControlDestroyedWithThePanelItLiesOn) {
    TControl* panel = Add(&form, 0, 0, 100, 100);
    TControl* button = Add(panel, 10, 10, 20, 20, panel);
    Watch(*button, "C", log);
    Move(15, 15);
    Down(15, 15);
    ASSERT_EQ(form.Router.Captured(), button);

    log.clear();
    delete panel;
    ASSERT_EQ(form.Router.Hovered(), nullptr);
    ASSERT_EQ(form.Router.Captured(), nullptr);
    Move(16, 16);
    Up(16, 16);
    EXPECT_TRUE(log.empty());
}

TEST_F(MouseRouter, NestedControlsGetTheirOwnCoordinates) {
    TControl* panel = Add(&form, 30, 20, 100, 60);
    TControl* inner = Add(panel, 5, 5, 50, 50);
    Watch(*Add(inner, 10, 8, 20, 20), "C", log, kMoves | kButtons);

    Move(50, 40);
    Down(50, 40);
    Move(10, 10);  // captured: outside, negative
    Up(10, 10);
    EXPECT_EQ(log, (TLog{"C move 5,7", "C down L 5,7", "C move -35,-23", "C up L -35,-23"}));
}

}  // namespace
}  // namespace tessaline
