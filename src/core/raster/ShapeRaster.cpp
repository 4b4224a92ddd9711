#include "raster/ShapeRaster.h"

#include "raster/FastDIB.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// A run of columns lo..hi (inclusive) on one row; empty when lo > hi.
struct TSpan {
    int64_t Lo = 1;
    int64_t Hi = 0;

    bool Empty() const { return Lo > Hi; }
};

TSpan Intersect(TSpan a, TSpan b)
{
    if (a.Empty() || b.Empty()) {
        return TSpan{};
    }
    return TSpan{std::max(a.Lo, b.Lo), std::min(a.Hi, b.Hi)};
}

// A normalised box: columns Left..Right-1, rows Top..Bottom-1 (y from the top). 64 bits, so that
// growing a box given with extreme 32-bit corners cannot overflow.
struct TBox {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;

    bool Empty() const { return Right <= Left || Bottom <= Top; }
    TBox Grown(int64_t by) const { return TBox{Left - by, Top - by, Right + by, Bottom + by}; }
};

TBox Normalised(const TRect& r)
{
    TBox box{r.Left, r.Top, r.Right, r.Bottom};
    if (box.Left > box.Right) {
        std::swap(box.Left, box.Right);
    }
    if (box.Top > box.Bottom) {
        std::swap(box.Top, box.Bottom);
    }
    return box;
}

// Which columns of row j the shape inscribed in box covers. Spans are clamped to a few columns
// beyond the surface (width `limit`), which keeps every later step in range without changing the
// on-surface result.
class TShapeSpans {
public:
    TShapeSpans(TShapeKind kind, const TBox& box, int64_t limit) : FKind(kind), FBox(box), FLimit(limit)
    {
        // Ellipse geometry in pixel units: the box spans [Left, Right] x [Top, Bottom] as a
        // continuous area, pixel (i, j) has its centre at (i + 0.5, j + 0.5).
        FA = (static_cast<double>(box.Right) - static_cast<double>(box.Left)) / 2.0;
        FB = (static_cast<double>(box.Bottom) - static_cast<double>(box.Top)) / 2.0;
        FCx = (static_cast<double>(box.Left) + static_cast<double>(box.Right)) / 2.0;
        FCy = (static_cast<double>(box.Top) + static_cast<double>(box.Bottom)) / 2.0;
    }

    TSpan At(int64_t j) const
    {
        if (FBox.Empty() || j < FBox.Top || j >= FBox.Bottom) {
            return TSpan{};
        }
        if (FKind == TShapeKind::Rectangle) {
            return Clamped(static_cast<double>(FBox.Left), static_cast<double>(FBox.Right - 1));
        }
        // A pixel belongs to the disc when its centre lies inside or on the ellipse.
        const double dy = (static_cast<double>(j) + 0.5 - FCy) / FB;
        const double t = 1.0 - dy * dy;
        if (t < 0.0) {
            return TSpan{};
        }
        const double halfWidth = FA * std::sqrt(t);
        const double lo = std::ceil(FCx - 0.5 - halfWidth);
        const double hi = std::floor(FCx - 0.5 + halfWidth);
        if (lo > hi) {
            return TSpan{};
        }
        return Clamped(lo, hi);
    }

    // The pixels of the shape whose four neighbours all belong to it too: everything but the
    // one-pixel boundary.
    TSpan InteriorAt(int64_t j) const
    {
        TSpan row = At(j);
        if (row.Empty()) {
            return row;
        }
        row.Lo += 1;
        row.Hi -= 1;
        return Intersect(Intersect(row, At(j - 1)), At(j + 1));
    }

    // Whether the outline near pixel (i, j) runs more horizontally than vertically; the line
    // patterns count along columns there and along rows elsewhere.
    bool MostlyHorizontalAt(int64_t i, int64_t j, int64_t bandWidth) const
    {
        if (FKind == TShapeKind::Rectangle) {
            return j < FBox.Top + bandWidth || j >= FBox.Bottom - bandWidth;
        }
        const double x = static_cast<double>(i) + 0.5 - FCx;
        const double y = static_cast<double>(j) + 0.5 - FCy;
        return std::fabs(y) * FA * FA >= std::fabs(x) * FB * FB;
    }

private:
    TSpan Clamped(double lo, double hi) const
    {
        const double low = -4.0;
        const double high = static_cast<double>(FLimit) + 4.0;
        return TSpan{static_cast<int64_t>(std::clamp(lo, low, high)), static_cast<int64_t>(std::clamp(hi, low, high))};
    }

    TShapeKind FKind;
    TBox FBox;
    int64_t FLimit;
    double FA = 0.0;
    double FB = 0.0;
    double FCx = 0.0;
    double FCy = 0.0;
};

// Cosmetic line patterns, counted along the outline's major coordinate k.
bool PatternOn(int style, int64_t k)
{
    switch (style) {
    case PenDot:
        return (k & 1) == 0;
    case PenDashDot: {
        // A six-pixel dash, a three-pixel gap, a one-pixel dot and a three-pixel gap.
        const int64_t phase = ((k % 13) + 13) % 13;
        return phase < 6 || phase == 9;
    }
    default:
        return true;
    }
}

