#include "raster/FastDIB.h"

#include "raster/ShapeRaster.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace {

// Bytes per row for a 24-bit row of `width` pixels, padded up to a multiple of 4.
int RowBytes(int width) { return ((width * 24 + 31) & ~31) / 8; }

} // namespace

void TFastDIB::SetSize(int width, int height, int bpp)
{
    if (!FPixels.empty() && width == FInfo.Width && height == FInfo.Height && bpp == FInfo.BitCount) {
        return;
    }

    FInfo = TBMInfoHeader{};
    FAbsHeight = 0;
    FBWidth = 0;
    FGap = 0;
    FPixels.clear();
    FPixels.shrink_to_fit();
    FScanlines.clear();
    FScanlines.shrink_to_fit();
    // A fresh drawing context starts with a black one-pixel solid pen and a white solid brush.
    FPenStyle = PenSolid;
    FPenWidth = 0;
    FPenColor = 0;
    FBrushStyle = BrushSolid;
    FBrushColor = 0xFFFFFF;

    // Only 24-bit surfaces exist in this program. A size beyond MaxSide would let the row and
    // fixed-point arithmetic overflow, and a negative height (a top-down surface) is not used by
    // anybody; all of these, and a zero area, give a clean empty surface with no rows.
    FInfo.BitCount = 24;
    if (bpp != 24 || width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) {
        return;
    }

    FInfo.Width = width;
    FInfo.Height = height;
    FAbsHeight = height;
    FBWidth = RowBytes(width);
    FGap = FBWidth - 3 * width;
    // At most 16384 rows of 49152 bytes: 768 MiB, well inside 32 bits.
    FInfo.SizeImage = static_cast<uint32_t>(FAbsHeight) * static_cast<uint32_t>(FBWidth);
    FPixels.assign(FInfo.SizeImage, 0);
    FScanlines.resize(static_cast<size_t>(FAbsHeight));
    for (int row = 0; row < FAbsHeight; ++row) {
        FScanlines[static_cast<size_t>(row)] = FPixels.data() + static_cast<size_t>(row) * static_cast<size_t>(FBWidth);
    }
}

void TFastDIB::SetPixel(int y, int x, TFColor c)
{
    assert(x >= 0 && x < Width() && y >= 0 && y < FAbsHeight);
    Pixels24(y)[x] = c;
}

TFColor TFastDIB::GetPixel(int y, int x) const
{
    assert(x >= 0 && x < Width() && y >= 0 && y < FAbsHeight);
    return Pixels24(y)[x];
}

void TFastDIB::CopyRect(const TFastDIB& src, int x, int y, int w, int h, int sx, int sy)
{
    // Clipping order: both y's become memory rows of the rectangle's bottom row; negative
    // destination and then source coordinates move both corners and shrink the rectangle; a start
    // beyond either surface copies nothing; the size is then cut to the source and to this
    // surface. The net effect is the plain clipped copy. It runs in 64 bits so that no combination
    // of arguments can overflow; wherever the 32-bit arithmetic stays in range the result is the
    // same.
    int64_t dx = x;
    int64_t dy = y;
    int64_t cw = w;
    int64_t ch = h;
    int64_t ssx = sx;
    int64_t ssy = sy;
    const int64_t srcWidth = src.Width();
    const int64_t srcRows = src.AbsHeight();
    const int64_t dstWidth = Width();
    const int64_t dstRows = FAbsHeight;

    // Both y's become the memory row of the rectangle's bottom row.
    dy = dstRows - ch - dy;
    ssy = srcRows - ch - ssy;

    if (dx < 0) {
        ssx -= dx;
        cw += dx;
        dx = 0;
    }
    if (dy < 0) {
        ssy -= dy;
        ch += dy;
        dy = 0;
    }
    if (ssx < 0) {
        dx -= ssx;
        cw += ssx;
        ssx = 0;
    }
    if (ssy < 0) {
        dy -= ssy;
        ch += ssy;
        ssy = 0;
    }

    if (ssx >= srcWidth || ssy >= srcRows || dx >= dstWidth || dy >= dstRows) {
        return;
    }
    if (ssx + cw >= srcWidth) {
        cw = srcWidth - ssx;
    }
    if (ssy + ch >= srcRows) {
        ch = srcRows - ssy;
    }
    if (dx + cw >= dstWidth) {
        cw = dstWidth - dx;
    }
    if (dy + ch >= dstRows) {
        ch = dstRows - dy;
    }
    if (ch <= 0 || cw <= 0) {
        return;
    }

    // memmove: a surface may copy a part of itself onto an overlapping part.
    const size_t spanBytes = static_cast<size_t>(cw) * 3;
    if (&src == this && dy > ssy) {
        // Overlapping rows: walk from the top so that no source row is overwritten before use.
        for (int64_t k = ch - 1; k >= 0; --k) {
            std::memmove(Scanline(static_cast<int>(dy + k)) + dx * 3, src.Scanline(static_cast<int>(ssy + k)) + ssx * 3,
                         spanBytes);
        }
        return;
    }
    for (int64_t k = 0; k < ch; ++k) {
        std::memmove(Scanline(static_cast<int>(dy + k)) + dx * 3, src.Scanline(static_cast<int>(ssy + k)) + ssx * 3,
                     spanBytes);
    }
}

