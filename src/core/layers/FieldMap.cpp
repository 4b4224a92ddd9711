// The field-strength map: every 2 x 2 block of pixels shaded pure green by the logarithm of the
// total field's strength at its top-left pixel.
#include "bench/MagnetBench.h"

#include "raster/FastDIB.h"
#include "support/WorkerPool.h"

namespace {

// The memory row of the picture row y (0 = top) of a surface of absHeight rows.
inline int MemoryRow(const TFastDIB& BMP, int y)
{
    return BMP.Height() > 0 ? BMP.AbsHeight() - 1 - y : y;
}

inline TFColor MapColour(int intensity)
{
    return TFColor{0, static_cast<uint8_t>(intensity), 0};
}

} // namespace

double TMagnetBench::FieldMagnitudeSquared(double x, double y)
{
    double fx = 0.0;
    double fy = 0.0;
    GetOverallCurrentFieldVector(x, y, fx, fy);
    return fx * fx + fy * fy;
}

double TMagnetBench::FieldMagnitudeSquaredQuick(double x, double y)
{
    double fx = 0.0;
    double fy = 0.0;
    GetOverallCurrentFieldVectorQuick(x, y, fx, fy);
    return fx * fx + fy * fy;
}

int TMagnetBench::IntensityIndex(double v) const
{
    // v is a squared magnitude. The table holds 25 thresholds per factor of 10; the result is the
    // largest i with FIntensityLUT[i] <= v, found by comparisons only, so the colour of a pixel
    // never depends on how a logarithm rounds. Only entries 1 to 254 are compared with. The
    // negated test sends NaN (a sum that overflowed) to black instead of letting it fall through
    // the search.
    if (!(v >= FIntensityLUT[1])) {
        return 0;
    }
    if (v > FIntensityLUT[254]) {
        return 255;
    }
    int lo = 0;
    int mid = 127;
    int hi = 255;
    for (;;) {
        if (v < FIntensityLUT[static_cast<size_t>(mid)]) {
            if (mid - lo < 2) {
                return lo;
            }
            hi = mid;
        } else {
            if (hi - mid < 2) {
                return mid;
            }
            lo = mid;
        }
        mid = lo + (hi - lo) / 2;
    }
}

void TMagnetBench::DrawFieldMap(TFastDIB& BMP, bool Quick)
{
    const int width = BMP.Width();
    const int height = BMP.AbsHeight();
    if (width <= 0 || height <= 0) {
        return;
    }
    const int blockColumns = width / 2;
    const int blockRows = height / 2;
    const bool oddWidth = (width & 1) != 0;
    const bool oddHeight = (height & 1) != 0;

    // Task r < blockRows paints block row r (two picture rows, plus the right edge column when the
    // width is odd); task blockRows, present only for an odd height, paints the bottom row. Every
    // pixel depends only on its own sample, so the tasks may run on any thread in any order. With
    // both sizes odd the bottom-right pixel belongs to no task and keeps its content.
    const int tasks = blockRows + (oddHeight ? 1 : 0);
    ParallelFor(tasks, [&](int begin, int end) {
        for (int r = begin; r < end; ++r) {
            const int y = 2 * r;
            if (r < blockRows) {
                TFColor* upper = BMP.Pixels24(MemoryRow(BMP, y));
                TFColor* lower = BMP.Pixels24(MemoryRow(BMP, y + 1));
                for (int c = 0; c < blockColumns; ++c) {
                    const int x = 2 * c;
                    const double v = Quick ? FieldMagnitudeSquaredQuick(x, y) : FieldMagnitudeSquared(x, y);
                    const TFColor colour = MapColour(IntensityIndex(v));
                    upper[x] = colour;
                    upper[x + 1] = colour;
                    lower[x] = colour;
                    lower[x + 1] = colour;
                }
                if (oddWidth) {
                    const int x = width - 1;
                    const double v = Quick ? FieldMagnitudeSquaredQuick(x, y) : FieldMagnitudeSquared(x, y);
                    const TFColor colour = MapColour(IntensityIndex(v));
                    upper[x] = colour;
                    lower[x] = colour;
                }
            } else {
                const int bottom = height - 1;
                TFColor* row = BMP.Pixels24(MemoryRow(BMP, bottom));
                for (int c = 0; c < blockColumns; ++c) {
                    const int x = 2 * c;
                    const double v =
                        Quick ? FieldMagnitudeSquaredQuick(x, bottom) : FieldMagnitudeSquared(x, bottom);
                    const TFColor colour = MapColour(IntensityIndex(v));
                    row[x] = colour;
                    row[x + 1] = colour;
                }
            }
        }
    });
}
