#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Real-to-integer conversions used throughout the bench. "Rounded" always means to the nearest
// integer with halves going to the even neighbour (the default IEEE rounding mode, which is never
// changed in this program). Every conversion is range-safe: values beyond the 32-bit range are
// clamped in double before converting, and NaN becomes 0, so no input can cause undefined
// behaviour.

// Clamps v to [lo, hi] in double; NaN is treated as 0 and then clamped into [lo, hi].
inline double ClampDouble(double v, double lo, double hi)
{
    if (std::isnan(v)) {
        v = 0.0;
    }
    if (v < lo) {
        return lo;
    }
    if (v > hi) {
        return hi;
    }
    return v;
}

// Nearest integer of a double with |v| < 2^31, halves to even, as a double. Adding and
// subtracting 2^52 leaves exactly the rounded value under the default rounding mode (which this
// program never changes) and costs two additions, where std::nearbyint is a library call on
// plain SSE2. Relies on -ffp-contract=off and no fast-math, which the build enforces.
inline double NearestEvenSmall(double v)
{
    constexpr double Shift = 4503599627370496.0; // 2^52
    if (v >= 0.0) {
        return (v + Shift) - Shift;
    }
    return -((-v + Shift) - Shift);
}

// Index into a start-up table of side 1001 for a signed offset: |v| rounded to the nearest integer
// (halves to even) and capped at 1000, so offsets beyond the table read its edge. Any double is
// safe: NaN reads the edge too. Branch-light because the quick field models call it per pixel.
inline int32_t TableIndex(double v)
{
    constexpr double Shift = 4503599627370496.0; // 2^52
    double c = std::fabs(v);
    c = c < 1000.0 ? c : 1000.0;
    return static_cast<int32_t>((c + Shift) - Shift);
}

// Nearest integer, halves to even, clamped to the int32 range; NaN gives 0.
inline int32_t RoundHalfEven(double v)
{
    constexpr double Lo = static_cast<double>(std::numeric_limits<int32_t>::min());
    constexpr double Hi = static_cast<double>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(NearestEvenSmall(ClampDouble(v, Lo, Hi)));
}

// Nearest integer, halves to even, clamped to [lo, hi]; NaN gives the value nearest to 0 in range.
// Used for table indices, where the clamp is part of the model (offsets beyond the table read its
// edge).
inline int32_t RoundHalfEvenClamped(double v, int32_t lo, int32_t hi)
{
    return static_cast<int32_t>(NearestEvenSmall(ClampDouble(v, static_cast<double>(lo), static_cast<double>(hi))));
}

// Truncation toward zero, clamped to the int32 range; NaN gives 0.
inline int32_t TruncateToInt32(double v)
{
    constexpr double Lo = static_cast<double>(std::numeric_limits<int32_t>::min());
    constexpr double Hi = static_cast<double>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(ClampDouble(v, Lo, Hi));
}
