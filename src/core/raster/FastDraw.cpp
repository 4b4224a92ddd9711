#include "raster/FastDraw.h"

#include "support/Rounding.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The end-point rule's moves. Each divides the product of two integer differences in floating
// point and rounds halves to even. The differences and the product are taken in 64 bits: the
// point being moved may lie anywhere in the 32-bit range (an object dragged far off the bench),
// while the anchor and the target column or row lie on the surface, so the product stays far below
// 2^53 and converts to double exactly. Wherever the 32-bit product did not overflow the result is
// the same.
int32_t Interpolate(int64_t numeratorA, int64_t numeratorB, int64_t denominator, int64_t offset)
{
    const int64_t product = numeratorA * numeratorB;
    return RoundHalfEven(static_cast<double>(product) / static_cast<double>(denominator) + static_cast<double>(offset));
}

void MoveToColumn(int& px, int& py, int ax, int ay, int column)
{
    py = Interpolate(int64_t{column} - ax, int64_t{py} - ay, int64_t{px} - ax, ay);
    px = column;
}

void MoveToRow(int& px, int& py, int ax, int ay, int row)
{
    px = Interpolate(int64_t{row} - ay, int64_t{px} - ax, int64_t{py} - ay, ax);
    py = row;
}

void MoveToCorner(int& px, int& py, int ax, int ay, int cornerX, int cornerY)
{
    int32_t ny = Interpolate(int64_t{cornerX} - ax, int64_t{py} - ay, int64_t{px} - ax, ay);
    int32_t nx = cornerX;
    if (std::llabs(int64_t{ny} - ay) > std::llabs(int64_t{cornerY} - ay)) {
        // The line meets the corner's column beyond the corner's row: it leaves through the row.
        ny = cornerY;
        nx = Interpolate(int64_t{px} - ax, int64_t{cornerY} - ay, int64_t{py} - ay, ax);
    }
    px = nx;
    py = ny;
}

// Moves (px, py) along the line toward the on-surface anchor (ax, ay) until it lies on the
// surface of width w and height h.
void MoveEndPoint(int& px, int& py, int ax, int ay, int w, int h)
{
    if (px < 0) {
        if (py < 0) {
            MoveToCorner(px, py, ax, ay, 0, 0);
        } else if (py > h - 1) {
            MoveToCorner(px, py, ax, ay, 0, h - 1);
        } else {
            MoveToColumn(px, py, ax, ay, 0);
        }
    } else if (py < 0) {
        MoveToRow(px, py, ax, ay, 0);
    }

    if (px > w - 1) {
        if (py > h - 1) {
            MoveToCorner(px, py, ax, ay, w - 1, h - 1);
        } else if (py < 0) {
            MoveToCorner(px, py, ax, ay, w - 1, 0);
        } else {
            MoveToColumn(px, py, ax, ay, w - 1);
        }
    } else if (py > h - 1) {
        MoveToRow(px, py, ax, ay, h - 1);
    }
}

// Bresenham's line in closed form, for end points off the surface (x, memory row). After n steps
// along the major axis the walk has made floor((2 n minor + major) / (2 major)) steps along the
// minor axis, exactly as the incremental error term decides (ties step). Only the steps whose major
// coordinate lies on the surface are visited, so a far end point costs nothing, and the products
// are taken in 128 bits because the distances may approach 2^32.
__extension__ using TWideInt = __int128;

void LineOffSurface(TFastDIB& bmp, int64_t x, int64_t y, int64_t xEnd, int64_t yEnd, TFColor c)
{
    const int64_t w = bmp.Width();
    const int64_t h = bmp.AbsHeight();
    const int64_t adx = xEnd >= x ? xEnd - x : x - xEnd;
    const int64_t ady = yEnd >= y ? yEnd - y : y - yEnd;
    const bool shallow = ady < adx;
    const int64_t major = shallow ? adx : ady;
    const int64_t minor = shallow ? ady : adx;
    const int64_t majorStart = shallow ? x : y;
    const int64_t minorStart = shallow ? y : x;
    const int64_t majorSign = shallow ? (xEnd >= x ? 1 : -1) : (yEnd >= y ? 1 : -1);
    const int64_t minorSign = shallow ? (yEnd >= y ? 1 : -1) : (xEnd >= x ? 1 : -1);
    const int64_t majorLimit = shallow ? w : h;
    const int64_t minorLimit = shallow ? h : w;

    int64_t first = 0;
    int64_t last = major;
    if (majorSign > 0) {
        first = std::max<int64_t>(first, -majorStart);
        last = std::min<int64_t>(last, majorLimit - 1 - majorStart);
    } else {
        first = std::max<int64_t>(first, majorStart - (majorLimit - 1));
        last = std::min<int64_t>(last, majorStart);
    }
    for (int64_t n = first; n <= last; ++n) {
        const int64_t steps =
            major == 0 ? 0 : static_cast<int64_t>((TWideInt{2} * n * minor + major) / (TWideInt{2} * major));
        const int64_t a = majorStart + majorSign * n;
        const int64_t b = minorStart + minorSign * steps;
        if (b < 0 || b >= minorLimit) {
            continue;
        }
        const int64_t px = shallow ? a : b;
        const int64_t py = shallow ? b : a;
        bmp.Pixels24(static_cast<int>(py))[px] = c;
    }
}

