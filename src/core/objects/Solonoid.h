#pragma once

#include "objects/BaseWire.h"

#include <memory>

class TFastDIB;

// A coil seen edge-on: two conductors with opposite currents, 7.5 pixels inside the ends of its
// 200 x 15 rectangle along local x. Unflipped, its field between the conductors points along
// local +y.
class Tsolonoid : public TBaseWire {
public:
    Tsolonoid();
    ~Tsolonoid() override;

    void GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy) override;
    void GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy) override;
    void AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column) override;
    bool CheckIsInside(double X, double Y) override;
    bool CheckIsInsideFuture(double X, double Y) override;
    // Also picks which end is the handle (sets RotationHandleAngle to -pi/2 or +pi/2).
    bool IsInRotationButton(double x, double y) override;
    void DblClick() override;
    void CalculateForce(double& Fx, double& Fy, double& Torque) override;
    void Paint(TFastDIB& BMP) override;

    void getSeedPoints(const TFastDIB& BMP) override;
    bool IsInTheZone(TSeedPoint SeedPoint, double X, double Y) override;

    void PaintCoilPicture(TFastDIB& BMP);

    double LastDrawnRotation = 1000.0;

protected:
    explicit Tsolonoid(TObjectKind kind);
    std::unique_ptr<TFastDIB> FRotatedBMP;
};
