// The four field layers, each alone, on a 753 x 606 and a 1920 x 1080 surface: the start scene
// (one magnet at the centre), eight magnets on a circle of radius 200 turned by k pi/4, and five
// magnets for a moving frame (map and grid on the quick field). Every case runs once on all
// threads of the shared pool and once on a single thread.

#include "BenchTestAccess.h"

#include "bench/MagnetBench.h"
#include "objects/FieldTables.h"
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"
#include "support/WorkerPool.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

using Access = TMagnetBenchTestAccess;

enum class TScene { Start, EightMagnets, FiveMagnets };
enum class TLayer { Map, MapQuick, Grid, GridQuick, MapAndGridQuick, FieldLines, Filings };

constexpr double BenchPi = 3.141592653589793;

void BuildScene(TMagnetBench& bench, TScene scene, int width, int height)
{
    const int cx = width / 2;
    const int cy = height / 2;
    switch (scene) {
    case TScene::Start:
        bench.AddMagnet(cx, cy, 0.0);
        break;
    case TScene::EightMagnets:
        for (int k = 0; k < 8; ++k) {
            const double a = k * BenchPi / 4.0;
            bench.AddMagnet(cx + static_cast<int>(std::lround(200.0 * std::sin(a))),
                            cy + static_cast<int>(std::lround(200.0 * std::cos(a))), a);
        }
        break;
    case TScene::FiveMagnets:
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2.0 * BenchPi / 5.0;
            bench.AddMagnet(cx + static_cast<int>(std::lround(200.0 * std::sin(a))),
                            cy + static_cast<int>(std::lround(200.0 * std::cos(a))), a);
        }
        break;
    }
    // A thousand filings spread over the surface for the filings layer.
    for (int i = 0; i < 200; ++i) {
        bench.AddFilings(20 + (i * 137) % (width - 40), 20 + (i * 211) % (height - 40), 5);
    }
}

void RunLayer(benchmark::State& state, TLayer layer, TScene scene, int width, int height, int threads)
{
    EnsureStartupTables();
    SetSharedWorkerThreadCount(threads);
    TMagnetBench bench;
    BuildScene(bench, scene, width, height);
    TFastDIB bmp;
    bmp.SetSize(width, height, 24);
    FillSurface(bmp, TFColor{255, 255, 255});
    for (auto _ : state) {
        switch (layer) {
        case TLayer::Map:
            Access::DrawFieldMap(bench, bmp, false);
            break;
        case TLayer::MapQuick:
            Access::DrawFieldMap(bench, bmp, true);
            break;
        case TLayer::Grid:
            Access::DrawGrid(bench, bmp, false);
            break;
        case TLayer::GridQuick:
            Access::DrawGrid(bench, bmp, true);
            break;
        case TLayer::MapAndGridQuick:
            Access::DrawFieldMap(bench, bmp, true);
            Access::DrawGrid(bench, bmp, true);
            break;
        case TLayer::FieldLines:
            Access::DrawFieldLines(bench, bmp);
            break;
        case TLayer::Filings:
            Access::DrawFilings(bench, bmp);
            break;
        }
        benchmark::ClobberMemory();
    }
    SetSharedWorkerThreadCount(0);
}

struct TCase {
    const char* name;
    TLayer layer;
    TScene scene;
};

const TCase Cases[] = {
    {"Map/start", TLayer::Map, TScene::Start},
    {"MapQuick/start", TLayer::MapQuick, TScene::Start},
    {"Grid/start", TLayer::Grid, TScene::Start},
    {"GridQuick/start", TLayer::GridQuick, TScene::Start},
    {"FieldLines/start", TLayer::FieldLines, TScene::Start},
    {"Filings/start", TLayer::Filings, TScene::Start},
    {"Map/eight", TLayer::Map, TScene::EightMagnets},
    {"Grid/eight", TLayer::Grid, TScene::EightMagnets},
    {"FieldLines/eight", TLayer::FieldLines, TScene::EightMagnets},
    {"MapQuick/five", TLayer::MapQuick, TScene::FiveMagnets},
    {"GridQuick/five", TLayer::GridQuick, TScene::FiveMagnets},
    {"MapAndGridQuick/five", TLayer::MapAndGridQuick, TScene::FiveMagnets},
};

const int RegisteredCount = [] {
    const struct {
        int width, height;
    } sizes[] = {{753, 606}, {1920, 1080}};
    int count = 0;
    for (const TCase& c : Cases) {
        for (const auto& size : sizes) {
            for (const int threads : {0, 1}) {
                const std::string name = std::string("BM_Layer/") + c.name + "/" + std::to_string(size.width) + "x" +
                                         std::to_string(size.height) + (threads == 0 ? "/all" : "/1thread");
                const TLayer layer = c.layer;
                const TScene scene = c.scene;
                const int w = size.width;
                const int h = size.height;
                benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
                    RunLayer(state, layer, scene, w, h, threads);
                })->Unit(benchmark::kMillisecond)->UseRealTime();
                ++count;
            }
        }
    }
    return count;
}();

} // namespace
