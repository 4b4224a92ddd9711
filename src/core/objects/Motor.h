#pragma once

#include "objects/Solonoid.h"

// The motor: a coil that turns about its fixed centre, with a commutator that reverses its
// current while the rotation lies in the open interval (pi/2, 3 pi/2).
class TMotor : public Tsolonoid {
public:
    TMotor();

    // The commutator. The bounds are pi/2 and 3 pi/2 as exact real numbers: the double nearest
    // pi/2 lies below pi/2 and counts as outside, the double nearest 3 pi/2 lies below 3 pi/2 and
    // counts as inside. The comparison is portable (no extended precision).
    void RotationChanged() override;
    bool CheckIsInside(double X, double Y) override;
    void DblClick() override {}
    void CalculateForce(double& Fx, double& Fy, double& Torque) override;
    void Paint(TFastDIB& BMP) override;

    void PaintCommutatorPicture(TFastDIB& BMP);

    // The commutator's rule for any rotation in [0, 2 pi].
    static bool CommutatorReverses(double rotation);
};
