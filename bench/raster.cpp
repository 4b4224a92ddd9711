// Raster primitives at the sizes the bench uses: field-line segments, a 250 x 250 sprite turned
// into an object's cache, and whole-frame copies of a 1920 x 1080 work area.

#include "raster/FastDIB.h"
#include "raster/FastDraw.h"
#include "raster/SpriteRotation.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const TFColor Key = MakeFColor(255, 176, 176);

std::unique_ptr<TFastDIB> MakeFilled(int w, int h, TFColor c)
{
    auto bmp = std::make_unique<TFastDIB>();
    bmp->SetSize(w, h, 24);
    FillSurface(*bmp, c);
    return bmp;
}

// A sprite like the magnet's: a red bar on the key colour, so that a keyed copy skips most pixels
// of the border and copies the middle.
std::unique_ptr<TFastDIB> MakeSprite(int side)
{
    auto bmp = MakeFilled(side, side, Key);
    for (int x = side * 3 / 8; x < side * 5 / 8; ++x) {
        SmoothLine(*bmp, x, 2, x, side - 3, MakeFColor(255, 0, 0));
    }
    return bmp;
}

// Short anti-aliased segments in all directions, as field lines and grid streaks draw them.
void BM_SmoothLineShort(benchmark::State& state)
{
    auto bmp = MakeFilled(1920, 1080, MakeFColor(255, 255, 255));
    int k = 0;
    for (auto _ : state) {
        const int x = 100 + (k * 37) % 1700;
        const int y = 100 + (k * 53) % 880;
        SmoothLine(*bmp, x, y, x + 3 + k % 5, y + 7 - k % 13, MakeFColor(0, 0, 0));
        ++k;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SmoothLineShort);

// Long shallow and steep lines across the frame, each starting on the surface and clipped where it
// leaves (a line with both ends outside is not drawn at all).
void BM_SmoothLineLong(benchmark::State& state)
{
    auto bmp = MakeFilled(1920, 1080, MakeFColor(255, 255, 255));
    int k = 0;
    for (auto _ : state) {
        if (k % 2 == 0) {
            SmoothLine(*bmp, 5, 20 + k % 100, 1970, 1000 - k % 100, MakeFColor(0, 0, 0));
        } else {
            SmoothLine(*bmp, 300 + k % 100, 5, 1500 - k % 100, 1110, MakeFColor(0, 0, 0));
        }
        ++k;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SmoothLineLong);

// The magnet's cache: the 124 x 124 master picture turned into a 250 x 250 surface.
void BM_RotateBilinear250(benchmark::State& state)
{
    auto src = MakeSprite(124);
    auto dst = MakeFilled(250, 250, Key);
    double angle = 0.1;
    for (auto _ : state) {
        Rotate(*src, *dst, true, angle);
        angle += 0.01;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 250 * 250);
}
BENCHMARK(BM_RotateBilinear250)->Unit(benchmark::kMicrosecond);

void BM_CopyRectFrame(benchmark::State& state)
{
    auto src = MakeFilled(1920, 1080, MakeFColor(10, 20, 30));
    auto dst = MakeFilled(1920, 1080, MakeFColor(255, 255, 255));
    for (auto _ : state) {
        dst->CopyRect(*src, 0, 0, 1920, 1080, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{src->Info().SizeImage});
}
BENCHMARK(BM_CopyRectFrame)->Unit(benchmark::kMicrosecond);

void BM_CopyRectSprite(benchmark::State& state)
{
    auto src = MakeSprite(250);
    auto dst = MakeFilled(1920, 1080, MakeFColor(255, 255, 255));
    for (auto _ : state) {
        dst->CopyRect(*src, 800, 400, 250, 250, 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyRectSprite)->Unit(benchmark::kMicrosecond);

void BM_TransDrawFrame(benchmark::State& state)
{
    // A frame-sized picture that is half key: every other row band is skipped.
    auto src = MakeFilled(1920, 1080, Key);
    GradientRect(*src, 0, 0, 1920, 540, MakeFColor(0, 128, 0), MakeFColor(0, 128, 0), MakeFColor(0, 128, 0),
                 MakeFColor(0, 128, 0));
    auto dst = MakeFilled(1920, 1080, MakeFColor(255, 255, 255));
    for (auto _ : state) {
        src->TransDraw(*dst, 0, 0, Key);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransDrawFrame)->Unit(benchmark::kMicrosecond);

void BM_TransDrawSprite(benchmark::State& state)
{
    auto src = MakeSprite(250);
    auto dst = MakeFilled(1920, 1080, MakeFColor(255, 255, 255));
    for (auto _ : state) {
        src->TransDraw(*dst, 800, 400, Key);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransDrawSprite)->Unit(benchmark::kMicrosecond);

} // namespace
