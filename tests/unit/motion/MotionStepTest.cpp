// The motion step's rules one at a time: step length, forces to velocities, the rest threshold and
// cut-offs, the fractional pose, collisions, the bench's edges, the motor and the uniform field.
#include "MotionTestSupport.h"

#include "objects/Compass.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"

#include <cmath>
#include <limits>

namespace {

constexpr int32_t BenchWidth = 753;
constexpr int32_t BenchHeight = 606;

TMagnetBench& Sized(TMagnetBench& bench)
{
    TMagnetBenchTestAccess::SetLastDrawnSize(bench, BenchWidth, BenchHeight);
    return bench;
}

TEST(MotionStep, TickCountToTicksTable)
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const struct {
        double TickCount;
        double Ticks;
    } cases[] = {
        {0.0, 1.0},   {20.0, 1.0},   {30.0, 1.5},   {100.0, 5.0},     {119.0, 5.95},
        {120.0, 6.0}, {500.0, 6.0},  {-40.0, 1.0},  {Inf, 6.0},       {-Inf, 1.0},
        {std::numeric_limits<double>::quiet_NaN(), 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TMagnetBench::TickCountToTicks(c.TickCount), c.Ticks) << c.TickCount << " ms";
    }
}

TEST(MotionStep, LoneMagnetStaysAtRest)
{
    TMagnetBench bench;
    bench.AddMagnet(376, 303, 0.7);
    Sized(bench);
    TMagneticObject& magnet = SourceAt(bench, 0);
    const int32_t left = magnet.Left();
    const int32_t top = magnet.Top();
    const double rotation = magnet.Rotation();
    for (int step = 0; step < 10; ++step) {
        bench.DoMotionStep(5.0);
    }
    EXPECT_EQ(bench.ForceCalcCount, 10);
    EXPECT_EQ(magnet.Left(), left);
    EXPECT_EQ(magnet.Top(), top);
    EXPECT_EQ(magnet.Rotation(), rotation);
    EXPECT_EQ(magnet.VelocityX(), 0.0);
    EXPECT_EQ(magnet.VelocityY(), 0.0);
    EXPECT_EQ(magnet.AngularVelocity(), 0.0);
}

TEST(MotionStep, MagnetTurnsNorthEndTowardsUniformField)
{
    TMagnetBench bench;
    bench.AddMagnet(376, 303, 0.0);
    bench.ToggleUniformField(0.1);
    Sized(bench);
    TMagneticObject& magnet = SourceAt(bench, 0);

    // Both poles see (40, 0): no force, the torque 60 x (40 + 40).
    double fx = 1.0;
    double fy = 1.0;
    double torque = 0.0;
    magnet.CalculateForce(fx, fy, torque);
    EXPECT_EQ(fx, 0.0);
    EXPECT_EQ(fy, 0.0);
    EXPECT_EQ(torque, 4800.0);

    bench.DoMotionStep(1.0);
    EXPECT_EQ(magnet.AngularVelocity(), 4800.0 * magnet.MomentOfInertiaInv());
    // The moment of inertia uses 0.083333333333 for 1/12: 918 000 within a few parts in 1e12.
    EXPECT_NEAR(magnet.AngularVelocity(), 4800.0 / 918000.0, 1e-13);
    EXPECT_EQ(magnet.VelocityX(), 0.0);
    EXPECT_EQ(magnet.VelocityY(), 0.0);
    EXPECT_EQ(magnet.Rotation(), magnet.AngularVelocity());
    // Clockwise on the screen: the north end (local y < 0) moves towards +x.
    double northX = 0.0;
    double northY = -60.0;
    magnet.DoOutRotation(northX, northY);
    EXPECT_GT(northX, magnet.CentreX());
}

TEST(MotionStep, WireIsPushedAcrossUniformField)
{
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped ? "flipped" : "unflipped");
        TMagnetBench bench;
        bench.AddWire(376, 303, flipped);
        bench.ToggleUniformField(0.1);
        Sized(bench);
        TMagneticObject& wire = SourceAt(bench, 0);
        const double sign = flipped ? -1.0 : 1.0;

        double fx = 1.0;
        double fy = 1.0;
        double torque = 1.0;
        wire.CalculateForce(fx, fy, torque);
        EXPECT_EQ(fx, 0.0);
        EXPECT_EQ(fy, -sign * 40.0 / 30.0);
        EXPECT_EQ(torque, 0.0);

        const int32_t top = wire.Top();
        bench.DoMotionStep(1.0);
        EXPECT_EQ(wire.VelocityX(), 0.0);
        EXPECT_EQ(wire.VelocityY(), fy * wire.MassInv());
        EXPECT_NEAR(wire.VelocityY(), -sign * 0.029630, 1e-6);
        // Less than half a pixel: the box stays, the fraction is kept.
        EXPECT_EQ(wire.Top(), top);
        EXPECT_EQ(wire.TopFloat(), top + wire.VelocityY());
    }
}

