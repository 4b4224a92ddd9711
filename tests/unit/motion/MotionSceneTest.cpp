// Whole motion steps of real scenes against the independent reference model, the exactness of the
// overlap test's broad phase, and the safety of the motion state in hostile scenes.
#include "MotionTestSupport.h"

#include "bench/OverlapBroadPhase.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"
#include "objects/Solonoid.h"
#include "objects/Wire.h"

#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace {

// The work area of the presets: 753 x 606, centre (376, 303).
constexpr int32_t BenchWidth = 753;
constexpr int32_t BenchHeight = 606;
constexpr int32_t Cx = BenchWidth / 2;
constexpr int32_t Cy = BenchHeight / 2;

// Frame lengths as the frame loop produces them (1 to 6 ticks), whole and fractional.
constexpr double StepCycle[] = {5.0, 1.0, 2.5, 6.0, 1.35, 3.0, 4.75};

struct TSceneCase {
    const char* Name;
    std::vector<TSceneItem> Items;
    int Steps;
};

TEST(MotionScenes, AgreeWithTheReferenceModelBitForBit)
{
    using K = TSceneItem;
    const TSceneCase cases[] = {
        {"magnets moving closer", {{K::Magnet, Cx, Cy - 100, 0.0}, {K::Magnet, Cx, Cy + 100, 0.0}}, 150},
        {"magnets moving apart", {{K::Magnet, Cx, Cy - 100, 0.0}, {K::Magnet, Cx, Cy + 100, Pi}}, 150},
        {"wires in the uniform field",
         {{K::Wire, Cx, Cy - 50, 0.0, false}, {K::Wire, Cx, Cy + 50, 0.0, true}, {K::Uniform}},
         150},
        {"motor in the uniform field", {{K::Motor, Cx, Cy}, {K::Uniform}}, 300},
        {"mixed scene",
         {{K::Magnet, Cx - 150, Cy - 80, 0.4},
          {K::Wire, Cx + 30, Cy - 120, 0.0, true},
          {K::Compass, Cx, Cy + 200},
          {K::Coil, Cx + 60, Cy + 40, 1.1},
          {K::Uniform, 0, 0, 0.0, true},
          {K::Magnet, Cx + 200, Cy - 60, 3.5, false, -4.0, 1.5, 0.02},
          {K::Wire, Cx - 40, Cy + 150, 0.0, false, 6.0, -2.0},
          {K::Motor, Cx - 220, Cy + 160}},
         200},
    };
    for (const TSceneCase& scene : cases) {
        SCOPED_TRACE(scene.Name);
        TMagnetBench bench;
        TReferenceScene reference;
        BuildScene(scene.Items, bench, reference);
        SetBenchSize(bench, reference, BenchWidth, BenchHeight);
        for (int step = 0; step < scene.Steps; ++step) {
            const double ticks = StepCycle[step % std::size(StepCycle)];
            bench.DoMotionStep(ticks);
            reference.Step(ticks);
            ASSERT_TRUE(SameMotionState(bench, reference)) << "after step " << step + 1;
        }
    }
}

// The scenes do what their names promise, so that the comparison above covers collisions, the
// bench's edges and the commutator rather than scenes at rest.
TEST(MotionScenes, PresetScenesMove)
{
    {
        TMagnetBench bench;
        bench.AddMagnet(Cx, Cy - 100, 0.0);
        bench.AddMagnet(Cx, Cy + 100, 0.0);
        TMagnetBenchTestAccess::SetLastDrawnSize(bench, BenchWidth, BenchHeight);
        for (int step = 0; step < 150; ++step) {
            bench.DoMotionStep(5.0);
        }
        // Pulled together until the upper one's border touched the lower one, then held there.
        const int32_t gap = SourceAt(bench, 1).Top() - SourceAt(bench, 0).Top();
        EXPECT_LT(gap, 130);
        EXPECT_GT(gap, 110);
    }
    {
        TMagnetBench bench;
        bench.AddMagnet(Cx, Cy - 100, 0.0);
        bench.AddMagnet(Cx, Cy + 100, Pi);
        TMagnetBenchTestAccess::SetLastDrawnSize(bench, BenchWidth, BenchHeight);
        for (int step = 0; step < 150; ++step) {
            bench.DoMotionStep(5.0);
        }
        EXPECT_LT(SourceAt(bench, 0).CentreY(), Cy - 150.0);
        EXPECT_GT(SourceAt(bench, 1).CentreY(), Cy + 150.0);
    }
}

