// Field lines: the seeds of a magnet and of a wire, where lines end, the records of lines that end
// on another magnet, and seed cancelling.
#include "BenchTestAccess.h"
#include "LayerTestSurface.h"

#include "bench/MagnetBench.h"
#include "objects/MagneticObject.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Access = TMagnetBenchTestAccess;

TMagneticObject* Source(const TMagnetBench& bench, size_t index)
{
    return bench.Objects()[index]->AsMagnetic();
}

// The darkest channel value in the 3 x 3 pixels around (x, y): low where a line passes.
int DarkestAround(const TFastDIB& bmp, int x, int y)
{
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const TFColor c = At(bmp, x + dx, y + dy);
            darkest = std::min({darkest, int(c.r), int(c.g), int(c.b)});
        }
    }
    return darkest;
}

} // namespace

TEST(FieldLines, MagnetSeedsLieOnItsPoleLineAndItsZoneIsTheBand)
{
    const double pi = 3.141592653589793;
    for (const double rotation : {0.0, pi / 2.0}) {
        TMagnetBench bench;
        bench.AddMagnet(200, 150, rotation);
        TMagneticObject* magnet = Source(bench, 0);
        auto bmp = MakeSurface(400, 300);
        magnet->getSeedPoints(*bmp);
        ASSERT_EQ(magnet->Seeds.size(), 20u);
        for (int i = 0; i < 10; ++i) {
            const double c = 7.5 * (1.0 - std::sin((10 - i) * pi / 22.0));
            for (int side = 0; side < 2; ++side) {
                const TSeedPoint& seed = magnet->Seeds[static_cast<size_t>(2 * i + side)];
                const double across = side == 0 ? c : -c;
                // Local (across, 45): 45 pixels below the centre at rotation 0, to its left at pi/2.
                const double expectedX = rotation == 0.0 ? 200.0 + across : 200.0 - 45.0;
                const double expectedY = rotation == 0.0 ? 195.0 : 150.0 + across;
                EXPECT_NEAR(seed.X, expectedX, 1e-9) << i << " " << side << " at " << rotation;
                EXPECT_NEAR(seed.Y, expectedY, 1e-9) << i << " " << side << " at " << rotation;
                EXPECT_TRUE(seed.Needed);
                EXPECT_FALSE(seed.flip);
                EXPECT_FALSE(seed.IsLoop);
            }
        }
    }

    TMagnetBench bench;
    bench.AddMagnet(200, 150, 0.0);
    TMagneticObject* magnet = Source(bench, 0);
    const TSeedPoint any{};
    const struct {
        double x, y;
        bool inside;
    } points[] = {
        {200.0, 195.0, true},  {214.9, 196.9, true},  {185.1, 193.1, true},  {215.0, 195.0, false},
        {200.0, 197.0, false}, {200.0, 193.0, false}, {200.0, 105.0, false}, {200.0, 150.0, false},
    };
    for (const auto& p : points) {
        EXPECT_EQ(magnet->IsInTheZone(any, p.x, p.y), p.inside) << p.x << ", " << p.y;
    }
}

TEST(FieldLines, CoilSeedsLieOnItsAxisBetweenTheConductors)
{
    const double pi = 3.141592653589793;
    TMagnetBench bench;
    bench.AddSolonoid(200, 150, pi / 2.0);
    bench.AddMotor(400, 150);
    auto bmp = MakeSurface(600, 300);
    for (size_t index = 0; index < 2; ++index) {
        TMagneticObject* coil = Source(bench, index);
        coil->getSeedPoints(*bmp);
        ASSERT_EQ(coil->Seeds.size(), 20u);
        for (int i = 0; i < 10; ++i) {
            const double s = 7.5 * (1.0 - std::sin((10 - i) * pi / 22.0)) / 30.0 * 1.8 * 185.0;
            for (int side = 0; side < 2; ++side) {
                const TSeedPoint& seed = coil->Seeds[static_cast<size_t>(2 * i + side)];
                const double along = side == 0 ? s : -s;
                // The coil turned by pi/2 has its axis downwards; the motor lies along x.
                const double expectedX = coil->CentreX() + (index == 0 ? 0.0 : along);
                const double expectedY = coil->CentreY() + (index == 0 ? along : 0.0);
                EXPECT_NEAR(seed.X, expectedX, 1e-9) << index << " " << i << " " << side;
                EXPECT_NEAR(seed.Y, expectedY, 1e-9) << index << " " << i << " " << side;
                EXPECT_TRUE(seed.Needed && seed.IsLoop && !seed.flip);
            }
        }
        EXPECT_NEAR(coil->Seeds[18].X - coil->CentreX(), index == 0 ? 0.0 : 71.40, 0.01);
        EXPECT_FALSE(coil->IsInTheZone(TSeedPoint{}, coil->CentreX(), coil->CentreY()));
    }
}

