#include "RasterTestUtil.h"

#include <climits>
#include <cstring>

TEST(ClipLine, RejectsAndMovesEndPoints)
{
    // A 64 x 64 surface; y from the top.
    struct Case {
        TRect In;  // x1, y1, x2, y2
        bool Drawn;
        TRect Out; // only when drawn
    };
    const Case cases[] = {
        // Lines on the first or last column or row, and lines with both ends outside, are rejected.
        {{0, 5, 0, 50}, false, {}},
        {{63, 5, 63, 50}, false, {}},
        {{5, 0, 50, 0}, false, {}},
        {{5, 63, 50, 63}, false, {}},
        {{-3, 5, 0, 50}, false, {}},
        {{-10, -10, 74, 74}, false, {}},
        {{-1, 30, 64, 30}, false, {}},
        // Inside: unchanged.
        {{1, 5, 1, 50}, true, {1, 5, 1, 50}},
        {{5, 5, 10, 10}, true, {5, 5, 10, 10}},
        // To the last column: row nearest((W - 6) * 20 / (W + 15) + 5).
        {{5, 5, 84, 25}, true, {5, 5, 63, 20}},
        // To the bottom row.
        {{10, 10, 12, 94}, true, {10, 10, 11, 63}},
        // The first end point moves; toward the corner (0, 0) it leaves through row 0.
        {{-10, -30, 10, 10}, true, {5, 0, 10, 10}},
        // Halves go to the even neighbour: 12.5 and 13.5.
        {{-10, 15, 10, 10}, true, {0, 12, 10, 10}},
        {{-10, 17, 10, 10}, true, {0, 14, 10, 10}},
        // Far away: the product of the differences no longer fits 32 bits.
        {{5, 5, 2000000000, 1000000005}, true, {5, 5, 63, 34}},
        {{5, 5, 2000000000, 2100000000}, true, {5, 5, 60, 63}},
        {{5, 5, INT_MIN, INT_MAX}, true, {5, 5, 0, 10}},
    };
    auto bmp = MakeSurface(64, 64);
    for (const Case& c : cases) {
        int x1 = c.In.Left;
        int y1 = c.In.Top;
        int x2 = c.In.Right;
        int y2 = c.In.Bottom;
        const bool drawn = ClipLine(*bmp, x1, y1, x2, y2);
        ASSERT_EQ(drawn, c.Drawn) << c.In.Left << ", " << c.In.Top << " - " << c.In.Right << ", " << c.In.Bottom;
        if (drawn) {
            EXPECT_EQ(x1, c.Out.Left) << c.In.Right << ", " << c.In.Bottom;
            EXPECT_EQ(y1, c.Out.Top) << c.In.Right << ", " << c.In.Bottom;
            EXPECT_EQ(x2, c.Out.Right) << c.In.Right << ", " << c.In.Bottom;
            EXPECT_EQ(y2, c.Out.Bottom) << c.In.Right << ", " << c.In.Bottom;
        }
    }
}

TEST(Line, FollowsBresenhamWithBothEnds)
{
    auto bmp = MakeSurface(8, 8, White);
    Line(*bmp, 0, 0, 5, 2, Red);
    Line(*bmp, 7, 7, 7, 7, Red); // a zero-length line sets one pixel
    EXPECT_EQ(Picture(*bmp, White, Red), "##......\n"
                                          "..##....\n"
                                          "....##..\n"
                                          "........\n"
                                          "........\n"
                                          "........\n"
                                          "........\n"
                                          ".......#\n");
    auto steep = MakeSurface(8, 8, White);
    Line(*steep, 2, 5, 0, 0, Red);
    EXPECT_EQ(Picture(*steep, White, Red), "#.......\n"
                                           "#.......\n"
                                           ".#......\n"
                                           ".#......\n"
                                           "..#.....\n"
                                           "..#.....\n"
                                           "........\n"
                                           "........\n");

    // End points off the surface are the caller's mistake; the pixels that fall on it are those
    // of the same line on a surface large enough to hold it, and nothing is written elsewhere.
    const TRect lines[] = {{-5, 3, 20, 3},  {-7, -2, 12, 9}, {11, -6, -3, 10}, {3, -9, 6, 17},
                           {-9, 12, 14, -8}, {-4, -4, 12, 12}, {2, 9, 9, -11},  {-20, 5, -1, 0}};
    const int offset = 30;
    for (const TRect& l : lines) {
        auto small = MakeSurface(8, 8, White);
        auto large = MakeSurface(70, 70, White);
        Line(*small, l.Left, l.Top, l.Right, l.Bottom, Red);
        Line(*large, l.Left + offset, l.Top + offset, l.Right + offset, l.Bottom + offset, Red);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                ASSERT_EQ(At(*small, x, y), At(*large, x + offset, y + offset))
                    << l.Left << ", " << l.Top << " - " << l.Right << ", " << l.Bottom << " at " << x << ", " << y;
            }
        }
    }
    auto far = MakeSurface(8, 8, White);
    Line(*far, 4, INT_MIN, 4, INT_MAX, Red);
    Line(*far, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red);
    EXPECT_EQ(CountPixels(*far, Red), 15);
}

