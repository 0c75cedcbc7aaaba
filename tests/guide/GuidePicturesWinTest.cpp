// The guide's artwork as the program gets it: every picture a render can ask for is embedded, at the size of the
// component that shows it, and the background's alpha gives the window its rounded, shadowed outline.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/WideText.h"
#include "controls/PictureLoader.h"
#include "guide/GuideModel.h"

namespace tessaline {
namespace {

uint32_t Alpha(const TPicture& picture, int x, int y) {
    return picture.Pixel(x, y) >> 24;
}

TEST(GuidePictures, EveryPictureARenderDrawsIsEmbeddedAtItsComponentsSize) {
    ASSERT_TRUE(EnsureGdiplus());
    // Both pages, and every state of the arrows and the close button (hovered, pressed).
    std::set<std::wstring> checked;
    const auto check = [&](const TGuideModel& guide) {
        for (const TGuideDraw& draw : guide.DrawList()) {
            if (draw.IsText || !checked.insert(draw.Resource).second) {
                continue;
            }
            const TPicture picture = LoadPictureResource(draw.Resource);
            EXPECT_EQ(picture.Width, draw.Bounds.Width()) << WideToUtf8(draw.Resource);
            EXPECT_EQ(picture.Height, draw.Bounds.Height()) << WideToUtf8(draw.Resource);
        }
    };
    for (const TPoint button : {TPoint{30, 200}, TPoint{760, 200}, TPoint{760, 25}}) {
        TGuideModel guide;
        check(guide);
        guide.MouseMove(button);
        check(guide);
        guide.MouseDown(button, true);
        check(guide);
        guide.MouseUp(button, true);
        check(guide);
    }
    EXPECT_EQ(checked.size(), 16u);
}

TEST(GuidePictures, TheBackgroundIsOpaqueInsideAndFadesToNothingAtItsCorners) {
    ASSERT_TRUE(EnsureGdiplus());
    const TPicture background = LoadPictureResource(L"GUIDE_BACKGROUND");
    ASSERT_EQ(background.Width, kGuideWidth);
    ASSERT_EQ(background.Height, kGuideHeight);
    EXPECT_TRUE(background.HasAlpha);
    EXPECT_EQ(Alpha(background, kGuideWidth / 2, kGuideHeight / 2), 255u);
    for (const TPoint corner : {TPoint{0, 0}, TPoint{kGuideWidth - 1, 0}, TPoint{0, kGuideHeight - 1},
                                TPoint{kGuideWidth - 1, kGuideHeight - 1}}) {
        EXPECT_EQ(Alpha(background, corner.X, corner.Y), 0u) << corner.X << "," << corner.Y;
    }
    // Between the edge and the inside: the shadow, neither clear nor solid.
    bool translucent = false;
    for (int x = 0; x < 40 && !translucent; ++x) {
        const uint32_t alpha = Alpha(background, x, kGuideHeight / 2);
        translucent = alpha > 0 && alpha < 255;
    }
    EXPECT_TRUE(translucent);
}

}  // namespace
}  // namespace tessaline
