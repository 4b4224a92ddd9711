// One motion step of the scene: forces from the poses at the start of the step, then sub-steps of
// at most one tick with a collision test after each, then the new poses and the bench's edges.
// Time is counted in ticks of 20 ms. Runs in the frame loop's thread, inside DrawBitmap, while no
// command runs.
#include "bench/MagnetBench.h"

#include "objects/MagneticObject.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MillisecondsPerTick = 20.0;
constexpr double LongestStep = 6.0; // ticks; frames of 120 ms or more

} // namespace

double TMagnetBench::TickCountToTicks(double TickCount)
{
    // Frames of 20 ms or less count as one tick, frames of 120 ms or more as six. A NaN frame time
    // counts as the shortest step.
    const double t = TickCount > MillisecondsPerTick ? TickCount : MillisecondsPerTick;
    double ticks = t / MillisecondsPerTick;
    if (ticks >= LongestStep) {
        ticks = LongestStep;
    }
    return ticks;
}

void TMagnetBench::DoMotionStep(double ticks)
{
    ++ForceCalcCount;
    // Frames always ask for 1 to 6 ticks. Anything else is bounded here so that the sub-step loop
    // ends and damping never amplifies: no length (NaN, negative) moves nothing, and nothing
    // longer than the longest step is taken.
    if (!(ticks >= 0.0)) {
        ticks = 0.0;
    }
    ticks = std::min(ticks, LongestStep);

    GatherMotionSources();
    PreCalculateMotion(ticks);
    AdvanceAndCollide(ticks);
    ApplyMotion();
    CalculateCompass();
}

void TMagnetBench::GatherMotionSources()
{
    FMotionSources.clear();
    for (const auto& object : MO) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            FMotionSources.push_back(source);
        }
    }
}

void TMagnetBench::PreCalculateMotion(double ticks)
{
    // Every force is computed from the poses at the start of the step: the pre-calculation changes
    // only velocities and FRotationFloat, which no force reads.
    for (TMagneticObject* source : FMotionSources) {
        source->DoMotionPreCalculation(FGravityON, ticks);
    }
}

void TMagnetBench::AdvanceAndCollide(double ticks)
{
    const std::vector<TMagneticObject*>& sources = FMotionSources;
    FBroadPhase.Prepare(sources);
    // Sub-steps of one tick and a last one of the remainder: n whole ticks give n sub-steps of 1
    // and one of 0, 2.5 ticks give 1, 1 and 0.5.
    double rem = ticks;
    do {
        const double s = std::min(rem, 1.0);
        for (TMagneticObject* source : sources) {
            source->DoMotionCalc(s);
        }
        // Each unordered pair once, the earlier source of the list as A.
        for (size_t i = 0; i < sources.size(); ++i) {
            if (FOverlapBroadPhase && !FBroadPhase.HasBorder(i)) {
                continue;
            }
            for (size_t j = i + 1; j < sources.size(); ++j) {
                if (FOverlapBroadPhase && !FBroadPhase.MayTouch(i, j)) {
                    continue;
                }
                sources[i]->CheckOverlap(sources[j]);
            }
        }
        rem = rem - 1.0;
    } while (!(rem < 0.0));
}

void TMagnetBench::ApplyMotion()
{
    for (TMagneticObject* source : FMotionSources) {
        source->DoMotion();
    }
    // Until a frame has been drawn the bench has no size, and the edges would pin every source to
    // the corner.
    if (FLastDrawnWidth > 0 && FLastDrawnHeight > 0) {
        for (TMagneticObject* source : FMotionSources) {
            source->CheckWithinBounds(FLastDrawnWidth, FLastDrawnHeight);
        }
    }
}
