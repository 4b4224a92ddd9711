// Where each kind of source starts its field lines, and where lines end on it.
#include "objects/Magnet.h"
#include "objects/Solonoid.h"
#include "objects/UniformMagneticField.h"
#include "objects/Wire.h"
#include "raster/FastDIB.h"
#include "support/Rounding.h"

#include <cmath>

namespace {

// Offsets across the pole line, closer together near the axis: about 0.08 for i = 0 up to about
// 6.43 for i = 9.
double SeedSpread(int i)
{
    return 7.5 * (1.0 - std::sin((10 - i) * (Pi / 2.0) / 11.0));
}

// Sets the 20 seeds of `source` to the local points (+-offset(i), localY), i = 0 to 9, seed 2i on
// the positive side, turned into bench coordinates.
template <typename Offset>
void PlacePairedSeeds(TMagneticObject& source, double localY, bool loops, Offset offset)
{
    source.Seeds.resize(20);
    for (int i = 0; i < 10; ++i) {
        const double o = offset(i);
        for (int side = 0; side < 2; ++side) {
            TSeedPoint& seed = source.Seeds[static_cast<size_t>(2 * i + side)];
            double x = side == 0 ? o : -o;
            double y = localY;
            source.DoOutRotation(x, y);
            seed.X = x;
            seed.Y = y;
            seed.flip = false;
            seed.Needed = true;
            seed.IsLoop = loops;
        }
    }
}

} // namespace

void TFixedMagnet::getSeedPoints(const TFastDIB&)
{
    // 20 seeds on the pole line 45 pixels from the centre along local +y.
    PlacePairedSeeds(*this, 45.0, false, SeedSpread);
}

bool TFixedMagnet::IsInTheZone(TSeedPoint, double X, double Y)
{
    // The band of the full magnet width, 2 pixels either side of the seeds' pole line.
    DoInRotation(X, Y);
    return std::fabs(X) < FMagHalfWidth && std::fabs(Y - 45.0) < 2.0;
}

void Tsolonoid::getSeedPoints(const TFastDIB&)
{
    // 20 loop seeds on the long axis between the two conductors, so that for a coil alone each
    // loop circles one conductor.
    PlacePairedSeeds(*this, 0.0, true, [](int i) { return SeedSpread(i) / 30.0 * 1.8 * 185.0; });
}

bool Tsolonoid::IsInTheZone(TSeedPoint, double, double)
{
    return false;
}

void TUniformMagneticField::getSeedPoints(const TFastDIB& BMP)
{
    // A column of seeds just outside the left edge, 50 pixels apart, reaching twice the height.
    const int height = BMP.Height();
    const int n = 2 * RoundHalfEven(height / 50.0);
    Seeds.resize(static_cast<size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) {
        TSeedPoint& seed = Seeds[static_cast<size_t>(i)];
        seed.X = -50.0;
        seed.Y = -height / 2.0 + 50.0 * i;
        seed.flip = false;
        seed.Needed = true;
        seed.IsLoop = false;
    }
}

bool TUniformMagneticField::IsInTheZone(TSeedPoint, double, double)
{
    return false;
}

bool TWire::IsInTheZone(TSeedPoint, double, double)
{
    return false;
}

double TWire::GetDeflectionFromNorm(double Radius, double Angle, double& dx, double& dy)
{
    const double p1x = FCentreX + std::sin(Angle - Pi / 8.0) * Radius;
    const double p1y = FCentreY + std::cos(Angle - Pi / 8.0) * Radius;
    const double p2x = FCentreX + std::sin(Angle + Pi / 8.0) * Radius;
    const double p2y = FCentreY + std::cos(Angle + Pi / 8.0) * Radius;

    double f1x = 0.0;
    double f1y = 0.0;
    double f2x = 0.0;
    double f2y = 0.0;
    if (FGetOverallCurrentVector) {
        FGetOverallCurrentVector(p1x, p1y, f1x, f1y);
        FGetOverallCurrentVector(p2x, p2y, f2x, f2y);
    }
    double g1x = 0.0;
    double g1y = 0.0;
    double g2x = 0.0;
    double g2y = 0.0;
    GetCurrentFieldVector(p1x, p1y, g1x, g1y);
    GetCurrentFieldVector(p2x, p2y, g2x, g2y);

    // Where the tangents at the two points meet: for the wire's own field, and for the scene's.
    const double dG = g1y * g2x - g2y * g1x;
    if (dG == 0.0) {
        return 1e15;
    }
    const double tG = ((p2y - p1y) * g1x - (p2x - p1x) * g1y) / dG;
    const double q1x = p2x + tG * g2x;
    const double q1y = p2y + tG * g2y;

    const double dF = f1y * f2x - f2y * f1x;
    if (dF == 0.0) {
        return 1e15;
    }
    const double tF = ((p2y - p1y) * f1x - (p2x - p1x) * f1y) / dF;
    const double q2x = p2x + tF * f2x;
    const double q2y = p2y + tF * f2y;

    dx = q2x - q1x;
    dy = q2y - q1y;
    return std::sqrt(dx * dx + dy * dy);
}

void TWire::getSeedPoints(const TFastDIB&)
{
    // Five loops near radii 50, 100, ..., 250, each moved along the direction where the scene's
    // field bends the wire's own circles least; the moves add up from loop to loop.
    Seeds.resize(5);
    double radius = 50.0;
    for (int k = 0; k < 5; ++k) {
        double best = 1000.0;
        double angle = 0.0;
        double bestDx = 0.0;
        double bestDy = 0.0;
        for (int j = 0; j < 8; ++j) {
            const double a = j * Pi / 4.0;
            double dx = 0.0;
            double dy = 0.0;
            const double deflection = GetDeflectionFromNorm(radius, a, dx, dy);
            if (deflection < best) {
                best = deflection;
                angle = a;
                bestDx = dx;
                bestDy = dy;
            }
        }
        const double e = std::sin(angle) * bestDx + std::cos(angle) * bestDy;
        radius = radius + e;
        TSeedPoint& seed = Seeds[static_cast<size_t>(k)];
        seed.X = FCentreX + std::sin(angle) * radius;
        seed.Y = FCentreY + std::cos(angle) * radius;
        seed.Needed = 50.0 + e > 0.1;
        seed.flip = false;
        seed.IsLoop = true;
        radius = radius + 50.0;
    }
}
