#pragma once

// Small helpers of the layer tests: surfaces filled with one colour, pixels addressed from the
// top, and a hash of a whole picture.
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"

#include <cstdint>
#include <memory>
#include <ostream>

inline std::ostream& operator<<(std::ostream& out, const TFColor& c)
{
    return out << "(r " << int(c.r) << ", g " << int(c.g) << ", b " << int(c.b) << ")";
}

constexpr TFColor BlackPixel{0, 0, 0};
constexpr TFColor WhitePixel{255, 255, 255};

inline std::unique_ptr<TFastDIB> MakeSurface(int width, int height, TFColor fill = WhitePixel)
{
    auto bmp = std::make_unique<TFastDIB>();
    bmp->SetSize(width, height, 24);
    FillSurface(*bmp, fill);
    return bmp;
}

// Pixel at column x, row y counted from the top.
inline TFColor At(const TFastDIB& bmp, int x, int y) { return bmp.GetPixel(bmp.AbsHeight() - 1 - y, x); }

// FNV-1a over the pixels of every row (the padding at the row ends left out).
inline uint64_t SurfaceHash(const TFastDIB& bmp)
{
    uint64_t hash = 14695981039346656037ull;
    for (int row = 0; row < bmp.AbsHeight(); ++row) {
        const uint8_t* bytes = bmp.Scanline(row);
        for (int i = 0; i < 3 * bmp.Width(); ++i) {
            hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    }
    return hash;
}

// The number of pixels that are not white.
inline int CountMarked(const TFastDIB& bmp)
{
    int count = 0;
    for (int y = 0; y < bmp.AbsHeight(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            if (!(At(bmp, x, y) == WhitePixel)) {
                ++count;
            }
        }
    }
    return count;
}
