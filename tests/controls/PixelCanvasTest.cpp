#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "controls/PixelCanvas.h"

namespace tessaline {

// Internal linkage: other test files may print rectangles their own way.
static void PrintTo(const TRect& r, std::ostream* out) {
    *out << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}

namespace {

constexpr uint32_t kRedPixel = 0xFFFF0000;
constexpr uint32_t kGreenPixel = 0xFF00FF00;
constexpr uint32_t kBluePixel = 0xFF0000FF;

// The buffer as rows of characters: '.' untouched, '#' red, 'g' green, 'b' blue, '?' anything else.
std::string Sketch(const TPixelBuffer& buffer) {
    std::string out;
    for (int y = 0; y < buffer.Height(); ++y) {
        for (int x = 0; x < buffer.Width(); ++x) {
            switch (buffer.At(x, y)) {
                case 0:
                    out += '.';
                    break;
                case kRedPixel:
                    out += '#';
                    break;
                case kGreenPixel:
                    out += 'g';
                    break;
                case kBluePixel:
                    out += 'b';
                    break;
                default:
                    out += '?';
            }
        }
        out += '\n';
    }
    return out;
}

TPicture PictureOf(int width, int height, std::vector<uint32_t> pixels, bool hasAlpha = true) {
    return {width, height, std::move(pixels), hasAlpha};
}

TPicture Filled(int width, int height, uint32_t pixel) {
    return PictureOf(width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel));
}

::testing::AssertionResult ChannelsNear(uint32_t actual, uint32_t expected) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > 1) {
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not 0x" << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PixelCanvas, BlendOverMixesPremultipliedPixels) {
    struct Case {
        uint32_t dest;
        uint32_t source;
        uint32_t expected;
    };
    for (const auto& c : {
             Case{kBluePixel, 0x80800000, 0xFF80007F},  // half-transparent red over opaque blue
             Case{0x80000080, 0x80800000, 0xC0800040},  // half red over half blue
             Case{0x00000000, 0x80800000, 0x80800000},  // over nothing: the source itself
             Case{0xFF000000, 0x40404040, 0xFF404040},  // a quarter of white over black
             Case{kBluePixel, kGreenPixel, kGreenPixel},
             Case{kBluePixel, 0x00000000, kBluePixel},
             Case{0x80402010, 0x00000000, 0x80402010},
         }) {
        EXPECT_TRUE(ChannelsNear(BlendOver(c.dest, c.source), c.expected)) << std::hex << c.dest << " " << c.source;
    }
}

