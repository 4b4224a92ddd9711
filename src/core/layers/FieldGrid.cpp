// The field grid: through every node of a 10-pixel grid, jittered by the bench's fixed random
// offsets, a short streak is traced 19 unit steps along the field and 19 against it.
#include "bench/MagnetBench.h"

#include "raster/FastDraw.h"
#include "support/Rounding.h"
#include "support/WorkerPool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int GridSpacing = 10;       // pixels between nodes
constexpr int GridStreakLength = 20;  // N: each half stores N - 1 points
constexpr int GridPolylineStep = 4;   // the polyline joins every 4th point
constexpr int TracingBlockRows = 6;  // node rows traced together across a band
constexpr int GridBands = 8;          // bands of columns traced while the previous band is drawn
constexpr TFColor GridColour{0, 0, 0};

// Traces one half of a streak through the node (X, Y): `count` unit steps along the field
// (against it when backward), each stored rounded, the node itself not stored. A step where the
// field is zero, or where its magnitude is not a finite number, leaves the point where it is.
// Reads the scene only, so it may run on any thread while the scene is still.
void TraceStreakHalf(TMagnetBench& bench, int32_t X, int32_t Y, int count, bool backward, bool Quick,
                     TPoint* points)
{
    double px = X;
    double py = Y;
    for (int i = 0; i < count; ++i) {
        double fx = 0.0;
        double fy = 0.0;
        if (Quick) {
            bench.GetOverallCurrentFieldVectorQuick(px, py, fx, fy);
        } else {
            bench.GetOverallCurrentFieldVector(px, py, fx, fy);
        }
        const double magnitudeSquared = fx * fx + fy * fy;
        if (magnitudeSquared != 0.0 && std::isfinite(magnitudeSquared)) {
            double k = 1.0 / std::sqrt(magnitudeSquared);
            if (backward) {
                k = -k;
            }
            px = px + fx * k;
            py = py + fy * k;
        }
        points[i].X = RoundHalfEven(px);
        points[i].Y = RoundHalfEven(py);
    }
}

} // namespace

void TMagnetBench::DrawGridStreak(TFastDIB& BMP, int32_t X, int32_t Y, int32_t N, bool Quick)
{
    // A streak of N holds N - 1 points per half; below 2 there is nothing to trace.
    if (N < 2) {
        return;
    }
    const int count = N - 1;
    std::vector<TPoint> points(static_cast<size_t>(count));
    TraceStreakHalf(*this, X, Y, count, false, Quick, points.data());
    SmoothPolyline(BMP, points.data(), GridColour, count, GridPolylineStep);
    TraceStreakHalf(*this, X, Y, count, true, Quick, points.data());
    SmoothPolyline(BMP, points.data(), GridColour, count, GridPolylineStep);
}

void TMagnetBench::DrawGrid(TFastDIB& BMP, bool Quick)
{
    const int width = BMP.Width();
    const int height = BMP.AbsHeight();
    if (width <= 0 || height <= 0) {
        return;
    }
    // Nodes on and inside the surface's edges, columns outer and rows inner: that order is the
    // drawing order, and the overlapping streaks make it visible in the anti-aliased pixels.
    const int columns = width / GridSpacing + 1;
    const int rows = height / GridSpacing + 1;
    const int nodes = columns * rows;
    const int half = GridStreakLength - 1;
    const size_t pointsPerNode = 2 * static_cast<size_t>(half);

    // The tracing is the costly part and reads the scene only: it runs on all cores into one
    // buffer, a fixed slot per node. The drawing runs in node order, one streak after another, so
    // the frame is the same for every thread count. To keep the cores busy while streaks are
    // drawn, the nodes go in bands of whole columns: while the pool traces band b, the thread that
    // takes the first task draws band b - 1, whose slots are complete. The buffer only grows, and
    // every slot used is written before it is read.
    const size_t needed = static_cast<size_t>(nodes) * pointsPerNode;
    if (FGridPoints.size() < needed) {
        FGridPoints.resize(needed);
    }
    TPoint* buffer = FGridPoints.data();
    const int bands = std::min(columns, GridBands);
    auto bandStart = [&](int band) {
        return static_cast<int>(static_cast<int64_t>(columns) * band / bands) * rows;
    };
    auto traceNode = [&](int node) {
        const int gx = (node / rows) * GridSpacing;
        const int gy = (node % rows) * GridSpacing;
        const int32_t X = gx + FRandonGridOFFSet[static_cast<size_t>((2 * gy + gx) % 1000)];
        const int32_t Y = gy + FRandonGridOFFSet[static_cast<size_t>((2 * gx + gy) % 1000)];
        TPoint* slot = buffer + static_cast<size_t>(node) * pointsPerNode;
        TraceStreakHalf(*this, X, Y, half, false, Quick, slot);
        TraceStreakHalf(*this, X, Y, half, true, Quick, slot + half);
    };
    auto drawNodes = [&](int first, int last) {
        for (int node = first; node < last; ++node) {
            const TPoint* slot = buffer + static_cast<size_t>(node) * pointsPerNode;
            SmoothPolyline(BMP, slot, GridColour, half, GridPolylineStep);
            SmoothPolyline(BMP, slot + half, GridColour, half, GridPolylineStep);
        }
    };
    // Tracing visits the nodes of a band in blocks of a few rows across the band's columns, so that
    // neighbouring streaks, which read the same parts of the start-up tables, are traced together
    // while those parts are still in the processor's cache. Which node is traced when does not
    // change any slot.
    auto TracingOrder = [](int first, int last, int rows, int index) {
        const int bandColumns = (last - first) / rows;
        const int blockNodes = TracingBlockRows * bandColumns;
        const int block = index / blockNodes;
        const int blockRows = std::min(TracingBlockRows, rows - block * TracingBlockRows);
        const int within = index - block * blockNodes;
        const int column = within / blockRows;
        const int row = block * TracingBlockRows + within % blockRows;
        return first + column * rows + row;
    };
    // Round `band` traces band `band` (none after the last) and draws band `band` - 1 (none
    // before the first). Task 0 of a round with drawing is the drawing; the others trace a node.
    for (int band = 0; band <= bands; ++band) {
        const int first = band < bands ? bandStart(band) : nodes;
        const int last = band < bands ? bandStart(band + 1) : nodes;
        const int drawTasks = band > 0 ? 1 : 0;
        const int previous = band > 0 ? bandStart(band - 1) : 0;
        ParallelFor(drawTasks + (last - first), [&](int begin, int end) {
            for (int task = begin; task < end; ++task) {
                if (task < drawTasks) {
                    drawNodes(previous, first);
                } else {
                    traceNode(TracingOrder(first, last, rows, task - drawTasks));
                }
            }
        });
    }
}
