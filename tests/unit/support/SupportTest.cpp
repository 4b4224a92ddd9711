#include "support/Random.h"
#include "support/Rounding.h"
#include "support/Tick.h"
#include "support/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double In;
        int32_t Out;
    };
    const Case cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},   {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                          {485.5, 486}, {486.5, 486}, {0.49999, 0}, {0.50001, 1}, {-7.2, -7}, {3.0, 3}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.In), c.Out) << c.In;
    }
}

TEST(Rounding, OutOfRangeAndNaNAreClamped)
{
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEvenClamped(1000.4, 0, 1000), 1000);
    EXPECT_EQ(RoundHalfEvenClamped(5e12, 0, 1000), 1000);
    EXPECT_EQ(RoundHalfEvenClamped(std::nan(""), 0, 1000), 0);
    EXPECT_EQ(TruncateToInt32(-2.9), -2);
    EXPECT_EQ(TruncateToInt32(std::nan("")), 0);
}

TEST(RandomGenerator, SameSeedSameSequence)
{
    TRandomGenerator a(42);
    TRandomGenerator b(42);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(a.NextInt(-1000, 1000), b.NextInt(-1000, 1000));
    }
}

TEST(RandomGenerator, IntegerDrawsStayInTheHalfOpenRange)
{
    TRandomGenerator random(7);
    std::set<int32_t> seen;
    for (int i = 0; i < 4000; ++i) {
        const int32_t v = random.NextInt(-10, 10);
        ASSERT_GE(v, -10);
        ASSERT_LT(v, 10);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 20u); // every value of [-10, 10) turns up
}

TEST(RandomGenerator, SwappedAndEmptyRanges)
{
    TRandomGenerator random(3);
    for (int i = 0; i < 1000; ++i) {
        const int32_t v = random.NextInt(100, 53); // drawn from [53, 100)
        ASSERT_GE(v, 53);
        ASSERT_LT(v, 100);
    }
    EXPECT_EQ(random.NextInt(5, 5), 5);
    const int32_t wide = random.NextInt(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    EXPECT_LT(wide, std::numeric_limits<int32_t>::max());
}

TEST(RandomGenerator, RealDrawsStayInTheUnitInterval)
{
    TRandomGenerator random(11);
    for (int i = 0; i < 10000; ++i) {
        const double v = random.NextReal();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
    }
}

TEST(Tick, DifferencesSurviveTheWrap)
{
    EXPECT_EQ(TickDifference(5u, 0xFFFFFFFBu), 10u);
    TTickSource fixed{[](void* context) { return *static_cast<uint32_t*>(context); }, nullptr};
    uint32_t now = 1234;
    fixed.Context = &now;
    EXPECT_EQ(fixed.Now(), 1234u);
}

TEST(WorkerPool, EveryIndexIsVisitedExactlyOnceForAnyThreadCount)
{
    for (int threads : {1, 2, 3, 8}) {
        TWorkerPool pool(threads);
        for (int count : {0, 1, 7, 1000}) {
            std::vector<std::atomic<int>> visits(static_cast<size_t>(count));
            pool.ParallelFor(count, [&](int begin, int end) {
                for (int i = begin; i < end; ++i) {
                    visits[static_cast<size_t>(i)].fetch_add(1);
                }
            });
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(visits[static_cast<size_t>(i)].load(), 1) << threads << " threads, index " << i;
            }
        }
    }
}

TEST(WorkerPool, NestedCallsRunInline)
{
    TWorkerPool pool(2);
    std::atomic<int> total{0};
    pool.ParallelFor(4, [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            pool.ParallelFor(10, [&](int b, int e) { total.fetch_add(e - b); });
        }
    });
    EXPECT_EQ(total.load(), 40);
}

TEST(Rounding, FastPathAgreesWithNearbyintEverywhereThatMatters)
{
    TRandomGenerator random(99);
    for (int i = 0; i < 200000; ++i) {
        // Values near halves, near integers, tiny and large, both signs.
        const double base = random.NextInt(-3000000, 3000000) * 0.5;
        const double jitter = (random.NextReal() - 0.5) * (i % 3 == 0 ? 1e-9 : (i % 3 == 1 ? 1.0 : 1e6));
        const double v = base + jitter;
        ASSERT_EQ(RoundHalfEven(v), static_cast<int32_t>(std::nearbyint(v))) << v;
    }
    for (double v : {0.0, -0.0, 0.5, -0.5, 2147483646.5, -2147483647.5, 1e-300, -1e-300, 4503599627370497.0}) {
        const double clamped = std::fmin(std::fmax(v, -2147483648.0), 2147483647.0);
        EXPECT_EQ(RoundHalfEven(v), static_cast<int32_t>(std::nearbyint(clamped))) << v;
    }
}

TEST(Rounding, TableIndexRoundsMagnitudesAndReadsTheEdgeBeyond)
{
    struct Case {
        double In;
        int32_t Out;
    };
    const Case cases[] = {{0.0, 0},       {-0.0, 0},      {0.5, 0},     {-1.5, 2},         {92.5, 92},
                          {-92.5, 92},    {999.5, 1000},  {1000.4, 1000}, {-1e300, 1000}, {1e300, 1000}};
    for (const Case& c : cases) {
        EXPECT_EQ(TableIndex(c.In), c.Out) << c.In;
    }
    const int32_t nanIndex = TableIndex(std::nan(""));
    EXPECT_TRUE(nanIndex >= 0 && nanIndex <= 1000);
}
