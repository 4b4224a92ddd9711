#include "RasterTestUtil.h"

#include <climits>

namespace {

TColorRef Ref(TFColor c) { return FColorToColorRef(c); }

// Columns x0..x1 and rows y0..y1 (inclusive, from the top) that hold anything but `background`;
// x0 > x1 when nothing was drawn.
struct TExtent {
    int X0 = INT_MAX;
    int Y0 = INT_MAX;
    int X1 = INT_MIN;
    int Y1 = INT_MIN;
};

TExtent Extent(const TFastDIB& bmp, TFColor background)
{
    TExtent e;
    for (int y = 0; y < bmp.AbsHeight(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            if (At(bmp, x, y) != background) {
                e.X0 = std::min(e.X0, x);
                e.X1 = std::max(e.X1, x);
                e.Y0 = std::min(e.Y0, y);
                e.Y1 = std::max(e.Y1, y);
            }
        }
    }
    return e;
}

} // namespace

TEST(DrawingContext, EllipseCoversTheDiscInscribedInTheBox)
{
    // A 10 x 8 box at (3, 2): columns 3..12, rows 2..9.
    auto bmp = MakeSurface(16, 12, White);
    bmp->SetPen(PenSolid, 0, Ref(Red));
    bmp->SetBrush(BrushSolid, 0, Ref(Red));
    bmp->Ellipse(3, 2, 13, 10);

    const TExtent e = Extent(*bmp, White);
    EXPECT_EQ(e.X0, 3);
    EXPECT_EQ(e.X1, 12);
    EXPECT_EQ(e.Y0, 2);
    EXPECT_EQ(e.Y1, 9);
    // A disc, not a box: the corners of the box stay free, the middles of its edges are covered,
    // and it is symmetric about both axes of the box.
    EXPECT_EQ(At(*bmp, 3, 2), White);
    EXPECT_EQ(At(*bmp, 12, 9), White);
    EXPECT_EQ(At(*bmp, 3, 5), Red);
    EXPECT_EQ(At(*bmp, 7, 2), Red);
    for (int y = 2; y <= 9; ++y) {
        for (int x = 3; x <= 12; ++x) {
            ASSERT_EQ(At(*bmp, x, y), At(*bmp, 15 - x, y)) << x << ", " << y;
            ASSERT_EQ(At(*bmp, x, y), At(*bmp, x, 11 - y)) << x << ", " << y;
        }
    }
    // Every row between the top and bottom is one solid run.
    const std::string picture = Picture(*bmp, White, Red);
    EXPECT_EQ(picture.find('?'), std::string::npos) << picture;
    EXPECT_EQ(picture.find("#.#"), std::string::npos) << picture;
}

TEST(DrawingContext, SwappedCornersDrawTheSameShape)
{
    for (bool ellipse : {true, false}) {
        auto straight = MakeSurface(12, 12, White);
        auto swapped = MakeSurface(12, 12, White);
        for (TFastDIB* bmp : {straight.get(), swapped.get()}) {
            bmp->SetPen(PenSolid, 0, Ref(Red));
            bmp->SetBrush(BrushSolid, 0, Ref(Blue));
        }
        if (ellipse) {
            straight->Ellipse(2, 3, 10, 9);
            swapped->Ellipse(10, 9, 2, 3);
        } else {
            straight->Rectangle(2, 3, 10, 9);
            swapped->Rectangle(2, 9, 10, 3);
        }
        EXPECT_EQ(PixelsTopDown(*straight), PixelsTopDown(*swapped)) << (ellipse ? "ellipse" : "rectangle");
    }
}

TEST(DrawingContext, PenOutlinesAndBrushFills)
{
    // An ellipse with a red pen and a blue brush: a closed red boundary, blue inside.
    auto bmp = MakeSurface(20, 20, White);
    bmp->SetPen(PenSolid, 0, Ref(Red));
    bmp->SetBrush(BrushSolid, 0, Ref(Blue));
    bmp->Ellipse(2, 2, 18, 16);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const TFColor p = At(*bmp, x, y);
            if (p == White) {
                continue;
            }
            bool touchesOutside = false;
            for (const auto& [nx, ny] : {std::pair{x - 1, y}, std::pair{x + 1, y}, std::pair{x, y - 1}, std::pair{x, y + 1}}) {
                touchesOutside = touchesOutside || At(*bmp, nx, ny) == White;
            }
            // Outline pixels are exactly those next to the outside.
            EXPECT_EQ(p, touchesOutside ? Red : Blue) << x << ", " << y;
        }
    }
    EXPECT_GT(CountPixels(*bmp, Blue), 100);

    // With a hollow brush the inside keeps what was there.
    auto hollow = MakeSurface(20, 20, White);
    hollow->SetPen(PenSolid, 0, Ref(Red));
    hollow->SetBrush(BrushHollow, 0, 0);
    hollow->Ellipse(2, 2, 18, 16);
    EXPECT_EQ(CountPixels(*hollow, Red), CountPixels(*bmp, Red));
    EXPECT_EQ(At(*hollow, 10, 9), White);
}

