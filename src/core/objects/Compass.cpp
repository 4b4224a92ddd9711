#include "objects/Compass.h"

#include "raster/FastDIB.h"
#include "support/Random.h"

#include <cmath>

TCompass::TCompass()
    : TExperimentalObject(TObjectKind::Compass)
{
    SetWidth(32);
    SetHeight(32);
}

TCompass::~TCompass() = default;

bool TCompass::CheckIsInside(double X, double Y)
{
    const double dx = X - (FWidth / 2 + FLeft);
    const double dy = Y - (FHeight / 2 + FTop);
    return dx * dx + dy * dy < 256.0;
}

void TCompass::SetVector(double X, double Y)
{
    FFieldStrength = std::sqrt(X * X + Y * Y);
    if (FFieldStrength != 0.0 && std::isfinite(FFieldStrength)) {
        FFieldStrength = 1.0 / FFieldStrength;
        FVx = X * FFieldStrength;
        FVy = Y * FFieldStrength;
    } else {
        // No field (or none that has a direction): the needle takes a random whole degree.
        const int n = RandomInt(0, 360);
        const double phi = n * Pi / 180.0;
        FVx = std::sin(phi);
        FVy = std::cos(phi);
    }
    RebuildNeedleCache();
}