// Dense random scenes with fast sources, so that many pairs collide, several in one sub-step, and
// sources are pushed over the edges: the bench with and without the broad phase and the reference
// model must agree bit for bit after every step.
TEST(MotionScenes, BroadPhaseNeverChangesAResult)
{
    std::mt19937 random(20240611);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };

    int collisions = 0;
    for (int scene = 0; scene < 150; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        std::vector<TSceneItem> items;
        const int count = whole(3, 11);
        const int uniformAt = whole(0, 2) == 0 ? whole(0, count) : -1;
        bool hasMotor = false;
        for (int i = 0; i < count; ++i) {
            if (i == uniformAt) {
                items.push_back({TSceneItem::Uniform, 0, 0, 0.0, whole(0, 1) == 1});
            }
            TSceneItem item;
            const int kind = whole(0, 19);
            if (kind < 9) {
                item.Kind = TSceneItem::Magnet;
            } else if (kind < 15) {
                item.Kind = TSceneItem::Wire;
            } else if (kind < 19 || hasMotor) {
                item.Kind = TSceneItem::Coil;
            } else {
                item.Kind = TSceneItem::Motor;
                hasMotor = true;
            }
            item.X = whole(100, 420);
            item.Y = whole(100, 420);
            item.Rotation = uniform(0.0, 2.0 * Pi);
            item.Flipped = whole(0, 1) == 1;
            if (whole(0, 1) == 1) {
                item.VelocityX = uniform(-9.0, 9.0);
                item.VelocityY = uniform(-9.0, 9.0);
                item.AngularVelocity = uniform(-0.08, 0.08);
            }
            items.push_back(item);
        }

        TMagnetBench withBroadPhase;
        TMagnetBench withoutBroadPhase;
        TReferenceScene reference;
        TReferenceScene unused;
        BuildScene(items, withBroadPhase, reference);
        BuildScene(items, withoutBroadPhase, unused);
        TMagnetBenchTestAccess::SetOverlapBroadPhase(withoutBroadPhase, false);
        SetBenchSize(withBroadPhase, reference, 520, 520);
        TMagnetBenchTestAccess::SetLastDrawnSize(withoutBroadPhase, 520, 520);

        for (int step = 0; step < 8; ++step) {
            const double ticks = StepCycle[static_cast<size_t>(whole(0, std::size(StepCycle) - 1))];
            withBroadPhase.DoMotionStep(ticks);
            withoutBroadPhase.DoMotionStep(ticks);
            reference.Step(ticks);
            ASSERT_TRUE(SameMotionState(withBroadPhase, reference)) << "after step " << step + 1;
            ASSERT_TRUE(SameMotionState(withoutBroadPhase, reference)) << "after step " << step + 1;
        }
        collisions += reference.Collisions;
    }
    // The scenes exercise the collision path, not just free flight.
    EXPECT_GT(collisions, 500);
}

// A collision earlier in a sub-step puts a source back on its box, and a later pair must be
// bounded with it there. The magnet B flies from the wire towards P; in the last sub-step P's
// border catches it and puts it back on its box, which holds the wire's border: the wire stops
// too. Bounded with B's advanced position, the wire's pair would be skipped, and no later
// sub-step would catch up with it.
TEST(MotionScenes, BroadPhaseSeesSourcesPutBackEarlierInTheSameSubStep)
{
    using K = TSceneItem;
    const std::vector<TSceneItem> items{
        {K::Magnet, 400, 300, 0.0},                        // P
        {K::Wire, 300, 300, 0.0, false, 0.0, 2.0},         // inside B's box, moving down
        {K::Magnet, 315, 300, 0.0, false, 48.0, 0.0, 0.0}, // B
    };
    TMagnetBench bench;
    TReferenceScene reference;
    BuildScene(items, bench, reference);
    SetBenchSize(bench, reference, BenchWidth, BenchHeight);
    bench.DoMotionStep(1.5);
    reference.Step(1.5);
    ASSERT_TRUE(SameMotionState(bench, reference));
    EXPECT_EQ(reference.Collisions, 2);
    EXPECT_EQ(SourceAt(bench, 1).VelocityY(), 0.0);
    EXPECT_EQ(SourceAt(bench, 2).Left(), 315 - 62);
}

