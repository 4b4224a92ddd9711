// The painting helpers shared by every kind, and the kinds drawn directly rather than from a
// picture: the wire's sign disc and the uniform field's edge bars.
//
// Threads: painting runs on whichever thread composes the frame, while no other thread touches
// the scene; the master pictures it reads are written once at start-up.
#include "objects/BaseWire.h"
#include "objects/ExperimentalObject.h"
#include "objects/Palette.h"
#include "objects/UniformMagneticField.h"
#include "objects/Wire.h"
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"
#include "support/Rounding.h"

#include <algorithm>
#include <cstdint>

namespace {

// Coordinates are kept within +-FarOff before they enter integer arithmetic. No surface is wider
// or taller than TFastDIB::MaxSide and no shape drawn here reaches further than 16 pixels from its
// centre, so a centre beyond this limit draws nothing wherever it lies; the clamp only rules out
// overflow.
constexpr int32_t FarOff = 1 << 24;

int32_t ClampToFarOff(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -FarOff, FarOff)); }

// Row counted from the bottom for a row counted from the top, or the other way round.
int32_t FlipRow(const TFastDIB& BMP, int32_t row) { return ClampToFarOff(int64_t{BMP.AbsHeight()} - 1 - row); }

uint8_t LightChannel(uint8_t c)
{
    // 30 % of the way to white; 76.5 for a zero channel goes to the even neighbour, 76.
    return static_cast<uint8_t>(std::min(255, RoundHalfEven(c + 0.3 * (255 - c))));
}

uint8_t DarkChannel(uint8_t c) { return static_cast<uint8_t>(std::max(0, RoundHalfEven(0.8 * c))); }

// SetPixel at memory row `row`, column x, skipped when off the surface.
void SetPixelClipped(TFastDIB& BMP, int32_t row, int32_t x, TFColor c)
{
    if (x >= 0 && x < BMP.Width() && row >= 0 && row < BMP.AbsHeight()) {
        BMP.SetPixel(row, x, c);
    }
}

// The disc of a conductor seen end-on: a rim of radius 9, a disc of radius 7, and the white sign
// two pixels thick and eight long centred on (X, Y), Y from the top.
void DrawSignDisc(TFastDIB& BMP, double X, double Y, bool plus)
{
    const int32_t px = RoundHalfEvenClamped(X, -FarOff, FarOff);
    const int32_t py = RoundHalfEvenClamped(Y, -FarOff, FarOff);
    TExperimentalObject::DrawCircle(BMP, px, FlipRow(BMP, py), 9, plus ? Palette::LightRed : Palette::LightBlue);
    TExperimentalObject::DrawCircle(BMP, px, FlipRow(BMP, py), 7, plus ? Palette::Red : Palette::Blue);
    if (plus) {
        SmoothLine(BMP, px - 4, py, px + 3, py, Palette::White);
        SmoothLine(BMP, px, py - 4, px, py + 3, Palette::White);
        SmoothLine(BMP, px - 4, py - 1, px + 3, py - 1, Palette::White);
        SmoothLine(BMP, px - 1, py - 4, px - 1, py + 3, Palette::White);
    } else {
        SmoothLine(BMP, px - 4, py - 1, px + 3, py - 1, Palette::White);
        SmoothLine(BMP, px - 4, py, px + 3, py, Palette::White);
    }
}

} // namespace

void TExperimentalObject::DrawCircle(TFastDIB& BMP, int X, int Y, int R, TFColor C)
{
    const int32_t x = ClampToFarOff(X);
    const int32_t y = FlipRow(BMP, ClampToFarOff(Y));
    const int32_t r = std::clamp(R, 0, FarOff);

    // A solid pen and brush of the colour for this one disc; the surface's own pen and brush are
    // selected again afterwards, so a caller's drawing state survives.
    const int penStyle = BMP.PenStyle();
    const int penWidth = BMP.PenWidth();
    const TColorRef penColor = BMP.PenColor();
    const int brushStyle = BMP.BrushStyle();
    const TColorRef brushColor = BMP.BrushColor();
    BMP.SetBrush(BrushSolid, 0, FColorToColorRef(C));
    BMP.SetPen(PenSolid, 1, FColorToColorRef(C));
    BMP.Ellipse(x - r, y - r, x + r, y + r);
    BMP.SetPen(penStyle, penWidth, penColor);
    BMP.SetBrush(brushStyle, 0, brushColor);
}

void TExperimentalObject::DrawHandle(TFastDIB& BMP, int X, int Y, TFColor C)
{
    const int32_t x = ClampToFarOff(X);
    const int32_t y = ClampToFarOff(Y);
    const TFColor light{LightChannel(C.b), LightChannel(C.g), LightChannel(C.r)};
    const TFColor dark{DarkChannel(C.b), DarkChannel(C.g), DarkChannel(C.r)};

    DrawCircle(BMP, x, FlipRow(BMP, y), 6, C);
    // A light stroke at the lower left and a dark one at the upper right make the disc look like
    // a knob lit from the lower left.
    SmoothLine(BMP, x - 2, y + 1, x - 1, y + 2, light);
    SmoothLine(BMP, x + 3, y, x, y - 3, dark);
    SetPixelClipped(BMP, FlipRow(BMP, y - 2), x + 2, dark);
    SetPixelClipped(BMP, FlipRow(BMP, y + 1), x + 3, dark);
    SetPixelClipped(BMP, FlipRow(BMP, y - 3), x - 1, dark);
}

void TExperimentalObject::FillSurface(TFastDIB& BMP, TFColor C) { ::FillSurface(BMP, C); }

void TBaseWire::DrawPlusSign(TFastDIB& BMP, double X, double Y) { DrawSignDisc(BMP, X, Y, true); }

void TBaseWire::DrawMinusSign(TFastDIB& BMP, double X, double Y) { DrawSignDisc(BMP, X, Y, false); }

void TWire::Paint(TFastDIB& BMP)
{
    // Unflipped the current flows out of the bench (plus), flipped into it (minus).
    if (FIsFlipped) {
        DrawMinusSign(BMP, FCentreX, FCentreY);
    } else {
        DrawPlusSign(BMP, FCentreX, FCentreY);
    }
}

void TUniformMagneticField::Paint(TFastDIB& BMP)
{
    // Two-pixel bars down the left and right edges: red on the side the field comes from, blue on
    // the side it runs to. Line does not clip, so only columns that lie on the surface are drawn: a surface
    // narrower than four pixels gets the bars that fit (the right ones last), one with no rows
    // gets none.
    const int32_t width = BMP.Width();
    const int32_t rows = BMP.AbsHeight();
    if (width <= 0 || rows <= 0) {
        return;
    }
    const TFColor leftColour = FIsFlipped ? Palette::Blue : Palette::Red;
    const TFColor rightColour = FIsFlipped ? Palette::Red : Palette::Blue;
    const auto bar = [&](int32_t column, TFColor colour) {
        if (column >= 0 && column < width) {
            Line(BMP, column, 0, column, rows - 1, colour);
        }
    };
    bar(0, leftColour);
    bar(1, leftColour);
    bar(width - 1, rightColour);
    bar(width - 2, rightColour);
}
