// One motion step of the scene: forces from the poses at the start of the step, then sub-steps of
// at most one tick with a collision test after each, then the new poses and the bench's edges.
// Time is counted in ticks of 20 ms.
#include "bench/MagnetBench.h"

#include "objects/MagneticObject.h"

#include <algorithm>
#include <cmath>

double TMagnetBench::TickCountToTicks(double TickCount)
{
    // Frames of 20 ms or less count as one tick, frames of 120 ms or more as six. A NaN frame time
    // counts as the shortest step.
    const double t = TickCount > 20.0 ? TickCount : 20.0;
    double ticks = t / 20.0;
    if (ticks >= 6.0) {
        ticks = 6.0;
    }
    return ticks;
}

void TMagnetBench::DoMotionStep(double ticks)
{
    ++ForceCalcCount;
    // A step of no meaningful length moves nothing (and must not spin the sub-step loop forever).
    if (!std::isfinite(ticks) || ticks < 0.0) {
        ticks = 0.0;
    }
    std::vector<TMagneticObject*> sources;
    sources.reserve(MO.size());
    for (const auto& object : MO) {
        if (TMagneticObject* source = object->AsMagnetic()) {
            sources.push_back(source);
        }
    }

    for (TMagneticObject* source : sources) {
        source->DoMotionPreCalculation(FGravityON, ticks);
    }

    // Sub-steps of one tick and a last one of the remainder (0 for a whole number of ticks).
    double rem = ticks;
    do {
        const double s = std::min(rem, 1.0);
        for (TMagneticObject* source : sources) {
            source->DoMotionCalc(s);
        }
        for (size_t i = 0; i < sources.size(); ++i) {
            for (size_t j = i + 1; j < sources.size(); ++j) {
                sources[i]->CheckOverlap(sources[j]);
            }
        }
        rem = rem - 1.0;
    } while (!(rem < 0.0));

    for (TMagneticObject* source : sources) {
        source->DoMotion();
    }
    // Until a frame has been drawn the bench has no size, and the edges would pin every source to
    // the corner.
    if (FLastDrawnWidth > 0 && FLastDrawnHeight > 0) {
        for (TMagneticObject* source : sources) {
            source->CheckWithinBounds(FLastDrawnWidth, FLastDrawnHeight);
        }
    }
    CalculateCompass();
}
