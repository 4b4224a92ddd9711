// The field grid: where its streaks go, what a streak looks like, and that drawing the grid on
// all cores gives the same picture as drawing its streaks one after another.
#include "BenchTestAccess.h"
#include "LayerTestSurface.h"

#include "bench/MagnetBench.h"
#include "support/WorkerPool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using Access = TMagnetBenchTestAccess;

// The jittered nodes of the grid in drawing order: columns outer, rows inner.
std::vector<TPoint> GridNodes(const TMagnetBench& bench, int width, int height)
{
    const auto& offset = bench.RandonGridOFFSet();
    std::vector<TPoint> nodes;
    for (int gx = 0; gx <= 10 * (width / 10); gx += 10) {
        for (int gy = 0; gy <= 10 * (height / 10); gy += 10) {
            nodes.push_back(TPoint{gx + offset[static_cast<size_t>((2 * gy + gx) % 1000)],
                                   gy + offset[static_cast<size_t>((2 * gx + gy) % 1000)]});
        }
    }
    return nodes;
}

} // namespace

TEST(FieldGrid, WithoutSourcesEveryInteriorNodeIsOneDot)
{
    // Zero field: every point of a streak is its node, so each streak is a zero-length segment,
    // which the line drawing shows as one pixel unless it lies on the surface's border.
    TMagnetBench bench;
    const int w = 95;
    const int h = 73;
    std::vector<char> expected(static_cast<size_t>(w * h), 0);
    for (const TPoint& node : GridNodes(bench, w, h)) {
        if (node.X >= 1 && node.X <= w - 2 && node.Y >= 1 && node.Y <= h - 2) {
            expected[static_cast<size_t>(node.Y * w + node.X)] = 1;
        }
    }
    for (const bool quick : {false, true}) {
        auto bmp = MakeSurface(w, h);
        Access::DrawGrid(bench, *bmp, quick);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const TFColor want = expected[static_cast<size_t>(y * w + x)] ? BlackPixel : WhitePixel;
                ASSERT_EQ(At(*bmp, x, y), want) << x << ", " << y << (quick ? ", quick" : "");
            }
        }
    }
}

TEST(FieldGrid, UniformFieldStreakIsAHorizontalDashWithoutItsNode)
{
    for (const bool flipped : {false, true}) {
        TMagnetBench bench;
        bench.ToggleUniformField(0.1);
        if (flipped) {
            bench.FlipUniformField();
        }
        for (const bool quick : {false, true}) {
            auto bmp = MakeSurface(100, 60);
            Access::DrawGridStreak(bench, *bmp, 50, 30, 20, quick);
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 100; ++x) {
                    const bool onDash = y == 30 && x >= 31 && x <= 69 && x != 50;
                    ASSERT_EQ(At(*bmp, x, y), onDash ? BlackPixel : WhitePixel) << x << ", " << y;
                }
            }
        }
    }
}

TEST(FieldGrid, StreakOfFewerThanTwoPointsDrawsNothing)
{
    TMagnetBench bench;
    bench.ToggleUniformField(0.1);
    auto bmp = MakeSurface(40, 30);
    for (const int n : {-5, 0, 1, 2}) {
        Access::DrawGridStreak(bench, *bmp, 20, 15, n, false);
    }
    EXPECT_EQ(CountMarked(*bmp), 0);
}

TEST(FieldGrid, GridIsItsStreaksDrawnInGridOrder)
{
    TMagnetBench bench;
    bench.AddMagnet(60, 70, 0.7);
    bench.AddMagnet(150, 90, 3.9);
    bench.AddWire(110, 30, false);
    bench.AddSolonoid(90, 130, 2.0);
    const int w = 203;
    const int h = 151;
    for (const bool quick : {false, true}) {
        auto grid = MakeSurface(w, h);
        Access::DrawGrid(bench, *grid, quick);
        auto streaks = MakeSurface(w, h);
        for (const TPoint& node : GridNodes(bench, w, h)) {
            Access::DrawGridStreak(bench, *streaks, node.X, node.Y, 20, quick);
        }
        EXPECT_EQ(SurfaceHash(*grid), SurfaceHash(*streaks)) << (quick ? "quick" : "exact");
        EXPECT_GT(CountMarked(*grid), w * h / 4);
    }
}

TEST(LayerThreads, MapAndGridAreTheSameForEveryThreadCount)
{
    TMagnetBench bench;
    bench.AddMagnet(120, 100, 0.0);
    bench.AddMagnet(200, 60, 2.2);
    bench.AddWire(60, 150, true);
    auto draw = [&](int threads) {
        SetSharedWorkerThreadCount(threads);
        std::vector<uint64_t> hashes;
        for (const bool quick : {false, true}) {
            auto bmp = MakeSurface(301, 203);
            Access::DrawFieldMap(bench, *bmp, quick);
            hashes.push_back(SurfaceHash(*bmp));
            Access::DrawGrid(bench, *bmp, quick);
            hashes.push_back(SurfaceHash(*bmp));
        }
        return hashes;
    };
    const std::vector<uint64_t> single = draw(1);
    EXPECT_EQ(draw(2), single);
    EXPECT_EQ(draw(5), single);
    SetSharedWorkerThreadCount(0);
}

TEST(FieldGrid, StreakJoinsEveryFourthPointOfItsTrace)
{
    // Near a wire the streak bends; an independent trace with the bench's exact sum gives the 19
    // points of each half, joined as 0-4-8-12-16-18.
    TMagnetBench bench;
    bench.AddWire(60, 50, false);
    const int X = 75;
    const int Y = 58;
    auto expected = MakeSurface(120, 100);
    for (const double direction : {1.0, -1.0}) {
        double px = X;
        double py = Y;
        TPoint points[19];
        for (TPoint& point : points) {
            double fx = 0.0;
            double fy = 0.0;
            bench.GetOverallCurrentFieldVector(px, py, fx, fy);
            const double length = std::sqrt(fx * fx + fy * fy);
            px += direction * fx / length;
            py += direction * fy / length;
            point = TPoint{static_cast<int32_t>(std::nearbyint(px)), static_cast<int32_t>(std::nearbyint(py))};
        }
        for (const auto& [from, to] : {std::pair{0, 4}, {4, 8}, {8, 12}, {12, 16}, {16, 18}}) {
            SmoothLine(*expected, points[from].X, points[from].Y, points[to].X, points[to].Y, BlackPixel);
        }
    }
    auto streak = MakeSurface(120, 100);
    Access::DrawGridStreak(bench, *streak, X, Y, 20, false);
    EXPECT_EQ(SurfaceHash(*streak), SurfaceHash(*expected));
    EXPECT_GT(CountMarked(*streak), 30);
}