// The bound itself, on single pairs posed near contact, corner towards corner, with fractional
// positions far from the boxes: whenever it says "cannot touch", the overlap test finds nothing.
TEST(OverlapBroadPhase, SkipsOnlyPairsThatCannotTouch)
{
    std::mt19937 random(7);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    auto makeSource = [&](int kind) -> std::unique_ptr<TMagneticObject> {
        switch (kind) {
        case 0:
            return std::make_unique<TFixedMagnet>();
        case 1:
            return std::make_unique<TWire>(false);
        case 2:
            return std::make_unique<Tsolonoid>();
        default:
            return std::make_unique<TMotor>();
        }
    };

    int hits = 0;
    int skipped = 0;
    int hitsWithinOnePixelOfTheBound = 0;
    for (int trial = 0; trial < 6000; ++trial) {
        auto a = makeSource(trial % 4);
        auto b = makeSource((trial / 4) % 4);
        const double ra = TOverlapBroadPhase::Reach(*a);
        const double rb = TOverlapBroadPhase::Reach(*b);
        // Turn both so that a corner of each points at the other along the direction phi.
        const double phi = uniform(0.0, 2.0 * Pi);
        const double cornerA = std::atan2(a->MagHalfHeight(), a->MagHalfWidth());
        const double cornerB = std::atan2(b->MagHalfHeight(), b->MagHalfWidth());
        a->SetRotation(phi - cornerA + uniform(-0.02, 0.02));
        b->SetRotation(phi + Pi - cornerB + uniform(-0.02, 0.02));
        a->SetBounds(400, 300, a->Width(), a->Height());
        a->SetLeftFloat(400 + uniform(-40.0, 40.0)); // A's own fractional pose plays no part
        // B's fractional centre at the distance ra + rb + u along phi; its box elsewhere.
        const double u = uniform(-3.0, 2.0);
        const double bx = a->CentreX() + (ra + rb + u) * std::cos(phi);
        const double by = a->CentreY() + (ra + rb + u) * std::sin(phi);
        b->SetBounds(static_cast<int32_t>(bx) + static_cast<int32_t>(uniform(-50.0, 50.0)),
                     static_cast<int32_t>(by) + static_cast<int32_t>(uniform(-50.0, 50.0)), b->Width(), b->Height());
        b->SetLeftFloat(bx - b->Width() * 0.5);
        b->SetTopFloat(by - b->Height() * 0.5);

        std::vector<TMagneticObject*> pair{a.get(), b.get()};
        TOverlapBroadPhase broadPhase;
        broadPhase.Prepare(pair);
        const bool mayTouch = broadPhase.HasBorder(0) && broadPhase.MayTouch(0, 1);
        const bool hit = a->CheckOverlap(b.get());
        ASSERT_TRUE(mayTouch || !hit) << "trial " << trial << ": skipped a pair that collides";
        hits += hit;
        skipped += !mayTouch;
        hitsWithinOnePixelOfTheBound += hit && u > -1.0;
    }
    // The poses straddle the bound: some pairs collide right at it, many are skipped.
    EXPECT_GT(hitsWithinOnePixelOfTheBound, 20);
    EXPECT_GT(hits, 500);
    EXPECT_GT(skipped, 500);
}

