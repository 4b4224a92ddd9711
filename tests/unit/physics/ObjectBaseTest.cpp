// The box, rotation and dimension rules shared by every bench object and every source.
#include "objects/ExperimentalObject.h"
#include "objects/Magnet.h"
#include "objects/MagneticObject.h"
#include "objects/Solonoid.h"
#include "objects/Wire.h"
#include "raster/FastDIB.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A bare source that counts its notifications.
class TProbeSource : public TMagneticObject {
public:
    TProbeSource() : TMagneticObject(TObjectKind::Magnet) {}
    void BoundsChanged() override
    {
        ++BoundsChanges;
        TMagneticObject::BoundsChanged();
    }
    void RotationChanged() override { ++RotationChanges; }
    void GetCurrentFieldVector(double, double, double&, double&) override {}
    void GetDipoleFieldVector(double, double, double&, double&) override {}
    void CalculateForce(double& Fx, double& Fy, double& Torque) override { Fx = Fy = Torque = 0.0; }
    void getSeedPoints(const TFastDIB&) override {}
    bool IsInTheZone(TSeedPoint, double, double) override { return false; }
    void Paint(TFastDIB&) override {}
    void DblClick() override {}
    bool CheckIsInside(double, double) override { return false; }
    bool CheckIsInsideFuture(double, double) override { return false; }
    void MoveLeftWithoutNotice(int32_t left) { FLeft = left; }

    int BoundsChanges = 0;
    int RotationChanges = 0;
};

} // namespace

TEST(ExperimentalObject, BoxSettersNotifyOncePerChangedValue)
{
    TProbeSource source;
    source.SetBounds(1, 2, 0, 0); // width and height stay 0: two changes
    source.BoundsChanges = 0;
    source.SetLeft(1);
    EXPECT_EQ(source.BoundsChanges, 0);
    source.SetLeft(5);
    EXPECT_EQ(source.BoundsChanges, 1);
    source.BoundsChanges = 0;
    source.SetBounds(source.Left(), source.Top(), source.Width(), source.Height());
    EXPECT_EQ(source.BoundsChanges, 0);
}

TEST(ExperimentalObject, CoordinatesStayWithinTwoToTheThirty)
{
    TFixedMagnet magnet;
    magnet.SetLeft(std::numeric_limits<int32_t>::max());
    magnet.SetTop(std::numeric_limits<int32_t>::min());
    EXPECT_EQ(magnet.Left(), TExperimentalObject::MaxCoordinate);
    EXPECT_EQ(magnet.Top(), -TExperimentalObject::MaxCoordinate);
    // Sums the bench forms from a box cannot overflow.
    EXPECT_LT(static_cast<int64_t>(magnet.Left()) + magnet.Width(), std::numeric_limits<int32_t>::max());
}

TEST(MagneticObject, SetRotationNormalisesIntoOneTurn)
{
    TProbeSource source;
    source.SetRotation(-Pi / 2.0);
    EXPECT_EQ(source.Rotation(), 4.71238898038469);
    EXPECT_NEAR(source.Cos(), 0.0, 1e-15);
    EXPECT_EQ(source.Sin(), -1.0);
    source.SetRotation(7.0);
    EXPECT_EQ(source.Rotation(), 7.0 - TwoPi);
    source.SetRotation(TwoPi);
    EXPECT_EQ(source.Rotation(), TwoPi); // exactly one turn stays
}