// Wu blending with weight w (0..255, in 1/256): the pixel on the line keeps w/256 of its old
// value and takes the rest from the line colour; its neighbour takes w/256 of the line colour.
// The floor is taken of the signed product, so every result lies between the two blended values.
inline void BlendMain(TFColor& p, TFColor c, int w)
{
    p.b = static_cast<uint8_t>(c.b + (((p.b - c.b) * w) >> 8));
    p.g = static_cast<uint8_t>(c.g + (((p.g - c.g) * w) >> 8));
    p.r = static_cast<uint8_t>(c.r + (((p.r - c.r) * w) >> 8));
}

inline void BlendNeighbour(TFColor& q, TFColor c, int w)
{
    q.b = static_cast<uint8_t>(q.b + (((c.b - q.b) * w) >> 8));
    q.g = static_cast<uint8_t>(q.g + (((c.g - q.g) * w) >> 8));
    q.r = static_cast<uint8_t>(q.r + (((c.r - q.r) * w) >> 8));
}

} // namespace

bool ClipLine(const TFastDIB& bmp, int& x1, int& y1, int& x2, int& y2)
{
    const int w = bmp.Width();
    const int h = bmp.AbsHeight();
    const bool firstOutside = x1 < 0 || x1 > w - 1 || y1 < 0 || y1 > h - 1;
    const bool secondOutside = x2 < 0 || x2 > w - 1 || y2 < 0 || y2 > h - 1;

    // Rejected as well: lines lying on the first or last column or row, and lines that cross the
    // surface with both ends outside it. Callers rely on this look.
    if (firstOutside && secondOutside) {
        return false;
    }
    if ((x1 <= 0 && x2 <= 0) || (x1 >= w - 1 && x2 >= w - 1) || (y1 <= 0 && y2 <= 0) || (y1 >= h - 1 && y2 >= h - 1)) {
        return false;
    }

    if (firstOutside) {
        MoveEndPoint(x1, y1, x2, y2, w, h);
    }
    if (secondOutside) {
        MoveEndPoint(x2, y2, x1, y1, w, h);
    }
    return true;
}

void Line(TFastDIB& bmp, int x1, int y1, int x2, int y2, TFColor c)
{
    const int64_t w = bmp.Width();
    const int64_t h = bmp.AbsHeight();
    int64_t x = x1;
    int64_t y = y1;
    int64_t xEnd = x2;
    int64_t yEnd = y2;
    if (bmp.Height() > 0) {
        y = h - 1 - y;
        yEnd = h - 1 - yEnd;
    }
    // Callers pass end points on the surface. Anything else is drawn by the bounds-checked
    // variant, which gives the same pixels wherever they fall on the surface.
    if (x < 0 || x >= w || y < 0 || y >= h || xEnd < 0 || xEnd >= w || yEnd < 0 || yEnd >= h) {
        LineOffSurface(bmp, x, y, xEnd, yEnd, c);
        return;
    }
    // From here on every value is below MaxSide, so int arithmetic is safe.
    int px = static_cast<int>(x);
    int py = static_cast<int>(y);
    const int qx = static_cast<int>(xEnd);
    const int qy = static_cast<int>(yEnd);
    const int adx = std::abs(qx - px);
    const int ady = std::abs(qy - py);
    const int ddx = 2 * adx;
    const int ddy = 2 * ady;
    const int sx = qx >= px ? 1 : -1;
    const int sy = qy >= py ? 1 : -1;

    bmp.Pixels24(py)[px] = c;
    if (ddy < ddx) {
        int e = ddy - adx;
        while (px != qx) {
            const bool step = e >= 0;
            if (step) {
                py += sy;
            }
            px += sx;
            bmp.Pixels24(py)[px] = c;
            e += step ? ddy - ddx : ddy;
        }
    } else {
        int e = ddx - ady;
        while (py != qy) {
            py += sy;
            const bool step = e >= 0;
            if (step) {
                px += sx;
            }
            bmp.Pixels24(py)[px] = c;
            e += step ? ddx - ddy : ddx;
        }
    }
}

