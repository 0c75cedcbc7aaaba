#include "controls/FormDescription.h"

#include <gtest/gtest.h>

namespace tessaline {
namespace {

// Records what loading looks like from inside a control.
class Probe : public TControl {
  public:
    using TControl::TControl;
    int loadedCalls = 0;
    bool loadingWhenCaptionSet = false;
    std::wstring Extra;

  protected:
    void TextChanged() override { loadingWhenCaptionSet = Loading(); }
    void Loaded() override { ++loadedCalls; }
};

class FormDescriptionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        RegisterComponentClass(
            L"TProbe", [](TComponent* owner) { return new Probe(owner); },
            [](TComponent& c, std::wstring_view name, std::wstring_view value, const TPropertyContext&) {
                if (name != L"Extra") {
                    return false;
                }
                static_cast<Probe&>(c).Extra = std::wstring(value);
                return true;
            });
    }
    TControl form{nullptr};
};

TEST_F(FormDescriptionTest, BuildsNamedControlsOnTheirParentsInOrderAndEndsLoadingOnce) {
    const TFormDescription description = {
        {L"TProbe", L"Panel", L"", RectOf(10, 20, 200, 100), {{L"Tag", L"7"}, {L"Caption", L"Panel"}}},
        {L"TProbe", L"Inner", L"Panel", RectOf(5, 5, 50, 20), {{L"Extra", L"x"}, {L"Visible", L"False"}}},
        {L"TProbe", L"Second", L"", RectOf(0, 0, 1, 1), {{L"Font.Style", L"[fsBold, fsUnderline]"}}},
    };
    EXPECT_EQ(BuildForm(form, description, {}), 0);

    auto* panel = form.Find<Probe>(L"PANEL");
    auto* inner = form.Find<Probe>(L"Inner");
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Parent(), panel);
    EXPECT_EQ(inner->Owner(), &form);
    EXPECT_EQ(inner->RectInForm(), RectOf(15, 25, 50, 20));
    EXPECT_EQ(panel->Tag, 7);
    EXPECT_TRUE(panel->loadingWhenCaptionSet);
    EXPECT_EQ(inner->Extra, L"x");
    EXPECT_FALSE(inner->Visible());
    EXPECT_EQ(form.Controls().size(), 2u);
    EXPECT_EQ(form.Controls()[1]->Name(), L"Second");
    EXPECT_TRUE(form.Find<Probe>(L"Second")->Font().Bold);
    EXPECT_TRUE(form.Find<Probe>(L"Second")->Font().Underline);
    for (auto* probe : {panel, inner}) {
        EXPECT_EQ(probe->loadedCalls, 1);
        EXPECT_FALSE(probe->Loading());
    }
}

TEST_F(FormDescriptionTest, BadRowsAndValuesAreSkippedWithoutTouchingTheRest) {
    const TFormDescription description = {
        {L"TNoSuchClass", L"Ghost", L"", RectOf(0, 0, 1, 1), {}},
        {L"TProbe", L"Orphan", L"Ghost", RectOf(0, 0, 1, 1), {}},
        {L"TProbe",
         L"Kept",
         L"",
         RectOf(1, 2, 3, 4),
         {{L"Tag", L"seven"},
          {L"Visible", L"yes"},
          {L"Color", L"$01000000"},
          {L"Font.Style", L"[fsHuge]"},
          {L"Cursor", L"crHandPoint"},
          {L"PopupMenu", L"Missing"}}},
    };
    TBuildReport report;
    EXPECT_EQ(BuildForm(form, description, {}, &report), 2);
    EXPECT_EQ(report.SkippedRows, 2);
    EXPECT_EQ(report.IgnoredProperties, 5);  // all but the cursor
    ASSERT_EQ(report.Left.size(), 7u);
    EXPECT_EQ(report.Left[0], L"Ghost");
    EXPECT_EQ(report.Left[2], L"Kept.Tag");
    auto* kept = form.Find<Probe>(L"Kept");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(form.ComponentCount(), 1u);
    EXPECT_EQ(kept->Tag, 0);
    EXPECT_TRUE(kept->Visible());
    EXPECT_EQ(kept->Color(), kColorNone);
    EXPECT_FALSE(kept->Font().Bold);
    EXPECT_EQ(kept->Cursor, TCursor::HandPoint);
    EXPECT_EQ(kept->PopupMenu, nullptr);
}

TEST(PropertyValues, ColoursParseAsTheFormDataWritesThem) {
    struct Case {
        const wchar_t* text;
        bool ok;
        TColor color;
    };
    for (const auto& c :
         {Case{L"clGray", true, 0x808080}, Case{L"13395456", true, 0xCC6600}, Case{L"$00F0CAA6", true, 0xF0CAA6},
          Case{L"-1", false, 0}, Case{L"", false, 0}, Case{L"clPurple", false, 0}}) {
        TColor color = 0;
        EXPECT_EQ(ParsePropertyColor(c.text, color), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(color, c.color) << c.text;
        }
    }
}

}  // namespace
}  // namespace tessaline
