// Iron filings: points scattered by the user, each drawn as a 6-pixel black segment turned along
// the exact total field at its point.
#include "bench/MagnetBench.h"

#include "objects/ExperimentalObject.h"
#include "raster/FastDraw.h"
#include "support/Random.h"
#include "support/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t FilingScatter = 20;     // each coordinate moves by a draw from [-20, 20)
constexpr double FilingHalfLength = 3.0;  // pixels from the point to each end of the segment
constexpr TFColor FilingColour{0, 0, 0};

// X + offset, kept within the coordinate range of bench objects so that later sums and squared
// distances of filing coordinates cannot overflow.
int32_t ScatteredCoordinate(int32_t value, int32_t offset)
{
    const int64_t sum = static_cast<int64_t>(value) + offset;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, -TExperimentalObject::MaxCoordinate,
                                                    TExperimentalObject::MaxCoordinate));
}

} // namespace

void TMagnetBench::AddFilings(int32_t X, int32_t Y, int32_t N)
{
    for (int32_t i = 0; i < N; ++i) {
        // The x offset is drawn before the y offset.
        const int32_t a = RandomInt(-FilingScatter, FilingScatter);
        const int32_t b = RandomInt(-FilingScatter, FilingScatter);
        Filings.push_back(TPoint{ScatteredCoordinate(X, a), ScatteredCoordinate(Y, b)});
    }
}

void TMagnetBench::DrawFilings(TFastDIB& BMP, bool)
{
    // Filings always read the exact field, also while objects move: there are few of them.
    for (const TPoint& filing : Filings) {
        double fx = 0.0;
        double fy = 0.0;
        GetOverallCurrentFieldVector(filing.X, filing.Y, fx, fy);
        const double magnitudeSquared = fx * fx + fy * fy;
        // A zero field gives a zero-length segment at the point. The rounding is range-safe, so a
        // sum that overflowed gives a short segment at worst.
        const double k = magnitudeSquared != 0.0 ? FilingHalfLength / std::sqrt(magnitudeSquared) : 0.0;
        const int32_t dx = RoundHalfEven(fx * k);
        const int32_t dy = RoundHalfEven(fy * k);
        SmoothLine(BMP, filing.X - dx, filing.Y - dy, filing.X + dx, filing.Y + dy, FilingColour);
    }
}
