// Motion of a source: forces to velocities, the fractional pose, collisions and the bench's edges.
// Units: pixels, radians, ticks of 20 ms.
#include "objects/MagneticObject.h"

#include "support/Rounding.h"

#include <cmath>

namespace {

// Safety bounds far beyond anything a scene produces. Forces are bounded by the geometry (every
// dipole model is cut out inside its own source, a few pixels from its poles or conductors), so
// a real scene stays orders of magnitude below these; they only keep absurd inputs (a velocity
// set by hand, a uniform field of 1e308) from growing without limit or turning into NaN.
constexpr double MaxSpeed = 1.0e7;        // pixels per tick
constexpr double MaxAngularSpeed = 1.0e7; // radians per tick
// The fractional position stays within the range the box setters keep Left and Top in.
constexpr double MaxPosition = TExperimentalObject::MaxCoordinate;

// A source at rest stays at rest under a smaller force and torque (system units).
constexpr double RestThreshold = 1e-4;
// Smaller velocity components (pixels per tick) and angular velocities (radians per tick) become 0.
constexpr double SpeedCutOff = 0.002;
constexpr double SpinCutOff = 1.7483333333e-6;

// A force or torque that is not finite (only an infinite field can produce one) counts as none.
double Finite(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

// Clamps into [-limit, limit]; NaN becomes 0.
double Bounded(double v, double limit)
{
    return ClampDouble(v, -limit, limit);
}

} // namespace

// GravityOn receives the bench's FGravityON and has no effect.
void TMagneticObject::DoMotionPreCalculation(bool /*GravityOn*/, double ticks)
{
    double Fx = 0.0;
    double Fy = 0.0;
    double Torque = 0.0;
    CalculateForce(Fx, Fy, Torque);
    Fx = Finite(Fx);
    Fy = Finite(Fy);
    Torque = Finite(Torque);

    // The equalities are exact: only a source that stands perfectly still is held.
    if (FVelocityX == 0.0 && Fx * Fx + Fy * Fy < RestThreshold * RestThreshold && FVelocityY == 0.0 &&
        FAngularVelocity == 0.0 && std::fabs(Torque) < RestThreshold) {
        Fx = 0.0;
        Fy = 0.0;
        Torque = 0.0;
    }

    const double kd = std::pow(Damping, ticks);
    FVelocityX = Bounded(FVelocityX * kd + Fx * FMassInv * ticks, MaxSpeed);
    FVelocityY = Bounded(FVelocityY * kd + Fy * FMassInv * ticks, MaxSpeed);
    const double ka = std::pow(AngularDamping, ticks);
    FAngularVelocity = Bounded(ka * FAngularVelocity + Torque * FMomentOfInertiaInv * ticks, MaxAngularSpeed);

    if (std::fabs(FVelocityX) < SpeedCutOff) {
        FVelocityX = 0.0;
    }
    if (std::fabs(FVelocityY) < SpeedCutOff) {
        FVelocityY = 0.0;
    }
    if (std::fabs(FAngularVelocity) < SpinCutOff) {
        FAngularVelocity = 0.0;
    }
    FRotationFloat = FRotation;
}

void TMagneticObject::DoMotionCalc(double ticks)
{
    FRotationFloat = FRotationFloat + FAngularVelocity * ticks;
    FLeftFloat = Bounded(FLeftFloat + FVelocityX * ticks, MaxPosition);
    FTopFloat = Bounded(FTopFloat + FVelocityY * ticks, MaxPosition);
}

void TMagneticObject::DoMotion()
{
    SetRotation(FRotationFloat);
    // When both Left and Top change, the Left setter's BoundsChanged still sees the old Top and
    // resets FTopFloat; the vertical fraction of such a step is dropped.
    SetBounds(RoundHalfEven(FLeftFloat), RoundHalfEven(FTopFloat), FWidth, FHeight);
}

bool TMagneticObject::CheckOverlap(TMagneticObject* MO)
{
    // A source without a rectangle (the uniform field) has no border to collide with.
    if (FMagWidth == 0 || FMagHeight == 0) {
        return false;
    }
    const int32_t w = FMagWidth;
    const int32_t h = FMagHeight;
    auto hits = [this, MO](int32_t x, int32_t y) {
        double px = x;
        double py = y;
        DoOutRotation(px, py);
        return MO->CheckIsInsideFuture(px, py);
    };

    bool hit = false;
    for (int32_t x = (-w) / 2; x <= w / 2 && !hit; ++x) {
        hit = hits(x, h / 2);
    }
    for (int32_t x = (-w) / 2; x <= w / 2 && !hit; ++x) {
        hit = hits(x, (-h) / 2);
    }
    for (int32_t y = (-h) / 2; y <= h / 2 && !hit; ++y) {
        hit = hits((-w) / 2, y);
    }
    for (int32_t y = (-h) / 2; y <= h / 2 && !hit; ++y) {
        hit = hits(w / 2, y);
    }
    if (!hit) {
        return false;
    }
    // Both stop dead and fall back to their boxes at the start of the step.
    for (TMagneticObject* source : {MO, this}) {
        source->FVelocityY = 0.0;
        source->FVelocityX = 0.0;
        source->FAngularVelocity = 0.0;
        source->FRotationFloat = source->FRotation;
        source->FLeftFloat = source->FLeft;
        source->FTopFloat = source->FTop;
    }
    return true;
}

void TMagneticObject::CheckWithinBounds(int32_t MaxX, int32_t MaxY)
{
    int32_t l = FLeft;
    int32_t t = FTop;
    if (FCentreX < 0.0) {
        l = (-FWidth) / 2;
    }
    if (FCentreX > MaxX) {
        l = MaxX - FWidth / 2;
    }
    if (FCentreY < 0.0) {
        t = (-FHeight) / 2;
    }
    if (FCentreY > MaxY) {
        t = MaxY - FHeight / 2;
    }
    if (l != FLeft || t != FTop) {
        SetBounds(l, t, FWidth, FHeight);
    }
}
