#include "objects/BaseWire.h"


#include <cmath>

TBaseWire::TBaseWire(TObjectKind kind)
    : TMagneticObject(kind)
{
    SetWidth(15);
    SetHeight(15);
    SetMagWidth(15);
    SetMagHeight(15);
    FLinesAreLoops = true;
    FIsMagneticSource = true;
    FCurrent = 10.0;
}

// The field of one conductor: Direction * S * I * (dy, -dx) / r^3 at the offset (dx, dy), cut off
// closer than 7 pixels.
void TBaseWire::AddLineCurrentField(double& Fx, double& Fy, double sx, double sy, double X, double Y,
                                    int Direction) const
{
    const double f = (Y - sy) * Direction;
    const double g = -(X - sx) * Direction;
    const double r = std::sqrt(f * f + g * g);
    if (r >= 7.0) {
        const double k = FFieldStrength * FCurrent / (r * r * r);
        Fx = Fx + k * f;
        Fy = Fy + k * g;
    }
}

void TBaseWire::GetCurrentFieldVectorQuickSingle(double sx, double sy, double X, double Y, double& Fx, double& Fy,
                                                 bool IsFlippedWire)
{
    QuickSingleAt(sx, sy, X, Y, Fx, Fy, IsFlippedWire);
}

void TBaseWire::GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy)
{
    if (CheckIsInside(X, Y)) {
        return;
    }
    double gx = 0.0;
    double gy = 0.0;
    GetCurrentFieldVector(X, Y, gx, gy);
    Fx = Fx + 200.0 * gx;
    Fy = Fy + 200.0 * gy;
}

void TBaseWire::DblClick()
{
    FIsFlipped = !FIsFlipped;
    RaiseOnChanged();
}
