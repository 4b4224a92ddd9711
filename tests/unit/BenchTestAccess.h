#pragma once

// Reaches into the bench for tests and benchmarks that must set up state directly or run one
// phase of a step on its own.
#include "bench/MagnetBench.h"

class TMagnetBenchTestAccess {
public:
    static void SetPress(TMagnetBench& bench, TExperimentalObject* sender)
    {
        bench.FMouseSender = sender;
        bench.FOMouseDown = sender != nullptr;
    }
    static void SetLastDrawnSize(TMagnetBench& bench, int32_t width, int32_t height)
    {
        bench.FLastDrawnWidth = width;
        bench.FLastDrawnHeight = height;
    }
    // Switches the overlap test's broad phase, which must never change a result.
    static void SetOverlapBroadPhase(TMagnetBench& bench, bool on) { bench.FOverlapBroadPhase = on; }
    // The force phase of a motion step alone: forces to velocities for every source.
    static void RunMotionForces(TMagnetBench& bench, double ticks)
    {
        bench.GatherMotionSources();
        bench.PreCalculateMotion(ticks);
    }
    // The sub-step phase of a motion step alone: fractional poses and overlap tests.
    static void RunMotionSubSteps(TMagnetBench& bench, double ticks)
    {
        bench.GatherMotionSources();
        bench.AdvanceAndCollide(ticks);
    }
};
