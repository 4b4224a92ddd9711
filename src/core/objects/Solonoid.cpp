#include "objects/Solonoid.h"

#include "raster/FastDIB.h"
#include "support/Random.h"

#include <cmath>

Tsolonoid::Tsolonoid()
    : Tsolonoid(TObjectKind::Coil)
{
}

Tsolonoid::Tsolonoid(TObjectKind kind)
    : TBaseWire(kind)
{
    SetWidth(200);
    SetHeight(15);
    SetMagWidth(200);
    SetMagHeight(15);
    FLinesAreLoops = true;
    FCurrent = 10.0;
    Damping = 0.3;
    AngularDamping = 0.991;
    SetRotation(-Pi / 2.0); // stored as 3 pi / 2
    LastDrawnRotation = 1000.0;
}

Tsolonoid::~Tsolonoid() = default;

void Tsolonoid::GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy)
{
    // The two conductors sit 7.5 pixels inside the ends of the rectangle, with opposite currents.
    const double a = FMagHalfWidth - 7.5;
    const int d = DirectionSign();
    DoInRotation(X, Y);
    DoRotation(Fx, Fy);
    AddLineCurrentField(Fx, Fy, +a, 0.0, X, Y, d);
    AddLineCurrentField(Fx, Fy, -a, 0.0, X, Y, -d);
    DoAntiRotation(Fx, Fy);
}

void Tsolonoid::GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy)
{
    const double a = FMagHalfWidth - 7.5;
    QuickSingleAt(-a, 0.0, X, Y, Fx, Fy, !FIsFlipped);
    QuickSingleAt(+a, 0.0, X, Y, Fx, Fy, FIsFlipped);
}

void Tsolonoid::AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column)
{
    const double a = FMagHalfWidth - 7.5;
    for (int y = y0; y < y1; ++y) {
        QuickSingleAt(-a, 0.0, x, y, column[y].x, column[y].y, !FIsFlipped);
        QuickSingleAt(+a, 0.0, x, y, column[y].x, column[y].y, FIsFlipped);
    }
}

bool Tsolonoid::CheckIsInside(double X, double Y)
{
    DoInRotation(X, Y);
    return std::fabs(X) <= FMagHalfWidth && std::fabs(Y) <= FMagHalfHeight;
}

bool Tsolonoid::CheckIsInsideFuture(double X, double Y)
{
    const double cx = FLeftFloat + FWidth * 0.5;
    const double cy = FTopFloat + FHeight * 0.5;
    const double dx = X - cx;
    const double dy = Y - cy;
    const double x = dx * FCos + dy * FSin;
    const double y = -dx * FSin + dy * FCos;
    return std::fabs(x) <= FMagHalfWidth && std::fabs(y) <= FMagHalfHeight;
}

bool Tsolonoid::IsInRotationButton(double x, double y)
{
    DoInRotation(x, y);
    // Either end can turn the coil; the handle angle says which one was taken.
    RotationHandleAngle = x < 0.0 ? -Pi / 2.0 : Pi / 2.0;
    return FMagHalfWidth - std::fabs(x) < 15.0;
}

void Tsolonoid::DblClick()
{
    TBaseWire::DblClick();
    // A small random nudge of +-0.005 to +-0.045 radians, in single precision, so that a coil in
    // an exactly balanced position starts to turn when motion is on.
    const int c = RandomInt(0, 2);
    const int d = RandomInt(1, 10);
    const float nudge = static_cast<float>(d) * (static_cast<float>(c) - 0.5f) / 100.0f;
    SetRotation(FRotation + static_cast<double>(nudge));
}

void Tsolonoid::CalculateForce(double& Fx, double& Fy, double& Torque)
{
    Fx = 0.0;
    Fy = 0.0;
    Torque = 0.0;
    if (!FGetOverallDipoleVector) {
        return;
    }
    const double a = FMagHalfWidth - 7.5;
    const double hw = FMagHalfWidth;
    double k = FIsFlipped ? -1.0 : 1.0;

    double bx = 0.0;
    double by = 0.0;
    LocalDipoleField(-a, 0.0, bx, by);
    double t = k * bx / 20.0;
    Fx = Fx + k * by / 20.0;
    Fy = Fy - t;
    Torque = Torque - hw * t;

    k = -k;
    LocalDipoleField(a, 0.0, bx, by);
    t = k * bx / 20.0;
    Fx = Fx + k * by / 20.0;
    Fy = Fy - t;
    Torque = Torque + hw * t;

    DoAntiRotation(Fx, Fy);
}
