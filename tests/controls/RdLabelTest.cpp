#include <gtest/gtest.h>

#include "controls/FixedWidthText.h"
#include "controls/RdLabel.h"

namespace tessaline {
namespace {

using test::FixedDrawText;
using test::TRecordingCanvas;

// A form with one label that measures with the fixed-width measurer.
struct LabelForm {
    TControl form{nullptr};
    TRdLabel* label = Create<TRdLabel>(&form, L"Label_Title");
    LabelForm() {
        label->SetParent(&form);
        label->SetMeasureProc(FixedDrawText);
    }
};

TEST(RdLabel, AutoSizeMeasuresTheShownTextAndKeepsOneLineForAnEmptyCaption) {
    struct Case {
        const wchar_t* caption;
        bool showAccel;
        int width;
    };
    for (const auto& c : {Case{L"", true, 7}, Case{L"&", true, 7}, Case{L"&", false, 7}, Case{L"Hello", true, 35},
                          Case{L"&File", true, 28}, Case{L"&File", false, 35}, Case{L"a&&b", true, 21}}) {
        LabelForm f;
        f.label->SetShowAccelChar(c.showAccel);
        f.label->SetCaption(c.caption);
        f.label->AdjustBounds();
        EXPECT_EQ(f.label->Width(), c.width) << c.caption;
        EXPECT_EQ(f.label->Height(), 13) << c.caption;
    }
}

TEST(RdLabel, EllipsisAndAutoSizeSwitchEachOtherOff) {
    LabelForm f;
    EXPECT_EQ(f.label->BoundsRect(), RectOf(0, 0, 65, 17));
    f.label->SetEllipsisPosition(TEllipsisPosition::epEndEllipsis);
    EXPECT_FALSE(f.label->AutoSize());
    EXPECT_EQ(f.label->BoundsRect(), RectOf(0, 0, 65, 17));  // no re-fit on the way
    f.label->SetAutoSize(true);
    EXPECT_EQ(f.label->EllipsisPosition(), TEllipsisPosition::epNone);
}

TEST(RdLabel, WordWrappedEllipsisDropsWholeWordsUntilTheTextFits) {
    struct Case {
        const wchar_t* text;
        TEllipsisPosition position;
        int height;
        const wchar_t* drawn;
    };
    const wchar_t* five = L"one two three four five six seven eight nine ten";
    for (const auto& c : {
             Case{five, TEllipsisPosition::epEndEllipsis, 26, L"one two three..."},
             Case{five, TEllipsisPosition::epWordEllipsis, 26, L"one two three..."},
             Case{five, TEllipsisPosition::epPathEllipsis, 26, five},  // the platform shortens paths itself
             Case{L"one\ttwo\tthree four", TEllipsisPosition::epEndEllipsis, 13, L"one..."},
             Case{L"abcdefghijk", TEllipsisPosition::epEndEllipsis, 13, L"abcdefghijk"},  // one line: fits
             // Not even one line: the text as it is, with the ellipsis flag for the platform to shorten.
             Case{L"one two", TEllipsisPosition::epEndEllipsis, 10, L"one two"},
         }) {
        LabelForm f;
        f.label->SetCaption(c.text);
        f.label->SetEllipsisPosition(c.position);
        f.label->SetWordWrap(true);
        f.label->SetBounds(0, 0, 70, c.height);
        TRecordingCanvas canvas;
        f.label->Paint(canvas);
        ASSERT_EQ(canvas.texts.size(), 1u) << c.text;
        EXPECT_EQ(canvas.texts[0].text, c.drawn);
        EXPECT_EQ(canvas.texts[0].flags & kDtExpandTabs, 0u);
        if (c.position != TEllipsisPosition::epPathEllipsis) {
            EXPECT_NE(canvas.texts[0].flags & (kDtEndEllipsis | kDtWordEllipsis), 0u);
        }
    }
}

TEST(RdLabel, AnAutoSizedLabelGrowsAwayFromItsAlignedEdge) {
    struct Case {
        TAlignment alignment;
        bool rightToLeft;
        TSizeConstraints constraints;
        TRect expected;
    };
    for (const auto& c : {
             Case{TAlignment::taRightJustify, false, {}, {123, 5, 165, 18}},
             Case{TAlignment::taLeftJustify, false, {}, {100, 5, 142, 18}},
             Case{TAlignment::taCenter, false, {}, {100, 5, 142, 18}},
             Case{TAlignment::taLeftJustify, true, {}, {123, 5, 165, 18}},  // right-to-left flips the sides
             Case{TAlignment::taRightJustify, false, {50, 0, 0, 0}, {115, 5, 165, 18}},
             Case{TAlignment::taRightJustify, false, {65, 0, 65, 0}, {100, 5, 165, 18}},
         }) {
        LabelForm f;
        f.label->SetAlignment(c.alignment);
        f.label->SetRightToLeft(c.rightToLeft);
        f.label->SetConstraints(c.constraints);
        f.label->SetBounds(100, 5, 65, 17);
        f.label->SetCaption(L"abc");
        f.label->SetCaption(L"abcdef");
        EXPECT_EQ(f.label->BoundsRect(), c.expected) << static_cast<int>(c.alignment) << c.rightToLeft;
    }
}

TEST(RdLabel, SwitchingWordWrapOnRefitsWithinTheWidth) {
    LabelForm f;
    f.label->SetCaption(L"aaa bbb ccc");
    EXPECT_EQ(f.label->BoundsRect(), RectOf(0, 0, 77, 13));
    f.label->SetWidth(65);
    f.label->SetWordWrap(true);
    EXPECT_EQ(f.label->BoundsRect(), RectOf(0, 0, 49, 26));
}

TEST(RdLabel, LoadingDefersSizingToTheEnd) {
    LabelForm f;
    f.label->BeginLoading();
    f.label->SetCaption(L"Hello");
    EXPECT_EQ(f.label->Width(), 65);
    f.label->EndLoading();
    EXPECT_EQ(f.label->Width(), 35);
}

TEST(RdLabel, LayoutMovesTheTextBlockDown) {
    struct Case {
        TTextLayout layout;
        int height;
        int top;
    };
    for (const auto& c :
         {Case{TTextLayout::tlTop, 40, 0}, Case{TTextLayout::tlCenter, 40, 13}, Case{TTextLayout::tlBottom, 40, 27},
          Case{TTextLayout::tlCenter, 10, -1}, Case{TTextLayout::tlBottom, 10, -3}}) {
        LabelForm f;
        f.label->SetCaption(L"abc");
        f.label->SetAutoSize(false);
        f.label->SetLayout(c.layout);
        f.label->SetHeight(c.height);
        TRecordingCanvas canvas;
        f.label->Paint(canvas);
        ASSERT_EQ(canvas.texts.size(), 1u);
        EXPECT_EQ(canvas.texts[0].rect.Top, c.top) << static_cast<int>(c.layout) << " " << c.height;
    }
}

TEST(RdLabel, PaintFillsOnlyWhenOpaqueAndEngravesADisabledLabel) {
    struct GlassCanvas : TRecordingCanvas, IGlassCanvas {
        std::vector<TRect> opaqueFills;
        bool OnGlass() const override { return true; }
        void FillRectOpaque(const TRect& rect, TColor) override { opaqueFills.push_back(rect); }
    };
    LabelForm f;
    f.label->SetCaption(L"abc");
    TRecordingCanvas plain;
    f.label->Paint(plain);
    EXPECT_TRUE(plain.fills.empty());
    ASSERT_EQ(plain.texts.size(), 1u);
    EXPECT_EQ(plain.texts[0].color, f.label->Font().Color);

    f.form.SetColor(kColorSilver);  // an opaque label without a colour of its own takes its parent's
    f.label->SetTransparent(false);
    f.label->SetEnabled(false);
    TRecordingCanvas opaque;
    f.label->Paint(opaque);
    ASSERT_EQ(opaque.fills.size(), 1u);
    EXPECT_EQ(opaque.fills[0].color, kColorSilver);
    ASSERT_EQ(opaque.texts.size(), 2u);
    EXPECT_EQ(opaque.texts[0].rect.Left, 1);
    EXPECT_EQ(opaque.texts[0].color, f.label->DisabledHighlight);
    EXPECT_EQ(opaque.texts[1].rect.Left, 0);
    EXPECT_EQ(opaque.texts[1].color, f.label->DisabledShadow);

    GlassCanvas glass;
    f.label->Paint(glass);
    EXPECT_TRUE(glass.fills.empty());
    EXPECT_EQ(glass.opaqueFills.size(), 1u);
}

TEST(RdLabel, AFocusControlNamedInTheFormIsFoundWhenTheFormIsLoaded) {
    TControl form{nullptr};
    form.BeginLoading();
    auto* label = Create<TRdLabel>(&form, L"Label_Search");
    label->SetParent(&form);
    label->BeginLoading();
    label->SetFocusControlName(L"edit_search", [](TControl&) { return true; });
    auto* edit = Create<TControl>(&form, L"Edit_Search");  // described after the label
    EXPECT_EQ(label->FocusControl(), nullptr);
    form.EndLoading();
    EXPECT_EQ(label->FocusControl(), edit);

    auto* lonely = Create<TRdLabel>(&form, L"Label_Other");
    lonely->BeginLoading();
    lonely->SetFocusControlName(L"Nothing_Here", [](TControl&) { return true; });
    lonely->EndLoading();
    EXPECT_EQ(lonely->FocusControl(), nullptr);
}

TEST(RdLabel, AcceleratorIsTheCharacterAfterTheFirstSingleAmpersand) {
    struct Case {
        wchar_t key;
        const wchar_t* caption;
        bool match;
    };
    for (const auto& c : {Case{L'f', L"&File", true}, Case{L'F', L"&file", true}, Case{L'i', L"&File", false},
                          Case{L'b', L"a&&b", false}, Case{L'b', L"a&&&b", true}, Case{L'x', L"x&", false},
                          Case{L'd', L"&Do &Re", true}, Case{L'r', L"&Do &Re", false}, Case{L'&', L"&&", false}}) {
        EXPECT_EQ(IsAccelerator(c.key, c.caption), c.match) << static_cast<int>(c.key) << " " << c.caption;
    }
}

TEST(RdLabel, DialogCharFocusesTheFocusControlUntilItIsGone) {
    LabelForm f;
    auto* edit = Create<TControl>(&f.form, L"Edit_Search");
    int focused = 0;
    bool canFocus = true;
    f.label->SetCaption(L"&Search");
    f.label->SetFocusControl(edit, [&](TControl& control) {
        focused += &control == edit;
        return canFocus;
    });
    EXPECT_TRUE(f.label->DialogChar(L'S'));
    EXPECT_FALSE(f.label->DialogChar(L'e'));
    canFocus = false;
    EXPECT_FALSE(f.label->DialogChar(L's'));
    canFocus = true;
    f.label->SetEnabled(false);
    EXPECT_FALSE(f.label->DialogChar(L's'));
    f.label->SetEnabled(true);
    f.label->SetShowAccelChar(false);
    EXPECT_FALSE(f.label->DialogChar(L's'));
    EXPECT_EQ(focused, 2);

    f.label->SetShowAccelChar(true);
    delete edit;
    EXPECT_EQ(f.label->FocusControl(), nullptr);
    EXPECT_FALSE(f.label->DialogChar(L's'));
    EXPECT_EQ(focused, 2);
}

}  // namespace
}  // namespace tessaline
