// The per-pixel caches of the quick field: the whole scene (full cache) and the scene without the
// selected sources (move cache). Both are flat and column-major: cell [x][y] at x * height + y.
#include "bench/MagnetBench.h"

#include "objects/MagneticObject.h"
#include "support/WorkerPool.h"

void TMagnetBench::BuildFullCacheFieldLUT()
{
    const int32_t width = FLastDrawnWidth > 0 ? FLastDrawnWidth : 0;
    const int32_t height = FLastDrawnHeight > 0 ? FLastDrawnHeight : 0;
    FFullCacheWidth = width;
    FFullCacheHeight = height;
    FullCacheFieldLUT.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    // Always the direct quick sum of all sources: even if a press were in progress, the table must
    // describe the scene itself, not the move cache. Columns are spread over the cores; every cell
    // is the same sum in the same order whatever thread computes it.
    TFieldLUT* cells = FullCacheFieldLUT.data();
    ParallelFor(width, [&](int begin, int end) {
        for (int x = begin; x < end; ++x) {
            TFieldLUT* column = cells + static_cast<size_t>(x) * static_cast<size_t>(height);
            for (int y = 0; y < height; ++y) {
                QuickSumOfAllSources(x, y, column[y].x, column[y].y);
            }
        }
    });
    ++FullLUTBuildsCount;
}

void TMagnetBench::BuildMoveCacheFieldLUT()
{
    FMoveCacheWidth = FFullCacheWidth;
    FMoveCacheHeight = FFullCacheHeight;
    MoveCacheFieldLUT.resize(FullCacheFieldLUT.size());
    const int32_t height = FMoveCacheHeight;
    const TFieldLUT* full = FullCacheFieldLUT.data();
    TFieldLUT* cells = MoveCacheFieldLUT.data();
    ParallelFor(FMoveCacheWidth, [&](int begin, int end) {
        for (int x = begin; x < end; ++x) {
            const size_t base = static_cast<size_t>(x) * static_cast<size_t>(height);
            for (int y = 0; y < height; ++y) {
                double sx = 0.0;
                double sy = 0.0;
                GetOverallCurrentFieldVectorOnlySelectedQuick(x, y, sx, sy);
                cells[base + static_cast<size_t>(y)].x = full[base + static_cast<size_t>(y)].x - sx;
                cells[base + static_cast<size_t>(y)].y = full[base + static_cast<size_t>(y)].y - sy;
            }
        }
    });
}

void TMagnetBench::ClearFullCache()
{
    FullCacheFieldLUT.clear();
    FFullCacheWidth = 0;
    FFullCacheHeight = 0;
}
