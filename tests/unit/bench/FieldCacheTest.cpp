// The bench's field sums over sources, and the per-pixel full and move caches of the quick sum.
#include "BenchTestAccess.h"

#include "bench/MagnetBench.h"
#include "objects/MagneticObject.h"
#include "support/WorkerPool.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Field {
    double x = 0.0;
    double y = 0.0;
};

Field QuickSum(TMagnetBench& bench, double x, double y)
{
    Field f{9.0, 9.0};
    bench.GetOverallCurrentFieldVectorQuick(x, y, f.x, f.y);
    return f;
}

} // namespace

TEST(FieldSums, SourcesContributeInListOrderAndCompassesNot)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.3);
    bench.AddCompass(250, 260);
    Field own;
    bench.Objects()[0]->AsMagnetic()->GetCurrentFieldVectorQuick(321.5, 97.25, own.x, own.y);
    const Field sum = QuickSum(bench, 321.5, 97.25);
    EXPECT_EQ(sum.x, own.x);
    EXPECT_EQ(sum.y, own.y);

    bench.ToggleUniformField(0.1);
    Field exact;
    bench.GetOverallCurrentFieldVector(321.5, 97.25, exact.x, exact.y);
    Field sources;
    bench.GetSourcesCurrentFieldVector(321.5, 97.25, sources.x, sources.y);
    EXPECT_EQ(exact.x, sources.x + 0.1);
    EXPECT_EQ(exact.y, sources.y);
    EXPECT_EQ(QuickSum(bench, 321.5, 97.25).x, own.x + 0.1);
}

TEST(FieldCache, FullCacheHoldsTheQuickSumAtEveryPixel)
{
    TMagnetBench bench;
    bench.AddMagnet(40, 30, 0.0);
    bench.AddWire(10, 50, false);
    TMagnetBenchTestAccess::SetLastDrawnSize(bench, 80, 60);
    bench.BuildFullCacheFieldLUT();
    EXPECT_EQ(bench.FullLUTBuildsCount, 1);
    ASSERT_EQ(bench.FullCacheWidth(), 80);
    ASSERT_EQ(bench.FullCacheHeight(), 60);
    for (int x = 0; x < 80; x += 7) {
        for (int y = 0; y < 60; y += 5) {
            const TFieldLUT& cell = bench.FullCache()[static_cast<size_t>(x) * 60 + static_cast<size_t>(y)];
            const Field direct = QuickSum(bench, x, y);
            EXPECT_EQ(cell.x, direct.x);
            EXPECT_EQ(cell.y, direct.y);
        }
    }
}

TEST(FieldCache, FullCacheIgnoresAPressInProgress)
{
    TMagnetBench bench;
    bench.AddMagnet(40, 30, 0.0);
    TMagnetBenchTestAccess::SetLastDrawnSize(bench, 50, 40);
    bench.BuildFullCacheFieldLUT();
    bench.Objects()[0]->SetSelected(true);
    TMagnetBenchTestAccess::SetPress(bench, bench.Objects()[0].get());
    bench.BuildMoveCacheFieldLUT();
    const std::vector<TFieldLUT> before = bench.FullCache();
    bench.Objects()[0]->SetLeft(bench.Objects()[0]->Left() + 3);
    bench.BuildFullCacheFieldLUT();
    TMagnetBenchTestAccess::SetPress(bench, nullptr);
    for (int x = 0; x < 50; ++x) {
        for (int y = 0; y < 40; ++y) {
            const TFieldLUT& cell = bench.FullCache()[static_cast<size_t>(x) * 40 + static_cast<size_t>(y)];
            const Field direct = QuickSum(bench, x, y);
            ASSERT_EQ(cell.x, direct.x) << x << "," << y;
            ASSERT_EQ(cell.y, direct.y) << x << "," << y;
        }
    }
    EXPECT_NE(std::memcmp(before.data(), bench.FullCache().data(), before.size() * sizeof(TFieldLUT)), 0);
}

