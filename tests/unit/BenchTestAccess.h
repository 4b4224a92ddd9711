#pragma once

// Reaches into the bench for tests and benchmarks that must set up state directly, run one phase
// of a step on its own or call a private layer operation.
#include "bench/MagnetBench.h"
#include "objects/ExperimentalObject.h"
#include "raster/FastDIB.h"

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

    // The visualisation layers.
    static int IntensityIndex(const TMagnetBench& bench, double v) { return bench.IntensityIndex(v); }
    static void DrawFieldMap(TMagnetBench& bench, TFastDIB& BMP, bool Quick) { bench.DrawFieldMap(BMP, Quick); }
    static void DrawGrid(TMagnetBench& bench, TFastDIB& BMP, bool Quick) { bench.DrawGrid(BMP, Quick); }
    static void DrawGridStreak(TMagnetBench& bench, TFastDIB& BMP, int32_t X, int32_t Y, int32_t N, bool Quick)
    {
        bench.DrawGridStreak(BMP, X, Y, N, Quick);
    }
    static void DrawFieldLines(TMagnetBench& bench, TFastDIB& BMP) { bench.DrawFieldLines(BMP); }
    static void TraceFieldLine(TMagnetBench& bench, TFastDIB& BMP, TMagneticObject* Owner, TSeedPoint& Seed)
    {
        bench.TraceFieldLine(BMP, Owner, Seed);
    }
    static void DrawFilings(TMagnetBench& bench, TFastDIB& BMP) { bench.DrawFilings(BMP, false); }
    // A filing at an exact point, where AddFilings would scatter it.
    static void PutFiling(TMagnetBench& bench, int32_t X, int32_t Y) { bench.Filings.push_back(TPoint{X, Y}); }
    // Appends any object, for example a probe that records when it is painted.
    static void AddObject(TMagnetBench& bench, std::unique_ptr<TExperimentalObject> object)
    {
        bench.MO.push_back(std::move(object));
    }
    static std::unique_ptr<TFastDIB>& CompassMoveBMP(TMagnetBench& bench) { return bench.CompassMoveBMP; }
    static std::unique_ptr<TFastDIB>& FilingsAddBMP(TMagnetBench& bench) { return bench.FilingsAddBMP; }
    // A rubber band in progress over `rect`; `rebuildWhenMoving` as set when the band starts.
    static void SetRubberBand(TMagnetBench& bench, TRect rect, bool rebuildWhenMoving)
    {
        bench.FNeedFocusRect = true;
        bench.FFocusRect = rect;
        bench.FNeedUpdateForFocusRectangleWhenMoving = rebuildWhenMoving;
    }
    static void ClearRubberBand(TMagnetBench& bench) { bench.FNeedFocusRect = false; }
    static bool NeedUpdateForFocusRectangleWhenMoving(const TMagnetBench& bench)
    {
        return bench.FNeedUpdateForFocusRectangleWhenMoving;
    }
    // The object press has become a big move at tick `startT`; the pointer is at (x, y).
    static void SetBigMove(TMagnetBench& bench, uint32_t startT, int32_t x, int32_t y)
    {
        bench.OMouseBigMove = true;
        bench.OMouseBigMoveStartT = startT;
        bench.FMouseX = x;
        bench.FMouseY = y;
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
