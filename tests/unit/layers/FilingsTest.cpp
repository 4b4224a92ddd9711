// Iron filings: where AddFilings puts them and how each is turned along the field.
#include "BenchTestAccess.h"
#include "LayerTestSurface.h"

#include "bench/MagnetBench.h"
#include "objects/ExperimentalObject.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Access = TMagnetBenchTestAccess;

} // namespace

TEST(Filings, AddFilingsScattersAroundThePointXOffsetFirst)
{
    TMagnetBench bench;
    ProgramRandom().Seed(77);
    bench.AddFilings(100, 50, 5);
    bench.AddFilings(10, 10, 0);
    bench.AddFilings(10, 10, -3);
    ASSERT_EQ(bench.FilingPoints().size(), 5u);

    ProgramRandom().Seed(77);
    for (const TPoint& filing : bench.FilingPoints()) {
        const int32_t a = RandomInt(-20, 20);
        const int32_t b = RandomInt(-20, 20);
        EXPECT_EQ(filing.X, 100 + a);
        EXPECT_EQ(filing.Y, 50 + b);
        EXPECT_TRUE(filing.X >= 80 && filing.X <= 119 && filing.Y >= 30 && filing.Y <= 69);
    }

    // Far out, the coordinates stay within the range of object coordinates instead of wrapping.
    TMagnetBench far;
    far.AddFilings(INT32_MAX, INT32_MIN, 20);
    for (const TPoint& filing : far.FilingPoints()) {
        EXPECT_EQ(filing.X, TExperimentalObject::MaxCoordinate);
        EXPECT_EQ(filing.Y, -TExperimentalObject::MaxCoordinate);
    }
}

TEST(Filings, SegmentFollowsTheFieldRoundedToWholePixels)
{
    struct TCase {
        const char* name;
        void (*setUp)(TMagnetBench&);
        std::vector<TPoint> pixels; // the black pixels of a filing at (40, 60)
    };
    const TCase cases[] = {
        // No field: a zero-length segment, one pixel.
        {"no source", [](TMagnetBench&) {}, {{40, 60}}},
        {"uniform field",
         [](TMagnetBench& bench) { bench.ToggleUniformField(0.1); },
         {{37, 60}, {38, 60}, {39, 60}, {40, 60}, {41, 60}, {42, 60}, {43, 60}}},
        // A wire up and to the right, centred on (50.5, 49.5): the field at the filing points
        // along (1, 1) or (-1, -1), so (dx, dy) = +-(2, 2) and the segment is an exact diagonal.
        {"field at 45 degrees",
         [](TMagnetBench& bench) { bench.AddWire(50, 49, false); },
         {{38, 58}, {39, 59}, {40, 60}, {41, 61}, {42, 62}}},
        {"field at 45 degrees, reversed",
         [](TMagnetBench& bench) { bench.AddWire(50, 49, true); },
         {{38, 58}, {39, 59}, {40, 60}, {41, 61}, {42, 62}}},
    };
    for (const TCase& c : cases) {
        TMagnetBench bench;
        c.setUp(bench);
        Access::PutFiling(bench, 40, 60);
        auto bmp = MakeSurface(100, 100);
        Access::DrawFilings(bench, *bmp);
        EXPECT_EQ(CountMarked(*bmp), static_cast<int>(c.pixels.size())) << c.name;
        for (const TPoint& p : c.pixels) {
            EXPECT_EQ(At(*bmp, p.X, p.Y), BlackPixel) << c.name << " at " << p.X << ", " << p.Y;
        }
    }
}