TEST(FieldLines, LinesOfALoneMagnetReturnIntoItsOwnBandWithoutRecords)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 150, 0.0);
    TMagneticObject* magnet = Source(bench, 0);
    auto bmp = MakeSurface(400, 300);
    Access::DrawFieldLines(bench, *bmp);
    ASSERT_EQ(magnet->Seeds.size(), 20u);
    for (const TSeedPoint& seed : magnet->Seeds) {
        EXPECT_FALSE(seed.Needed);
        // The forward half never left the area (that would have flipped the seed): it ended in
        // the band around the seeds' own pole line.
        EXPECT_FALSE(seed.flip);
    }
    EXPECT_TRUE(magnet->LinesEndingExternally.empty());
    EXPECT_TRUE(magnet->LinesEndingHere.empty());
    // The lines come back round both sides of the magnet: the row through its centre is crossed
    // left and right of it.
    int left = 0;
    int right = 0;
    for (int x = 0; x < 400; ++x) {
        if (At(*bmp, x, 150).g < 128) {
            left += x < 185 ? 1 : 0;
            right += x > 215 ? 1 : 0;
        }
    }
    EXPECT_GE(left, 5);
    EXPECT_GE(right, 5);
}

TEST(FieldLines, FacingMagnetsRecordBothEndsAndMatchThemBackwards)
{
    TMagnetBench bench;
    bench.AddMagnet(200, 200, 0.0);
    bench.AddMagnet(200, 350, 0.0);
    auto bmp = MakeSurface(400, 600);
    Access::DrawFieldLines(bench, *bmp);

    size_t outgoing = 0;
    size_t incoming = 0;
    bool surplus = false;
    const TSeedPoint any{};
    for (size_t m = 0; m < 2; ++m) {
        TMagneticObject* magnet = Source(bench, m);
        outgoing += magnet->LinesEndingExternally.size();
        incoming += magnet->LinesEndingHere.size();
        size_t matched = 0;
        for (const TCulledPoint& out : magnet->LinesEndingExternally) {
            bool isSeed = false;
            for (const TSeedPoint& seed : magnet->Seeds) {
                isSeed = isSeed || (seed.X == out.X && seed.Y == out.Y);
            }
            EXPECT_TRUE(isSeed) << "an outgoing record is the position of one of the magnet's seeds";
            matched += out.Needed ? 0 : 1;
        }
        for (const TCulledPoint& in : magnet->LinesEndingHere) {
            EXPECT_TRUE(magnet->IsInTheZone(any, in.X, in.Y)) << "an incoming record lies in the band";
            EXPECT_FALSE(in.Needed);
        }
        if (magnet->LinesEndingExternally.size() > magnet->LinesEndingHere.size()) {
            // Every incoming line took its nearest outgoing seed; the rest were traced backwards.
            surplus = true;
            EXPECT_EQ(matched, magnet->LinesEndingHere.size()) << "magnet " << m;
        } else {
            EXPECT_EQ(matched, 0u) << "magnet " << m;
        }
    }
    EXPECT_GT(outgoing, 0u);
    EXPECT_EQ(outgoing, incoming);
    EXPECT_TRUE(surplus) << "the scene should exercise the backward completion";
}

