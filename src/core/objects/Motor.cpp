#include "objects/Motor.h"

#include "support/Random.h"

namespace {

// The doubles nearest pi/2 and 3 pi/2; both lie just below the real numbers they stand for.
constexpr double NearestHalfPi = 1.5707963267948966;
constexpr double NearestThreeHalvesPi = 4.71238898038469;

} // namespace

TMotor::TMotor()
    : Tsolonoid(TObjectKind::Motor)
{
    // Always a change from the coil's 3 pi / 2 (the raw value is compared), so the commutator runs.
    SetRotation((RandomReal() - 0.5) * Pi);
    AngularDamping = 0.995;
}

bool TMotor::CommutatorReverses(double rotation)
{
    // rotation > pi/2 (real) holds exactly for the doubles above the one nearest pi/2, and
    // rotation < 3 pi/2 (real) exactly for the doubles up to and including the one nearest 3 pi/2.
    return rotation > NearestHalfPi && rotation <= NearestThreeHalvesPi;
}

void TMotor::RotationChanged()
{
    FIsFlipped = CommutatorReverses(FRotation);
}

bool TMotor::CheckIsInside(double X, double Y)
{
    if (Tsolonoid::CheckIsInside(X, Y)) {
        return true;
    }
    DoInRotation(X, Y);
    return X * X + Y * Y < 225.0; // the round hub of radius 15
}

void TMotor::CalculateForce(double& Fx, double& Fy, double& Torque)
{
    Tsolonoid::CalculateForce(Fx, Fy, Torque);
    // The motor turns about a fixed centre.
    Fx = 0.0;
    Fy = 0.0;
}
