// Creating, filling and clearing the bench, and the compasses it keeps turned to the field.
#include "BenchTestAccess.h"

#include "bench/MagnetBench.h"
#include "objects/Compass.h"
#include "objects/MagneticObject.h"
#include "objects/UniformMagneticField.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BenchScene, NewBenchIsEmptyWithItsTwoTables)
{
    TMagnetBench bench;
    EXPECT_TRUE(bench.Objects().empty());
    EXPECT_TRUE(bench.FilingPoints().empty());
    EXPECT_FALSE(bench.HasGrid() || bench.HasFieldLines() || bench.HasFieldMap() || bench.HasIronFilings() ||
                 bench.IsAddingFilings() || bench.IsRemovingFilings() || bench.MovementON() ||
                 bench.HasUniformField() || bench.AddCompassesMode() || bench.GravityON());
    EXPECT_EQ(bench.IntensityLUT()[130], 1.0);
    EXPECT_EQ(bench.IntensityLUT()[105], 0.1);
    EXPECT_EQ(bench.IntensityLUT()[255], 1e5);
    EXPECT_NEAR(bench.IntensityLUT()[0], 6.31e-6, 0.01e-6);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_GE(bench.RandonGridOFFSet()[i], -10);
        ASSERT_LE(bench.RandonGridOFFSet()[i], 9);
    }
    EXPECT_EQ(bench.RandonGridOFFSet()[1000], 0);
    EXPECT_EQ(bench.RandonGridOFFSet()[1001], 0);
}

TEST(BenchScene, SourcesAreCentredOnTheirPointAndAppended)
{
    TMagnetBench bench;
    bench.AddMagnet(100, 100, 0.0);
    bench.AddWire(300, 200, true);
    bench.AddSolonoid(400, 300, 1.0);
    bench.AddMotor(500, 300);
    bench.AddCompass(50, 60);
    const auto& objects = bench.Objects();
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(objects[0]->Left(), 100 - 124 / 2);
    EXPECT_EQ(objects[0]->Top(), 100 - 124 / 2);
    EXPECT_EQ(objects[0]->AsMagnetic()->CentreX(), 100.0);
    EXPECT_EQ(objects[1]->Left(), 300 - 21 / 2);
    EXPECT_TRUE(objects[1]->AsMagnetic()->Flipped());
    EXPECT_EQ(objects[2]->AsMagnetic()->Rotation(), 1.0);
    EXPECT_EQ(objects[3]->Kind(), TObjectKind::Motor);
    EXPECT_EQ(objects[3]->AsMagnetic()->Rotation(), 0.0);
    EXPECT_FALSE(objects[3]->AsMagnetic()->Flipped()); // the commutator at rotation 0
    EXPECT_TRUE(objects[4]->IsCompass());
    EXPECT_EQ(objects[4]->Left(), 50 - 16);
    EXPECT_EQ(objects[4]->Top(), 60 - 16);
    // Every source can reach the scene's sums through its callbacks.
    double fx = 0.0;
    double fy = 0.0;
    objects[0]->AsMagnetic()->GetOverallDipoleVector()(10.0, 10.0, fx, fy);
    EXPECT_TRUE(fx != 0.0 || fy != 0.0);
}

TEST(BenchScene, ExtremePlacementsStayInRange)
{
    TMagnetBench bench;
    bench.AddMagnet(INT32_MIN, INT32_MAX, std::nan(""));
    const auto& magnet = *bench.Objects().back();
    EXPECT_EQ(magnet.Left(), -TExperimentalObject::MaxCoordinate);
    EXPECT_EQ(magnet.Top(), TExperimentalObject::MaxCoordinate);
    EXPECT_EQ(magnet.AsMagnetic()->Rotation(), 0.0);
}

TEST(BenchScene, UniformFieldToggleAndFlip)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.0);
    bench.FlipUniformField(); // nothing to flip
    EXPECT_EQ(bench.Objects().size(), 1u);

    bench.ToggleUniformField(0.1);
    ASSERT_EQ(bench.Objects().size(), 2u);
    EXPECT_TRUE(bench.HasUniformField());
    auto* field = static_cast<TUniformMagneticField*>(bench.Objects().back().get());
    EXPECT_EQ(field->Left(), 0);
    EXPECT_EQ(field->Top(), 0);
    EXPECT_EQ(field->FieldStrength(), 0.1);
    bench.FlipUniformField();
    EXPECT_TRUE(field->IsFlipped());

    bench.ToggleUniformField(0.1);
    EXPECT_FALSE(bench.HasUniformField());
    ASSERT_EQ(bench.Objects().size(), 1u);
    EXPECT_EQ(bench.Objects()[0]->Kind(), TObjectKind::Magnet);
}

