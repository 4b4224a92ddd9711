#pragma once

#include "objects/MagneticObject.h"

// The same horizontal field B0 at every point of the bench: towards +x, or towards -x when
// flipped. It is never grabbed, feels no force and never moves; its rectangle is never sized.
class TUniformMagneticField : public TMagneticObject {
public:
    explicit TUniformMagneticField(double aFieldStrength);

    // B0, a field of its own beside the inherited strength (which keeps its default, unused).
    double FieldStrength() const { return FUniformFieldStrength; }
    void SetFieldStrength(double value) { FUniformFieldStrength = value; }
    bool IsFlipped() const { return FIsFlipped; }
    void SetIsFlipped(bool value) { FIsFlipped = value; }
    bool Flipped() const override { return FIsFlipped; }

    void GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy) override;
    void GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy) override;
    bool CheckIsInside(double X, double Y) override;
    bool CheckIsInsideFuture(double X, double Y) override;
    void CalculateForce(double& Fx, double& Fy, double& Torque) override;
    void DblClick() override;
    void Paint(TFastDIB& BMP) override;

    void getSeedPoints(const TFastDIB& BMP) override;
    bool IsInTheZone(TSeedPoint SeedPoint, double X, double Y) override;

private:
    double FUniformFieldStrength = 0.0;
    bool FIsFlipped = false;
};