// Every motion quantity finite and every box inside the setters' range.
::testing::AssertionResult StateIsSafe(TMagnetBench& bench)
{
    for (const auto& object : bench.Objects()) {
        const TMagneticObject* s = object->AsMagnetic();
        if (s == nullptr) {
            continue;
        }
        const double values[] = {s->LeftFloat(),  s->TopFloat(),  s->Rotation(),        s->RotationFloat(),
                                 s->VelocityX(),  s->VelocityY(), s->AngularVelocity(), s->CentreX(),
                                 s->CentreY(),    s->Cos(),       s->Sin()};
        for (double v : values) {
            if (!std::isfinite(v)) {
                return ::testing::AssertionFailure() << "a motion quantity is " << v;
            }
        }
        if (std::abs(s->Left()) > TExperimentalObject::MaxCoordinate ||
            std::abs(s->Top()) > TExperimentalObject::MaxCoordinate) {
            return ::testing::AssertionFailure() << "box at " << s->Left() << ", " << s->Top();
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(MotionSafety, HostileScenesKeepAFiniteState)
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        const char* Name;
        void (*Build)(TMagnetBench&);
        double Ticks;
    };
    const TCase cases[] = {
        {"magnets on top of each other",
         [](TMagnetBench& b) {
             b.AddMagnet(300, 300, 0.0);
             b.AddMagnet(300, 300, 0.0);
             b.AddMagnet(300, 300, Pi);
             b.AddMagnet(300, 345, 1.0);
         },
         5.0},
        {"conductors on top of each other and on poles",
         [](TMagnetBench& b) {
             b.AddWire(300, 300, false);
             b.AddWire(300, 300, true);
             b.AddMagnet(300, 255, 0.0);
             b.AddSolonoid(300, 300, 0.0);
             b.AddMotor(300, 300);
             b.AddWire(392, 300, false);
         },
         6.0},
        {"a source dragged far away",
         [](TMagnetBench& b) {
             b.AddMagnet(300, 300, 0.0);
             b.AddWire(310, 300, false);
             b.Objects().back()->SetBounds(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(),
                                           21, 21);
         },
         6.0},
        {"velocities set to absurd values",
         [](TMagnetBench& b) {
             b.AddMagnet(300, 300, 0.0);
             b.Objects().back()->AsMagnetic()->SetVelocityX(1e300);
             b.Objects().back()->AsMagnetic()->SetAngularVelocity(-Inf);
             b.AddWire(100, 100, false);
             b.Objects().back()->AsMagnetic()->SetVelocityY(NaN);
             b.AddSolonoid(500, 400, 0.3);
             b.Objects().back()->AsMagnetic()->SetVelocityY(-1e308);
         },
         6.0},
        {"an infinite uniform field",
         [](TMagnetBench& b) {
             b.AddMagnet(300, 300, 0.3);
             b.AddWire(100, 100, false);
             b.AddSolonoid(500, 400, 0.3);
             b.ToggleUniformField(1e308);
         },
         5.0},
        {"step lengths out of range", [](TMagnetBench& b) { b.AddMagnet(300, 300, 0.0); b.AddWire(380, 300, true); },
         NaN},
        {"an infinite step", [](TMagnetBench& b) { b.AddMagnet(300, 300, 0.0); b.AddWire(380, 300, true); }, Inf},
        {"a step of 1e18 ticks", [](TMagnetBench& b) { b.AddMagnet(300, 300, 0.0); }, 1e18},
        {"a negative step", [](TMagnetBench& b) { b.AddMagnet(300, 300, 0.0); }, -3.0},
    };
    for (const TCase& c : cases) {
        for (bool sized : {false, true}) {
            SCOPED_TRACE(std::string(c.Name) + (sized ? ", after a frame" : ", before the first frame"));
            TMagnetBench bench;
            c.Build(bench);
            if (sized) {
                TMagnetBenchTestAccess::SetLastDrawnSize(bench, BenchWidth, BenchHeight);
            }
            for (int step = 0; step < 20; ++step) {
                bench.DoMotionStep(c.Ticks);
                ASSERT_TRUE(StateIsSafe(bench)) << "after step " << step + 1;
            }
            // Dragged back among the others.
            SourceAt(bench, 0).SetBounds(250, 250, SourceAt(bench, 0).Width(), SourceAt(bench, 0).Height());
            for (int step = 0; step < 5; ++step) {
                bench.DoMotionStep(5.0);
                ASSERT_TRUE(StateIsSafe(bench)) << "after step " << step + 1 << " back on the bench";
            }
        }
    }
}

// Forces in crowded scenes stay finite and bounded on their own, before any clamp: every dipole
// model is cut out inside its source, a few pixels from its poles and conductors.
TEST(MotionSafety, ForcesOfOverlappingSourcesAreBounded)
{
    TMagnetBench bench;
    bench.AddMagnet(300, 300, 0.0);
    bench.AddMagnet(300, 300, Pi);
    bench.AddMagnet(300, 252, 0.0);
    bench.AddWire(300, 300, false);
    bench.AddWire(300, 345, true);
    bench.AddSolonoid(300, 300, 0.0);
    bench.AddSolonoid(392, 300, 1.5);
    bench.AddMotor(300, 300);
    bench.ToggleUniformField(0.1);
    for (const auto& object : bench.Objects()) {
        double fx = 0.0;
        double fy = 0.0;
        double torque = 0.0;
        object->AsMagnetic()->CalculateForce(fx, fy, torque);
        EXPECT_LT(std::fabs(fx), 1e6);
        EXPECT_LT(std::fabs(fy), 1e6);
        EXPECT_LT(std::fabs(torque), 1e8);
    }
}

} // namespace
