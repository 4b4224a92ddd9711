// Field models of one magnet, the start-up table, and full-cache builds of the bench.
#include "BenchTestAccess.h"

#include "bench/MagnetBench.h"
#include "objects/FieldTables.h"
#include "objects/Magnet.h"
#include "support/WorkerPool.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int ScanWidth = 753;
constexpr int ScanHeight = 606;

// One evaluation per pixel of a 753 x 606 raster around a magnet turned by 0.3; the reported time
// per item is the cost of one evaluation.
template <typename Evaluate>
void RasterScan(benchmark::State& state, Evaluate evaluate)
{
    EnsureStartupTables();
    TFixedMagnet magnet;
    magnet.SetBounds(376 - 62, 303 - 62, magnet.Width(), magnet.Height());
    magnet.SetRotation(0.3);
    for (auto _ : state) {
        double sum = 0.0;
        for (int y = 0; y < ScanHeight; ++y) {
            for (int x = 0; x < ScanWidth; ++x) {
                double fx = 0.0;
                double fy = 0.0;
                evaluate(magnet, x, y, fx, fy);
                sum += fx + fy;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * ScanWidth * ScanHeight);
}

void BM_MagnetExact(benchmark::State& state)
{
    RasterScan(state, [](TFixedMagnet& m, double x, double y, double& fx, double& fy) {
        m.GetCurrentFieldVector(x, y, fx, fy);
    });
}

void BM_MagnetQuick(benchmark::State& state)
{
    RasterScan(state, [](TFixedMagnet& m, double x, double y, double& fx, double& fy) {
        m.GetCurrentFieldVectorQuick(x, y, fx, fy);
    });
}

void BM_MagnetDipole(benchmark::State& state)
{
    RasterScan(state, [](TFixedMagnet& m, double x, double y, double& fx, double& fy) {
        m.GetDipoleFieldVector(x, y, fx, fy);
    });
}

// state.range(0): threads (0 = all cores).
void BM_MagnetFieldLUT(benchmark::State& state)
{
    SetSharedWorkerThreadCount(static_cast<int>(state.range(0)));
    std::vector<TFieldLUT> table;
    for (auto _ : state) {
        BuildMagnetFieldLUT(table);
        benchmark::DoNotOptimize(table.data());
    }
    SetSharedWorkerThreadCount(0);
}

// state.range: width, height, magnets, threads (0 = all cores). Magnets on a circle around the
// centre, each turned differently.
void BM_FullCache(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const int magnets = static_cast<int>(state.range(2));
    SetSharedWorkerThreadCount(static_cast<int>(state.range(3)));
    TMagnetBench bench;
    for (int k = 0; k < magnets; ++k) {
        const double angle = 2.0 * 3.141592653589793 * k / magnets;
        const int x = width / 2 + static_cast<int>(std::lround(250.0 * std::cos(angle)));
        const int y = height / 2 + static_cast<int>(std::lround(250.0 * std::sin(angle)));
        bench.AddMagnet(magnets == 1 ? width / 2 : x, magnets == 1 ? height / 2 : y, 0.37 * k);
    }
    TMagnetBenchTestAccess::SetLastDrawnSize(bench, width, height);
    for (auto _ : state) {
        bench.BuildFullCacheFieldLUT();
        benchmark::DoNotOptimize(bench.FullCache().data());
    }
    SetSharedWorkerThreadCount(0);
}

} // namespace

BENCHMARK(BM_MagnetExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagnetQuick)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagnetDipole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagnetFieldLUT)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullCache)
    ->ArgsProduct({{753}, {606}, {1, 5, 20}, {1, 0}})
    ->ArgsProduct({{1920}, {1080}, {1, 5, 20}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
