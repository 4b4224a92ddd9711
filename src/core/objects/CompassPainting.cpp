// The compass's look: a round case with a silver rim, a blue-and-red needle turned to the field
// (the red tip along it), and a dotted ring while selected.
#include "objects/Compass.h"
#include "objects/Palette.h"
#include "objects/Pictures.h"
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"
#include "raster/SpriteRotation.h"
#include "support/Rounding.h"

#include <memory>

void TCompass::PaintNeedlePicture(TFastDIB& BMP)
{
    // Two thin triangles fanned from a common base seven rows high at the centre column: blue to
    // the left, red (drawn last, so it owns the base) to the right, i.e. along +x.
    FillSurface(BMP, Palette::Silver);
    const int h = FWidth / 2;
    const int cx = FLeft + h;
    const int cy = FTop + h - 1;
    const int length = RoundHalfEven(0.8 * h);
    for (int k = (-2 * h) / 10; k <= (2 * h) / 10; ++k) {
        SmoothLine(BMP, cx - length, cy, cx, cy + k, Palette::Blue);
        SmoothLine(BMP, cx + length, cy, cx, cy + k, Palette::Red);
    }
}

void TCompass::RebuildNeedleCache()
{
    // Called at the end of every SetVector: the needle turned by the angle of (FVx, FVy) measured
    // from +x towards +y on the screen. The cache is three boxes wide so that the turned needle
    // and its fringe always fit; it is sized once.
    if (!FRotatedBMP) {
        FRotatedBMP = std::make_unique<TFastDIB>();
    }
    if (FRotatedBMP->Width() == 0 || FRotatedBMP->AbsHeight() == 0) {
        FRotatedBMP->SetSize(3 * FWidth, 3 * FHeight, 24);
    }
    FillSurface(*FRotatedBMP, Palette::Silver);
    RotateSinCos(NeedlePicture(), *FRotatedBMP, true, FVy, FVx);
}

void TCompass::Paint(TFastDIB& BMP)
{
    const int32_t right = FLeft + FWidth;
    const int32_t bottom = FTop + FHeight;

    // The case: a two-pixel silver rim, then the face with a one-pixel dark outline over it.
    BMP.SetBrush(BrushHollow, 0, 0);
    BMP.SetPen(PenSolid, 2, FColorToColorRef(Palette::CompassRim));
    BMP.Ellipse(FLeft, FTop, right, bottom);
    BMP.SetBrush(BrushSolid, 0, FColorToColorRef(Palette::CompassFace));
    BMP.SetPen(PenSolid, 0, FColorToColorRef(Palette::CompassOutline));
    BMP.Ellipse(FLeft, FTop, right, bottom);

    // The bench turns every compass as soon as it is added, so the cache exists by the first
    // frame; a compass painted before any SetVector simply has no needle yet.
    if (FRotatedBMP) {
        const TFastDIB& needle = NeedlePicture();
        const int32_t x = FLeft + RoundHalfEven((needle.Width() - FRotatedBMP->Width()) / 2.0);
        const int32_t y = FTop + RoundHalfEven((needle.AbsHeight() - FRotatedBMP->AbsHeight()) / 2.0);
        FRotatedBMP->TransDraw(BMP, x, y, Palette::Silver);
    }

    if (FSelected) {
        BMP.SetPen(PenDot, 0, FColorToColorRef(Palette::CompassSelection));
        BMP.SetBrush(BrushHollow, 0, 0);
        BMP.Ellipse(FLeft + 1, FTop + 1, right - 1, bottom - 1);
    }
}
