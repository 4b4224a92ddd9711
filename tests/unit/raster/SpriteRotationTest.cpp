#include "RasterTestUtil.h"

#include "raster/SpriteRotation.h"

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

const TFColor Key = MakeFColor(255, 176, 176);

// A one-row source whose red channel holds `values`, rotated by angle 0 into a one-row
// destination of `destWidth` pixels filled with a key whose red channel is `keyRed`.
std::vector<int> TurnRowByZero(const std::vector<int>& values, int destWidth, uint8_t keyRed, bool smooth)
{
    auto src = MakeSurface(static_cast<int>(values.size()), 1);
    for (size_t i = 0; i < values.size(); ++i) {
        src->SetPixel(0, static_cast<int>(i), MakeFColor(static_cast<uint8_t>(values[i]), 0, 0));
    }
    auto dst = MakeSurface(destWidth, 1, MakeFColor(keyRed, 0, 0));
    Rotate(*src, *dst, smooth, 0.0);
    std::vector<int> out;
    for (int i = 0; i < destWidth; ++i) {
        out.push_back(dst->GetPixel(0, i).r);
    }
    return out;
}

} // namespace

TEST(SpriteRotation, AngleZeroCopiesIntoTheCentre)
{
    // Dw - Sw even: an exact copy, with the fill kept all round, the one-pixel ring included.
    for (bool smooth : {false, true}) {
        auto src = MakePatterned(4, 3);
        auto dst = MakeSurface(8, 7, Key);
        Rotate(*src, *dst, smooth, 0.0);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 2 && x < 6 && y >= 2 && y < 5;
                EXPECT_EQ(At(*dst, x, y), inside ? At(*src, x - 2, y - 2) : Key)
                    << (smooth ? "smooth " : "nearest ") << x << ", " << y;
            }
        }
    }
}

TEST(SpriteRotation, HalfPixelOffsetsBlendNeighbours)
{
    // Sw - Dw odd: every sample lies half-way between two source columns.
    EXPECT_EQ(TurnRowByZero({0, 100, 200, 50, 250}, 4, 0, true), (std::vector<int>{50, 150, 125, 150}));
    // Dw - Sw odd: the outer samples blend the picture's edge with the fill (the soft fringe).
    EXPECT_EQ(TurnRowByZero({200, 100, 0}, 4, 50, true), (std::vector<int>{125, 150, 50, 25}));
    // Nearest sampling: a sample half a pixel left of the source is never written, one half a pixel
    // right of column k takes column k.
    EXPECT_EQ(TurnRowByZero({200, 100, 0}, 4, 50, false), (std::vector<int>{50, 200, 100, 0}));
}

TEST(SpriteRotation, NearestNeverWritesSamplesLeftOfOrBelowTheSource)
{
    // A 4 x 4 source into a 9 x 9 destination samples at i - 2.5 and r - 2.5: columns and rows
    // 0..2 fall before the source (-2.5 .. -0.5; -0.5 must not be taken as column 0).
    auto src = MakeSurface(4, 4, Red);
    auto dst = MakeSurface(9, 9, Key);
    Rotate(*src, *dst, false, 0.0);
    for (int row = 0; row < 9; ++row) {
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 3 && x <= 6 && row >= 3 && row <= 6;
            EXPECT_EQ(dst->GetPixel(row, x), inside ? Red : Key) << x << ", " << row;
        }
    }
}

TEST(SpriteRotation, QuarterTurnIsClockwiseOnScreen)
{
    // sin = 1, cos = 0 exactly. A feature at offset (u, v) from the centre lands at (-v, u): the
    // top-middle pixel goes to the right-middle.
    auto src = MakePatterned(3, 3);
    for (bool smooth : {false, true}) {
        auto dst = MakeSurface(3, 3, Key);
        Rotate(*src, *dst, smooth, std::numbers::pi / 2);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x) {
                const int u = x - 1;
                const int v = y - 1;
                EXPECT_EQ(At(*dst, 1 - v, 1 + u), At(*src, x, y)) << (smooth ? "smooth " : "nearest ") << x << ", " << y;
            }
        }
    }

    // A compass needle pointing along +x (red tip on the right) turned to the vector (0, 1),
    // which points down the screen.
    auto needle = MakeSurface(5, 5, Key);
    Put(*needle, 4, 2, Red);
    Put(*needle, 0, 2, Blue);
    auto turned = MakeSurface(5, 5, Key);
    RotateSinCos(*needle, *turned, true, 1.0, 0.0);
    EXPECT_EQ(At(*turned, 2, 4), Red);
    EXPECT_EQ(At(*turned, 2, 0), Blue);
}

TEST(SpriteRotation, CentresMapOntoCentresAtAnyAngle)
{
    // Destination (125, 125) of 250 x 250 samples source (62, 62) of 124 x 124, and (48, 48) of
    // 96 x 96 samples (16, 16) of 32 x 32, exactly (no fraction), whatever the angle.
    struct Case {
        int SourceSide;
        int DestSide;
        int SourceCentre;
        int DestCentre;
    };
    const Case cases[] = {{124, 250, 62, 125}, {32, 96, 16, 48}};
    const TFColor marker = MakeFColor(10, 200, 30);
    for (const Case& c : cases) {
        auto src = MakeSurface(c.SourceSide, c.SourceSide, Red);
        src->SetPixel(c.SourceCentre, c.SourceCentre, marker);
        for (double angle : {0.0, 0.3, 1.0, 2.5, -1.2, 4.0}) {
            for (bool smooth : {false, true}) {
                auto dst = MakeSurface(c.DestSide, c.DestSide, Key);
                Rotate(*src, *dst, smooth, angle);
                EXPECT_EQ(dst->GetPixel(c.DestCentre, c.DestCentre), marker) << c.SourceSide << " at " << angle;
            }
        }
    }
}

TEST(SpriteRotation, AnyArgumentsStayOnTheSurfaces)
{
    // Sines and cosines far from unit length, centres anywhere and NaN angles give some picture
    // but never touch memory outside the two surfaces (the sanitizer build checks this) and never
    // overflow.
    auto src = MakePatterned(16, 12);
    auto dst = MakeSurface(20, 18, Key);
    const int32_t values[] = {INT_MIN, -65536, -1, 0, 1, 65536, 123456789, INT_MAX};
    for (bool smooth : {false, true}) {
        for (int32_t s : values) {
            for (int32_t c : values) {
                RotateFixed(*src, *dst, s, c, s, c, smooth);
                RotateFixed(*src, *dst, 10, 9, s, c, smooth);
            }
        }
        RotateSinCos(*src, *dst, smooth, 1e12, -1e12);
        RotateSinCos(*src, *dst, smooth, std::numeric_limits<double>::quiet_NaN(), 1.0);
        Rotate(*src, *dst, smooth, std::numeric_limits<double>::infinity());
    }

    // A surface turned into itself works from a copy of its pixels.
    auto self = MakePatterned(5, 5);
    auto expected = MakeSurface(5, 5);
    expected->CopyRect(*self, 0, 0, 5, 5, 0, 0);
    Rotate(*self, *expected, true, 1.0);
    Rotate(*self, *self, true, 1.0);
    EXPECT_EQ(PixelsTopDown(*self), PixelsTopDown(*expected));

    // An empty source leaves the destination as it was.
    TFastDIB empty;
    auto untouched = MakeSurface(6, 6, Key);
    Rotate(empty, *untouched, true, 0.5);
    Rotate(empty, *untouched, false, 0.5);
    EXPECT_EQ(CountPixels(*untouched, Key), 36);
}
