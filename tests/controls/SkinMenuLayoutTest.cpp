#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/MenuItem.h"
#include "controls/SkinMenuGlyphs.h"
#include "controls/SkinMenuLayout.h"
#include "controls/SkinMenuPaint.h"

namespace tessaline {
namespace {

// Every character 7 pixels wide (8 in bold), lines 13 high.
TSize FixedExtent(const std::wstring& text, bool bold) {
    return {static_cast<int>(text.size()) * (bold ? 8 : 7), 13};
}

TMenuItem* AddItem(TMenuItem& parent, const std::wstring& caption) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
}

// The power menu of the start menu: five commands, two separators.
void FillShutDownMenu(TMenuItem& root) {
    for (const wchar_t* caption : {L"Switch user", L"Log off", L"Lock", L"-", L"Restart", L"-", L"Sleep"}) {
        AddItem(root, caption);
    }
}

TEST(SkinMenuLayout, ShutDownMenuIsFourPlusFiveItemsPlusTwoSeparatorsHigh) {
    TMenuItem root(nullptr);
    FillShutDownMenu(root);
    const TSkinMenuLayout layout = MeasureMenuLevel(root, kMenuDefaultImageSize, FixedExtent);
    EXPECT_EQ(layout.ItemHeight, 16 + 10);  // the 16-pixel glyph column beats the 13-pixel text
    EXPECT_EQ(layout.Height, 4 + 5 * 26 + 2 * 3);
    EXPECT_EQ(layout.Width, 11 * 7 + 16 + 50);  // "Switch user"
    const std::vector<TRect> expected = {
        {2, 2, 141, 28},   {2, 28, 141, 54},   {2, 54, 141, 80},   {2, 80, 141, 83},
        {2, 83, 141, 109}, {2, 109, 141, 112}, {2, 112, 141, 138},
    };
    EXPECT_EQ(layout.ItemRects, expected);
}

TEST(SkinMenuLayout, WidthHeightAndRowsFollowTheVisibleItems) {
    struct Case {
        const wchar_t* name;
        TSize imageSize;
        std::vector<const wchar_t*> captions;
        std::vector<bool> visible;
        int defaultIndex;
        int width;
        int height;
        int itemHeight;
    };
    for (const Case& c : {
             Case{L"short captions keep the minimum", {16, 16}, {L"Go"}, {true}, -1, 120, 4 + 26, 26},
             Case{L"the default item is measured bold",
                  {16, 16},
                  {L"Restart the computer"},
                  {true},
                  0,
                  20 * 8 + 16 + 50,
                  30,
                  26},
             Case{L"a tall image list sets the row height",
                  {24, 32},
                  {L"Restart the computer"},
                  {true},
                  -1,
                  20 * 7 + 24 + 50,
                  4 + 42,
                  42},
             Case{L"invisible items take no room",
                  {16, 16},
                  {L"A very long hidden caption", L"-", L"B"},
                  {false, true, true},
                  -1,
                  120,
                  4 + 3 + 26,
                  26},
             Case{L"all invisible", {16, 16}, {L"A", L"B"}, {false, false}, -1, 120, 4, 26},
         }) {
        TMenuItem root(nullptr);
        for (size_t i = 0; i < c.captions.size(); ++i) {
            TMenuItem* item = AddItem(root, c.captions[i]);
            item->Visible = c.visible[i];
            item->Default = static_cast<int>(i) == c.defaultIndex;
        }
        const TSkinMenuLayout layout = MeasureMenuLevel(root, c.imageSize, FixedExtent);
        EXPECT_EQ(layout.Width, c.width) << c.name;
        EXPECT_EQ(layout.Height, c.height) << c.name;
        EXPECT_EQ(layout.ItemHeight, c.itemHeight) << c.name;
        for (size_t i = 0; i < c.captions.size(); ++i) {
            if (!c.visible[i]) {
                EXPECT_EQ(layout.ItemRects[i], TRect{}) << c.name;
            } else {
                EXPECT_EQ(layout.ItemRects[i].Right, c.width - 2) << c.name;
            }
        }
    }
}

TEST(SkinMenuLayout, AcceleratorIsTheCharacterAfterTheFirstAmpersand) {
    struct Case {
        const wchar_t* caption;
        wchar_t accelerator;
    };
    for (const Case& c : {Case{L"&Sleep", L'S'}, Case{L"Log o&ff", L'f'}, Case{L"Lock&", 0}, Case{L"&", 0},
                          Case{L"Save && &Quit", L'&'}, Case{L"Restart", 0}, Case{L"", 0}, Case{L"a&b&c", L'b'}}) {
        EXPECT_EQ(AcceleratorOf(c.caption), c.accelerator) << c.caption;
    }
    TMenuItem root(nullptr);
    AddItem(root, L"&Lock")->Visible = false;
    AddItem(root, L"&Sleep");
    const TSkinMenuLayout layout = MeasureMenuLevel(root, kMenuDefaultImageSize, FixedExtent);
    EXPECT_EQ(layout.Accelerators, (std::vector<wchar_t>{0, L'S'}));  // hidden items answer no key
}

TEST(SkinMenuLayout, OnlyLettersAndDigitsMatchTheirKeys) {
    struct Case {
        wchar_t accelerator;
        int virtualKey;
        bool matches;
    };
    for (const Case& c : {
             Case{L'S', 'S', true},
             Case{L'7', '7', true},
             Case{L's', 'S', false},   // compared unchanged: lower case is not its letter key
             Case{L's', 0x73, false},  // ... nor F4, which has the same code
             Case{L'a', 0x61, false},  // numpad 1
             Case{L'.', 0x2E, false},  // Delete
             Case{L'&', 0x26, false},  // Up arrow
             Case{0, 0, false},
         }) {
        EXPECT_EQ(AcceleratorMatchesKey(c.accelerator, c.virtualKey), c.matches)
            << static_cast<int>(c.accelerator) << " " << c.virtualKey;
    }
}

TEST(SkinMenuLayout, LevelsMoveInsideTheMonitor) {
    const TRect primary{0, 0, 1280, 800};
    const TRect leftMonitor{-1024, 0, 0, 768};
    const TSubmenuPlacement sub{150, 26};
    struct Case {
        const wchar_t* name;
        TPoint at;
        TRect monitor;
        const TSubmenuPlacement* submenu;
        TPoint expected;
    };
    for (const Case& c : {
             Case{L"fits", {100, 100}, primary, nullptr, {100, 100}},
             Case{L"exactly at the right edge", {1160, 100}, primary, nullptr, {1160, 100}},
             Case{L"root past the right edge moves left by its width", {1200, 100}, primary, nullptr, {1080, 100}},
             Case{L"submenu opens on the parent's left", {1200, 100}, primary, &sub, {930, 100}},
             Case{L"root past the bottom moves up by its height", {100, 700}, primary, nullptr, {100, 560}},
             Case{L"submenu past the bottom ends at its item", {100, 700}, primary, &sub, {100, 588}},
             Case{L"never past the left edge", {50, 100}, {0, 0, 100, 800}, &sub, {0, 100}},
             Case{L"a monitor left of the primary keeps the menu", {-50, 100}, leftMonitor, nullptr, {-170, 100}},
             Case{L"clamped to that monitor's edge, not to 0", {-1000, 700}, {-1024, 0, -900, 768}, &sub, {-1024, 588}},
         }) {
        EXPECT_EQ(PlaceMenuLevel(c.at, {120, 140}, c.monitor, c.submenu), c.expected) << c.name;
    }
}

TEST(SkinMenuLayout, HitTestingSkipsSeparatorsAndHiddenItems) {
    TMenuItem root(nullptr);
    FillShutDownMenu(root);
    root.Items(1)->Visible = false;  // "Log off"
    const TSkinMenuLayout layout = MeasureMenuLevel(root, kMenuDefaultImageSize, FixedExtent);
    struct Case {
        TPoint point;
        int index;
    };
    for (const Case& c : {
             Case{{10, 2}, 0},    // top row of the first item
             Case{{10, 27}, 0},   // its last row
             Case{{10, 28}, 2},   // "Lock" moved up into the hidden item's place
             Case{{10, 55}, -1},  // the separator under "Lock"
             Case{{10, 57}, 4},   // "Restart"
             Case{{1, 10}, -1},   // the frame
             Case{{200, 10}, -1},
             Case{{10, 200}, -1},
         }) {
        EXPECT_EQ(MenuItemAt(root, layout, c.point), c.index) << c.point.X << "," << c.point.Y;
    }
}

TEST(SkinMenuGlyphs, GreyConversionsKeepWhiteWhite) {
    struct Case {
        TColor color;
        int highlightLevel;
        int imageLevel;
    };
    for (const Case& c : {
             Case{kColorWhite, 255, 255},
             Case{kColorBlack, 0, 0},
             Case{RgbColor(166, 202, 240), 195, 195},  // the default highlight colour
             Case{RgbColor(255, 0, 0), 76, 76},
             Case{RgbColor(0, 255, 0), 150, 150},
             Case{RgbColor(0, 0, 255), 28, 27},
         }) {
        EXPECT_EQ(GrayHighlightColor(c.color), RgbColor(c.highlightLevel, c.highlightLevel, c.highlightLevel))
            << std::hex << c.color;
        EXPECT_EQ(GrayImageLevel(RedOf(c.color), GreenOf(c.color), BlueOf(c.color)), c.imageLevel)
            << std::hex << c.color;
    }
}

TEST(SkinMenuGlyphs, ComposedGlyphKeepsItsBackgroundKeyable) {
    const TColor highlight = RgbColor(166, 202, 240);
    const TPicture& check = BuiltInGlyph(TSkinGlyph::Check);
    ASSERT_EQ(check.Width, 16);
    ASSERT_EQ(check.Height, 16);
    for (bool gray : {false, true}) {
        const std::vector<uint32_t> pixels = ComposeGlyph(check, highlight, gray);
        const uint32_t key = DibPixelOf(GlyphTransparentColor(highlight, gray));
        ASSERT_EQ(pixels.size(), 256u);
        EXPECT_EQ(pixels[4 * 16 + 11], 0u) << gray;  // the tip of the tick is black
        EXPECT_EQ(pixels[0], key) << gray;           // transparency becomes the keyed-out colour
        EXPECT_NE(key, 0u) << gray;                  // ... which is not the glyph's own colour
        EXPECT_EQ(pixels[7 * 16 + 5], key) << gray;  // the gap inside the tick
        EXPECT_EQ(pixels[11 * 16 + 6], 0u) << gray;  // its lowest point
    }

    // Premultiplied half-transparent white over black is mid grey; RGB pictures are opaque.
    TPicture half{1, 1, {0x80808080}, true};
    EXPECT_EQ(ComposeGlyph(half, kColorBlack, false), (std::vector<uint32_t>{0x00808080}));
    EXPECT_EQ(ComposeGlyph(half, kColorWhite, false), (std::vector<uint32_t>{0x00FFFFFF}));
    half.HasAlpha = false;
    EXPECT_EQ(ComposeGlyph(half, kColorWhite, false), (std::vector<uint32_t>{0x00808080}));
}

class SkinMenuPaint : public testing::Test {
  protected:
    void SetUp() override {
        FillShutDownMenu(root);
        AddItem(*root.Items(4), L"Now");  // "Restart" gets a submenu
        layout = MeasureMenuLevel(root, kMenuDefaultImageSize, FixedExtent);
        input.Parent = &root;
        input.Layout = &layout;
        input.HighLight = RgbColor(166, 202, 240);
    }
    TMenuItem root{nullptr};
    TSkinMenuLayout layout;
    TMenuPaintInput input;
};

TEST_F(SkinMenuPaint, HotItemShowsUnderThePointerOrWhileItsSubmenuIsOpen) {
    struct Case {
        const wchar_t* name;
        int hot;
        int open;
        bool inside;
        bool active;
        bool highlight;
    };
    for (const Case& c : {
             Case{L"pointer on an item", 0, -1, true, true, true},
             Case{L"pointer left the active level", 0, -1, false, true, false},
             Case{L"parent level keeps the item of the open submenu", 4, 4, false, false, true},
             Case{L"parent level that has the keys again", 4, 4, false, true, false},
             Case{L"parent level with the pointer back", 0, -1, true, false, true},
             Case{L"a hot item of a level the pointer left", 0, -1, false, false, false},
             Case{L"no hot item", -1, -1, true, true, false},
         }) {
        input.HotIndex = c.hot;
        input.OpenIndex = c.open;
        input.PointerInside = c.inside;
        input.Active = c.active;
        const TMenuPaintPlan plan = PlanMenuPaint(input);
        EXPECT_EQ(plan.Highlight, c.highlight) << c.name;
        if (c.highlight) {
            EXPECT_EQ(plan.HighlightRect, layout.ItemRects[static_cast<size_t>(c.hot)]) << c.name;
            const TMenuItemPaint& item = plan.Items[static_cast<size_t>(c.hot)];
            EXPECT_EQ(item.Font, TMenuFontRole::HighLight) << c.name;
            EXPECT_EQ(item.GlyphBackground, input.HighLight) << c.name;
        }
    }
}

TEST_F(SkinMenuPaint, DisabledHotItemIsGreyedAndDrawnInTheDisabledFont) {
    root.Items(2)->Enabled = false;  // "Lock"
    input.HotIndex = 2;
    input.PointerInside = true;
    const TMenuPaintPlan plan = PlanMenuPaint(input);
    ASSERT_TRUE(plan.Highlight);
    EXPECT_TRUE(plan.RoundedHighlight);
    EXPECT_EQ(plan.HighlightColor, RgbColor(195, 195, 195));
    EXPECT_EQ(plan.HighlightBack, kColorWhite);
    EXPECT_EQ(plan.Items[2].Font, TMenuFontRole::Disabled);
    EXPECT_TRUE(plan.Items[2].Gray);

    input.LightBorder = false;
    root.Items(2)->Enabled = true;
    const TMenuPaintPlan flat = PlanMenuPaint(input);
    EXPECT_FALSE(flat.RoundedHighlight);
    EXPECT_EQ(flat.HighlightColor, input.HighLight);
}

TEST_F(SkinMenuPaint, ImagesWinOverCheckMarksAndRadioItemsGetTheDot) {
    struct Case {
        const wchar_t* name;
        bool hasImages;
        int imageIndex;
        bool checked;
        bool radio;
        TMenuGlyphKind glyph;
    };
    for (const Case& c : {
             Case{L"image", true, 3, true, false, TMenuGlyphKind::Image},
             Case{L"no image list: the check", false, 3, true, false, TMenuGlyphKind::Check},
             Case{L"no image index: the dot", true, -1, true, true, TMenuGlyphKind::Radio},
             Case{L"unchecked", true, -1, false, true, TMenuGlyphKind::None},
         }) {
        TMenuItem& item = *root.Items(0);
        item.ImageIndex = c.imageIndex;
        item.Checked = c.checked;
        item.RadioItem = c.radio;
        input.HasImages = c.hasImages;
        const TMenuPaintPlan plan = PlanMenuPaint(input);
        EXPECT_EQ(plan.Items[0].Glyph, c.glyph) << c.name;
        EXPECT_EQ(plan.Items[0].GlyphAt, (TPoint{layout.ItemRects[0].Left + 5, layout.ItemRects[0].Top + 5})) << c.name;
    }
}

}  // namespace
}  // namespace tessaline
