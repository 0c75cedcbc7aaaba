#include <gtest/gtest.h>

#include "controls/FixedWidthText.h"
#include "controls/PImageNote.h"

namespace tessaline {
namespace {

TPicture Solid(int width, int height, uint32_t pixel) {
    return {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel), true};
}

// Three state pictures told apart by their size: item i is (i + 1) pixels wide.
struct Button {
    TImageNote note{nullptr};
    Button() {
        for (int i = 0; i < 3; ++i) {
            note.Items().Add().SetPicture(Solid(i + 1, 4, 0xFF000000u + i));
        }
        note.SetBounds(10, 20, 30, 8);
    }
};

TEST(ImageNote, ImageIndexCopiesValidItemsClearsOnMinusOneAndIgnoresTheRest) {
    struct Step {
        int write;
        int index;
        int shownWidth;  // 0: nothing shown
    };
    Button b;
    for (const auto& s : {Step{1, 1, 2}, Step{3, 1, 2}, Step{-2, 1, 2}, Step{-1, -1, 0}, Step{-1, -1, 0}, Step{0, 0, 1},
                          Step{2, 2, 3}}) {
        b.note.SetImageIndex(s.write);
        EXPECT_EQ(b.note.ImageIndex(), s.index) << "after " << s.write;
        EXPECT_EQ(b.note.Picture().Width, s.shownWidth) << "after " << s.write;
    }
    // A highlight cleared directly comes back when the same index is written again.
    b.note.ClearPicture();
    EXPECT_EQ(b.note.ImageIndex(), 2);
    b.note.SetImageIndex(2);
    EXPECT_EQ(b.note.Picture(), b.note.Items().Item(2)->Picture());
}

TEST(ImageNote, WhileLoadingTheStoredPictureShowsUntilTheNextWrite) {
    Button b;
    b.note.BeginLoading();
    b.note.SetPicture(b.note.Items().Item(0)->Picture());
    b.note.SetImageIndex(1);
    b.note.EndLoading();
    EXPECT_EQ(b.note.ImageIndex(), 1);
    EXPECT_EQ(b.note.Picture().Width, 1);
    b.note.SetImageIndex(1);
    EXPECT_EQ(b.note.Picture().Width, 2);
}

TEST(ImageNote, AutoSizeTakesThePictureSizeButAnEmptyPictureKeepsTheRectangle) {
    Button b;
    b.note.SetImageIndex(0);
    EXPECT_EQ(b.note.BoundsRect(), RectOf(10, 20, 30, 8));  // AutoSize off
    b.note.SetAutoSize(true);
    EXPECT_EQ(b.note.BoundsRect(), RectOf(10, 20, 1, 4));
    b.note.SetImageIndex(2);
    EXPECT_EQ(b.note.BoundsRect(), RectOf(10, 20, 3, 4));
    b.note.SetImageIndex(-1);
    EXPECT_EQ(b.note.BoundsRect(), RectOf(10, 20, 3, 4));
}

TEST(ImageNote, LockedOnlyRecordsTheBounds) {
    Button b;
    b.note.SetLocked(true);
    b.note.SetBounds(0, 0, 5, 5);
    EXPECT_EQ(b.note.LockedBounds(), RectOf(10, 20, 30, 8));
    EXPECT_EQ(b.note.BoundsRect(), RectOf(0, 0, 5, 5));
}

TEST(ImageNote, ItemsKeepTheNameOfTheirAppendedPositionAndCopyOnlyPictures) {
    Button b;
    TPictureCollection& items = b.note.Items();
    EXPECT_EQ(items.Owner(), &b.note);
    items.Delete(0);
    ASSERT_EQ(items.Count(), 2u);
    EXPECT_EQ(items.Item(0)->Name, L"Picture_1");
    EXPECT_EQ(items.Item(1)->Name, L"Picture_2");
    EXPECT_EQ(items.Insert(0).Name, L"Picture_2");
    EXPECT_EQ(items.Item(0)->Name, L"Picture_2");
    EXPECT_EQ(items.Item(3), nullptr);

    items.Item(0)->Assign(*items.Item(2));
    EXPECT_EQ(items.Item(0)->Name, L"Picture_2");
    EXPECT_EQ(items.Item(0)->Picture().Width, 3);
}

TEST(ImageNote, PaintDrawsThePictureStretchedOrAtItsCornerAndNothingWhenEmpty) {
    Button b;
    test::TRecordingCanvas canvas;
    b.note.Paint(canvas);
    EXPECT_TRUE(canvas.pictures.empty());

    b.note.SetImageIndex(1);
    b.note.Paint(canvas);
    b.note.SetStretch(true);
    b.note.Paint(canvas);
    ASSERT_EQ(canvas.pictures.size(), 2u);
    EXPECT_EQ(canvas.pictures[0].dest, RectOf(0, 0, 30, 8));
    EXPECT_FALSE(canvas.pictures[0].stretch);
    EXPECT_TRUE(canvas.pictures[1].stretch);

    // A picture whose pixels do not cover its size is never handed to the canvas.
    TPicture torn = Solid(4, 4, 0xFFFFFFFFu);
    torn.Pixels.resize(3);
    b.note.SetPicture(torn);
    b.note.Paint(canvas);
    EXPECT_EQ(canvas.pictures.size(), 2u);
}

}  // namespace
}  // namespace tessaline
