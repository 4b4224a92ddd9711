// The field-strength map and its intensity scale, checked against an independent search over the
// bench's threshold table.
#include "BenchTestAccess.h"
#include "LayerTestSurface.h"

#include "bench/MagnetBench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Access = TMagnetBenchTestAccess;

// The largest i in 1..254 whose threshold is at most v, found by the standard library's search;
// 0 below the first compared entry and 255 above the last.
int ExpectedIntensity(const std::array<double, 256>& table, double v)
{
    if (v < table[1]) {
        return 0;
    }
    if (v > table[254]) {
        return 255;
    }
    const auto above = std::upper_bound(table.begin() + 1, table.begin() + 255, v);
    return static_cast<int>(above - table.begin()) - 1;
}

double MagnitudeSquared(TMagnetBench& bench, bool quick, int x, int y)
{
    double fx = 0.0;
    double fy = 0.0;
    if (quick) {
        bench.GetOverallCurrentFieldVectorQuick(x, y, fx, fy);
    } else {
        bench.GetOverallCurrentFieldVector(x, y, fx, fy);
    }
    return fx * fx + fy * fy;
}

// Every pixel must carry the green of its block's sample (the block's top-left pixel, or the
// edge pixel itself on an odd edge); with both sizes odd the bottom-right pixel keeps `before`.
void ExpectMapOfField(TMagnetBench& bench, const TFastDIB& bmp, bool quick, TFColor before)
{
    const int w = bmp.Width();
    const int h = bmp.AbsHeight();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool rightEdge = (w % 2 == 1) && x == w - 1;
            const bool bottomEdge = (h % 2 == 1) && y == h - 1;
            if (rightEdge && bottomEdge) {
                ASSERT_EQ(At(bmp, x, y), before) << "corner of " << w << " x " << h;
                continue;
            }
            const int sx = rightEdge ? x : x - x % 2;
            const int sy = bottomEdge ? y : y - y % 2;
            const int n = ExpectedIntensity(bench.IntensityLUT(), MagnitudeSquared(bench, quick, sx, sy));
            ASSERT_EQ(At(bmp, x, y), (TFColor{0, static_cast<uint8_t>(n), 0}))
                << "pixel " << x << ", " << y << " of " << w << " x " << h << (quick ? ", quick" : "");
        }
    }
}

} // namespace

TEST(IntensityIndex, EveryTableEntryAndItsNeighbours)
{
    TMagnetBench bench;
    const auto& table = bench.IntensityLUT();
    for (int k = 1; k <= 254; ++k) {
        const double entry = table[static_cast<size_t>(k)];
        EXPECT_EQ(Access::IntensityIndex(bench, entry), k) << k;
        EXPECT_EQ(Access::IntensityIndex(bench, std::nextafter(entry, 0.0)), k - 1) << k;
        EXPECT_EQ(Access::IntensityIndex(bench, std::nextafter(entry, 1e300)), k == 254 ? 255 : k) << k;
        if (k < 254) {
            // Halfway between two thresholds on the logarithmic scale the logarithm decides safely.
            const double between = std::pow(10.0, (k - 130 + 0.5) / 25.0);
            EXPECT_EQ(Access::IntensityIndex(bench, between), k) << k;
        }
    }
}

TEST(IntensityIndex, EndsAndValuesOutsideTheTable)
{
    TMagnetBench bench;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double v;
        int expected;
    } cases[] = {
        {0.0, 0},  {-1.0, 0}, {std::numeric_limits<double>::denorm_min(), 0}, {6.9e-6, 0}, {0.5, 122},
        {1.0, 130}, {9.2e4, 255}, {1e300, 255}, {inf, 255}, {nan, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Access::IntensityIndex(bench, c.v), c.expected) << c.v;
    }
}

TEST(FieldMap, OddSizesPaintEverythingButTheBottomRightCorner)
{
    TMagnetBench bench;
    bench.AddMagnet(4, 3, 0.4);
    const TFColor marker{1, 2, 3};
    const struct {
        int w, h;
    } sizes[] = {{7, 5}, {7, 6}, {6, 5}, {6, 6}, {1, 1}, {2, 1}, {1, 2}, {3, 3}};
    for (const auto& size : sizes) {
        auto bmp = MakeSurface(size.w, size.h, marker);
        Access::DrawFieldMap(bench, *bmp, false);
        ExpectMapOfField(bench, *bmp, false, marker);
    }

    TMagnetBench empty;
    auto bmp = MakeSurface(6, 4, marker);
    Access::DrawFieldMap(empty, *bmp, false);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(At(*bmp, x, y), BlackPixel) << x << ", " << y;
        }
    }
}

TEST(FieldMap, PixelsAreTheIntensityOfTheFieldOfRotatedMagnets)
{
    TMagnetBench bench;
    bench.AddMagnet(40, 30, 0.3);
    bench.AddMagnet(100, 60, 1.2);
    bench.AddMagnet(70, 20, 2.5);
    bench.AddMagnet(20, 75, 4.0);
    bench.AddWire(120, 15, true);
    for (const bool quick : {false, true}) {
        auto bmp = MakeSurface(131, 87, WhitePixel);
        Access::DrawFieldMap(bench, *bmp, quick);
        ExpectMapOfField(bench, *bmp, quick, WhitePixel);
    }
}

TEST(FieldMap, PixelsAreTheIntensityOfTheFieldOfEveryKindOfSource)
{
    TMagnetBench bench;
    bench.AddMagnet(30, 40, 5.5);
    bench.AddWire(110, 25, false);
    bench.AddWire(20, 90, true);
    bench.AddSolonoid(80, 70, 1.1);
    bench.AddMotor(60, 20);
    bench.ToggleUniformField(0.1);
    bench.FlipUniformField();
    for (const bool quick : {false, true}) {
        auto bmp = MakeSurface(127, 101, WhitePixel);
        Access::DrawFieldMap(bench, *bmp, quick);
        ExpectMapOfField(bench, *bmp, quick, WhitePixel);
    }
}
