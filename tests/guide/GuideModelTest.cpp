#include "guide/GuideModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "guide/GuideLanguage.h"
#include "settings/PLanguage.h"

namespace tessaline {
namespace {

constexpr unsigned kEsc = 27;
constexpr unsigned kLeft = 37;
constexpr unsigned kRight = 39;

// Answers as the window gets them.
const TGuideAnswer kRender{true, false, false};
const TGuideAnswer kCloseAnswer{false, false, true};

const TPoint kBack{30, 200};
const TPoint kNext{760, 200};
const TPoint kClose{760, 25};
const TPoint kDot1{370, 390};
const TPoint kDot2{405, 390};
const TPoint kBackground{200, 20};

// The pictures of a draw list by resource name and the texts by their first words, in order.
std::vector<std::wstring> Names(const std::vector<TGuideDraw>& draws) {
    std::vector<std::wstring> names;
    for (const TGuideDraw& draw : draws) {
        names.push_back(draw.IsText ? L"text:" + draw.Text.substr(0, 20) : draw.Resource);
    }
    return names;
}

TEST(GuideModel, EachPageDrawsTheBackgroundTheButtonsThenItsOwnPicturesAndTexts) {
    TGuideModel guide;
    EXPECT_EQ(Names(guide.DrawList()),
              (std::vector<std::wstring>{L"GUIDE_BACKGROUND", L"GUIDE_BACK_NORMAL", L"GUIDE_NEXT_NORMAL",
                                         L"GUIDE_DOT_ON", L"GUIDE_DOT_OFF", L"GUIDE_CLOSE_NORMAL", L"GUIDE_MENULOGO",
                                         L"GUIDE_BACKTEXT1", L"text:It will go to the tr", L"text:It will deactivate t",
                                         L"text:It will deactivate t"}));
    const std::vector<TGuideDraw> first = guide.DrawList();
    EXPECT_EQ(first[0].Bounds, RectOf(0, 0, 807, 442));
    EXPECT_EQ(first[6].Bounds, RectOf(61, 66, 383, 295));
    EXPECT_EQ(first[9].Bounds, RectOf(476, 163, 206, 79));
    // The trailing blank is part of the text.
    EXPECT_EQ(first[9].Text.back(), L' ');
    EXPECT_EQ(first[10].Text.back(), L'.');

    guide.SwitchPage(1);
    const std::vector<TGuideDraw> second = guide.DrawList();
    EXPECT_EQ(Names(second), (std::vector<std::wstring>{L"GUIDE_BACKGROUND", L"GUIDE_BACK_NORMAL", L"GUIDE_NEXT_NORMAL",
                                                        L"GUIDE_DOT_OFF", L"GUIDE_DOT_ON", L"GUIDE_CLOSE_NORMAL",
                                                        L"GUIDE_USERINTERFACE_LOGO", L"GUIDE_BACKTEXT2",
                                                        L"text:It will change the p", L"text:It will link you to "}));
    EXPECT_EQ(second[6].Bounds, RectOf(54, 66, 383, 295));
    EXPECT_EQ(second[7].Bounds, RectOf(421, 102, 280, 197));
    EXPECT_EQ(second[9].Bounds, RectOf(476, 232, 206, 54));
}

TEST(GuideModel, ArrowKeysFlipThePagesEscClosesAndOtherKeysDoNothing) {
    TGuideModel guide;
    EXPECT_EQ(guide.KeyDown(kRight), kRender);
    EXPECT_EQ(guide.CurrentPage(), 1);
    guide.KeyDown(kRight);
    EXPECT_EQ(guide.CurrentPage(), 0);  // twice returns to the first page
    guide.KeyDown(kLeft);
    EXPECT_EQ(guide.CurrentPage(), 1);
    guide.KeyDown(kLeft);
    EXPECT_EQ(guide.CurrentPage(), 0);
    EXPECT_EQ(guide.KeyDown(13), TGuideAnswer{});
    EXPECT_EQ(guide.KeyDown(38), TGuideAnswer{});
    EXPECT_EQ(guide.KeyDown(kEsc), kCloseAnswer);
    guide.KeyDown(kRight);
    EXPECT_EQ(guide.KeyDown(kEsc), kCloseAnswer);  // from either page
}

TEST(GuideModel, ArrowsAndCloseShowHoverAndPressAndAClickIsAPressAndReleaseOnTheSameButton) {
    TGuideModel guide;
    EXPECT_TRUE(guide.MouseMove(kNext).Render);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 1);
    EXPECT_EQ(guide.MouseMove({kNext.X + 1, kNext.Y}), TGuideAnswer{});  // still on it: nothing to draw
    EXPECT_TRUE(guide.MouseDown(kNext, true).Render);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 2);
    EXPECT_EQ(guide.CurrentPage(), 0);  // the page turns on the release
    EXPECT_TRUE(guide.MouseUp(kNext, true).Render);
    EXPECT_EQ(guide.CurrentPage(), 1);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 1);
    EXPECT_EQ(Names(guide.DrawList())[2], L"GUIDE_NEXT_HOVER");

    // Back also turns to the other page (two pages); leaving the button shows it normal.
    guide.MouseDown(kBack, true);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 0);
    EXPECT_EQ(Names(guide.DrawList())[1], L"GUIDE_BACK_PRESSED");
    guide.MouseUp(kBack, true);
    EXPECT_EQ(guide.CurrentPage(), 0);
    EXPECT_TRUE(guide.MouseLeave().Render);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Back), 0);

    // Pressed, dragged off and released elsewhere: no click, and the button is not left looking hovered.
    guide.MouseDown(kNext, true);
    guide.MouseMove(kBackground);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 0);
    guide.MouseMove(kNext);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 2);  // back on it while held: pressed again
    guide.MouseMove(kBackground);
    EXPECT_FALSE(guide.MouseUp(kBackground, true).Close);
    EXPECT_EQ(guide.CurrentPage(), 0);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Next), 0);

    // The right button presses nothing and clicks nothing.
    guide.MouseMove(kClose);
    EXPECT_EQ(guide.MouseDown(kClose, false), TGuideAnswer{});
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Close), 1);
    EXPECT_FALSE(guide.MouseUp(kClose, false).Close);
    // The left one closes.
    guide.MouseDown(kClose, true);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Close), 2);
    EXPECT_TRUE(guide.MouseUp(kClose, true).Close);
}

