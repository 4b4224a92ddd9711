// Field models, pointer tests and start-up tables of the sources, with each source centred on the
// bench origin so that bench and local coordinates coincide at rotation 0.
#include "objects/FieldTables.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"
#include "objects/Solonoid.h"
#include "objects/UniformMagneticField.h"
#include "objects/Wire.h"
#include "support/WorkerPool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

template <typename Source>
void CentreOnOrigin(Source& source)
{
    source.SetBounds(-(source.Width() / 2), -(source.Height() / 2), source.Width(), source.Height());
}

// Sources with an odd box side centre on half a pixel; keep the centre exactly at the origin.
template <typename Source>
void CentreExactlyOnOrigin(Source& source)
{
    CentreOnOrigin(source);
    source.SetCentreX(0.0);
    source.SetCentreY(0.0);
}

struct Field {
    double x = 0.0;
    double y = 0.0;
};

Field Exact(TMagneticObject& source, double x, double y)
{
    Field f;
    source.GetCurrentFieldVector(x, y, f.x, f.y);
    return f;
}

Field Quick(TMagneticObject& source, double x, double y)
{
    Field f;
    source.GetCurrentFieldVectorQuick(x, y, f.x, f.y);
    return f;
}

Field Dipole(TMagneticObject& source, double x, double y)
{
    Field f;
    source.GetDipoleFieldVector(x, y, f.x, f.y);
    return f;
}

class SourceModels : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureStartupTables(); }
};

} // namespace

TEST_F(SourceModels, MagnetExactAndDipoleValues)
{
    TFixedMagnet magnet;
    CentreOnOrigin(magnet);
    struct Case {
        double X, Y, ExactX, ExactY, DipoleX, DipoleY;
    };
    const Case cases[] = {
        {0, 0, 0, -28.3800, 0, 0},                     // inside: no dipole field
        {0, -100, 0, -0.36328, 0, -283.016},
        {0, 100, 0, -0.36328, 0, -283.016},
        {100, 0, 0, 0.41763, 0, 68.2519},
        {50, -50, 1.03696, 0.99999, 353.662, 37.3751},
        {50, 50, -1.03696, 0.99999, -353.662, 37.3751},
        {20, 0, 0, 25.6643, 0, 753.659},
    };
    for (const Case& c : cases) {
        const Field e = Exact(magnet, c.X, c.Y);
        const Field d = Dipole(magnet, c.X, c.Y);
        EXPECT_NEAR(e.x, c.ExactX, 6e-5) << c.X << "," << c.Y;
        EXPECT_NEAR(e.y, c.ExactY, 6e-5) << c.X << "," << c.Y;
        EXPECT_NEAR(d.x, c.DipoleX, 6e-4) << c.X << "," << c.Y;
        EXPECT_NEAR(d.y, c.DipoleY, 6e-4) << c.X << "," << c.Y;
    }
}

TEST_F(SourceModels, MagnetCornerTermsAtTheirOwnPoints)
{
    TFixedMagnet magnet;
    // At the corner (13.5, 45) that corner adds -1 to Fx and nothing to Fy, and the other
    // right-hand corner (dx = 0 too) adds nothing to Fy. Recompute the other corners by hand.
    TFieldLUT lut = magnet.GetCurrentFieldVectorForLUT(13.5, 45.0);
    auto corner = [](double px, double py, double x, double y, bool north, double& fx, double& fy) {
        const double dx = x - px;
        const double dy = y - py;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double f = r == 0.0 ? 1.0 : (north ? 100.0 / r : -100.0 / r);
        fx -= f;
        if (dx != 0.0) {
            fy -= f * dy / dx;
        }
    };
    double fx = 0.0;
    double fy = 0.0;
    corner(-13.5, -45.0, 13.5, 45.0, true, fx, fy);
    corner(13.5, -45.0, 13.5, 45.0, false, fx, fy);
    corner(-13.5, 45.0, 13.5, 45.0, false, fx, fy);
    EXPECT_EQ(lut.x, fx - 1.0);
    EXPECT_EQ(lut.y, fy);
}

TEST_F(SourceModels, MagnetQuickModelIdentities)
{
    TFixedMagnet magnet;
    CentreOnOrigin(magnet);
    // The table holds one quadrant; the mirrored corner sums agree up to the order of additions.
    const Field quick = Quick(magnet, 50.4, -49.6);
    const Field exact = Exact(magnet, 50.0, -50.0);
    EXPECT_NEAR(quick.x, exact.x, 1e-14);
    EXPECT_NEAR(quick.y, exact.y, 1e-14);
    const Field far = Quick(magnet, 1500.0, 0.0);
    const Field edge = Quick(magnet, 1000.0, 0.0);
    EXPECT_EQ(far.x, edge.x);
    EXPECT_EQ(far.y, edge.y);
    // Any finite or non-finite point reads a valid cell.
    for (double bad : {1e300, -1e300, std::nan("")}) {
        const Field f = Quick(magnet, bad, bad);
        EXPECT_TRUE(std::isfinite(f.x) || std::isnan(bad));
    }
}