void TFastDIB::TransDraw(TFastDIB& dst, int x, int y, TFColor key) const
{
    if (&dst == this) {
        // Drawing a surface onto itself reads pixels it has already written; work from a copy.
        TFastDIB copy;
        copy.SetSize(Width(), FAbsHeight, 24);
        copy.CopyRect(*this, 0, 0, Width(), FAbsHeight, 0, 0);
        copy.TransDraw(dst, x, y, key);
        return;
    }

    // Visible part in picture coordinates (columns i, rows j from the top) of this surface.
    const int64_t iBegin = std::max<int64_t>(0, -static_cast<int64_t>(x));
    const int64_t iEnd = std::min<int64_t>(Width(), static_cast<int64_t>(dst.Width()) - x);
    const int64_t jBegin = std::max<int64_t>(0, -static_cast<int64_t>(y));
    const int64_t jEnd = std::min<int64_t>(FAbsHeight, static_cast<int64_t>(dst.AbsHeight()) - y);
    if (iBegin >= iEnd || jBegin >= jEnd) {
        return;
    }

    const int count = static_cast<int>(iEnd - iBegin);
    const uint32_t packedKey = PackFColor(key);
    for (int64_t j = jBegin; j < jEnd; ++j) {
        const uint8_t* from = Scanline(static_cast<int>(FAbsHeight - 1 - j)) + iBegin * 3;
        uint8_t* to = dst.Scanline(static_cast<int>(dst.AbsHeight() - 1 - (y + j))) + (x + iBegin) * 3;
        // Each pixel is compared as one masked 32-bit load; the fourth byte read belongs to the next
        // pixel or the row's padding, except for the last pixel of a row, which may end the buffer
        // and is compared byte by byte.
        for (int i = 0; i < count - 1; ++i) {
            uint32_t p;
            std::memcpy(&p, from + 3 * i, 4);
            if ((p & 0xFFFFFFu) != packedKey) {
                std::memcpy(to + 3 * i, from + 3 * i, 3);
            }
        }
        const uint8_t* last = from + 3 * (count - 1);
        if (last[0] != key.b || last[1] != key.g || last[2] != key.r) {
            std::memcpy(to + 3 * (count - 1), last, 3);
        }
    }
}

void TFastDIB::DrawRect(uint32_t* dst, int stride, int dstWidth, int dstHeight, int x, int y, int w, int h, int sx,
                        int sy) const
{
    if (dst == nullptr || stride < dstWidth) {
        return;
    }
    // Clip the rectangle against the source (this surface) and the destination buffer, moving
    // both corners together.
    int64_t dx = x;
    int64_t dy = y;
    int64_t cw = w;
    int64_t ch = h;
    int64_t ssx = sx;
    int64_t ssy = sy;
    const auto clipStart = [&](int64_t& a, int64_t& b, int64_t& length) {
        const int64_t shift = std::max<int64_t>({0, -a, -b});
        a += shift;
        b += shift;
        length -= shift;
    };
    clipStart(dx, ssx, cw);
    clipStart(dy, ssy, ch);
    cw = std::min({cw, static_cast<int64_t>(dstWidth) - dx, static_cast<int64_t>(Width()) - ssx});
    ch = std::min({ch, static_cast<int64_t>(dstHeight) - dy, static_cast<int64_t>(FAbsHeight) - ssy});
    if (cw <= 0 || ch <= 0) {
        return;
    }

    for (int64_t j = 0; j < ch; ++j) {
        const TFColor* from = Pixels24(static_cast<int>(FAbsHeight - 1 - (ssy + j))) + ssx;
        uint32_t* to = dst + (dy + j) * static_cast<int64_t>(stride) + dx;
        for (int64_t i = 0; i < cw; ++i) {
            const TFColor p = from[i];
            to[i] = 0xFF000000u | (static_cast<uint32_t>(p.r) << 16) | (static_cast<uint32_t>(p.g) << 8) | p.b;
        }
    }
}

void TFastDIB::SetPen(int style, int width, TColorRef color)
{
    FPenStyle = style;
    FPenWidth = width;
    FPenColor = color & 0xFFFFFFu;
}

void TFastDIB::SetBrush(int style, int /*hatch*/, TColorRef color)
{
    FBrushStyle = style;
    FBrushColor = color & 0xFFFFFFu;
}

void TFastDIB::Ellipse(int x1, int y1, int x2, int y2)
{
    DrawShape(*this, TShapeKind::Ellipse, TRect{x1, y1, x2, y2});
}

void TFastDIB::Rectangle(int x1, int y1, int x2, int y2)
{
    DrawShape(*this, TShapeKind::Rectangle, TRect{x1, y1, x2, y2});
}

void TFastDIB::DrawFocusRect(const TRect& r) { DrawFocusOutline(*this, r); }
