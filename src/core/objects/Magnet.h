#pragma once

#include "objects/MagneticObject.h"

#include <memory>

class TFastDIB;

// The bar magnet's field models and pointer tests. Its north pole is the end at local y < 0 (the
// top of the screen at rotation 0): the field leaves that end, runs round the outside and enters
// at the local y > 0 end.
class TMagnet : public TMagneticObject {
public:
    TMagnet();

    // Exact model: four signed corner terms of the pole rectangle.
    void GetCurrentFieldVector(double X, double Y, double& Fx, double& Fy) override;
    // Dipole model (forces only): two inverse-square point poles; nothing inside the magnet.
    void GetDipoleFieldVector(double X, double Y, double& Fx, double& Fy) override;
    bool CheckIsInside(double X, double Y) override;
    bool CheckIsInsideFuture(double X, double Y) override;
    bool IsInRotationButton(double x, double y) override;
    void DblClick() override;
    void CalculateForce(double& Fx, double& Fy, double& Torque) override;

protected:
    void AddCornerField(double& Fx, double& Fy, double PX, double PY, double X, double Y, bool North) const;
    void AddPoleField(double& Fx, double& Fy, double PX, double PY, double X, double Y, double Q) const;
};

// The only magnet ever constructed: 30 x 120 pixels, strength 100, handle angle pi, with the
// table-driven quick model and the cache of its turned picture.
class TFixedMagnet : public TMagnet {
public:
    TFixedMagnet();
    ~TFixedMagnet() override;

    // Quick model: the exact model read from MagnetFieldLUT at the rounded local offset.
    void GetCurrentFieldVectorQuick(double X, double Y, double& Fx, double& Fy) override;
    void AddQuickFieldAlongColumn(double x, int y0, int y1, TFieldLUT* column) override;
    // The exact field at the LOCAL point (X, Y) in local axes, from zero; fills MagnetFieldLUT.
    virtual TFieldLUT GetCurrentFieldVectorForLUT(double X, double Y);

    void Paint(TFastDIB& BMP) override;
    virtual void PaintMagnetPicture(TFastDIB& BMP);

    void getSeedPoints(const TFastDIB& BMP) override;
    bool IsInTheZone(TSeedPoint SeedPoint, double X, double Y) override;

    double LastDrawnRotation = 1000.0; // rotation of FRotatedBMP; 1000 = never made

protected:
    void QuickAt(double X, double Y, double& Fx, double& Fy) const;

    std::unique_ptr<TFastDIB> FRotatedBMP;
};
