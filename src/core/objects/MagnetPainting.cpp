// The bar magnet's look: a solid red bar with a green rotation handle near its north end, painted
// once into MagnetPicture and turned into a per-magnet cache whenever the magnet's angle changes.
#include "objects/Magnet.h"
#include "objects/Palette.h"
#include "objects/Pictures.h"
#include "raster/FastDIB.h"
#include "raster/FastDraw.h"
#include "raster/SpriteRotation.h"
#include "support/Rounding.h"

#include <memory>

namespace {

// Side of a magnet's rotated-picture cache: holds the 124-pixel picture at every angle with room
// for the blended fringe.
constexpr int RotatedCacheSide = 250;

} // namespace

void TFixedMagnet::PaintMagnetPicture(TFastDIB& BMP)
{
    // Body offsets (u, v) from the centre of the box are turned by the magnet's rotation and
    // rounded to pixels; the default magnet at rotation 0 draws them unturned around (62, 62).
    const double cx = FLeft + FWidth / 2.0;
    const double cy = FTop + FHeight / 2.0;
    const auto pixel = [&](double u, double v) {
        DoAntiRotation(u, v);
        return TPoint{RoundHalfEven(cx + u), RoundHalfEven(cy + v)};
    };
    const auto redLine = [&](double u1, double v1, double u2, double v2) {
        const TPoint a = pixel(u1, v1);
        const TPoint b = pixel(u2, v2);
        SmoothLine(BMP, a.X, a.Y, b.X, b.Y, Palette::Red);
    };

    FillSurface(BMP, Palette::SpriteKey);

    const double hw = FMagHalfWidth;
    const double hh = FMagHalfHeight;
    for (int u = -(FMagWidth / 2) + 1; u <= FMagWidth / 2 - 1; ++u) {
        redLine(u, -hh, u, hh);
    }
    redLine(-hw, -hh, hw, -hh);
    redLine(hw, hh, hw, -hh);
    redLine(hw, hh, -hw, hh);
    redLine(-hw, -hh, -hw, hh);

    // The handle sits 6 pixels inside the end at negative v, on a grey disc one pixel larger.
    const TPoint handle = pixel(0.0, -(hh - 6.0));
    DrawCircle(BMP, handle.X, BMP.AbsHeight() - 1 - handle.Y, 7, Palette::Grey);
    DrawHandle(BMP, handle.X, handle.Y, Palette::Green);
}

void TFixedMagnet::Paint(TFastDIB& BMP)
{
    // The cache is rebuilt only when the angle differs from the one it was built for (exact
    // comparison; LastDrawnRotation starts at 1000, which no rotation equals).
    if (LastDrawnRotation != FRotation) {
        if (!FRotatedBMP) {
            FRotatedBMP = std::make_unique<TFastDIB>();
        }
        if (FRotatedBMP->Width() == 0 || FRotatedBMP->AbsHeight() == 0) {
            FRotatedBMP->SetSize(RotatedCacheSide, RotatedCacheSide, 24);
        }
        FillSurface(*FRotatedBMP, Palette::SpriteKey);
        Rotate(MagnetPicture(), *FRotatedBMP, true, FRotation);
        LastDrawnRotation = FRotation;
    }
    // Centred on the box: at rotation 0 the picture lies exactly over it.
    const TFastDIB& picture = MagnetPicture();
    const int32_t x = FLeft + RoundHalfEven((picture.Width() - FRotatedBMP->Width()) / 2.0);
    const int32_t y = FTop + RoundHalfEven((picture.AbsHeight() - FRotatedBMP->AbsHeight()) / 2.0);
    FRotatedBMP->TransDraw(BMP, x, y, Palette::SpriteKey);
}