// A magnet whose force and torque are set by the test.
class TPushedMagnet : public TFixedMagnet {
public:
    double PushX = 0.0;
    double PushY = 0.0;
    double Twist = 0.0;
    void CalculateForce(double& Fx, double& Fy, double& Torque) override
    {
        Fx = PushX;
        Fy = PushY;
        Torque = Twist;
    }
};

TEST(MotionPreCalculation, RestThresholdAndCutOffs)
{
    const struct {
        const char* Name;
        int32_t Side;    // 0: the bar magnet's 30 x 120; otherwise a Side x Side rectangle
        double StartVx;  // pixels per tick
        double StartSpin; // radians per tick
        double Force;    // along x
        double Torque;
        double Ticks;
        double Vx;
        double Spin;
    } cases[] = {
        {"force 1 for 1 tick stays below the speed cut-off", 0, 0.0, 0.0, 1.0, 0.0, 1.0, 0.0, 0.0},
        {"force 1 for 5 ticks moves", 0, 0.0, 0.0, 1.0, 0.0, 5.0, 1.0 * (1.0 / 720.0) * 5.0, 0.0},
        {"0.0021 damped to 0.001995 is cut", 0, 0.0021, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0},
        {"0.0022 damped to 0.00209 stays", 0, 0.0022, 0.0, 0.0, 0.0, 1.0, 0.0022 * 0.95, 0.0},
        {"spin damped below the spin cut-off is cut", 0, 0.0, 1.9e-6, 0.0, 0.0, 1.0, 0.0, 0.0},
        {"spin damped above the spin cut-off stays", 0, 0.0, 2.0e-6, 0.0, 0.0, 1.0, 0.0, 0.9 * 2.0e-6},
        // A 1 x 1 rectangle weighs 0.2: forces below 1e-4 would move it if they were not held.
        {"a light source at rest is held under a force below 1e-4", 1, 0.0, 0.0, 0.9e-4, 0.0, 6.0, 0.0, 0.0},
        {"a light source at rest moves under a force of 1.1e-4", 1, 0.0, 0.0, 1.1e-4, 0.0, 6.0,
         1.1e-4 * (1.0 / 0.2) * 6.0, 0.0},
        {"a light source in motion is not held", 1, 0.01, 0.0, 0.9e-4, 0.0, 6.0,
         0.01 * std::pow(0.95, 6.0) + 0.9e-4 * (1.0 / 0.2) * 6.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPushedMagnet magnet;
        if (c.Side > 0) {
            magnet.SetMagWidth(c.Side);
            magnet.SetMagHeight(c.Side);
        }
        magnet.SetVelocityX(c.StartVx);
        magnet.SetAngularVelocity(c.StartSpin);
        magnet.PushX = c.Force;
        magnet.Twist = c.Torque;
        magnet.DoMotionPreCalculation(false, c.Ticks);
        EXPECT_EQ(magnet.VelocityX(), c.Vx);
        EXPECT_EQ(magnet.VelocityY(), 0.0);
        EXPECT_EQ(magnet.AngularVelocity(), c.Spin);
    }
}

TEST(MotionStep, FractionalPositionSurvivesUnlessBothLeftAndTopChange)
{
    const struct {
        double LeftFloat, TopFloat;
        int32_t Left, Top;
        double LeftFloatAfter, TopFloatAfter;
    } cases[] = {
        {10.6, 10.6, 11, 11, 10.6, 11.0}, // both change: the vertical fraction is dropped
        {10.6, 10.4, 11, 10, 10.6, 10.4}, // only Left changes
        {10.4, 10.6, 10, 11, 10.4, 10.6}, // only Top changes
        {10.4, 9.6, 10, 10, 10.4, 9.6},   // neither changes
        {9.5, 10.5, 10, 10, 9.5, 10.5},   // halves to even: the box stays
        {11.5, 8.7, 12, 9, 11.5, 9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.LeftFloat << ", " << c.TopFloat);
        TFixedMagnet magnet;
        magnet.SetBounds(10, 10, magnet.Width(), magnet.Height());
        magnet.SetLeftFloat(c.LeftFloat);
        magnet.SetTopFloat(c.TopFloat);
        magnet.SetRotationFloat(magnet.Rotation());
        magnet.DoMotion();
        EXPECT_EQ(magnet.Left(), c.Left);
        EXPECT_EQ(magnet.Top(), c.Top);
        EXPECT_EQ(magnet.LeftFloat(), c.LeftFloatAfter);
        EXPECT_EQ(magnet.TopFloat(), c.TopFloatAfter);
    }
}

TEST(MotionStep, CollisionStopsBothOnTheirBoxes)
{
    // 15 pixels apart; the right-hand magnet runs into the left-hand one within the first tick.
    TMagnetBench bench;
    bench.AddMagnet(300, 300, 0.0);
    bench.AddMagnet(345, 300, 0.0);
    Sized(bench);
    TMagneticObject& a = SourceAt(bench, 0);
    TMagneticObject& b = SourceAt(bench, 1);
    b.SetVelocityX(-20.0);
    const int32_t aLeft = a.Left();
    const int32_t bLeft = b.Left();
    bench.DoMotionStep(3.0);
    for (TMagneticObject* s : {&a, &b}) {
        EXPECT_EQ(s->VelocityX(), 0.0);
        EXPECT_EQ(s->VelocityY(), 0.0);
        EXPECT_EQ(s->AngularVelocity(), 0.0);
        EXPECT_EQ(s->Rotation(), 0.0);
        EXPECT_EQ(s->LeftFloat(), s->Left());
        EXPECT_EQ(s->TopFloat(), s->Top());
    }
    EXPECT_EQ(a.Left(), aLeft);
    EXPECT_EQ(b.Left(), bLeft);

    // Crossed magnets on one centre: the torque gives them new velocities every step, and every
    // step stops them again, because the first one's border lies inside the second.
    TMagnetBench crossed;
    crossed.AddMagnet(300, 300, 0.0);
    crossed.AddMagnet(300, 300, 1.2);
    Sized(crossed);
    for (int step = 0; step < 5; ++step) {
        double fx = 0.0;
        double fy = 0.0;
        double torque = 0.0;
        SourceAt(crossed, 1).CalculateForce(fx, fy, torque);
        EXPECT_GT(std::fabs(torque) * SourceAt(crossed, 1).MomentOfInertiaInv() * 5.0, 1e-3);
        crossed.DoMotionStep(5.0);
        EXPECT_EQ(SourceAt(crossed, 1).AngularVelocity(), 0.0);
    }
    EXPECT_EQ(SourceAt(crossed, 0).Left(), 300 - 62);
    EXPECT_EQ(SourceAt(crossed, 1).Left(), 300 - 62);
    EXPECT_EQ(SourceAt(crossed, 0).Rotation(), 0.0);
    EXPECT_EQ(SourceAt(crossed, 1).Rotation(), 1.2);
}

// Only the earlier source's border is sampled: a wire inside a magnet's rectangle is stopped when
// it comes first in the list, and moves freely when the magnet comes first (the magnet's border
// lies outside the wire).
TEST(MotionStep, OnlyTheEarlierSourcesBorderIsTested)
{
    for (bool wireFirst : {true, false}) {
        SCOPED_TRACE(wireFirst ? "wire first" : "magnet first");
        TMagnetBench bench;
        if (wireFirst) {
            bench.AddWire(300, 300, false);
            bench.AddMagnet(300, 300, 0.0);
        } else {
            bench.AddMagnet(300, 300, 0.0);
            bench.AddWire(300, 300, false);
        }
        Sized(bench);
        TMagneticObject& wire = SourceAt(bench, wireFirst ? 0 : 1);
        wire.SetVelocityY(3.0);
        bench.DoMotionStep(2.0);
        if (wireFirst) {
            EXPECT_EQ(wire.VelocityY(), 0.0);
            EXPECT_EQ(wire.Top(), 300 - 10);
        } else {
            EXPECT_EQ(wire.VelocityY(), 3.0 * std::pow(0.95, 2.0));
            EXPECT_EQ(wire.Top(), 300 - 10 + 5);
        }
    }
}

// Sources driven outwards across an edge: put back with the centre on the edge (half a pixel
// beyond it for an odd box side), velocity kept, so they stay there.
TEST(MotionStep, CentreOffTheBenchIsPutBackOnTheEdge)
{
    const struct {
        const char* Name;
        bool Wire; // a 21-pixel box, else the magnet's 124
        int32_t X, Y;
        double Vx, Vy;
        double CentreX, CentreY;
    } cases[] = {
        {"magnet left", false, -5, 300, -1.0, 0.0, 0.0, 300.0},
        {"wire left (odd side)", true, -5, 300, -1.0, 0.0, 0.5, 300.5},
        {"magnet top", false, 300, -5, 0.0, -1.0, 300.0, 0.0},
        {"wire top", true, 300, -5, 0.0, -1.0, 300.5, 0.5},
        {"magnet right", false, 760, 300, 1.0, 0.0, 753.0, 300.0},
        {"wire right", true, 760, 300, 1.0, 0.0, 753.5, 300.5},
        {"magnet bottom right", false, 900, 700, 1.0, 1.0, 753.0, 606.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TMagnetBench bench;
        if (c.Wire) {
            bench.AddWire(c.X, c.Y, false);
        } else {
            bench.AddMagnet(c.X, c.Y, 0.0);
        }
        TMagneticObject& source = SourceAt(bench, 0);
        source.SetVelocityX(c.Vx);
        source.SetVelocityY(c.Vy);
        // Before the first frame the bench has no size and nothing is put back.
        const double centreX = source.CentreX();
        const double centreY = source.CentreY();
        bench.DoMotionStep(1.0);
        EXPECT_EQ(source.CentreX(), centreX + std::nearbyint(c.Vx * 0.95));
        EXPECT_EQ(source.CentreY(), centreY + std::nearbyint(c.Vy * 0.95));

        Sized(bench);
        for (int step = 0; step < 3; ++step) {
            bench.DoMotionStep(1.0);
            EXPECT_EQ(source.CentreX(), c.CentreX);
            EXPECT_EQ(source.CentreY(), c.CentreY);
        }
        EXPECT_EQ(source.VelocityX(), c.Vx * 0.95 * 0.95 * 0.95 * 0.95);
        EXPECT_EQ(source.VelocityY(), c.Vy * 0.95 * 0.95 * 0.95 * 0.95);
    }
}

TEST(MotionStep, MotorTurnsAboutItsFixedCentreAndReversesItsCurrent)
{
    TMagnetBench bench;
    bench.AddMotor(376, 303);
    bench.ToggleUniformField(0.1);
    Sized(bench);
    TMagneticObject& motor = SourceAt(bench, 0);
    const int32_t left = motor.Left();
    const int32_t top = motor.Top();
    int reversals = 0;
    bool flipped = motor.Flipped();
    for (int step = 0; step < 400; ++step) {
        bench.DoMotionStep(2.5);
        ASSERT_EQ(motor.Left(), left);
        ASSERT_EQ(motor.Top(), top);
        ASSERT_EQ(motor.LeftFloat(), left);
        ASSERT_EQ(motor.TopFloat(), top);
        ASSERT_EQ(motor.VelocityX(), 0.0);
        ASSERT_EQ(motor.VelocityY(), 0.0);
        ASSERT_EQ(motor.Flipped(), TMotor::CommutatorReverses(motor.Rotation())) << motor.Rotation();
        reversals += motor.Flipped() != flipped;
        flipped = motor.Flipped();
    }
    // It keeps turning: several half turns, each reversing the current.
    EXPECT_GE(reversals, 6);
}

TEST(MotionStep, UniformFieldStopsNothing)
{
    // A magnet over the bench point (0, 0), wherever the uniform field stands in the list.
    for (bool fieldFirst : {true, false}) {
        SCOPED_TRACE(fieldFirst ? "field first" : "field last");
        TMagnetBench bench;
        if (fieldFirst) {
            bench.ToggleUniformField(0.1);
        }
        bench.AddMagnet(10, 40, 0.0);
        if (!fieldFirst) {
            bench.ToggleUniformField(0.1);
        }
        Sized(bench);
        TMagneticObject& magnet = SourceAt(bench, fieldFirst ? 1 : 0);
        TMagneticObject& field = SourceAt(bench, fieldFirst ? 0 : 1);
        ASSERT_TRUE(field.IsUniformField());
        magnet.SetVelocityX(3.0);
        const double leftFloat = magnet.LeftFloat();
        bench.DoMotionStep(1.0);
        EXPECT_EQ(magnet.VelocityX(), 3.0 * 0.95);
        EXPECT_EQ(magnet.LeftFloat(), leftFloat + 3.0 * 0.95);
        EXPECT_NE(magnet.AngularVelocity(), 0.0);
        EXPECT_EQ(field.Left(), 0);
        EXPECT_EQ(field.Top(), 0);
        EXPECT_EQ(field.VelocityX(), 0.0);
        EXPECT_EQ(field.VelocityY(), 0.0);
        EXPECT_EQ(field.AngularVelocity(), 0.0);
    }
}

TEST(MotionStep, CompassesFollowEveryStep)
{
    TMagnetBench bench;
    bench.AddWire(300, 300, false);
    bench.AddCompass(340, 300);
    bench.ToggleUniformField(0.1);
    Sized(bench);
    for (int step = 0; step < 3; ++step) {
        bench.DoMotionStep(6.0);
    }
    ASSERT_NE(SourceAt(bench, 0).Top(), 300 - 10);
    const auto* compass = static_cast<const TCompass*>(bench.Objects()[1].get());
    double fx = 0.0;
    double fy = 0.0;
    bench.GetOverallCurrentFieldVector(compass->Left() + 15, compass->Top() + 15, fx, fy);
    const double inverse = 1.0 / std::sqrt(fx * fx + fy * fy);
    EXPECT_EQ(compass->Vx(), fx * inverse);
    EXPECT_EQ(compass->Vy(), fy * inverse);
}

} // namespace
