#include "RasterTestUtil.h"

#include <climits>
#include <cstring>

TEST(FastDIB, RowsArePaddedToFourBytes)
{
    struct Case {
        int Width;
        int BWidth;
        int Gap;
    };
    const Case cases[] = {{1, 4, 1}, {2, 8, 2}, {3, 12, 3}, {4, 12, 0}, {5, 16, 1}, {TFastDIB::MaxSide, 49152, 0}};
    for (const Case& c : cases) {
        TFastDIB bmp;
        bmp.SetSize(c.Width, 3, 24);
        EXPECT_EQ(bmp.BWidth(), c.BWidth) << c.Width;
        EXPECT_EQ(bmp.Gap(), c.Gap) << c.Width;
        EXPECT_EQ(bmp.Info().SizeImage, static_cast<uint32_t>(3 * c.BWidth)) << c.Width;
        for (int row = 0; row < 3; ++row) {
            EXPECT_EQ(bmp.Scanline(row), bmp.Bits() + row * c.BWidth) << c.Width;
        }
    }
}

TEST(FastDIB, RowZeroIsTheBottomRow)
{
    TFastDIB bmp;
    bmp.SetSize(3, 2, 24);
    bmp.SetPixel(0, 0, Red);
    EXPECT_EQ(bmp.Pixels24(0)[0], Red);
    EXPECT_EQ(bmp.Bits()[2], 255); // first pixel in memory, bytes b, g, r

    // On the screen (the top-down copy) it is the bottom-left pixel.
    uint32_t shown[6] = {};
    bmp.DrawRect(shown, 3, 3, 2, 0, 0, 3, 2, 0, 0);
    EXPECT_EQ(shown[3], 0xFFFF0000u);
    EXPECT_EQ(shown[0], 0xFF000000u);
}

TEST(FastDIB, SetSizeKeepsPixelsOnlyForTheSameSize)
{
    TFastDIB bmp;
    bmp.SetSize(5, 4, 24);
    std::memset(bmp.Bits(), 0x5A, bmp.Info().SizeImage);
    bmp.SetSize(5, 4, 24);
    EXPECT_EQ(bmp.GetPixel(3, 4), MakeFColor(0x5A, 0x5A, 0x5A));

    for (const auto& [w, h] : {std::pair{4, 4}, std::pair{5, 3}, std::pair{6, 4}, std::pair{4, 5}}) {
        TFastDIB resized;
        resized.SetSize(5, 4, 24);
        std::memset(resized.Bits(), 0x5A, resized.Info().SizeImage);
        resized.SetSize(w, h, 24);
        ASSERT_EQ(resized.Info().SizeImage, static_cast<uint32_t>(resized.BWidth() * h));
        for (uint32_t k = 0; k < resized.Info().SizeImage; ++k) {
            ASSERT_EQ(resized.Bits()[k], 0) << w << " x " << h << " byte " << k;
        }
    }
}

TEST(FastDIB, SizesOutsideTheCapGiveAnEmptySurface)
{
    const std::pair<int, int> sizes[] = {{-1, 5},
                                         {5, -3},
                                         {0, 5},
                                         {5, 0},
                                         {TFastDIB::MaxSide + 1, 1},
                                         {1, TFastDIB::MaxSide + 1},
                                         {INT_MAX, INT_MAX},
                                         {INT_MIN, 2}};
    for (const auto& [w, h] : sizes) {
        TFastDIB bmp;
        bmp.SetSize(4, 4, 24);
        bmp.SetSize(w, h, 24);
        EXPECT_EQ(bmp.Width(), 0) << w << " x " << h;
        EXPECT_EQ(bmp.AbsHeight(), 0) << w << " x " << h;
        EXPECT_EQ(bmp.Bits(), nullptr) << w << " x " << h;
        EXPECT_EQ(bmp.Info().SizeImage, 0u) << w << " x " << h;

        // Everything that clips treats the empty surface as having nothing to draw on or copy.
        auto other = MakeSurface(4, 4, Red);
        bmp.CopyRect(*other, 0, 0, 4, 4, 0, 0);
        other->CopyRect(bmp, 0, 0, 4, 4, 0, 0);
        bmp.TransDraw(*other, 0, 0, White);
        other->TransDraw(bmp, 0, 0, White);
        FillSurface(bmp, Red);
        SmoothLine(bmp, 1, 1, 3, 2, Red);
        bmp.Ellipse(0, 0, 4, 4);
        bmp.Rectangle(0, 0, 4, 4);
        bmp.DrawFocusRect(TRect{0, 0, 4, 4});
        EXPECT_EQ(CountPixels(*other, Red), 16);
    }
}

