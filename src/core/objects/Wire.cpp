#include "objects/Wire.h"

TWire::TWire(bool Flipped)
    : TBaseWire(TObjectKind::Wire)
{
    FIsFlipped = Flipped;
}

void TWire::GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy)
{
    // Only the offset from the centre matters; a wire's rotation has no effect on its field.
    AddLineCurrentField(Fx, Fy, 0.0, 0.0, X - FCentreX, Y - FCentreY, DirectionSign());
}

void TWire::GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy)
{
    QuickSingleAt(0.0, 0.0, X, Y, Fx, Fy, FIsFlipped);
}

void TWire::AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column)
{
    for (int y = y0; y < y1; ++y) {
        QuickSingleAt(0.0, 0.0, x, y, column[y].x, column[y].y, FIsFlipped);
    }
}

TFieldLUT TWire::GetCurrentFieldVectorForLUT(double X, double Y)
{
    TFieldLUT result;
    AddLineCurrentField(result.x, result.y, 0.0, 0.0, X, Y, 1);
    return result;
}

bool TWire::CheckIsInside(double X, double Y)
{
    const double dx = X - (FLeft + FWidth * 0.5);
    const double dy = Y - (FTop + FHeight * 0.5);
    return dx * dx + dy * dy <= 56.25;
}

bool TWire::CheckIsInsideFuture(double X, double Y)
{
    const double dx = X - (FLeftFloat + FWidth * 0.5);
    const double dy = Y - (FTopFloat + FHeight * 0.5);
    return dx * dx + dy * dy <= 56.25;
}

void TWire::CalculateForce(double& Fx, double& Fy, double& Torque)
{
    Fx = 0.0;
    Fy = 0.0;
    Torque = 0.0;
    if (!FGetOverallDipoleVector) {
        return;
    }
    const double k = FIsFlipped ? -1.0 : 1.0;
    double bx = 0.0;
    double by = 0.0;
    LocalDipoleField(0.0, 0.0, bx, by);
    Fx = k * by / 30.0;
    Fy = -k * bx / 30.0;
    DoAntiRotation(Fx, Fy);
}
