// The coil's look: a black body seen edge-on with a red and a blue stripe, a plus and a minus
// conductor at its ends and a black hub, painted once into CoilPicture and turned into a per-coil
// cache whenever the drawing angle changes. The motor adds its split-ring commutator on top.
#include "objects/Motor.h"
#include "objects/Palette.h"
#include "objects/Pictures.h"
#include "objects/Solonoid.h"
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"
#include "raster/SpriteRotation.h"
#include "support/Rounding.h"

#include <memory>

namespace {

// Side of a coil's rotated-picture cache.
constexpr int RotatedCacheSide = 250;

} // namespace

void Tsolonoid::PaintCoilPicture(TFastDIB& BMP)
{
    const int hx = BMP.Width() / 2;
    const int hy = BMP.AbsHeight() / 2;
    const double hw = FMagHalfWidth;

    FillSurface(BMP, Palette::SpriteKey);
    // Rectangles without an outline; the platform rule leaves out their last column and row.
    BMP.SetPen(PenNull, 0, 0);
    BMP.SetBrush(BrushSolid, 0, FColorToColorRef(Palette::Black));
    BMP.Rectangle(RoundHalfEven(hx + hw - 7), RoundHalfEven(hy - 8), RoundHalfEven(hx - hw + 7), RoundHalfEven(hy + 9));
    BMP.SetBrush(BrushSolid, 0, FColorToColorRef(Palette::Red));
    BMP.Rectangle(RoundHalfEven(hx + hw - 7), RoundHalfEven(hy - 2), hx, RoundHalfEven(hy + 3));
    BMP.SetBrush(BrushSolid, 0, FColorToColorRef(Palette::Blue));
    BMP.Rectangle(hx, RoundHalfEven(hy - 2), RoundHalfEven(hx - hw + 7), RoundHalfEven(hy + 3));

    // The conductor at the right end carries the current out of the bench unless flipped.
    const double rightX = hx + hw - 8;
    const double leftX = hx - hw + 10;
    if (FIsFlipped) {
        DrawMinusSign(BMP, rightX, hy);
        DrawPlusSign(BMP, leftX, hy);
    } else {
        DrawPlusSign(BMP, rightX, hy);
        DrawMinusSign(BMP, leftX, hy);
    }
    DrawCircle(BMP, hx, hy, 9, Palette::Black);
}

void Tsolonoid::Paint(TFastDIB& BMP)
{
    // A reversed current is shown by turning the picture a further half turn, which swaps the
    // plus and minus ends.
    const double angle = FIsFlipped ? FRotation + Pi : FRotation;
    if (LastDrawnRotation != angle) {
        if (!FRotatedBMP) {
            FRotatedBMP = std::make_unique<TFastDIB>();
        }
        if (FRotatedBMP->Width() == 0 || FRotatedBMP->AbsHeight() == 0) {
            FRotatedBMP->SetSize(RotatedCacheSide, RotatedCacheSide, 24);
        }
        FillSurface(*FRotatedBMP, Palette::SpriteKey);
        Rotate(CoilPicture(), *FRotatedBMP, true, angle);
        LastDrawnRotation = angle;
    }
    const TFastDIB& picture = CoilPicture();
    const int32_t x = FLeft + RoundHalfEven((picture.Width() - FRotatedBMP->Width()) / 2.0);
    const int32_t y = FTop + RoundHalfEven((picture.AbsHeight() - FRotatedBMP->AbsHeight()) / 2.0);
    FRotatedBMP->TransDraw(BMP, x, y, Palette::SpriteKey);
}

void TMotor::PaintCommutatorPicture(TFastDIB& BMP)
{
    // A black ring on white, cut by a white gap over columns 13..17, serves as the mask.
    TFastDIB mask;
    mask.SetSize(BMP.Width(), BMP.AbsHeight(), 24);
    FillSurface(mask, Palette::White);
    DrawCircle(mask, 15, 15, 15, Palette::Black);
    DrawCircle(mask, 15, 15, 7, Palette::White);
    GradientRect(mask, 13, 0, 18, 30, Palette::White, Palette::White, Palette::White, Palette::White);

    // The ring's left half blue, its right half red, everything else the key.
    FillSurface(BMP, Palette::SpriteKey);
    for (int j = 0; j < BMP.AbsHeight(); ++j) {
        const TFColor* from = mask.Pixels24(j);
        TFColor* to = BMP.Pixels24(j);
        for (int i = 0; i < BMP.Width(); ++i) {
            if (from[i].b == 0) {
                to[i] = i < 15 ? Palette::Blue : Palette::Red;
            }
        }
    }
}

void TMotor::Paint(TFastDIB& BMP)
{
    Tsolonoid::Paint(BMP);
    // The commutator stays upright whatever the coil's angle, centred on the motor's axis.
    double x = 0.0;
    double y = 0.0;
    DoOutRotation(x, y);
    const TFastDIB& commutator = CommutatorPicture();
    const double halfWidth = commutator.Width() / 2.0;
    const double halfHeight = commutator.AbsHeight() / 2.0;
    commutator.TransDraw(BMP, RoundHalfEven(x - halfWidth), RoundHalfEven(y - halfHeight), Palette::SpriteKey);
}