#ifndef NDEBUG
TEST(FastDIBDeathTest, PixelAccessOutsideTheSurfaceIsCaught)
{
    TFastDIB bmp;
    bmp.SetSize(4, 3, 24);
    EXPECT_DEATH(bmp.SetPixel(3, 0, Red), "");
    EXPECT_DEATH(bmp.SetPixel(0, 4, Red), "");
    EXPECT_DEATH(bmp.SetPixel(-1, 0, Red), "");
    EXPECT_DEATH((void)bmp.GetPixel(0, -1), "");
}
#endif

TEST(FastDIB, CopyRectWithNegativeXTakesTheVisiblePart)
{
    auto src = MakePatterned(8, 4);
    auto dst = MakeSurface(6, 4, White);
    dst->CopyRect(*src, -3, 1, 5, 2, 1, 0);
    // Columns 0 and 1 receive source columns 1 + 3 and 1 + 4 of source rows 0 and 1.
    EXPECT_EQ(At(*dst, 0, 1), At(*src, 4, 0));
    EXPECT_EQ(At(*dst, 1, 1), At(*src, 5, 0));
    EXPECT_EQ(At(*dst, 0, 2), At(*src, 4, 1));
    EXPECT_EQ(At(*dst, 1, 2), At(*src, 5, 1));
    EXPECT_EQ(CountPixels(*dst, White), 24 - 4);
}

// The clipped copy must equal the plain definition: source pixel (sx + i, sy + j) lands on
// (x + i, y + j) wherever both lie on their surfaces.
TEST(FastDIB, CopyRectClipsLikeAPlainCopy)
{
    auto src = MakePatterned(7, 4);
    const int offsets[] = {-8, -3, 0, 2, 5, 9};
    const int sizes[] = {0, 1, 3, 7, 12};
    for (int x : offsets) {
        for (int y : offsets) {
            for (int sx : offsets) {
                for (int sy : offsets) {
                    for (int w : sizes) {
                        for (int h : {1, 3, 12}) {
                            auto dst = MakeSurface(6, 5, White);
                            auto expected = MakeSurface(6, 5, White);
                            dst->CopyRect(*src, x, y, w, h, sx, sy);
                            for (int j = 0; j < h; ++j) {
                                for (int i = 0; i < w; ++i) {
                                    if (sx + i >= 0 && sx + i < 7 && sy + j >= 0 && sy + j < 4 && x + i >= 0 &&
                                        x + i < 6 && y + j >= 0 && y + j < 5) {
                                        Put(*expected, x + i, y + j, At(*src, sx + i, sy + j));
                                    }
                                }
                            }
                            ASSERT_EQ(PixelsTopDown(*dst), PixelsTopDown(*expected))
                                << "x " << x << " y " << y << " w " << w << " h " << h << " sx " << sx << " sy " << sy;
                        }
                    }
                }
            }
        }
    }
}

TEST(FastDIB, CopyRectSurvivesExtremeArguments)
{
    auto src = MakePatterned(5, 5);
    auto dst = MakeSurface(5, 5, White);
    const int extremes[] = {INT_MIN, -1000000, 1000000, INT_MAX};
    for (int v : extremes) {
        dst->CopyRect(*src, v, 0, 5, 5, 0, 0);
        dst->CopyRect(*src, 0, v, 5, 5, 0, 0);
        dst->CopyRect(*src, 0, 0, 5, 5, v, v);
        dst->CopyRect(*src, v, v, 5, 5, v, v);
    }
    dst->CopyRect(*src, 0, 0, INT_MIN, INT_MIN, 0, 0);
    dst->CopyRect(*src, 0, 0, -1000000, 5, 0, 0);
    EXPECT_EQ(CountPixels(*dst, White), 25);

    // An oversized rectangle is cut down to the surfaces.
    dst->CopyRect(*src, 0, 0, INT_MAX, INT_MAX, 0, 0);
    EXPECT_EQ(PixelsTopDown(*dst), PixelsTopDown(*src));
}

TEST(FastDIB, CopyRectWithinOneSurfaceHandlesOverlap)
{
    for (const auto& [dx, dy] : {std::pair{1, 1}, std::pair{-1, -1}, std::pair{2, -1}, std::pair{-2, 2}}) {
        auto bmp = MakePatterned(6, 6);
        auto original = MakePatterned(6, 6);
        bmp->CopyRect(*bmp, 1 + dx, 1 + dy, 4, 4, 1, 1);
        for (int j = 0; j < 4; ++j) {
            for (int i = 0; i < 4; ++i) {
                const int x = 1 + dx + i;
                const int y = 1 + dy + j;
                if (x >= 0 && x < 6 && y >= 0 && y < 6) {
                    ASSERT_EQ(At(*bmp, x, y), At(*original, 1 + i, 1 + j)) << dx << ", " << dy;
                }
            }
        }
    }
}

