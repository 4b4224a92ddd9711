#pragma once

#include "objects/FieldTables.h"
#include "raster/RasterTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

// A frame colour that no object paints, so that every painted pixel can be told apart.
constexpr TFColor Background = MakeFColor(30, 90, 160);

inline std::unique_ptr<TFastDIB> MakeFrame(int w, int h) { return MakeSurface(w, h, Background); }

// Start-up builds the field tables and the master pictures once per process.
class PaintingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureStartupTables(); }
};

struct TCentroid {
    double X = 0.0;
    double Y = 0.0;
    int Count = 0;
};

// Mean position (column, row from the top) of the pixels that satisfy `keep`.
inline TCentroid CentroidOf(const TFastDIB& bmp, const std::function<bool(TFColor)>& keep)
{
    TCentroid c;
    for (int y = 0; y < bmp.AbsHeight(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x) {
            if (keep(At(bmp, x, y))) {
                c.X += x;
                c.Y += y;
                ++c.Count;
            }
        }
    }
    if (c.Count > 0) {
        c.X /= c.Count;
        c.Y /= c.Count;
    }
    return c;
}

inline bool IsReddish(TFColor p) { return p.r > 200 && p.g < 90 && p.b < 90; }
inline bool IsBluish(TFColor p) { return p.b > 200 && p.r < 90 && p.g < 90; }
inline bool IsGreenish(TFColor p) { return p.g > 150 && p.r < 110 && p.b < 110; }