TEST(SmoothLine, AxisParallelAndDiagonalLinesAreSolid)
{
    auto bmp = MakeSurface(64, 64, White);
    SmoothLine(*bmp, 10, 10, 20, 10, Red);
    EXPECT_EQ(CountPixels(*bmp, Red), 11);
    EXPECT_EQ(CountPixels(*bmp, White), 64 * 64 - 11);

    for (const TRect& l : {TRect{10, 10, 14, 14}, TRect{14, 14, 10, 10}, TRect{10, 14, 14, 10}}) {
        auto diagonal = MakeSurface(64, 64, White);
        SmoothLine(*diagonal, l.Left, l.Top, l.Right, l.Bottom, Red);
        EXPECT_EQ(CountPixels(*diagonal, Red), 5);
        EXPECT_EQ(CountPixels(*diagonal, White), 64 * 64 - 5);
        for (int k = 0; k <= 4; ++k) {
            const int x = l.Left + (l.Right > l.Left ? k : -k);
            const int y = l.Top + (l.Bottom > l.Top ? k : -k);
            EXPECT_EQ(At(*diagonal, x, y), Red) << x << ", " << y;
        }
    }

    auto column = MakeSurface(64, 64, White);
    SmoothLine(*column, 0, 5, 0, 50, Red);
    EXPECT_EQ(CountPixels(*column, Red), 0);
    SmoothLine(*column, 1, 5, 1, 50, Red);
    EXPECT_EQ(CountPixels(*column, Red), 46);
    SmoothLine(*column, -10, -10, 74, 74, Red);
    EXPECT_EQ(CountPixels(*column, Red), 46);
}

TEST(SmoothLine, BlendsIntermediatePixelsWithTheirNeighbours)
{
    // Steep and shallow lines on an 8 x 8 surface, drawn light on dark and dark on light. The end
    // points are solid; each intermediate step shares the colour between two pixels with weights
    // 64, 128 and 192 of 256, rounded down.
    struct Case {
        TRect Line;
        TFColor Background;
        TFColor Ink;
        struct Pixel {
            int X;
            int Y;
            uint8_t Value;
        } Pixels[8];
    };
    const Case cases[] = {
        {{2, 2, 3, 6}, Black, White,
         {{3, 6, 255}, {3, 5, 191}, {2, 5, 63}, {3, 4, 127}, {2, 4, 127}, {3, 3, 63}, {2, 3, 191}, {2, 2, 255}}},
        {{2, 2, 3, 6}, White, Black,
         {{3, 6, 0}, {3, 5, 63}, {2, 5, 191}, {3, 4, 127}, {2, 4, 127}, {3, 3, 191}, {2, 3, 63}, {2, 2, 0}}},
        {{2, 2, 6, 3}, Black, White,
         {{6, 3, 255}, {5, 3, 191}, {5, 2, 63}, {4, 3, 127}, {4, 2, 127}, {3, 3, 63}, {3, 2, 191}, {2, 2, 255}}},
    };
    for (const Case& c : cases) {
        for (bool reversed : {false, true}) {
            auto bmp = MakeSurface(8, 8, c.Background);
            const TRect& l = c.Line;
            if (reversed) {
                SmoothLine(*bmp, l.Right, l.Bottom, l.Left, l.Top, c.Ink);
            } else {
                SmoothLine(*bmp, l.Left, l.Top, l.Right, l.Bottom, c.Ink);
            }
            for (const auto& p : c.Pixels) {
                EXPECT_EQ(At(*bmp, p.X, p.Y), MakeFColor(p.Value, p.Value, p.Value))
                    << l.Right << ", " << l.Bottom << " at " << p.X << ", " << p.Y;
            }
            EXPECT_EQ(CountPixels(*bmp, c.Background), 64 - 8);
        }
    }
}

TEST(SmoothLine, SteepLineCoverageAddsUpToTheColour)
{
    auto bmp = MakeSurface(40, 40, Black);
    SmoothLine(*bmp, 5, 3, 16, 33, MakeFColor(255, 100, 0));
    EXPECT_EQ(At(*bmp, 5, 3), MakeFColor(255, 100, 0));
    EXPECT_EQ(At(*bmp, 16, 33), MakeFColor(255, 100, 0));
    for (int y = 4; y < 33; ++y) {
        int lit = 0;
        int red = 0;
        int green = 0;
        for (int x = 0; x < 40; ++x) {
            const TFColor p = At(*bmp, x, y);
            if (p != Black) {
                ++lit;
                red += p.r;
                green += p.g;
            }
        }
        EXPECT_LE(lit, 2) << y;
        // Each share is rounded down, so the sum may lose one unit.
        EXPECT_GE(red, 254) << y;
        EXPECT_LE(red, 255) << y;
        EXPECT_GE(green, 99) << y;
        EXPECT_LE(green, 100) << y;
    }
}