TEST(BenchScene, ClearAllEmptiesTheSceneButKeepsCompassMode)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.0);
    bench.ToggleUniformField(0.1);
    bench.SetHasGrid(true);
    bench.SetHasFieldLines(true);
    bench.SetHasFieldMap(true);
    bench.SetHasIronFilings(true);
    bench.SetIsAddingFilings(true);
    bench.SetMovementON(true);
    bench.SetAddCompassesMode(true);
    bench.ClearAll();
    EXPECT_TRUE(bench.Objects().empty());
    EXPECT_TRUE(bench.FilingPoints().empty());
    EXPECT_FALSE(bench.HasGrid() || bench.HasFieldLines() || bench.HasFieldMap() || bench.HasIronFilings() ||
                 bench.IsAddingFilings() || bench.MovementON() || bench.HasUniformField());
    EXPECT_TRUE(bench.AddCompassesMode());
}

TEST(BenchScene, ClearingForgetsAnObjectThatAPressStillHolds)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.0);
    TMagnetBenchTestAccess::SetPress(bench, bench.Objects()[0].get());
    bench.ClearAll();
    EXPECT_EQ(bench.MouseSender(), nullptr);
    EXPECT_FALSE(bench.OMouseDown());
    double fx = 0.0;
    double fy = 0.0;
    bench.GetOverallCurrentFieldVectorQuick(10.0, 10.0, fx, fy); // must not touch freed memory
    EXPECT_EQ(fx, 0.0);
}

TEST(Compass, FollowsTheExactFieldAtItsSamplePoint)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.0);
    // The sample point (Left + 15, Top + 15) lies 100 pixels right of the magnet's centre.
    bench.AddCompass(300 + 1, 200 + 1);
    const auto& compass = static_cast<const TCompass&>(*bench.Objects().back());
    EXPECT_EQ(compass.Vx(), 0.0);
    EXPECT_EQ(compass.Vy(), 1.0);
}

TEST(Compass, UniformFieldAndItsReversal)
{
    TMagnetBench bench;
    bench.AddCompass(100, 100);
    bench.ToggleUniformField(0.1);
    const auto& compass = static_cast<const TCompass&>(*bench.Objects().front());
    EXPECT_EQ(compass.Vx(), 1.0);
    EXPECT_EQ(compass.Vy(), 0.0);
    bench.FlipUniformField();
    EXPECT_EQ(compass.Vx(), -1.0);
    EXPECT_EQ(compass.Vy(), 0.0);
}

TEST(Compass, NoFieldGivesARandomWholeDegree)
{
    ProgramRandom().Seed(5);
    TMagnetBench bench;
    bench.AddCompass(100, 100);
    const auto& compass = static_cast<const TCompass&>(*bench.Objects().front());
    EXPECT_NEAR(compass.Vx() * compass.Vx() + compass.Vy() * compass.Vy(), 1.0, 1e-15);
    const double degrees = std::atan2(compass.Vx(), compass.Vy()) * 180.0 / 3.141592653589793;
    EXPECT_NEAR(degrees, std::nearbyint(degrees), 1e-9);
}

TEST(Compass, SetVectorAndInsideTest)
{
    TCompass compass;
    compass.SetVector(3.0, 4.0);
    EXPECT_DOUBLE_EQ(compass.Vx(), 0.6);
    EXPECT_DOUBLE_EQ(compass.Vy(), 0.8);
    EXPECT_EQ(compass.FieldStrength(), 0.2);
    // Centre (16, 16) for a compass at the origin.
    EXPECT_TRUE(compass.CheckIsInside(16.0 + 15.9, 16.0));
    EXPECT_FALSE(compass.CheckIsInside(16.0 + 16.0, 16.0));
}

TEST(Compass, DoubleClickOnASourceTurnsTheCompasses)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.0);
    bench.AddCompass(301, 201);
    const auto& compass = static_cast<const TCompass&>(*bench.Objects().back());
    bench.Objects()[0]->DblClick(); // the magnet turns by pi and tells the bench
    EXPECT_NEAR(compass.Vy(), -1.0, 1e-12);
}