TEST(MagneticObject, SetRotationIgnoresRepeatsAndNonFiniteValues)
{
    TProbeSource source;
    source.SetRotation(1.0);
    const int changes = source.RotationChanges;
    source.SetRotation(1.0);
    source.SetRotation(std::numeric_limits<double>::quiet_NaN());
    source.SetRotation(std::numeric_limits<double>::infinity());
    source.SetRotation(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(source.RotationChanges, changes);
    EXPECT_EQ(source.Rotation(), 1.0);
}

TEST(MagneticObject, HugeRotationsAreReducedQuickly)
{
    TProbeSource source;
    for (double huge : {1e300, -1e300, 1e15, -7.5e9}) {
        source.SetRotation(huge);
        EXPECT_GE(source.Rotation(), 0.0) << huge;
        EXPECT_LE(source.Rotation(), TwoPi) << huge;
        EXPECT_NEAR(std::sin(source.Rotation()), std::sin(std::fmod(huge, TwoPi)), 1e-9) << huge;
    }
    // Ordinary values keep the plain subtraction loop's result to the bit.
    double expected = 100.0;
    while (expected > TwoPi) {
        expected -= TwoPi;
    }
    source.SetRotation(100.0);
    EXPECT_EQ(source.Rotation(), expected);
}

TEST(MagneticObject, DimensionsOfEachKind)
{
    struct Case {
        const char* Name;
        TMagneticObject* Source;
        int Box;
        double Mass;
        double Inertia;
    };
    TFixedMagnet magnet;
    TWire wire(false);
    Tsolonoid coil;
    const Case cases[] = {{"magnet", &magnet, 124, 720.0, 918000.0},
                          {"wire", &wire, 21, 45.0, 1687.5},
                          {"coil", &coil, 201, 600.0, 2011250.0}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.Source->Width(), c.Box) << c.Name;
        EXPECT_EQ(c.Source->Height(), c.Box) << c.Name;
        EXPECT_EQ(c.Source->Mass(), c.Mass) << c.Name;
        EXPECT_NEAR(c.Source->MomentOfInertia(), c.Inertia, c.Inertia * 1e-11) << c.Name;
        EXPECT_EQ(c.Source->MassInv(), 1.0 / c.Mass) << c.Name;
    }
    EXPECT_EQ(magnet.MagHalfWidth(), 15.0);
    EXPECT_EQ(magnet.MagHalfHeight(), 60.0);
}

TEST(MagneticObject, NonPositiveMagWidthIsNotStoredButStillRecomputes)
{
    TProbeSource source;
    source.SetMagWidth(30);
    source.SetMagHeight(120);
    source.MoveLeftWithoutNotice(100);
    source.SetMagWidth(0);
    EXPECT_EQ(source.MagWidth(), 30);
    EXPECT_EQ(source.CentreX(), 100 + 124 * 0.5);
    EXPECT_EQ(source.Mass(), 720.0);
}

TEST(MagneticObject, FractionalPositionSurvivesOnlyWhenItRoundsToTheBox)
{
    TFixedMagnet magnet;
    magnet.SetLeft(10);
    magnet.SetLeftFloat(10.4);
    magnet.SetLeft(20);
    EXPECT_EQ(magnet.LeftFloat(), 20.0);
    magnet.SetLeftFloat(20.4);
    magnet.SetTop(7); // any setter tests both coordinates
    EXPECT_EQ(magnet.LeftFloat(), 20.4);
}

TEST(MagneticObject, FrameConversionsAreInverse)
{
    TFixedMagnet magnet;
    magnet.SetBounds(100, 50, magnet.Width(), magnet.Height());
    magnet.SetRotation(0.7);
    double x = 12.5;
    double y = -40.25;
    magnet.DoInRotation(x, y);
    magnet.DoOutRotation(x, y);
    EXPECT_NEAR(x, 12.5, 1e-12);
    EXPECT_NEAR(y, -40.25, 1e-12);
    double vx = 3.0;
    double vy = -4.0;
    magnet.DoRotation(vx, vy);
    magnet.DoAntiRotation(vx, vy);
    EXPECT_NEAR(vx, 3.0, 1e-14);
    EXPECT_NEAR(vy, -4.0, 1e-14);

    // Turned by a quarter, the local point (1, 0) lies one pixel below the centre.
    magnet.SetRotation(Pi / 2.0);
    double px = 1.0;
    double py = 0.0;
    magnet.DoOutRotation(px, py);
    EXPECT_NEAR(px, magnet.CentreX(), 1e-15);
    EXPECT_NEAR(py, magnet.CentreY() + 1.0, 1e-15);
}