TEST(SmoothLine, ClippedLinesEndOnTheBorder)
{
    const int w = 40;
    const int h = 30;
    // Ends on the bottom row: nearest((29 - 10) * 2 / 50 + 10) = 11.
    auto bmp = MakeSurface(w, h, White);
    SmoothLine(*bmp, 10, 10, 12, h + 30, Red);
    EXPECT_EQ(At(*bmp, 11, h - 1), Red);
    EXPECT_EQ(At(*bmp, 10, 10), Red);

    // Ends on the last column at row nearest((W - 6) * 20 / (W + 15) + 5) = 17.
    auto right = MakeSurface(w, h, White);
    SmoothLine(*right, 5, 5, w + 20, 25, Red);
    EXPECT_EQ(At(*right, w - 1, 17), Red);
    EXPECT_EQ(At(*right, 5, 5), Red);

    // Lines from far away never write outside the surface (the sanitizer build checks the
    // memory), and still reach it.
    auto far = MakeSurface(w, h, White);
    SmoothLine(*far, 20, 15, INT_MAX, INT_MIN, Red);
    SmoothLine(*far, INT_MIN, 7, 20, 15, Red);
    SmoothLine(*far, 20, 15, 1000000, 999999, Red);
    EXPECT_EQ(At(*far, 20, 15), Red);
    EXPECT_GT(w * h - CountPixels(*far, White), 40);
}

TEST(SmoothPolyline, VisitsEveryStepthPointAndTheLast)
{
    // Ten points spread over the surface; the expected picture is drawn with SmoothLine.
    const TPoint points[10] = {{3, 4},   {30, 6},  {12, 20}, {35, 33}, {6, 36},
                               {25, 25}, {37, 12}, {18, 3},  {9, 28},  {33, 38}};
    struct Case {
        int Count;
        int Step;
        std::vector<std::pair<int, int>> Segments;
    };
    const Case cases[] = {
        {10, 4, {{0, 4}, {4, 8}, {8, 9}}},
        {9, 4, {{0, 4}, {4, 8}}},
        {3, 4, {}},
        {5, 4, {{0, 4}}},
        {6, 4, {{0, 4}, {4, 5}}},
        {10, 1, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}}},
        {10, 3, {{0, 3}, {3, 6}, {6, 9}}},
        {1, 1, {}},
        {10, 0, {}},
    };
    for (const Case& c : cases) {
        auto drawn = MakeSurface(40, 40, White);
        auto expected = MakeSurface(40, 40, White);
        SmoothPolyline(*drawn, points, Blue, c.Count, c.Step);
        for (const auto& [from, to] : c.Segments) {
            SmoothLine(*expected, points[from].X, points[from].Y, points[to].X, points[to].Y, Blue);
        }
        EXPECT_EQ(PixelsTopDown(*drawn), PixelsTopDown(*expected)) << "count " << c.Count << " step " << c.Step;
    }
}

TEST(GradientRect, FillsWithoutTouchingTheRowGaps)
{
    TFastDIB bmp;
    bmp.SetSize(5, 3, 24);
    std::memset(bmp.Bits(), 0xAB, bmp.Info().SizeImage);
    FillSurface(bmp, MakeFColor(1, 2, 3));
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bmp.GetPixel(row, x), MakeFColor(1, 2, 3));
        }
        EXPECT_EQ(bmp.Scanline(row)[15], 0xAB) << row;
    }
}

TEST(GradientRect, StepsBeforeEachPixel)
{
    // Across: a quarter step per column from black to red; the accumulator is advanced before
    // each write, so the first column already has 63 (255 * 0.25, rounded down).
    // Down (memory rows): half way from black to 200 on the second row.
    auto bmp = MakeSurface(6, 4, White);
    GradientRect(*bmp, 1, 0, 5, 2, Black, Red, MakeFColor(0, 200, 0), MakeFColor(255, 200, 0));
    const uint8_t across[4] = {63, 127, 191, 255};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bmp->GetPixel(0, 1 + i), MakeFColor(across[i], 0, 0)) << i;
        EXPECT_EQ(bmp->GetPixel(1, 1 + i).g, 100) << i;
    }
    EXPECT_EQ(bmp->GetPixel(0, 0), White);
    EXPECT_EQ(bmp->GetPixel(0, 5), White);
    EXPECT_EQ(bmp->GetPixel(2, 1), White);

    // Clipped: the visible part gets the colours it would get on a larger surface.
    auto small = MakeSurface(4, 3, White);
    auto large = MakeSurface(14, 13, White);
    GradientRect(*small, -3, -2, 6, 5, Black, Red, Blue, White);
    GradientRect(*large, 2, 3, 11, 10, Black, Red, Blue, White);
    for (int row = 0; row < 3; ++row) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(small->GetPixel(row, x), large->GetPixel(row + 5, x + 5)) << x << ", " << row;
        }
    }
    GradientRect(*small, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red, Red, Red, Red);
    EXPECT_EQ(CountPixels(*small, Red), 12);
}