TEST(FastDIB, TransDrawSkipsExactlyTheKey)
{
    const TFColor key = MakeFColor(255, 176, 176);
    const TFColor nearKeys[] = {MakeFColor(254, 176, 176), MakeFColor(255, 177, 176), MakeFColor(255, 176, 175)};

    auto sprite = MakeSurface(4, 3, key);
    auto dst = MakeSurface(6, 5, Blue);
    sprite->TransDraw(*dst, 1, 1, key);
    EXPECT_EQ(CountPixels(*dst, Blue), 30);

    for (const TFColor& nearKey : nearKeys) {
        Put(*sprite, 2, 1, nearKey);
        auto target = MakeSurface(6, 5, Blue);
        sprite->TransDraw(*target, 1, 1, key);
        EXPECT_EQ(At(*target, 3, 2), nearKey);
        EXPECT_EQ(CountPixels(*target, Blue), 29);
    }
}

TEST(FastDIB, TransDrawClipsToTheDestination)
{
    const TFColor key = White;
    auto sprite = MakePatterned(5, 4);
    Put(*sprite, 0, 0, key);
    Put(*sprite, 3, 2, key);
    for (int x = -6; x <= 8; ++x) {
        for (int y = -5; y <= 7; ++y) {
            auto dst = MakeSurface(7, 6, Blue);
            auto expected = MakeSurface(7, 6, Blue);
            sprite->TransDraw(*dst, x, y, key);
            for (int j = 0; j < 4; ++j) {
                for (int i = 0; i < 5; ++i) {
                    if (x + i >= 0 && x + i < 7 && y + j >= 0 && y + j < 6 && At(*sprite, i, j) != key) {
                        Put(*expected, x + i, y + j, At(*sprite, i, j));
                    }
                }
            }
            ASSERT_EQ(PixelsTopDown(*dst), PixelsTopDown(*expected)) << x << ", " << y;
        }
    }
    auto dst = MakeSurface(7, 6, Blue);
    sprite->TransDraw(*dst, INT_MIN, INT_MAX, key);
    sprite->TransDraw(*dst, INT_MAX, INT_MIN, key);
    EXPECT_EQ(CountPixels(*dst, Blue), 42);
}

TEST(FastDIB, DrawRectGivesTopDownRgb32)
{
    auto bmp = MakePatterned(4, 3);
    Put(*bmp, 1, 0, MakeFColor(0x12, 0x34, 0x56));

    // A 5 x 4 buffer with rows of 6 pixels; the copy lands at (2, 1) and is clipped on the right.
    std::vector<uint32_t> buffer(6 * 4, 0u);
    bmp->DrawRect(buffer.data(), 6, 5, 4, 2, 1, 4, 3, 0, 0);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            uint32_t expected = 0;
            if (x >= 2 && x < 5 && y >= 1) {
                const TFColor p = At(*bmp, x - 2, y - 1);
                expected = 0xFF000000u | (uint32_t{p.r} << 16) | (uint32_t{p.g} << 8) | p.b;
            }
            EXPECT_EQ(buffer[static_cast<size_t>(y * 6 + x)], expected) << x << ", " << y;
        }
    }
    EXPECT_EQ(buffer[1 * 6 + 3], 0xFF123456u);

    // A source rectangle partly outside the surface copies only what exists.
    std::vector<uint32_t> small(4 * 3, 0u);
    bmp->DrawRect(small.data(), 4, 4, 3, 0, 0, 4, 3, -1, 1);
    EXPECT_EQ(small[0], 0u);
    const TFColor p = At(*bmp, 0, 1);
    EXPECT_EQ(small[1], 0xFF000000u | (uint32_t{p.r} << 16) | (uint32_t{p.g} << 8) | p.b);
    EXPECT_EQ(small[2 * 4 + 1], 0u);
}

TEST(FastDIB, ColourReferenceHasRedInTheLowByte)
{
    EXPECT_EQ(FColorToColorRef(PackFColor(MakeFColor(255, 176, 176))), 0xB0B0FFu);
    EXPECT_EQ(FColorToColorRef(MakeFColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(ColorRefToFColor(0x030201u), MakeFColor(1, 2, 3));
    EXPECT_EQ(PackFColor(MakeFColor(1, 2, 3)), 0x010203u);
}
