#pragma once

// Reaches into the bench for tests that must set up gesture state directly.
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
    static void AddFiling(TMagnetBench& bench, int32_t x, int32_t y) { bench.Filings.push_back(TPoint{x, y}); }
};
