#include "objects/MagneticObject.h"

#include "support/Rounding.h"

#include <cmath>

TMagneticObject::TMagneticObject(TObjectKind kind)
    : TExperimentalObject(kind)
{
    FMagnetic = this;
    SetRotation(0.0);
}

void TMagneticObject::GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy)
{
    GetCurrentFieldVector(X, Y, Fx, Fy);
}

void TMagneticObject::AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column)
{
    for (int y = y0; y < y1; ++y) {
        GetCurrentFieldVectorQuick(x, y, column[y].x, column[y].y);
    }
}

void TMagneticObject::SetRotation(double value)
{
    // A non-finite angle has no meaning and would never leave the normalising loop.
    if (!std::isfinite(value) || value == FRotation) {
        return;
    }
    // Far beyond a few turns the plain loop would take millions of subtractions; reduce first.
    // Below the threshold the loop alone runs, so ordinary values stay bit-identical to it.
    constexpr double ReduceAbove = 1024.0 * TwoPi;
    if (value > ReduceAbove || value < -ReduceAbove) {
        value = std::fmod(value, TwoPi);
    }
    FRotation = value;
    while (FRotation > TwoPi) {
        FRotation -= TwoPi;
    }
    while (FRotation < 0.0) {
        FRotation += TwoPi;
    }
    FCos = std::cos(FRotation);
    FSin = std::sin(FRotation);
    RotationChanged();
}

void TMagneticObject::SetMagWidth(int32_t value)
{
    if (value == FMagWidth) {
        return;
    }
    if (value > 0) {
        FMagWidth = value;
    }
    UpdateMagDimensions();
}

void TMagneticObject::SetMagHeight(int32_t value)
{
    if (value == FMagHeight) {
        return;
    }
    if (value > 0) {
        FMagHeight = value;
    }
    UpdateMagDimensions();
}

void TMagneticObject::UpdateMagDimensions()
{
    // The box is a square that holds the magnet rectangle at every rotation: its side is the
    // diagonal, taken through single precision and then rounded to the nearest integer.
    const int64_t sumOfSquares = static_cast<int64_t>(FMagWidth) * FMagWidth + static_cast<int64_t>(FMagHeight) * FMagHeight;
    const float diagonal = static_cast<float>(std::sqrt(static_cast<double>(sumOfSquares)));
    SetWidth(RoundHalfEven(static_cast<double>(diagonal)));
    SetHeight(FWidth);

    FMagHalfWidth = FMagWidth * 0.5;
    FMagHalfHeight = FMagHeight * 0.5;
    FPoleOffsetX = 0.9 * FMagHalfWidth;
    FPoleOffsetY = 0.75 * FMagHalfHeight;
    FCentreX = FLeft + FWidth * 0.5;
    FCentreY = FTop + FHeight * 0.5;

    FMass = static_cast<double>(static_cast<int64_t>(FMagWidth) * FMagHeight) * density;
    if (FMass > 0.0) {
        FMassInv = 1.0 / FMass;
    }
    // 0.083333333333 (twelve threes) rather than exactly one twelfth, as the model always had.
    FMomentOfInertia = static_cast<double>(sumOfSquares) * FMass * 0.083333333333;
    if (FMomentOfInertia > 0.0) {
        FMomentOfInertiaInv = 1.0 / FMomentOfInertia;
    }
}

void TMagneticObject::BoundsChanged()
{
    TExperimentalObject::BoundsChanged();
    // A fractional position that still rounds to the box is motion's sub-pixel progress and
    // stays; a move by any other path resets it to the box.
    if (RoundHalfEven(FLeftFloat) != FLeft) {
        FLeftFloat = FLeft;
    }
    if (RoundHalfEven(FTopFloat) != FTop) {
        FTopFloat = FTop;
    }
    UpdateMagDimensions();
}

void TMagneticObject::SetFieldStrength(double value)
{
    if (value != FFieldStrength) {
        FFieldStrength = value;
    }
}

void TMagneticObject::ResetCulledLinesList()
{
    LinesEndingHere.clear();
    LinesEndingExternally.clear();
}

void TMagneticObject::LocalDipoleField(double lx, double ly, double& Bx, double& By) const
{
    DoOutRotation(lx, ly);
    Bx = 0.0;
    By = 0.0;
    FGetOverallDipoleVector(lx, ly, Bx, By);
    DoRotation(Bx, By);
}

void TMagneticObject::RaiseOnChanged()
{
    if (FOnChanged) {
        FOnChanged(this);
    }
}