TEST(FieldLines, LoneWireGivesFiveLoopsClosedOnTheirSeeds)
{
    TMagnetBench bench;
    bench.AddWire(300, 300, false);
    TMagneticObject* wire = Source(bench, 0);
    auto bmp = MakeSurface(600, 600);
    Access::DrawFieldLines(bench, *bmp);
    ASSERT_EQ(wire->Seeds.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        const TSeedPoint& seed = wire->Seeds[static_cast<size_t>(k)];
        const int radius = 50 * (k + 1);
        // The wire's 15-pixel box puts its centre on (300.5, 300.5).
        EXPECT_EQ(seed.X, 300.5) << k;
        EXPECT_EQ(seed.Y, 300.5 + radius) << k;
        EXPECT_TRUE(seed.IsLoop);
        EXPECT_FALSE(seed.Needed);
        EXPECT_FALSE(seed.flip) << "a loop that left the area would have flipped its seed";
        // A loop is drawn only once it has closed; it circles the wire.
        EXPECT_LT(DarkestAround(*bmp, 300 + radius, 300), 128) << radius;
        EXPECT_LT(DarkestAround(*bmp, 301 - radius, 300), 128) << radius;
        EXPECT_LT(DarkestAround(*bmp, 300, 301 - radius), 128) << radius;
        EXPECT_LT(DarkestAround(*bmp, 300, 300 + radius), 128) << radius;
        EXPECT_EQ(DarkestAround(*bmp, 300 + radius + 25, 300), 255) << radius;
    }
}

TEST(FieldLines, LineCancelsNearbySeedsOfOtherLoopSourcesOnly)
{
    TMagnetBench bench;
    bench.AddWire(150, 300, false);
    bench.AddWire(650, 300, false);
    TMagneticObject* traced = Source(bench, 0);
    TMagneticObject* other = Source(bench, 1);
    auto seedAt = [](double x, double y) {
        TSeedPoint seed;
        seed.X = x;
        seed.Y = y;
        seed.Needed = true;
        seed.IsLoop = true;
        return seed;
    };
    // The traced loop circles the first wire (centre (150.5, 300.5)) at a radius of 49.5, through
    // about (200, 300.5) and (150.5, 251).
    traced->Seeds = {seedAt(150.0, 350.0), seedAt(100.0, 300.0)};
    other->Seeds = {seedAt(200.0, 300.0), seedAt(206.0, 300.0), seedAt(150.0, 250.0)};
    auto bmp = MakeSurface(800, 600);
    Access::TraceFieldLine(bench, *bmp, traced, traced->Seeds[0]);

    EXPECT_FALSE(traced->Seeds[0].Needed);
    EXPECT_TRUE(traced->Seeds[1].Needed) << "a line never cancels its own source's seeds";
    EXPECT_FALSE(other->Seeds[0].Needed);
    EXPECT_TRUE(other->Seeds[1].Needed) << "6 pixels off the line";
    EXPECT_FALSE(other->Seeds[2].Needed);

    // A cancelled seed produces nothing.
    auto untouched = MakeSurface(800, 600);
    Access::TraceFieldLine(bench, *untouched, other, other->Seeds[0]);
    EXPECT_EQ(CountMarked(*untouched), 0);
}

TEST(FieldLines, UniformFieldLinesAreRowsFiftyPixelsApart)
{
    for (const bool flipped : {false, true}) {
        TMagnetBench bench;
        bench.ToggleUniformField(0.1);
        if (flipped) {
            bench.FlipUniformField();
        }
        auto bmp = MakeSurface(300, 200);
        Access::DrawFieldLines(bench, *bmp);
        // Seeds at x = -50, y = -100, -50, ..., 250; the lines on rows 50, 100 and 150 cross the
        // surface, the one on row 0 lies in the border row and is clipped away.
        for (int y = 0; y < 200; ++y) {
            const bool line = y == 50 || y == 100 || y == 150;
            for (int x = 0; x < 300; ++x) {
                ASSERT_EQ(At(*bmp, x, y), line ? BlackPixel : WhitePixel) << x << ", " << y;
            }
        }
    }
}

TEST(FieldLines, BenchWithoutSourcesDrawsNothing)
{
    TMagnetBench bench;
    bench.AddCompass(50, 50);
    auto bmp = MakeSurface(120, 100);
    Access::DrawFieldLines(bench, *bmp);
    EXPECT_EQ(CountMarked(*bmp), 0);
}
