#pragma once

#include "objects/ExperimentalObject.h"

#include <memory>

class TFastDIB;

// A 32 x 32 probe whose needle points along the scene's exact field at (Left + 15, Top + 15). It
// adds no field, feels no force and never moves by itself.
class TCompass : public TExperimentalObject {
public:
    TCompass();
    ~TCompass() override;

    // Turns the needle to the direction of (X, Y) (a random whole degree for the zero vector) and
    // remakes the needle cache.
    void SetVector(double X, double Y);
    double FieldStrength() const { return FFieldStrength; }
    double Vx() const { return FVx; }
    double Vy() const { return FVy; }

    bool CheckIsInside(double X, double Y) override;
    bool CheckIsInsideFuture(double X, double Y) override { return CheckIsInside(X, Y); }
    void DblClick() override {}
    void Paint(TFastDIB& BMP) override;

    void PaintNeedlePicture(TFastDIB& BMP);

private:
    // Remakes FRotatedBMP: the needle picture turned to (FVx, FVy).
    void RebuildNeedleCache();

    double FFieldStrength = 0.0;
    std::unique_ptr<TFastDIB> FRotatedBMP;
    double FVx = 0.0;
    double FVy = 0.0;
};