TEST(PixelCanvas, OpaquePixelTurnsTheColourIntoArgb) {
    EXPECT_EQ(OpaquePixel(RgbColor(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(OpaquePixel(kColorWhite), 0xFFFFFFFFu);
}

TEST(PixelCanvas, PicturesWithAlphaBlendAndRgbPicturesAreOpaque) {
    // The same pixels, once as an RGB picture (its alpha byte means nothing) and once with alpha.
    const std::vector<uint32_t> pixels{0x00112233, 0x80445566, 0x00000000};
    TPixelBuffer buffer(3, 2);
    std::fill_n(buffer.Data(), 6, kBluePixel);
    TPixelCanvas canvas(buffer, nullptr);

    canvas.DrawPicture(PictureOf(3, 1, pixels, false), {0, 0, 3, 1}, false);
    canvas.DrawPicture(PictureOf(3, 1, pixels, true), {0, 1, 3, 2}, false);

    EXPECT_EQ(buffer.At(0, 0), 0xFF112233u);
    EXPECT_EQ(buffer.At(1, 0), 0xFF445566u);
    EXPECT_EQ(buffer.At(2, 0), 0xFF000000u);
    EXPECT_TRUE(ChannelsNear(buffer.At(1, 1), 0xFF4455E5));
    EXPECT_EQ(buffer.At(2, 1), kBluePixel);  // fully transparent: untouched
}

struct TDrawCase {
    const char* what;
    std::function<void(TPixelCanvas&)> draw;
    const char* expected;
};

void ExpectDrawings(int width, int height, std::initializer_list<TDrawCase> cases) {
    for (const auto& c : cases) {
        TPixelBuffer buffer(width, height);
        TPixelCanvas canvas(buffer, nullptr);
        c.draw(canvas);
        EXPECT_EQ(Sketch(buffer), c.expected) << c.what;
    }
}

TEST(PixelCanvas, PicturesKeepTheirSizeOrStretchToTheDestination) {
    const TPicture block = Filled(3, 2, kRedPixel);
    const TPicture slice = PictureOf(3, 1, {kRedPixel, kGreenPixel, kBluePixel});
    ExpectDrawings(12, 3,
                   {
                       {"natural size at the top-left corner",
                        [&](TPixelCanvas& c) {
                            c.DrawPicture(block, {1, 1, 9, 3}, false);
                        },
                        "............\n"
                        ".###........\n"
                        ".###........\n"},
                       {"clipped to a smaller destination",
                        [&](TPixelCanvas& c) {
                            c.DrawPicture(block, {1, 1, 3, 2}, false);
                        },
                        "............\n"
                        ".##.........\n"
                        "............\n"},
                       {"stretched: nearest pixel, no blur",
                        [&](TPixelCanvas& c) {
                            c.DrawPicture(slice, {0, 0, 12, 2}, true);
                        },
                        "####ggggbbbb\n"
                        "####ggggbbbb\n"
                        "............\n"},
                       {"shrunk",
                        [&](TPixelCanvas& c) {
                            c.DrawPicture(slice, {0, 0, 2, 1}, true);
                        },
                        "#g..........\n"
                        "............\n"
                        "............\n"},
                       {"empty destination",
                        [&](TPixelCanvas& c) {
                            c.DrawPicture(block, {5, 1, 5, 3}, true);
                        },
                        "............\n"
                        "............\n"
                        "............\n"},
                       {"empty picture",
                        [&](TPixelCanvas& c) {
                            c.DrawPicture(TPicture{}, {0, 0, 12, 3}, true);
                        },
                        "............\n"
                        "............\n"
                        "............\n"},
                       {"a damaged picture with fewer pixels than its size is not read",
                        [&](TPixelCanvas& c) {
                            TPicture damaged = block;
                            damaged.Pixels.resize(2);
                            c.DrawPicture(damaged, {0, 0, 12, 3}, true);
                        },
                        "............\n"
                        "............\n"
                        "............\n"},
                       {"no colour fills nothing",
                        [&](TPixelCanvas& c) {
                            c.FillRect({0, 0, 12, 3}, kColorNone);
                        },
                        "............\n"
                        "............\n"
                        "............\n"},
                   });
}

TEST(PixelCanvas, AThreePixelSliceStretchedToThirtyKeepsItsThreeColumns) {
    TPixelBuffer buffer(30, 1);
    TPixelCanvas canvas(buffer, nullptr);
    canvas.DrawPicture(PictureOf(3, 1, {kRedPixel, kGreenPixel, kBluePixel}), {0, 0, 30, 1}, true);
    EXPECT_EQ(Sketch(buffer), "##########ggggggggggbbbbbbbbbb\n");
}

TEST(PixelCanvas, FramesAndLinesFollowThePlatformsEndPointRules) {
    ExpectDrawings(6, 5,
                   {
                       {"frame: right and bottom are outside",
                        [](TPixelCanvas& c) {
                            c.FrameRect({1, 1, 5, 4}, RgbColor(255, 0, 0));
                        },
                        "......\n"
                        ".####.\n"
                        ".#..#.\n"
                        ".####.\n"
                        "......\n"},
                       {"one-pixel frame",
                        [](TPixelCanvas& c) {
                            c.FrameRect({2, 2, 3, 3}, RgbColor(255, 0, 0));
                        },
                        "......\n"
                        "......\n"
                        "..#...\n"
                        "......\n"
                        "......\n"},
                       {"empty frame",
                        [](TPixelCanvas& c) {
                            c.FrameRect({2, 2, 2, 4}, RgbColor(255, 0, 0));
                        },
                        "......\n"
                        "......\n"
                        "......\n"
                        "......\n"
                        "......\n"},
                       {"line: the end point is not drawn",
                        [](TPixelCanvas& c) {
                            c.Line({0, 0}, {4, 0}, RgbColor(255, 0, 0));
                        },
                        "####..\n"
                        "......\n"
                        "......\n"
                        "......\n"
                        "......\n"},
                       {"line drawn backwards",
                        [](TPixelCanvas& c) {
                            c.Line({4, 1}, {0, 1}, RgbColor(255, 0, 0));
                        },
                        "......\n"
                        ".####.\n"
                        "......\n"
                        "......\n"
                        "......\n"},
                       {"diagonal",
                        [](TPixelCanvas& c) {
                            c.Line({0, 0}, {3, 3}, RgbColor(255, 0, 0));
                        },
                        "#.....\n"
                        ".#....\n"
                        "..#...\n"
                        "......\n"
                        "......\n"},
                       {"vertical",
                        [](TPixelCanvas& c) {
                            c.Line({5, 4}, {5, 0}, RgbColor(255, 0, 0));
                        },
                        "......\n"
                        ".....#\n"
                        ".....#\n"
                        ".....#\n"
                        ".....#\n"},
                       {"a point is no line",
                        [](TPixelCanvas& c) {
                            c.Line({2, 2}, {2, 2}, RgbColor(255, 0, 0));
                        },
                        "......\n"
                        "......\n"
                        "......\n"
                        "......\n"
                        "......\n"},
                   });
}

TEST(PixelCanvas, DrawingFollowsTheOriginAndStaysInsideTheClip) {
    const auto atControl = [](TPixelCanvas& c) {
        c.SetOrigin({2, 1});
        c.SetClip({3, 1, 7, 3});
    };
    const TPicture block = Filled(3, 3, kRedPixel);
    ExpectDrawings(8, 4,
                   {
                       {"fill",
                        [&](TPixelCanvas& c) {
                            atControl(c);
                            c.FillRect({0, 0, 20, 20}, RgbColor(255, 0, 0));
                        },
                        "........\n"
                        "...####.\n"
                        "...####.\n"
                        "........\n"},
                       {"fill at an offset",
                        [&](TPixelCanvas& c) {
                            atControl(c);
                            c.FillRect({3, 1, 4, 9}, RgbColor(255, 0, 0));
                        },
                        "........\n"
                        "........\n"
                        ".....#..\n"
                        "........\n"},
                       {"picture",
                        [&](TPixelCanvas& c) {
                            atControl(c);
                            c.DrawPicture(block, {0, 0, 3, 3}, false);
                        },
                        "........\n"
                        "...##...\n"
                        "...##...\n"
                        "........\n"},
                       {"stretched picture",
                        [&](TPixelCanvas& c) {
                            atControl(c);
                            c.DrawPicture(block, {-2, 0, 9, 9}, true);
                        },
                        "........\n"
                        "...####.\n"
                        "...####.\n"
                        "........\n"},
                       {"line",
                        [&](TPixelCanvas& c) {
                            atControl(c);
                            c.Line({-2, 1}, {9, 1}, RgbColor(255, 0, 0));
                        },
                        "........\n"
                        "........\n"
                        "...####.\n"
                        "........\n"},
                       {"frame",
                        [&](TPixelCanvas& c) {
                            atControl(c);
                            c.FrameRect({0, 0, 6, 3}, RgbColor(255, 0, 0));
                        },
                        "........\n"
                        "...####.\n"
                        "........\n"
                        "........\n"},
                       {"a clip larger than the buffer",
                        [](TPixelCanvas& c) {
                            c.SetClip({-5, -5, 100, 100});
                            c.FillRect({-5, 2, 100, 100}, RgbColor(255, 0, 0));
                        },
                        "........\n"
                        "........\n"
                        "########\n"
                        "########\n"},
                   });

    TPixelBuffer buffer(8, 4);
    TPixelCanvas canvas(buffer, nullptr);
    canvas.SetClip({-5, 2, 100, 3});
    EXPECT_EQ(canvas.Clip(), (TRect{0, 2, 8, 3}));
}

// Measures 7 pixels a character and 13 a line, and records what the canvas handed it.
class TFakeText : public ITextRenderer {
  public:
    int DrawText(const TFont& font,
                 const std::wstring& text,
                 TRect& rect,
                 unsigned flags,
                 TColor color,
                 const TRect& clip) override {
        Font = font;
        Rect = rect;
        Flags = flags;
        Color = color;
        Clip = clip;
        if ((flags & kDtCalcRect) != 0) {
            rect.Right = rect.Left + 7 * static_cast<int>(text.size());
            rect.Bottom = rect.Top + 13;
        }
        return 13;
    }
    TSize TextExtent(const TFont& font, const std::wstring& text) override {
        Font = font;
        return {7 * static_cast<int>(text.size()), 13};
    }

    TFont Font;
    TRect Rect;
    unsigned Flags = 0;
    TColor Color = 0;
    TRect Clip;
};

TEST(PixelCanvas, DrawTextWorksInBufferCoordinatesAndAnswersInTheControls) {
    TPixelBuffer buffer(200, 100);
    TFakeText text;
    TPixelCanvas canvas(buffer, &text);
    canvas.SetOrigin({10, 20});
    canvas.SetClip({10, 20, 110, 60});
    TFont font;
    font.Name = L"Tahoma";
    font.Bold = true;
    canvas.SetFont(font);

    TRect rect{2, 3, 90, 30};
    EXPECT_EQ(canvas.DrawText(L"Shut down", rect, kDtCalcRect | kDtSingleLine, kColorWhite), 13);
    EXPECT_EQ(text.Rect, (TRect{12, 23, 100, 50}));
    EXPECT_EQ(text.Clip, (TRect{10, 20, 110, 60}));
    EXPECT_EQ(text.Flags, kDtCalcRect | kDtSingleLine);
    EXPECT_EQ(text.Color, kColorWhite);
    EXPECT_EQ(text.Font, font);
    EXPECT_EQ(rect, (TRect{2, 3, 2 + 7 * 9, 3 + 13}));  // measured, back in the control's coordinates

    EXPECT_EQ(canvas.TextExtent(L"Run"), (TSize{21, 13}));
}

TEST(PixelCanvas, WithoutATextRendererTextIsNeitherDrawnNorMeasured) {
    TPixelBuffer buffer(20, 10);
    TPixelCanvas canvas(buffer, nullptr);
    TRect rect{1, 2, 3, 4};
    EXPECT_EQ(canvas.DrawText(L"Run", rect, kDtCalcRect, kColorBlack), 0);
    EXPECT_EQ(rect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(canvas.TextExtent(L"Run"), (TSize{}));
}

}  // namespace
}  // namespace tessaline
