#pragma once

#include "objects/BaseWire.h"

// A straight wire seen end-on: one conductor at the centre of its 21 x 21 box.
class TWire : public TBaseWire {
public:
    explicit TWire(bool Flipped);

    void GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy) override;
    void GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy) override;
    void AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column) override;
    // The field of one unflipped conductor at the origin, at the local point (X, Y), from zero;
    // fills WireFieldLUT.
    virtual TFieldLUT GetCurrentFieldVectorForLUT(double X, double Y);

    bool CheckIsInside(double X, double Y) override;
    bool CheckIsInsideFuture(double X, double Y) override;
    void CalculateForce(double& Fx, double& Fy, double& Torque) override;
    void Paint(TFastDIB& BMP) override;

    void getSeedPoints(const TFastDIB& BMP) override;
    bool IsInTheZone(TSeedPoint SeedPoint, double X, double Y) override;
    // The seed-placement measure: how far the scene's field bends the wire's own circles between
    // the angles Angle -+ pi/8 at Radius.
    double GetDeflectionFromNorm(double Radius, double Angle, double& dx, double& dy);
};
