#include "objects/UniformMagneticField.h"

TUniformMagneticField::TUniformMagneticField(double aFieldStrength)
    : TMagneticObject(TObjectKind::UniformField)
    , FUniformFieldStrength(aFieldStrength)
{
    FIsUniformField = true;
}

void TUniformMagneticField::GetCurrentFieldVector(double, double, double& Fx, double&)
{
    if (FIsFlipped) {
        Fx = Fx - FUniformFieldStrength;
    } else {
        Fx = Fx + FUniformFieldStrength;
    }
}

void TUniformMagneticField::GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy)
{
    double gx = 0.0;
    double gy = 0.0;
    GetCurrentFieldVector(X, Y, gx, gy);
    Fx = Fx + 400.0 * gx;
    Fy = Fy + 400.0 * gy;
}

bool TUniformMagneticField::CheckIsInside(double, double)
{
    return false;
}

bool TUniformMagneticField::CheckIsInsideFuture(double, double)
{
    return false;
}

void TUniformMagneticField::CalculateForce(double& Fx, double& Fy, double& Torque)
{
    Fx = 0.0;
    Fy = 0.0;
    Torque = 0.0;
}

void TUniformMagneticField::DblClick()
{
    FIsFlipped = !FIsFlipped;
    RaiseOnChanged();
}
