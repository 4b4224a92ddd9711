#pragma once

#include "raster/Color.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The standard 40-byte BMP information header; Height > 0 means bottom-up rows.
struct TBMInfoHeader {
    uint32_t Size = 40;
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t Planes = 1;
    uint16_t BitCount = 0;
    uint32_t Compression = 0;
    uint32_t SizeImage = 0;
    int32_t XPelsPerMeter = 0;
    int32_t YPelsPerMeter = 0;
    uint32_t ClrUsed = 0;
    uint32_t ClrImportant = 0;
};

// Pen styles of SetPen.
enum : int {
    PenSolid = 0,
    PenDot = 2,
    PenDashDot = 3,
    PenNull = 5,
};
// Brush styles of SetBrush.
enum : int {
    BrushSolid = 0,
    BrushHollow = 1,
};

// A 24-bit, bottom-up pixel surface (the layout of a BMP file's pixel block) with a small drawing
// context of its own (pen, brush, ellipse, rectangle, focus rectangle) bound to the same pixels.
//
// Rows: memory row 0 is the bottom row of the picture. SetPixel, GetPixel, Scanlines/Pixels24
// count memory rows; CopyRect, TransDraw, the shapes and the copy-out count y from the top.
//
// Size: width and height are capped at MaxSide (16384) so that no row or fixed-point product can
// overflow; SetSize with a larger or negative size gives an empty (0 x 0) surface.
//
// Threads: a surface has no lock; its owner decides who may touch it.
class TFastDIB {
public:
    static constexpr int MaxSide = 16384;

    TFastDIB() = default;
    TFastDIB(const TFastDIB&) = delete;
    TFastDIB& operator=(const TFastDIB&) = delete;

    int Width() const { return FInfo.Width; }
    int Height() const { return FInfo.Height; }
    int AbsHeight() const { return FAbsHeight; }
    int BWidth() const { return FBWidth; } // bytes per row, padded to a multiple of 4
    int Gap() const { return FGap; }       // spare bytes at the end of each row
    int Bpp() const { return FInfo.BitCount; }
    const TBMInfoHeader& Info() const { return FInfo; }

    uint8_t* Bits() { return FPixels.empty() ? nullptr : FPixels.data(); }
    const uint8_t* Bits() const { return FPixels.empty() ? nullptr : FPixels.data(); }
    uint8_t* Scanline(int row) { return FScanlines[static_cast<size_t>(row)]; }
    const uint8_t* Scanline(int row) const { return FScanlines[static_cast<size_t>(row)]; }
    TFColor* Pixels24(int row) { return reinterpret_cast<TFColor*>(FScanlines[static_cast<size_t>(row)]); }
    const TFColor* Pixels24(int row) const
    {
        return reinterpret_cast<const TFColor*>(FScanlines[static_cast<size_t>(row)]);
    }

    // Gives the surface width x height pixels of depth bpp (always 24 here). The same size and
    // depth keep the pixels; any other size gives all-black pixels. Sizes outside 0..MaxSide give
    // an empty surface.
    void SetSize(int width, int height, int bpp = 24);

    // Pixel at memory row y (0 = bottom), column x. Bounds are the caller's duty (asserted in
    // builds with assertions).
    void SetPixel(int y, int x, TFColor c);
    TFColor GetPixel(int y, int x) const;

    // Copies the w x h rectangle at (sx, sy) of src to (x, y) of this surface, y's from the top,
    // clipped to both surfaces in the classic order (see the implementation).
    void CopyRect(const TFastDIB& src, int x, int y, int w, int h, int sx, int sy);

    // Draws this whole surface onto dst with its top-left corner at (x, y) (from the top), leaving
    // out every pixel equal to key in all three channels; clipped to dst.
    void TransDraw(TFastDIB& dst, int x, int y, TFColor key) const;

    // Copies the w x h rectangle at (sx, sy) of this surface (y from the top) into a top-down
    // 32-bit buffer (0xFFRRGGBB per pixel, as Qt's RGB32 images hold it) at (x, y); `stride` is the
    // buffer's row length in pixels, dstWidth x dstHeight its size. Clipped to both.
    void DrawRect(uint32_t* dst, int stride, int dstWidth, int dstHeight, int x, int y, int w, int h, int sx,
                  int sy) const;

    // Drawing context. Colours are colour references (red in the low byte).
    void SetPen(int style, int width, TColorRef color);
    void SetBrush(int style, int hatch, TColorRef color);
    // The pen and brush currently selected, so that a painter can select them again afterwards.
    int PenStyle() const { return FPenStyle; }
    int PenWidth() const { return FPenWidth; }
    TColorRef PenColor() const { return FPenColor; }
    int BrushStyle() const { return FBrushStyle; }
    TColorRef BrushColor() const { return FBrushColor; }
    // The ellipse inscribed in the box that excludes the right and bottom edges, outlined with the
    // pen and filled with the brush. Swapped corners are normalised. Clipped.
    void Ellipse(int x1, int y1, int x2, int y2);
    // The rectangle of the box; with the null pen it fills one pixel less each way. Clipped.
    void Rectangle(int x1, int y1, int x2, int y2);
    // A dotted one-pixel outline of r (Right and Bottom excluded), combined by exclusive-or.
    void DrawFocusRect(const TRect& r);

private:
    TBMInfoHeader FInfo{};
    int FAbsHeight = 0;
    int FBWidth = 0;
    int FGap = 0;
    std::vector<uint8_t> FPixels;
    std::vector<uint8_t*> FScanlines;

    int FPenStyle = PenSolid;
    int FPenWidth = 0;
    TColorRef FPenColor = 0;
    int FBrushStyle = BrushSolid;
    TColorRef FBrushColor = 0xFFFFFF;
};