TEST(DrawingContext, RectangleEdgesWithAndWithoutPen)
{
    // Solid pen: the outline runs along columns 2 and 7 and rows 1 and 4 (right and bottom edges
    // of the box excluded); the brush fills the inside.
    auto bmp = MakeSurface(10, 7, White);
    bmp->SetPen(PenSolid, 0, Ref(Red));
    bmp->SetBrush(BrushSolid, 0, Ref(Blue));
    bmp->Rectangle(2, 1, 8, 5);
    EXPECT_EQ(Picture(*bmp, White, Red), "..........\n"
                                          "..######..\n"
                                          "..#????#..\n"
                                          "..#????#..\n"
                                          "..######..\n"
                                          "..........\n"
                                          "..........\n");
    EXPECT_EQ(At(*bmp, 3, 2), Blue);

    // Null pen: one pixel less on the right and at the bottom, all in the brush colour.
    auto nullPen = MakeSurface(10, 7, White);
    nullPen->SetPen(PenNull, 0, 0);
    nullPen->SetBrush(BrushSolid, 0, Ref(Blue));
    nullPen->Rectangle(2, 1, 8, 5);
    EXPECT_EQ(Picture(*nullPen, White, Blue), "..........\n"
                                              "..#####...\n"
                                              "..#####...\n"
                                              "..#####...\n"
                                              "..........\n"
                                              "..........\n"
                                              "..........\n");

    // Null pen and hollow brush draw nothing.
    nullPen->SetBrush(BrushHollow, 0, 0);
    nullPen->Rectangle(0, 0, 10, 7);
    nullPen->Ellipse(0, 0, 10, 7);
    EXPECT_EQ(CountPixels(*nullPen, Blue), 15);
}

TEST(DrawingContext, WidePenReachesOutsideTheBox)
{
    // The compass case: a two-pixel silver rim, then the face with a one-pixel outline over the
    // same box. The rim must stay visible just outside the face.
    const TFColor silver = MakeFColor(192, 192, 192);
    const TFColor face = MakeFColor(246, 246, 246);
    const TFColor outline = MakeFColor(48, 48, 48);
    auto bmp = MakeSurface(40, 40, White);
    bmp->SetBrush(BrushHollow, 0, 0);
    bmp->SetPen(PenSolid, 2, Ref(silver));
    bmp->Ellipse(4, 4, 36, 36);
    bmp->SetBrush(BrushSolid, 0, Ref(face));
    bmp->SetPen(PenSolid, 0, Ref(outline));
    bmp->Ellipse(4, 4, 36, 36);

    EXPECT_EQ(At(*bmp, 3, 19), silver);
    EXPECT_EQ(At(*bmp, 36, 20), silver);
    EXPECT_EQ(At(*bmp, 20, 3), silver);
    EXPECT_EQ(At(*bmp, 19, 36), silver);
    EXPECT_EQ(At(*bmp, 4, 19), outline);
    EXPECT_EQ(At(*bmp, 20, 20), face);
    // The ring is closed: walking outwards from the centre along any row or column in the middle
    // band meets silver before white.
    for (int k = 12; k < 28; ++k) {
        int x = 20;
        while (At(*bmp, x, k) != White && At(*bmp, x, k) != silver) {
            ++x;
        }
        EXPECT_EQ(At(*bmp, x, k), silver) << "row " << k;
        int y = 20;
        while (At(*bmp, k, y) != White && At(*bmp, k, y) != silver) {
            --y;
        }
        EXPECT_EQ(At(*bmp, k, y), silver) << "column " << k;
    }
    const TExtent e = Extent(*bmp, White);
    EXPECT_EQ(e.X0, 3);
    EXPECT_EQ(e.X1, 36);
}

TEST(DrawingContext, DottedPenDrawsPartOfTheOutline)
{
    const TFColor grey = MakeFColor(144, 144, 144);
    auto solid = MakeSurface(40, 40, White);
    auto dotted = MakeSurface(40, 40, White);
    solid->SetBrush(BrushHollow, 0, 0);
    solid->SetPen(PenSolid, 0, Ref(grey));
    solid->Ellipse(5, 5, 35, 35);
    for (int style : {PenDot, PenDashDot}) {
        FillSurface(*dotted, White);
        dotted->SetBrush(BrushHollow, 0, 0);
        dotted->SetPen(style, 0, Ref(grey));
        dotted->Ellipse(5, 5, 35, 35);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (At(*dotted, x, y) == grey) {
                    ASSERT_EQ(At(*solid, x, y), grey) << "style " << style << " at " << x << ", " << y;
                }
            }
        }
        const int all = CountPixels(*solid, grey);
        const int drawn = CountPixels(*dotted, grey);
        EXPECT_GT(drawn, all * 3 / 10) << style;
        EXPECT_LT(drawn, all * 8 / 10) << style;
    }
}

