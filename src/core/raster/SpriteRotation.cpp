#include "raster/SpriteRotation.h"

#include "support/Rounding.h"

#include <cmath>

namespace {

// The rotation works in 32-bit two's-complement fixed point (16 fraction bits). The sums are kept
// in uint32_t, whose arithmetic wraps by definition, and read back as int32_t: the results are
// those of plain 32-bit integer arithmetic wherever it stays in range (always, for surfaces within
// TFastDIB::MaxSide and unit sines and cosines), and still well defined for any other argument.
// The samples are bounds-checked, so a wrapped coordinate can never address memory off the source.
inline uint32_t Wrap(int64_t v) { return static_cast<uint32_t>(v); }

// Channel interpolation with a 16-bit fraction f: a + floor((b - a) * f / 65536).
inline int Lerp(int a, int b, int f) { return a + (((b - a) * f) >> 16); }

inline TFColor Bilinear(TFColor s00, TFColor s10, TFColor s01, TFColor s11, int fx, int fy)
{
    const auto channel = [fx, fy](int c00, int c10, int c01, int c11) {
        const int a = Lerp(c00, c10, fx);
        const int b = Lerp(c01, c11, fx);
        return static_cast<uint8_t>(Lerp(a, b, fy));
    };
    return TFColor{channel(s00.b, s10.b, s01.b, s11.b), channel(s00.g, s10.g, s01.g, s11.g),
                   channel(s00.r, s10.r, s01.r, s11.r)};
}

void RotateRows(const TFastDIB& src, TFastDIB& dst, int32_t cx, int32_t cy, int32_t sinF, int32_t cosF, bool smooth)
{
    const int sw = src.Width();
    const int sh = src.AbsHeight();
    const int dw = dst.Width();
    const int dh = dst.AbsHeight();

    // Offset between the two centres, in 16.16, truncated toward zero. With both sizes capped at
    // MaxSide these products stay below 2^30.
    const uint32_t gx = Wrap((int64_t{sw} * 65536 - int64_t{dw} * 65536) / 2);
    const uint32_t gy = Wrap((int64_t{sh} * 65536 - int64_t{dh} * 65536) / 2);
    const uint32_t sinU = static_cast<uint32_t>(sinF);
    const uint32_t cosU = static_cast<uint32_t>(cosF);
    const uint32_t ax = Wrap(int64_t{cx} * 65536) - cosU * static_cast<uint32_t>(cx);
    const uint32_t ay = Wrap(int64_t{cy} * 65536) - sinU * static_cast<uint32_t>(cx);

    for (int r = 0; r < dh; ++r) {
        const uint32_t t = static_cast<uint32_t>(cy) - static_cast<uint32_t>(r);
        uint32_t sx = sinU * t + ax + gx;
        uint32_t sy = ay - cosU * t + gy;
        TFColor* out = dst.Pixels24(r);

        if (!smooth) {
            for (int i = 0; i < dw; ++i, sx += cosU, sy += sinU) {
                // Unsigned shifts: a negative coordinate becomes a huge index and is skipped.
                const uint32_t ix = sx >> 16;
                const uint32_t iy = sy >> 16;
                if (ix < static_cast<uint32_t>(sw) && iy < static_cast<uint32_t>(sh)) {
                    out[i] = src.Pixels24(static_cast<int>(iy))[ix];
                }
            }
            continue;
        }

        for (int i = 0; i < dw; ++i, sx += cosU, sy += sinU) {
            const int32_t ix = static_cast<int32_t>(sx) >> 16;
            const int32_t iy = static_cast<int32_t>(sy) >> 16;
            if (ix < -1 || iy < -1 || ix >= sw || iy >= sh) {
                continue;
            }
            const int fx = static_cast<int>(sx & 0xFFFF);
            const int fy = static_cast<int>(sy & 0xFFFF);
            TFColor& d = out[i];
            if (ix >= 0 && iy >= 0 && ix + 1 < sw && iy + 1 < sh) {
                const TFColor* lower = src.Pixels24(iy) + ix;
                const TFColor* upper = src.Pixels24(iy + 1) + ix;
                d = Bilinear(lower[0], lower[1], upper[0], upper[1], fx, fy);
                continue;
            }
            // Along the source's border the missing samples take the destination's own colour (the
            // key it was filled with), which gives the rotated picture its soft fringe.
            const auto sample = [&](int32_t col, int32_t row) {
                return col >= 0 && col < sw && row >= 0 && row < sh ? src.Pixels24(row)[col] : d;
            };
            d = Bilinear(sample(ix, iy), sample(ix + 1, iy), sample(ix, iy + 1), sample(ix + 1, iy + 1), fx, fy);
        }
    }
}

} // namespace

void Rotate(const TFastDIB& src, TFastDIB& dst, bool smooth, double angle)
{
    const int32_t sinF = RoundHalfEven(std::sin(angle) * 65536.0);
    const int32_t cosF = RoundHalfEven(std::cos(angle) * 65536.0);
    RotateFixed(src, dst, dst.Width() >> 1, dst.AbsHeight() >> 1, sinF, cosF, smooth);
}

void RotateSinCos(const TFastDIB& src, TFastDIB& dst, bool smooth, double sinA, double cosA)
{
    const int32_t sinF = RoundHalfEven(sinA * 65536.0);
    const int32_t cosF = RoundHalfEven(cosA * 65536.0);
    RotateFixed(src, dst, dst.Width() >> 1, dst.AbsHeight() >> 1, sinF, cosF, smooth);
}

void RotateFixed(const TFastDIB& src, TFastDIB& dst, int32_t cx, int32_t cy, int32_t sinF, int32_t cosF, bool smooth)
{
    if (dst.Width() <= 0 || dst.AbsHeight() <= 0) {
        return;
    }
    if (&src == &dst) {
        // Turning a surface into itself would sample pixels already written; turn a copy.
        TFastDIB copy;
        copy.SetSize(src.Width(), src.AbsHeight(), 24);
        copy.CopyRect(src, 0, 0, src.Width(), src.AbsHeight(), 0, 0);
        RotateRows(copy, dst, cx, cy, sinF, cosF, smooth);
        return;
    }
    RotateRows(src, dst, cx, cy, sinF, cosF, smooth);
}
