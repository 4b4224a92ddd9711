#include "objects/BinIcons.h"

#include "objects/Palette.h"
#include "raster/FastDIB.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// The icon is described as shapes in continuous pixel coordinates (pixel (i, j) covers
// [i, i + 1] x [j, j + 1], y from the top) and rasterised by counting how many of an 8 x 8 grid of
// sample points in each pixel fall on the ink. Partly covered pixels along the edges come out as
// lighter greys between the ink and the white background.
constexpr int SamplesPerSide = 8;
constexpr int SamplesPerPixel = SamplesPerSide * SamplesPerSide;

struct TVec {
    double X = 0.0;
    double Y = 0.0;
};

// A rectangle with rounded corners, centre (CX, CY), half sizes HX, HY, corner radius R.
struct TRoundBox {
    double CX, CY, HX, HY, R;

    bool Contains(TVec p) const
    {
        const double qx = std::fabs(p.X - CX) - (HX - R);
        const double qy = std::fabs(p.Y - CY) - (HY - R);
        const double ox = std::max(qx, 0.0);
        const double oy = std::max(qy, 0.0);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - R <= 0.0;
    }
};

// Layout of the closed bin, centred on column 22.
constexpr double Middle = 22.0;
// The lid: a flat bar with a small arched handle on top.
constexpr TRoundBox LidBar{Middle, 14.0, 15.5, 2.0, 1.2};
constexpr TRoundBox HandleTop{Middle, 9.6, 5.0, 1.4, 1.2};
constexpr TRoundBox HandleLeftLeg{Middle - 3.8, 11.0, 1.2, 2.2, 0.0};
constexpr TRoundBox HandleRightLeg{Middle + 3.8, 11.0, 1.2, 2.2, 0.0};
constexpr TVec LidCentre{Middle, 14.0};
// The body: a rim a little wider than the top of the tapered body below it.
constexpr TRoundBox Rim{Middle, 18.6, 13.0, 1.4, 0.8};
constexpr double BodyTop = 19.0;
constexpr double BodyBottom = 41.0;
constexpr double BodyTopHalfWidth = 11.5;
constexpr double BodyBottomHalfWidth = 9.0;
constexpr double BodyCornerRadius = 2.0;
// Two vertical slots in the body.
constexpr TRoundBox LeftSlot{Middle - 4.0, 30.0, 1.25, 7.5, 1.25};
constexpr TRoundBox RightSlot{Middle + 4.0, 30.0, 1.25, 7.5, 1.25};

// The lifted lid: turned 20 degrees with its right end up, and raised and moved right so that it
// clears the rim.
constexpr double LiftedLidAngle = -20.0 * std::numbers::pi / 180.0;
constexpr TVec LiftedLidCentre{Middle + 3.0, 8.5};

bool InBody(TVec p)
{
    if (p.Y < BodyTop || p.Y > BodyBottom) {
        return false;
    }
    // Half width at this height, tapering linearly towards the bottom.
    const double t = (p.Y - BodyTop) / (BodyBottom - BodyTop);
    const double halfWidth = BodyTopHalfWidth + (BodyBottomHalfWidth - BodyTopHalfWidth) * t;
    const double dx = std::fabs(p.X - Middle);
    if (dx > halfWidth) {
        return false;
    }
    // Round the two bottom corners.
    const double cornerX = halfWidth - BodyCornerRadius;
    const double cornerY = BodyBottom - BodyCornerRadius;
    if (dx > cornerX && p.Y > cornerY) {
        const double ex = dx - cornerX;
        const double ey = p.Y - cornerY;
        return ex * ex + ey * ey <= BodyCornerRadius * BodyCornerRadius;
    }
    return true;
}

bool InLid(TVec p)
{
    return LidBar.Contains(p) || HandleTop.Contains(p) || HandleLeftLeg.Contains(p) || HandleRightLeg.Contains(p);
}

bool IsInk(TVec p, bool lidLifted)
{
    if (Rim.Contains(p) || (InBody(p) && !LeftSlot.Contains(p) && !RightSlot.Contains(p))) {
        return true;
    }
    if (!lidLifted) {
        return InLid(p);
    }
    // The point seen in the closed lid's frame: undo the move, then the turn.
    const double dx = p.X - LiftedLidCentre.X;
    const double dy = p.Y - LiftedLidCentre.Y;
    const double c = std::cos(-LiftedLidAngle);
    const double s = std::sin(-LiftedLidAngle);
    return InLid(TVec{LidCentre.X + dx * c - dy * s, LidCentre.Y + dx * s + dy * c});
}

// Blends white towards the ink by the share of covered samples, rounding to the nearest unit.
uint8_t Shade(uint8_t ink, int covered)
{
    return static_cast<uint8_t>(255 - ((255 - ink) * covered + SamplesPerPixel / 2) / SamplesPerPixel);
}

} // namespace

std::unique_ptr<TFastDIB> MakeBinIcon(bool lidLifted)
{
    auto icon = std::make_unique<TFastDIB>();
    icon->SetSize(BinIconSide, BinIconSide, 24);
    for (int y = 0; y < BinIconSide; ++y) {
        TFColor* row = icon->Pixels24(BinIconSide - 1 - y);
        for (int x = 0; x < BinIconSide; ++x) {
            int covered = 0;
            for (int sy = 0; sy < SamplesPerSide; ++sy) {
                for (int sx = 0; sx < SamplesPerSide; ++sx) {
                    const TVec p{x + (sx + 0.5) / SamplesPerSide, y + (sy + 0.5) / SamplesPerSide};
                    covered += IsInk(p, lidLifted) ? 1 : 0;
                }
            }
            const TFColor ink = Palette::BinInk;
            row[x] = TFColor{Shade(ink.b, covered), Shade(ink.g, covered), Shade(ink.r, covered)};
        }
    }
    return icon;
}
