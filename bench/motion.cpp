// One motion step of sources on a square grid 150 pixels apart, at rotations k * 0.37 radians
// (k the index): bar magnets only, or every third source a wire. The force phase and the
// sub-step phase (fractional poses and overlap tests) are measured apart, the latter with and
// without its broad phase, and then the whole step. Steps are 6 ticks long, the longest a frame
// asks for: 7 sub-steps.
#include "BenchTestAccess.h"
#include "bench/MagnetBench.h"
#include "objects/MagneticObject.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double StepTicks = 6.0;
constexpr int32_t Spacing = 150;
constexpr int32_t Margin = 100;

// The motion state of one source, to put a scene back after a measured step.
struct TPose {
    TMagneticObject* Source;
    int32_t Left, Top;
    double Rotation, LeftFloat, TopFloat, RotationFloat, VelocityX, VelocityY, AngularVelocity;
};

class TGridScene {
public:
    TGridScene(int count, bool withWires)
    {
        const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
        const int rows = (count + columns - 1) / columns;
        for (int k = 0; k < count; ++k) {
            const int32_t x = Margin + Spacing * (k % columns);
            const int32_t y = Margin + Spacing * (k / columns);
            if (withWires && k % 3 == 2) {
                Bench.AddWire(x, y, k % 2 == 1);
            } else {
                Bench.AddMagnet(x, y, k * 0.37);
            }
        }
        TMagnetBenchTestAccess::SetLastDrawnSize(Bench, 2 * Margin + Spacing * (columns - 1),
                                                 2 * Margin + Spacing * (rows - 1));
    }

    void Save()
    {
        Poses.clear();
        for (const auto& object : Bench.Objects()) {
            TMagneticObject* s = object->AsMagnetic();
            Poses.push_back({s, s->Left(), s->Top(), s->Rotation(), s->LeftFloat(), s->TopFloat(), s->RotationFloat(),
                             s->VelocityX(), s->VelocityY(), s->AngularVelocity()});
        }
    }

    void Restore()
    {
        for (const TPose& p : Poses) {
            p.Source->SetBounds(p.Left, p.Top, p.Source->Width(), p.Source->Height());
            p.Source->SetRotation(p.Rotation);
            p.Source->SetLeftFloat(p.LeftFloat);
            p.Source->SetTopFloat(p.TopFloat);
            p.Source->SetRotationFloat(p.RotationFloat);
            p.Source->SetVelocityX(p.VelocityX);
            p.Source->SetVelocityY(p.VelocityY);
            p.Source->SetAngularVelocity(p.AngularVelocity);
        }
    }

    TMagnetBench Bench;
    std::vector<TPose> Poses;
};

// Forces to velocities for every source: two dipole sums over all sources per magnet, one per
// wire. The poses do not change, so repeating it costs the same every time.
void MotionForces(benchmark::State& state)
{
    TGridScene scene(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        TMagnetBenchTestAccess::RunMotionForces(scene.Bench, StepTicks);
        benchmark::ClobberMemory();
    }
}

// The sub-steps with their overlap tests, from the velocities of one force phase; the scene is put
// back before every step (a few assignments per source, included in the time).
void MotionOverlap(benchmark::State& state)
{
    TGridScene scene(static_cast<int>(state.range(0)), state.range(1) != 0);
    TMagnetBenchTestAccess::SetOverlapBroadPhase(scene.Bench, state.range(2) != 0);
    TMagnetBenchTestAccess::RunMotionForces(scene.Bench, StepTicks);
    scene.Save();
    for (auto _ : state) {
        scene.Restore();
        TMagnetBenchTestAccess::RunMotionSubSteps(scene.Bench, StepTicks);
        benchmark::ClobberMemory();
    }
}

// The whole step as a frame runs it, from the scene at rest, put back before every step.
void MotionStep(benchmark::State& state)
{
    TGridScene scene(static_cast<int>(state.range(0)), state.range(1) != 0);
    scene.Save();
    for (auto _ : state) {
        scene.Restore();
        scene.Bench.DoMotionStep(StepTicks);
        benchmark::ClobberMemory();
    }
}

} // namespace

// Arguments: source count, every third source a wire (0/1), broad phase on (0/1).
BENCHMARK(MotionForces)
    ->ArgNames({"sources", "wires"})
    ->ArgsProduct({{2, 20, 100}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(MotionOverlap)
    ->ArgNames({"sources", "wires", "broad"})
    ->ArgsProduct({{2, 20, 100}, {0, 1}, {1}})
    ->Args({20, 0, 0})
    ->Args({100, 0, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(MotionStep)
    ->ArgNames({"sources", "wires"})
    ->ArgsProduct({{2, 20, 100}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
