// The per-pixel caches of the quick field: the whole scene (full cache) and the scene without the
// selected sources (move cache). Both are flat and column-major: cell [x][y] at x * height + y.
#include "bench/MagnetBench.h"

#include "objects/MagneticObject.h"
#include "support/WorkerPool.h"

#include <algorithm>

namespace {

// Cells are filled in blocks of BlockColumns x BlockRows pixels, one source at a time over the
// whole block: the part of a start-up table that one source reads for a block then stays in the
// processor's cache, where a pixel-by-pixel walk over all sources would keep evicting it. Every
// cell still receives the same operations in the same source order, so the result is unchanged.
constexpr int BlockColumns = 16;
constexpr int BlockRows = 64;

// Sets every cell of the table to the quick sum of `sources` plus `initial(x, y)`.
template <typename Initial>
void FillBlocks(TFieldLUT* cells, int width, int height, const std::vector<TMagneticObject*>& sources, Initial initial)
{
    const int blockCount = (width + BlockColumns - 1) / BlockColumns;
    ParallelFor(blockCount, [&](int begin, int end) {
        for (int block = begin; block < end; ++block) {
            const int x0 = block * BlockColumns;
            const int x1 = std::min(width, x0 + BlockColumns);
            for (int y0 = 0; y0 < height; y0 += BlockRows) {
                const int y1 = std::min(height, y0 + BlockRows);
                for (int x = x0; x < x1; ++x) {
                    TFieldLUT* column = cells + static_cast<size_t>(x) * static_cast<size_t>(height);
                    for (int y = y0; y < y1; ++y) {
                        column[y] = initial(x, y);
                    }
                }
                for (TMagneticObject* source : sources) {
                    for (int x = x0; x < x1; ++x) {
                        source->AddQuickFieldAlongColumn(x, y0, y1, cells + static_cast<size_t>(x) * static_cast<size_t>(height));
                    }
                }
            }
        }
    });
}

} // namespace

void TMagnetBench::BuildFullCacheFieldLUT()
{
    const int32_t width = FLastDrawnWidth > 0 ? FLastDrawnWidth : 0;
    const int32_t height = FLastDrawnHeight > 0 ? FLastDrawnHeight : 0;
    FFullCacheWidth = width;
    FFullCacheHeight = height;
    FullCacheFieldLUT.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    // Always the direct quick sum of all sources: even if a press were in progress, the table must
    // describe the scene itself, not the move cache. Blocks are spread over the cores; every cell
    // is the same sum in the same order whatever thread computes it.
    std::vector<TMagneticObject*> sources;
    for (const auto& object : MO) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            sources.push_back(source);
        }
    }
    FillBlocks(FullCacheFieldLUT.data(), width, height, sources, [](int, int) { return TFieldLUT{}; });
    ++FullLUTBuildsCount;
}

void TMagnetBench::BuildMoveCacheFieldLUT()
{
    FMoveCacheWidth = FFullCacheWidth;
    FMoveCacheHeight = FFullCacheHeight;
    MoveCacheFieldLUT.resize(FullCacheFieldLUT.size());
    const int32_t height = FMoveCacheHeight;
    // First the quick sum of the selected sources at every cell, then the full cell minus it.
    std::vector<TMagneticObject*> selected;
    for (const auto& object : MO) {
        TMagneticObject* source = object->AsMagnetic();
        if (source != nullptr && source->Selected()) {
            selected.push_back(source);
        }
    }
    TFieldLUT* cells = MoveCacheFieldLUT.data();
    FillBlocks(cells, FMoveCacheWidth, height, selected, [](int, int) { return TFieldLUT{}; });
    const TFieldLUT* full = FullCacheFieldLUT.data();
    ParallelFor(FMoveCacheWidth, [&](int begin, int end) {
        for (size_t i = static_cast<size_t>(begin) * height; i < static_cast<size_t>(end) * height; ++i) {
            cells[i].x = full[i].x - cells[i].x;
            cells[i].y = full[i].y - cells[i].y;
        }
    });
}

void TMagnetBench::ClearFullCache()
{
    FullCacheFieldLUT.clear();
    FFullCacheWidth = 0;
    FFullCacheHeight = 0;
}