TEST_F(SourceModels, MagnetTurnedByPiHasItsFieldTurned)
{
    TFixedMagnet upright;
    TFixedMagnet turned;
    CentreOnOrigin(upright);
    CentreOnOrigin(turned);
    turned.SetRotation(Pi);
    for (const auto& [x, y] : {std::pair{0.0, -100.0}, std::pair{37.0, 12.0}, std::pair{-80.0, 95.0}}) {
        const Field a = Exact(upright, x, y);
        const Field b = Exact(turned, -x, -y);
        EXPECT_NEAR(b.x, -a.x, 1e-12);
        EXPECT_NEAR(b.y, -a.y, 1e-12);
    }
    // North end at the bottom: the field on the axis below now points down.
    EXPECT_GT(Exact(turned, 0.0, 100.0).y, 0.0);
}

TEST_F(SourceModels, MagnetPointerTests)
{
    TFixedMagnet magnet;
    CentreOnOrigin(magnet);
    EXPECT_TRUE(magnet.CheckIsInside(15.0, 60.0));
    EXPECT_FALSE(magnet.CheckIsInside(15.01, 0.0));
    EXPECT_TRUE(magnet.IsInRotationButton(0.0, -54.0));
    EXPECT_TRUE(magnet.IsInRotationButton(6.9, -54.0));
    EXPECT_FALSE(magnet.IsInRotationButton(0.0, -47.0));
    const Field inside = Dipole(magnet, 10.0, 10.0);
    EXPECT_EQ(inside.x, 0.0);
    EXPECT_EQ(inside.y, 0.0);
}

TEST_F(SourceModels, WireExactAndQuickValues)
{
    TWire wire(false);
    CentreExactlyOnOrigin(wire);
    struct Case {
        double X, Y, ExactX, ExactY, QuickX, QuickY;
    };
    const Case cases[] = {
        {10, 0, 0, -10, 0, -10},
        {0, 10, 10, 0, 10, 0},
        {7, 0, 0, -20.408, 0, -20.408},
        {6, 0, 0, 0, 0, 0},
        {6.6, 0, 0, 0, 0, -20.408}, // the cut-off applies to the rounded table offsets
    };
    for (const Case& c : cases) {
        const Field e = Exact(wire, c.X, c.Y);
        const Field q = Quick(wire, c.X, c.Y);
        EXPECT_NEAR(e.x, c.ExactX, 1e-3) << c.X << "," << c.Y;
        EXPECT_NEAR(e.y, c.ExactY, 1e-3) << c.X << "," << c.Y;
        EXPECT_NEAR(q.x, c.QuickX, 1e-3) << c.X << "," << c.Y;
        EXPECT_NEAR(q.y, c.QuickY, 1e-3) << c.X << "," << c.Y;
    }
    TWire flipped(true);
    CentreExactlyOnOrigin(flipped);
    for (const auto& [x, y] : {std::pair{10.0, 3.0}, std::pair{-40.0, 22.5}}) {
        EXPECT_EQ(Exact(flipped, x, y).x, -Exact(wire, x, y).x);
        EXPECT_EQ(Exact(flipped, x, y).y, -Exact(wire, x, y).y);
        EXPECT_EQ(Quick(flipped, x, y).x, -Quick(wire, x, y).x);
        EXPECT_EQ(Quick(flipped, x, y).y, -Quick(wire, x, y).y);
    }
}

TEST_F(SourceModels, WirePointerTestsAndDoubleClick)
{
    TWire wire(false);
    CentreOnOrigin(wire); // box from -10 to 11: centre 0.5
    EXPECT_TRUE(wire.CheckIsInside(0.5 + 7.5, 0.5));
    EXPECT_FALSE(wire.CheckIsInside(0.5 + 7.51, 0.5));
    EXPECT_FALSE(wire.IsInRotationButton(0.5, 0.5));
    wire.DblClick();
    EXPECT_TRUE(wire.IsFlipped());
    wire.DblClick();
    EXPECT_FALSE(wire.IsFlipped());
}

TEST_F(SourceModels, CoilFieldAndHandles)
{
    Tsolonoid coil;
    CentreExactlyOnOrigin(coil);
    coil.SetRotation(0.0);
    const Field centre = Exact(coil, 0.0, 0.0);
    EXPECT_NEAR(centre.x, 0.0, 1e-15);
    EXPECT_NEAR(centre.y, 0.23375, 1e-5);
    EXPECT_EQ(centre.y, 2.0 * 1000.0 / (92.5 * 92.5 * 92.5) * 92.5);

    // Within 7 pixels of one conductor only the other one contributes.
    const Field nearEnd = Exact(coil, 92.5 + 3.0, 0.0);
    TWire other(true); // the conductor at -92.5 carries the opposite current
    other.SetCentreX(-92.5);
    other.SetCentreY(0.0);
    const Field otherOnly = Exact(other, 92.5 + 3.0, 0.0);
    EXPECT_NEAR(nearEnd.x, otherOnly.x, 1e-15);
    EXPECT_NEAR(nearEnd.y, otherOnly.y, 1e-15);

    EXPECT_TRUE(coil.IsInRotationButton(-90.0, 40.0));
    EXPECT_EQ(coil.RotationHandleAngle, -Pi / 2.0);
    EXPECT_FALSE(coil.IsInRotationButton(50.0, 0.0));
    EXPECT_EQ(coil.RotationHandleAngle, Pi / 2.0);

    // A flipped coil gives the negated field.
    coil.SetIsFlipped(true);
    EXPECT_EQ(Exact(coil, 0.0, 0.0).y, -centre.y);
}