TEST(DrawingContext, ShapesAreClippedToTheSurface)
{
    // Drawing on a small surface must give exactly the matching window of the same drawing on a
    // surface large enough to hold it whole.
    struct Case {
        bool Ellipse;
        int Style;
        int Width;
        TRect Box;
    };
    const Case cases[] = {
        {true, PenSolid, 0, {-5, -4, 6, 7}},   {true, PenSolid, 2, {4, 3, 16, 14}}, {true, PenDot, 0, {-6, 2, 14, 9}},
        {true, PenNull, 0, {3, -7, 9, 12}},    {false, PenSolid, 0, {-3, -3, 5, 4}}, {false, PenSolid, 3, {6, 5, 14, 13}},
        {false, PenNull, 0, {-2, 4, 13, 13}},  {false, PenDot, 0, {-4, -4, 14, 14}},
    };
    const int offset = 20;
    for (const Case& c : cases) {
        auto small = MakeSurface(10, 9, White);
        auto large = MakeSurface(50, 50, White);
        for (TFastDIB* bmp : {small.get(), large.get()}) {
            const int shift = bmp == large.get() ? offset : 0;
            bmp->SetPen(c.Style, c.Width, Ref(Red));
            bmp->SetBrush(BrushSolid, 0, Ref(Blue));
            const TRect& b = c.Box;
            if (c.Ellipse) {
                bmp->Ellipse(b.Left + shift, b.Top + shift, b.Right + shift, b.Bottom + shift);
            } else {
                bmp->Rectangle(b.Left + shift, b.Top + shift, b.Right + shift, b.Bottom + shift);
            }
        }
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 10; ++x) {
                ASSERT_EQ(At(*small, x, y), At(*large, x + offset, y + offset))
                    << (c.Ellipse ? "ellipse " : "rectangle ") << c.Box.Left << ", " << c.Box.Top << " at " << x << ", "
                    << y;
            }
        }
    }

    // Boxes at the far ends of the integer range draw what shows of them, and never crash.
    auto bmp = MakeSurface(10, 9, White);
    bmp->SetPen(PenSolid, 5, Ref(Red));
    bmp->SetBrush(BrushSolid, 0, Ref(Blue));
    bmp->Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    bmp->Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(CountPixels(*bmp, Blue), 90);
    bmp->SetPen(PenSolid, INT_MAX, Ref(Red));
    bmp->Ellipse(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
    bmp->Rectangle(INT_MAX - 1, 0, INT_MAX, 5);
    EXPECT_EQ(CountPixels(*bmp, Blue) + CountPixels(*bmp, Red), 90);
}

TEST(DrawingContext, FocusRectIsADottedExclusiveOrOutline)
{
    auto bmp = MakePatterned(12, 10);
    auto original = MakePatterned(12, 10);
    const TRect r{2, 1, 9, 7}; // columns 2..8, rows 1..6

    bmp->DrawFocusRect(r);
    int changed = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const TFColor before = At(*original, x, y);
            const TFColor after = At(*bmp, x, y);
            const bool onOutline = (x >= 2 && x <= 8 && (y == 1 || y == 6)) || (y >= 1 && y <= 6 && (x == 2 || x == 8));
            if (after != before) {
                ++changed;
                EXPECT_TRUE(onOutline) << x << ", " << y;
                EXPECT_EQ(after, MakeFColor(before.r ^ 0xFF, before.g ^ 0xFF, before.b ^ 0xFF)) << x << ", " << y;
            }
            // Dotted: along each edge every other pixel is inverted.
            if (onOutline && x + 1 <= 8 && (y == 1 || y == 6)) {
                EXPECT_NE(after != before, At(*bmp, x + 1, y) != At(*original, x + 1, y)) << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(changed, 11); // half of the 22 outline pixels

    // A second call restores the picture, also for boxes one pixel high or wide and boxes that
    // stick out of the surface.
    bmp->DrawFocusRect(r);
    EXPECT_EQ(PixelsTopDown(*bmp), PixelsTopDown(*original));
    for (const TRect& thin : {TRect{1, 4, 11, 5}, TRect{3, 0, 4, 10}, TRect{-5, -5, 20, 3}, TRect{9, 8, 2, 2}}) {
        bmp->DrawFocusRect(thin);
        EXPECT_NE(PixelsTopDown(*bmp), PixelsTopDown(*original)) << thin.Left << ", " << thin.Top;
        bmp->DrawFocusRect(thin);
        EXPECT_EQ(PixelsTopDown(*bmp), PixelsTopDown(*original)) << thin.Left << ", " << thin.Top;
    }
}