void SmoothLine(TFastDIB& bmp, int x1, int y1, int x2, int y2, TFColor c)
{
    // Anti-aliased line after Xiaolin Wu: a 16-bit error fraction decides how the colour is shared
    // between the pixel on the line and its neighbour one step along the minor axis.
    if (!ClipLine(bmp, x1, y1, x2, y2)) {
        return;
    }
    if (x1 == x2 || y1 == y2) {
        Line(bmp, x1, y1, x2, y2, c);
        return;
    }

    // After clipping both end points lie on the surface, so all of this stays below 2^31.
    if (bmp.Height() > 0) {
        y1 = bmp.AbsHeight() - 1 - y1;
        y2 = bmp.AbsHeight() - 1 - y2;
    }
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    int dx = x2 - x1;
    int sx = 1;
    if (dx < 0) {
        sx = -1;
        dx = -dx;
    }
    const int dy = y2 - y1;
    int e = 0;

    bmp.Pixels24(y1)[x1] = c;
    if (dy > dx) {
        const int step = (dx * 65536) / dy;
        for (int k = 0; k < dy - 1; ++k) {
            const int next = (e + step) & 0xFFFF;
            if (next <= e) {
                x1 += sx;
            }
            e = next;
            ++y1;
            const int w = e >> 8;
            TFColor* row = bmp.Pixels24(y1);
            BlendMain(row[x1], c, w);
            BlendNeighbour(row[x1 + sx], c, w);
        }
    } else {
        const int step = (dy * 65536) / dx;
        for (int k = 0; k < dx - 1; ++k) {
            const int next = (e + step) & 0xFFFF;
            if (next <= e) {
                ++y1;
            }
            e = next;
            x1 += sx;
            const int w = e >> 8;
            BlendMain(bmp.Pixels24(y1)[x1], c, w);
            // The neighbour one memory row up.
            BlendNeighbour(bmp.Pixels24(y1 + 1)[x1], c, w);
        }
    }
    bmp.Pixels24(y2)[x2] = c;
}

void SmoothPolyline(TFastDIB& bmp, const TPoint* points, TFColor c, int count, int step)
{
    if (points == nullptr || step < 1 || count < 2) {
        return;
    }
    const int segments = (count - 1) / step;
    int f = 0;
    for (int g = 0; g < segments; ++g) {
        f = g * step;
        SmoothLine(bmp, points[f].X, points[f].Y, points[f + step].X, points[f + step].Y, c);
    }
    // The short piece to the last point; never when not even one full step fits.
    if (f + step < count - 1) {
        SmoothLine(bmp, points[f + step].X, points[f + step].Y, points[count - 1].X, points[count - 1].Y, c);
    }
}

void GradientRect(TFastDIB& bmp, int x1, int y1, int x2, int y2, TFColor c1, TFColor c2, TFColor c3, TFColor c4)
{
    if (y2 <= y1) {
        return;
    }
    // 64-bit working values: the corners may lie anywhere, and only the part on the surface is
    // written, with the same colours as if the whole rectangle had been drawn.
    const int64_t hstep = x2 == x1 ? 0 : 65536 / (int64_t{x2} - x1);
    const int64_t vstep = 65536 / (int64_t{y2} - y1);
    const int64_t colBegin = std::max<int64_t>(x1, 0);
    const int64_t colEnd = std::min<int64_t>(x2, bmp.Width());
    const int64_t rowBegin = std::max<int64_t>(y1, 0);
    const int64_t rowEnd = std::min<int64_t>(y2, bmp.AbsHeight());
    if (colBegin >= colEnd || rowBegin >= rowEnd) {
        return;
    }
    const uint8_t top[2][3] = {{c1.b, c1.g, c1.r}, {c2.b, c2.g, c2.r}};
    const uint8_t bottom[2][3] = {{c3.b, c3.g, c3.r}, {c4.b, c4.g, c4.r}};

    for (int64_t r = rowBegin; r < rowEnd; ++r) {
        const int64_t wb = (r - y1) * vstep;
        const int64_t wt = 65536 - wb;
        int64_t acc[3];
        int64_t inc[3];
        bool flat = true;
        for (int k = 0; k < 3; ++k) {
            const int64_t left = (wt * top[0][k] + wb * bottom[0][k]) >> 16;
            const int64_t right = (wt * top[1][k] + wb * bottom[1][k]) >> 16;
            inc[k] = hstep * (right - left);
            // The accumulator after the columns left of the surface have been stepped over.
            acc[k] = (left << 16) + (colBegin - x1) * inc[k];
            flat = flat && inc[k] == 0;
        }
        TFColor* row = bmp.Pixels24(static_cast<int>(r));
        if (flat) {
            // Equal left and right colours: every pixel of the row is the same.
            const TFColor p{static_cast<uint8_t>(((acc[0]) >> 16) & 0xFF), static_cast<uint8_t>(((acc[1]) >> 16) & 0xFF),
                            static_cast<uint8_t>(((acc[2]) >> 16) & 0xFF)};
            std::fill(row + colBegin, row + colEnd, p);
            continue;
        }
        for (int64_t x = colBegin; x < colEnd; ++x) {
            uint8_t* p = reinterpret_cast<uint8_t*>(row + x);
            for (int k = 0; k < 3; ++k) {
                acc[k] += inc[k];
                p[k] = static_cast<uint8_t>((acc[k] >> 16) & 0xFF);
            }
        }
    }
}

void FillSurface(TFastDIB& bmp, TFColor c) { GradientRect(bmp, 0, 0, bmp.Width(), bmp.AbsHeight(), c, c, c, c); }
