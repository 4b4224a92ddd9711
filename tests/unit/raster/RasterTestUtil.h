#pragma once

#include "raster/FastDIB.h"
#include "raster/FastDraw.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

inline std::ostream& operator<<(std::ostream& out, const TFColor& c)
{
    return out << "(r " << int(c.r) << ", g " << int(c.g) << ", b " << int(c.b) << ")";
}

constexpr TFColor Black = MakeFColor(0, 0, 0);
constexpr TFColor White = MakeFColor(255, 255, 255);
constexpr TFColor Red = MakeFColor(255, 0, 0);
constexpr TFColor Blue = MakeFColor(0, 0, 255);

// A w x h surface filled with `fill`.
inline std::unique_ptr<TFastDIB> MakeSurface(int w, int h, TFColor fill = Black)
{
    auto bmp = std::make_unique<TFastDIB>();
    bmp->SetSize(w, h, 24);
    FillSurface(*bmp, fill);
    return bmp;
}

// Pixel at column x, row y counted from the top.
inline TFColor At(const TFastDIB& bmp, int x, int y) { return bmp.GetPixel(bmp.AbsHeight() - 1 - y, x); }
inline void Put(TFastDIB& bmp, int x, int y, TFColor c) { bmp.SetPixel(bmp.AbsHeight() - 1 - y, x, c); }

// Every pixel, top row first; for comparing whole surfaces.
inline std::vector<TFColor> PixelsTopDown(const TFastDIB& bmp)
{
    std::vector<TFColor> out;
    for (int y = 0; y < bmp.AbsHeight(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            out.push_back(At(bmp, x, y));
        }
    }
    return out;
}

// The surface as text, one line per row from the top: '.' for `background`, '#' for `ink`, '?'
// for anything else. Failures then show the picture.
inline std::string Picture(const TFastDIB& bmp, TFColor background, TFColor ink)
{
    std::string out;
    for (int y = 0; y < bmp.AbsHeight(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            const TFColor p = At(bmp, x, y);
            out += p == background ? '.' : p == ink ? '#' : '?';
        }
        out += '\n';
    }
    return out;
}

inline int CountPixels(const TFastDIB& bmp, TFColor c)
{
    int n = 0;
    for (const TFColor& p : PixelsTopDown(bmp)) {
        n += p == c ? 1 : 0;
    }
    return n;
}

// A surface whose every pixel has a different colour, for telling copied pixels apart.
inline std::unique_ptr<TFastDIB> MakePatterned(int w, int h)
{
    auto bmp = MakeSurface(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Put(*bmp, x, y, MakeFColor(static_cast<uint8_t>(x + 1), static_cast<uint8_t>(y + 1), 77));
        }
    }
    return bmp;
}