TEST_F(SourceModels, CoilDoubleClickReversesAndNudges)
{
    Tsolonoid coil;
    coil.SetRotation(1.0);
    int changes = 0;
    coil.SetOnChanged([&changes](TExperimentalObject*) { ++changes; });
    coil.DblClick();
    EXPECT_TRUE(coil.IsFlipped());
    EXPECT_EQ(changes, 1);
    const double nudge = std::fabs(coil.Rotation() - 1.0);
    EXPECT_GE(nudge, 0.005 - 1e-9);
    EXPECT_LE(nudge, 0.045 + 1e-9);
}

TEST_F(SourceModels, MotorCommutatorBoundaries)
{
    struct Case {
        double Rotation;
        bool Reversed;
    };
    const Case cases[] = {
        {1.5707963267948966, false},        // the double nearest pi/2 lies below pi/2
        {std::nextafter(1.5707963267948966, 4.0), true},
        {Pi / 2.0 + 0.001, true},
        {4.71238898038469, true},           // the double nearest 3 pi/2 lies below 3 pi/2
        {std::nextafter(4.71238898038469, 7.0), false},
        {3.0 * Pi / 2.0 + 0.001, false},
        {0.0, false},
        {Pi, true},
    };
    TMotor motor;
    for (const Case& c : cases) {
        motor.SetRotation(c.Rotation == motor.Rotation() ? c.Rotation + 1.0 : c.Rotation);
        motor.SetRotation(c.Rotation);
        EXPECT_EQ(motor.IsFlipped(), c.Reversed) << c.Rotation;
        EXPECT_EQ(TMotor::CommutatorReverses(c.Rotation), c.Reversed) << c.Rotation;
    }
}

TEST_F(SourceModels, MotorHubAndNoDoubleClick)
{
    TMotor motor;
    CentreExactlyOnOrigin(motor);
    motor.SetRotation(0.0);
    EXPECT_TRUE(motor.CheckIsInside(0.0, 14.9));
    EXPECT_FALSE(motor.CheckIsInside(0.0, 15.0));
    const bool flipped = motor.IsFlipped();
    motor.DblClick();
    EXPECT_EQ(motor.IsFlipped(), flipped);
}

TEST_F(SourceModels, UniformFieldModels)
{
    TUniformMagneticField field(0.1);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, std::pair{-300.0, 1e6}}) {
        EXPECT_EQ(Exact(field, x, y).x, 0.1);
        EXPECT_EQ(Exact(field, x, y).y, 0.0);
        EXPECT_EQ(Quick(field, x, y).x, 0.1);
        EXPECT_EQ(Dipole(field, x, y).x, 40.0);
        EXPECT_FALSE(field.CheckIsInside(x, y));
        EXPECT_FALSE(field.CheckIsInsideFuture(x, y));
    }
    field.SetIsFlipped(true);
    EXPECT_EQ(Exact(field, 3.0, 4.0).x, -0.1);
    EXPECT_EQ(Dipole(field, 3.0, 4.0).x, -40.0);
    EXPECT_EQ(field.Mass(), 0.0);
    EXPECT_EQ(field.MassInv(), 0.0);
}

TEST_F(SourceModels, StartupTablesAreTheSameForAnyThreadCount)
{
    std::vector<TFieldLUT> one;
    std::vector<TFieldLUT> many;
    SetSharedWorkerThreadCount(1);
    BuildMagnetFieldLUT(one);
    SetSharedWorkerThreadCount(3);
    BuildMagnetFieldLUT(many);
    ASSERT_EQ(one.size(), many.size());
    EXPECT_EQ(std::memcmp(one.data(), many.data(), one.size() * sizeof(TFieldLUT)), 0);
    EXPECT_EQ(std::memcmp(one.data(), MagnetFieldLUT().data(), one.size() * sizeof(TFieldLUT)), 0);

    SetSharedWorkerThreadCount(1);
    BuildWireFieldLUT(one);
    SetSharedWorkerThreadCount(3);
    BuildWireFieldLUT(many);
    EXPECT_EQ(std::memcmp(one.data(), many.data(), one.size() * sizeof(TFieldLUT)), 0);
    SetSharedWorkerThreadCount(0);
}