TEST(FieldCache, MoveCacheHoldsTheSceneWithoutTheSelection)
{
    TMagnetBench bench;
    bench.AddMagnet(40, 30, 0.0);
    bench.AddMagnet(70, 45, 1.2);
    TMagnetBenchTestAccess::SetLastDrawnSize(bench, 90, 70);
    bench.BuildFullCacheFieldLUT();
    TExperimentalObject* grabbed = bench.Objects()[1].get();
    grabbed->SetSelected(true);
    TMagnetBenchTestAccess::SetPress(bench, grabbed);
    bench.BuildMoveCacheFieldLUT();
    EXPECT_EQ(bench.MoveCacheWidth(), 90);

    // Before the magnet moves, a cached pixel gives the full cell up to rounding.
    const TFieldLUT& full = bench.FullCache()[12 * 70 + 20];
    const Field cached = QuickSum(bench, 12.0, 20.0);
    EXPECT_NEAR(cached.x, full.x, 1e-12);
    EXPECT_NEAR(cached.y, full.y, 1e-12);

    // After it moves, the background stays and the selection is evaluated at the exact point.
    grabbed->SetLeft(grabbed->Left() + 5);
    Field live;
    grabbed->AsMagnetic()->GetCurrentFieldVectorQuick(12.3, 19.6, live.x, live.y);
    Field still;
    bench.Objects()[0]->AsMagnetic()->GetCurrentFieldVectorQuick(12.0, 20.0, still.x, still.y);
    const Field moved = QuickSum(bench, 12.3, 19.6);
    EXPECT_NEAR(moved.x, still.x + live.x, 1e-12);
    EXPECT_NEAR(moved.y, still.y + live.y, 1e-12);

    // The last column and row, and points outside, are computed directly.
    for (const auto& [x, y] : {std::pair{89.0, 10.0}, std::pair{10.0, 69.0}, std::pair{-0.6, 10.0}}) {
        TMagnetBenchTestAccess::SetPress(bench, nullptr);
        const Field direct = QuickSum(bench, x, y);
        TMagnetBenchTestAccess::SetPress(bench, grabbed);
        const Field viaPress = QuickSum(bench, x, y);
        EXPECT_EQ(viaPress.x, direct.x) << x << "," << y;
        EXPECT_EQ(viaPress.y, direct.y) << x << "," << y;
    }

    // With motion on the press does not use the cache.
    bench.SetMovementON(true);
    const Field moving = QuickSum(bench, 12.3, 19.6);
    TMagnetBenchTestAccess::SetPress(bench, nullptr);
    const Field direct = QuickSum(bench, 12.3, 19.6);
    EXPECT_EQ(moving.x, direct.x);
    EXPECT_EQ(moving.y, direct.y);
}

TEST(FieldCache, CachesAreTheSameForAnyThreadCount)
{
    auto build = [](int threads, std::vector<TFieldLUT>& full, std::vector<TFieldLUT>& move) {
        SetSharedWorkerThreadCount(threads);
        TMagnetBench bench;
        bench.AddMagnet(100, 80, 0.4);
        bench.AddSolonoid(60, 120, 2.0);
        bench.AddWire(150, 30, true);
        bench.ToggleUniformField(0.1);
        TMagnetBenchTestAccess::SetLastDrawnSize(bench, 201, 157);
        bench.BuildFullCacheFieldLUT();
        bench.Objects()[1]->SetSelected(true);
        TMagnetBenchTestAccess::SetPress(bench, bench.Objects()[1].get());
        bench.BuildMoveCacheFieldLUT();
        full = bench.FullCache();
        move = bench.MoveCache();
        TMagnetBenchTestAccess::SetPress(bench, nullptr);
    };
    std::vector<TFieldLUT> full1, move1, fullN, moveN;
    build(1, full1, move1);
    build(4, fullN, moveN);
    SetSharedWorkerThreadCount(0);
    ASSERT_EQ(full1.size(), fullN.size());
    ASSERT_EQ(move1.size(), moveN.size());
    EXPECT_EQ(std::memcmp(full1.data(), fullN.data(), full1.size() * sizeof(TFieldLUT)), 0);
    EXPECT_EQ(std::memcmp(move1.data(), moveN.data(), move1.size() * sizeof(TFieldLUT)), 0);
}
