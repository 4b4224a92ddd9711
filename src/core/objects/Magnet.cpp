#include "objects/Magnet.h"

#include "objects/FieldTables.h"
#include "raster/FastDIB.h"
#include "support/Rounding.h"

#include <cmath>

TMagnet::TMagnet()
    : TMagneticObject(TObjectKind::Magnet)
{
    FIsMagneticSource = true;
}

// One corner term of the exact model, in local coordinates. Along the two long sides of the pole
// rectangle the dy/dx terms of the corners on that side do not cancel: the field is singular there
// and changes sign across them, which is how this model has always looked.
void TMagnet::AddCornerField(double& Fx, double& Fy, double PX, double PY, double X, double Y, bool North) const
{
    const double dx = X - PX;
    const double dy = Y - PY;
    const double r = std::sqrt(dx * dx + dy * dy);
    double f;
    if (r == 0.0) {
        f = 1.0;
    } else if (North) {
        f = FFieldStrength / r;
    } else {
        f = -FFieldStrength / r;
    }
    Fx = Fx - f;
    if (dx != 0.0) {
        Fy = Fy - f * dy / dx;
    }
}

void TMagnet::GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy)
{
    DoInRotation(X, Y);
    DoRotation(Fx, Fy);
    const double a = FPoleOffsetX;
    const double b = FPoleOffsetY;
    AddCornerField(Fx, Fy, -a, -b, X, Y, true);
    AddCornerField(Fx, Fy, +a, -b, X, Y, false);
    AddCornerField(Fx, Fy, -a, +b, X, Y, false);
    AddCornerField(Fx, Fy, +a, +b, X, Y, true);
    DoAntiRotation(Fx, Fy);
}

// One point pole of charge Q at local (PX, PY), inverse-square, cut off where r^3 <= 1e-8.
void TMagnet::AddPoleField(double& Fx, double& Fy, double PX, double PY, double X, double Y, double Q) const
{
    const double k = FFieldStrength * Q * 10000.0;
    const double d2 = (PX - X) * (PX - X) + (PY - Y) * (PY - Y);
    const double r3 = std::sqrt(d2) * d2;
    const double f = r3 > 1e-8 ? k / r3 : 0.0;
    Fx = Fx + (X - PX) * f;
    Fy = Fy + (Y - PY) * f;
}

void TMagnet::GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy)
{
    // No dipole field inside the magnet's own rectangle, so that it exerts no force on itself.
    if (CheckIsInside(X, Y)) {
        return;
    }
    DoInRotation(X, Y);
    DoRotation(Fx, Fy);
    AddPoleField(Fx, Fy, 0.0, -FPoleOffsetY, X, Y, 1.0);
    AddPoleField(Fx, Fy, 0.0, FPoleOffsetY, X, Y, -1.0);
    DoAntiRotation(Fx, Fy);
}

bool TMagnet::CheckIsInside(double X, double Y)
{
    DoInRotation(X, Y);
    return -FMagHalfWidth <= X && X <= FMagHalfWidth && -FMagHalfHeight <= Y && Y <= FMagHalfHeight;
}

bool TMagnet::CheckIsInsideFuture(double X, double Y)
{
    // About the position the current motion step is heading for, with the rotation at the start of
    // the step.
    const double cx = FLeftFloat + FWidth * 0.5;
    const double cy = FTopFloat + FHeight * 0.5;
    const double dx = X - cx;
    const double dy = Y - cy;
    const double x = dx * FCos + dy * FSin;
    const double y = -dx * FSin + dy * FCos;
    return -FMagHalfWidth <= x && x <= FMagHalfWidth && -FMagHalfHeight <= y && y <= FMagHalfHeight;
}

bool TMagnet::IsInRotationButton(double x, double y)
{
    // A round handle of radius 7 centred 6 pixels inside the north end.
    DoInRotation(x, y);
    const double dy = y - (6.0 - FMagHalfHeight);
    return x * x + dy * dy < 49.0;
}

void TMagnet::DblClick()
{
    SetRotation(FRotation + Pi);
    RaiseOnChanged();
}

void TMagnet::CalculateForce(double& Fx, double& Fy, double& Torque)
{
    Fx = 0.0;
    Fy = 0.0;
    Torque = 0.0;
    if (!FGetOverallDipoleVector) {
        return;
    }
    const double hh = FMagHalfHeight;

    // South end: pushed against the field.
    double bx = 0.0;
    double by = 0.0;
    LocalDipoleField(0.0, 0.8 * hh, bx, by);
    Fx = Fx - bx;
    Fy = Fy - by;
    Torque = Torque + hh * bx;

    // North end: pulled along the field.
    LocalDipoleField(0.0, -0.8 * hh, bx, by);
    Fx = Fx + bx;
    Fy = Fy + by;
    Torque = Torque + hh * bx;

    DoAntiRotation(Fx, Fy);
}

TFixedMagnet::TFixedMagnet()
{
    SetMagWidth(30);
    SetMagHeight(120);
    LastDrawnRotation = 1000.0;
    RotationHandleAngle = Pi;
}

TFixedMagnet::~TFixedMagnet() = default;

void TFixedMagnet::GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy)
{
    QuickAt(X, Y, Fx, Fy);
}

void TFixedMagnet::AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column)
{
    for (int y = y0; y < y1; ++y) {
        QuickAt(x, y, column[y].x, column[y].y);
    }
}

inline void TFixedMagnet::QuickAt(double X, double Y, double& Fx, double& Fy) const
{
    DoInRotation(X, Y);
    DoRotation(Fx, Fy);
    // The exact field is odd in x and in y for its x component and even in both for its y
    // component, so one quadrant of offsets is stored. Offsets beyond 1000 read the table's edge.
    const int i = TableIndex(X);
    const int j = TableIndex(Y);
    const TFieldLUT& e = MagnetFieldLUTCell(i, j);
    if ((X >= 0.0 && Y >= 0.0) || (X < 0.0 && Y < 0.0)) {
        Fx = Fx + e.x;
    } else {
        Fx = Fx - e.x;
    }
    Fy = Fy + e.y;
    DoAntiRotation(Fx, Fy);
}

TFieldLUT TFixedMagnet::GetCurrentFieldVectorForLUT(double X, double Y)
{
    TFieldLUT result;
    const double a = FPoleOffsetX;
    const double b = FPoleOffsetY;
    AddCornerField(result.x, result.y, -a, -b, X, Y, true);
    AddCornerField(result.x, result.y, +a, -b, X, Y, false);
    AddCornerField(result.x, result.y, -a, +b, X, Y, false);
    AddCornerField(result.x, result.y, +a, +b, X, Y, true);
    return result;
}