void FillRun(TFastDIB& bmp, int64_t j, TSpan span, TFColor c)
{
    span = Intersect(span, TSpan{0, static_cast<int64_t>(bmp.Width()) - 1});
    if (span.Empty()) {
        return;
    }
    TFColor* row = bmp.Pixels24(static_cast<int>(bmp.AbsHeight() - 1 - j));
    std::fill(row + span.Lo, row + span.Hi + 1, c);
}

} // namespace

void DrawShape(TFastDIB& bmp, TShapeKind kind, const TRect& rect)
{
    const TBox box = Normalised(rect);
    if (box.Empty() || bmp.Width() <= 0 || bmp.AbsHeight() <= 0) {
        return;
    }
    const int64_t width = bmp.Width();
    const int64_t rows = bmp.AbsHeight();
    const bool hasPen = bmp.PenStyle() != PenNull;
    const bool hasBrush = bmp.BrushStyle() != BrushHollow;
    const TFColor penColor = ColorRefToFColor(bmp.PenColor());
    const TFColor brushColor = ColorRefToFColor(bmp.BrushColor());

    if (!hasPen) {
        if (!hasBrush) {
            return;
        }
        // Without an outline the platform leaves out the right column and bottom row of a
        // rectangle; an ellipse keeps its whole disc.
        TBox fillBox = box;
        if (kind == TShapeKind::Rectangle) {
            fillBox.Right -= 1;
            fillBox.Bottom -= 1;
        }
        const TShapeSpans fill(kind, fillBox, width);
        for (int64_t j = std::max<int64_t>(fillBox.Top, 0); j < std::min(fillBox.Bottom, rows); ++j) {
            FillRun(bmp, j, fill.At(j), brushColor);
        }
        return;
    }

    // Pen widths beyond the surface's size draw the same as a width of MaxSide; the cap keeps the
    // box arithmetic small.
    const int64_t penWidth = std::clamp<int64_t>(bmp.PenWidth(), 1, TFastDIB::MaxSide);
    const int64_t outside = penWidth / 2;
    const int64_t inside = penWidth - 1 - outside;
    const TBox outerBox = box.Grown(outside);
    const TBox innerBox = box.Grown(-inside);
    const TShapeSpans outer(kind, outerBox, width);
    const TShapeSpans inner(kind, innerBox, width);
    const TShapeSpans shape(kind, box, width);
    const bool patterned = penWidth == 1 && (bmp.PenStyle() == PenDot || bmp.PenStyle() == PenDashDot);

    const auto drawOutline = [&](int64_t j, TSpan span) {
        span = Intersect(span, TSpan{0, width - 1});
        if (span.Empty()) {
            return;
        }
        TFColor* row = bmp.Pixels24(static_cast<int>(rows - 1 - j));
        if (!patterned) {
            std::fill(row + span.Lo, row + span.Hi + 1, penColor);
            return;
        }
        for (int64_t i = span.Lo; i <= span.Hi; ++i) {
            const int64_t k = shape.MostlyHorizontalAt(i, j, penWidth) ? i : j;
            if (PatternOn(bmp.PenStyle(), k)) {
                row[i] = penColor;
            }
        }
    };

    for (int64_t j = std::max<int64_t>(outerBox.Top, 0); j < std::min(outerBox.Bottom, rows); ++j) {
        const TSpan band = outer.At(j);
        if (band.Empty()) {
            continue;
        }
        const TSpan interior = inner.InteriorAt(j);
        if (interior.Empty()) {
            drawOutline(j, band);
            continue;
        }
        if (hasBrush) {
            FillRun(bmp, j, interior, brushColor);
        }
        drawOutline(j, TSpan{band.Lo, std::min(band.Hi, interior.Lo - 1)});
        drawOutline(j, TSpan{std::max(band.Lo, interior.Hi + 1), band.Hi});
    }
}

void DrawFocusOutline(TFastDIB& bmp, const TRect& r)
{
    const TBox box = Normalised(r);
    if (box.Empty()) {
        return;
    }
    const int64_t width = bmp.Width();
    const int64_t rows = bmp.AbsHeight();
    const auto invert = [&](int64_t i, int64_t j) {
        if (i < 0 || i >= width || j < 0 || j >= rows || ((i + j) & 1) != 0) {
            return;
        }
        TFColor& p = bmp.Pixels24(static_cast<int>(rows - 1 - j))[i];
        p.b ^= 0xFF;
        p.g ^= 0xFF;
        p.r ^= 0xFF;
    };

    // Each pixel of the outline is visited once, also when the box is one pixel wide or high, so
    // that a second call undoes the first. Only the visible part of each edge is walked.
    const int64_t right = box.Right - 1;
    const int64_t bottom = box.Bottom - 1;
    const int64_t colBegin = std::max<int64_t>(box.Left, 0);
    const int64_t colEnd = std::min(right, width - 1);
    for (int64_t i = colBegin; i <= colEnd; ++i) {
        invert(i, box.Top);
        if (bottom != box.Top) {
            invert(i, bottom);
        }
    }
    const int64_t rowBegin = std::max<int64_t>(box.Top + 1, 0);
    const int64_t rowEnd = std::min(bottom - 1, rows - 1);
    for (int64_t j = rowBegin; j <= rowEnd; ++j) {
        invert(box.Left, j);
        if (right != box.Left) {
            invert(right, j);
        }
    }
}
