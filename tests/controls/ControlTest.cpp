#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "controls/Control.h"

namespace tessaline {

// Internal linkage: other test files may print rectangles their own way.
static void PrintTo(const TRect& r, std::ostream* out) {
    *out << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}

namespace {

using TRects = std::vector<TRect>;

// Stands in for the form glue: records what the controls ask it to repaint and which controls go away.
class TTestForm : public TControl {
  public:
    TTestForm() : TControl(nullptr) {}

    void InvalidateRect(const TRect& rect) override { Invalidated.push_back(rect); }
    void ControlDestroying(const TControl& control) override { Destroyed.push_back(&control); }

    TRects Invalidated;
    std::vector<const TControl*> Destroyed;
};

TControl* AddControl(TComponent* owner, TControl* parent, int left, int top, int width, int height) {
    auto* control = new TControl(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TEST(Control, ChildrenKeepTheOrderTheyWereParented) {
    TTestForm form;
    TControl* a = AddControl(&form, &form, 0, 0, 10, 10);
    TControl* b = AddControl(&form, &form, 0, 0, 10, 10);
    TControl* panel = AddControl(&form, &form, 0, 0, 10, 10);
    TControl* c = AddControl(&form, &form, 0, 0, 10, 10);
    EXPECT_EQ(form.Controls(), (std::vector<TControl*>{a, b, panel, c}));

    b->SetParent(&form);  // already there: stays in its place
    EXPECT_EQ(form.Controls(), (std::vector<TControl*>{a, b, panel, c}));

    b->SetParent(panel);
    a->SetParent(panel);
    EXPECT_EQ(form.Controls(), (std::vector<TControl*>{panel, c}));
    EXPECT_EQ(panel->Controls(), (std::vector<TControl*>{b, a}));
    EXPECT_EQ(a->Parent(), panel);

    a->SetParent(nullptr);
    EXPECT_EQ(panel->Controls(), (std::vector<TControl*>{b}));
    EXPECT_EQ(a->Parent(), nullptr);

    // No control lies on itself or on what lies on it.
    panel->SetParent(b);
    panel->SetParent(panel);
    EXPECT_EQ(panel->Parent(), &form);
    EXPECT_EQ(b->Parent(), panel);
}

TEST(Control, SetBoundsRepaintsTheOldAndNewRectanglesInFormCoordinates) {
    TTestForm form;
    form.SetBounds(300, 200, 640, 480);  // the form's own position is not part of its client coordinates
    TControl* panel = AddControl(&form, &form, 10, 20, 300, 200);
    TControl* inner = AddControl(&form, panel, 5, 6, 100, 100);
    TControl* button = AddControl(&form, inner, 3, 4, 30, 10);
    EXPECT_EQ(button->RectInForm(), (TRect{18, 30, 48, 40}));
    EXPECT_EQ(form.RectInForm(), (TRect{0, 0, 640, 480}));

    form.Invalidated.clear();
    button->SetBounds(7, 4, 30, 12);
    EXPECT_EQ(form.Invalidated, (TRects{{18, 30, 48, 40}, {22, 30, 52, 42}}));

    form.Invalidated.clear();
    panel->SetLeft(0);  // moving a parent repaints its whole rectangle, children included
    EXPECT_EQ(form.Invalidated, (TRects{{10, 20, 310, 220}, {0, 20, 300, 220}}));

    form.Invalidated.clear();
    form.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(form.Invalidated, (TRects{{0, 0, 640, 480}, {0, 0, 200, 100}}));
}

TEST(Control, NothingIsRepaintedForUnchangedHiddenOrLoadingControls) {
    TTestForm form;
    TControl* button = AddControl(&form, &form, 10, 10, 20, 20);

    form.Invalidated.clear();
    button->SetBounds(10, 10, 20, 20);
    EXPECT_TRUE(form.Invalidated.empty()) << "unchanged bounds";

    button->SetVisible(false);
    form.Invalidated.clear();
    button->SetBounds(0, 0, 5, 5);
    button->SetCaption(L"Shut down");
    EXPECT_TRUE(form.Invalidated.empty()) << "hidden";

    button->SetVisible(true);
    button->BeginLoading();
    form.Invalidated.clear();
    button->SetBounds(1, 1, 5, 5);
    button->SetColor(kColorWhite);
    EXPECT_TRUE(form.Invalidated.empty()) << "loading";
    EXPECT_EQ(button->BoundsRect(), (TRect{1, 1, 6, 6}));  // the value is still recorded
}

TEST(Control, HidingRepaintsWhatTheControlCovered) {
    TTestForm form;
    TControl* panel = AddControl(&form, &form, 100, 0, 50, 50);
    TControl* button = AddControl(&form, panel, 10, 10, 20, 20);

    form.Invalidated.clear();
    button->SetVisible(false);
    EXPECT_EQ(form.Invalidated, (TRects{{110, 10, 130, 30}}));

    form.Invalidated.clear();
    button->SetVisible(true);
    EXPECT_EQ(form.Invalidated, (TRects{{110, 10, 130, 30}}));
}

TEST(Control, ShowingNeedsTheControlAndEveryParentVisible) {
    TTestForm form;
    TControl* panel = AddControl(&form, &form, 0, 0, 50, 50);
    TControl* button = AddControl(&form, panel, 0, 0, 20, 20);

    struct Case {
        bool form;
        bool panel;
        bool button;
        bool showing;
    };
    for (const auto& c : {
             Case{true, true, true, true},
             Case{true, true, false, false},
             Case{true, false, true, false},
             Case{false, true, true, false},
         }) {
        form.SetVisible(c.form);
        panel->SetVisible(c.panel);
        button->SetVisible(c.button);
        EXPECT_EQ(button->Showing(), c.showing) << c.form << c.panel << c.button;
        EXPECT_EQ(button->Visible(), c.button);
    }
}

TEST(Control, ShowHintFollowsTheParentUntilSetOnTheControl) {
    TTestForm form;
    TControl* panel = AddControl(&form, &form, 0, 0, 50, 50);
    TControl* button = AddControl(&form, panel, 0, 0, 20, 20);
    EXPECT_FALSE(button->ShowHint());

    form.SetShowHint(true);
    EXPECT_TRUE(panel->ShowHint());
    EXPECT_TRUE(button->ShowHint());

    panel->SetShowHint(false);
    EXPECT_FALSE(panel->ParentShowHint());
    EXPECT_FALSE(panel->ShowHint());
    EXPECT_FALSE(button->ShowHint());  // follows the panel, not the form

    panel->SetParentShowHint(true);
    EXPECT_TRUE(button->ShowHint());

    button->SetParent(nullptr);  // no parent to follow: its own value
    EXPECT_FALSE(button->ShowHint());
}

TEST(Control, DestroyingANestedControlTellsTheTopLevelAndLeavesItsParent) {
    TTestForm form;
    TControl* panel = AddControl(&form, &form, 10, 10, 100, 100);
    TControl* a = AddControl(&form, panel, 0, 0, 20, 20);
    TControl* b = AddControl(&form, panel, 5, 5, 20, 20);

    form.Invalidated.clear();
    delete b;
    EXPECT_EQ(form.Destroyed, (std::vector<const TControl*>{b}));
    EXPECT_EQ(form.Invalidated, (TRects{{15, 15, 35, 35}}));  // what it covered is repainted
    EXPECT_EQ(panel->Controls(), (std::vector<TControl*>{a}));
    EXPECT_EQ(form.ComponentCount(), 2u);  // and its owner's list
}

TEST(Control, FreeingTheFormFreesNestedControlsWhateverTheirCreationOrder) {
    // The panel created before its child, and a child created before the panel it is moved onto: the owner
    // frees the newest first, so one of each pair dies while the other still points at it.
    auto* form = new TTestForm;
    TControl* early = AddControl(form, nullptr, 0, 0, 10, 10);
    TControl* panel = AddControl(form, form, 0, 0, 50, 50);
    TControl* late = AddControl(form, panel, 0, 0, 10, 10);
    early->SetParent(panel);
    AddControl(form, late, 1, 1, 2, 2);
    EXPECT_EQ(panel->Controls(), (std::vector<TControl*>{late, early}));

    delete form;  // the sanitizer build catches any use of a freed control here
}

}  // namespace
}  // namespace tessaline
