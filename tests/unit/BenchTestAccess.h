#pragma once

// Reaches into the bench for tests that must set up gesture state directly or call its private
// layer operations.
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
};