TEST(GuideModel, ADotTurnsToItsPageAndTheDotOfThePageShownRendersNothing) {
    TGuideModel guide;
    EXPECT_EQ(guide.MouseDown(kDot1, true), TGuideAnswer{});
    EXPECT_EQ(guide.MouseUp(kDot1, true), TGuideAnswer{});
    EXPECT_EQ(guide.CurrentPage(), 0);
    guide.MouseDown(kDot2, true);
    EXPECT_EQ(guide.MouseUp(kDot2, true), kRender);
    EXPECT_EQ(guide.CurrentPage(), 1);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Dot1), 0);
    EXPECT_EQ(guide.PictureIndex(TGuidePart::Dot2), 1);
    guide.MouseDown(kDot2, true);
    EXPECT_EQ(guide.MouseUp(kDot2, true), TGuideAnswer{});
    guide.MouseDown(kDot1, true);
    EXPECT_EQ(guide.MouseUp(kDot1, true), kRender);
    EXPECT_EQ(guide.CurrentPage(), 0);
    // Hovering a dot changes no picture.
    EXPECT_EQ(guide.MouseMove(kDot2), TGuideAnswer{});
}

TEST(GuideModel, EveryPictureDragsTheWindowButTheTextsAndTheButtonsDoNot) {
    TGuideModel guide;
    EXPECT_TRUE(guide.MouseDown(kBackground, true).Drag);
    EXPECT_TRUE(guide.MouseDown({100, 100}, true).Drag);  // the illustration
    EXPECT_TRUE(guide.MouseDown({430, 60}, true).Drag);   // the text panel
    EXPECT_FALSE(guide.MouseDown({480, 75}, true).Drag);  // a text
    EXPECT_FALSE(guide.MouseDown({100, 100}, false).Drag);
    EXPECT_FALSE(guide.MouseDown(kNext, true).Drag);
    guide.MouseUp(kNext, true);
    // Page 1 has its texts elsewhere: where page 0 had one, the panel of page 1 drags.
    EXPECT_EQ(guide.CurrentPage(), 1);
    EXPECT_EQ(guide.PartAt({480, 75}), TGuidePart::Picture);
    EXPECT_EQ(guide.PartAt({480, 120}), TGuidePart::Text);
    EXPECT_EQ(guide.PartAt({807, 0}), TGuidePart::None);
}

TEST(GuideLanguage, AFileRenamesTheWindowAndLeavesTheTextsAsBuiltIn) {
    test::TempFolder folder;
    test::WriteBytes(folder.File(L"Pirate.lng"),
                     "[Main]\r\nDisplayName=Pirate\r\n"
                     "[Tessaline_frmGuide]\r\nfrmGuide.Caption=Ahoy guide\r\n"
                     "lbl_Startbutton.Caption=Arr\r\nImageNote_Close.Hint=Begone\r\n"
                     "ImageNote_Close.Caption=Begone\r\n");
    TLanguage language(L"Tessaline", folder.Path());
    ASSERT_TRUE(language.LoadLanguage(L"Pirate"));
    TGuideLanguageForm form;
    EXPECT_EQ(form.Caption(), GuideCaption());
    language.ApplyToComponent(form);
    EXPECT_EQ(form.Caption(), L"Ahoy guide");
    ASSERT_EQ(form.ComponentCount(), 10u);
    for (size_t i = 0; i < form.ComponentCount(); ++i) {
        const ILanguageComponent* part = form.Component(i);
        EXPECT_NE(part->Caption(), L"Arr");
        EXPECT_NE(part->Caption(), L"Begone");
        EXPECT_NE(part->Hint(), L"Begone");
    }
}

}  // namespace
}  // namespace tessaline
