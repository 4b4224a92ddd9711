#pragma once

#include "commands/BasePropertySetter.h"

#include <cstdint>
#include <optional>
#include <string>

// The renderer's command line, fully checked before anything is created or written.
struct TRenderOptions {
    int Width = 753;
    int Height = 606;
    uint64_t Seed = 1;
    bool Empty = false;
    // The scene options as commands, in command-line order; run as one batch.
    TSetterList Batch;
    // --layers: the grid, map, lines and filings switches to set after the batch.
    bool HasLayers = false;
    bool LayerGrid = false;
    bool LayerMap = false;
    bool LayerLines = false;
    bool LayerFilings = false;
    int Steps = 0;
    double Ticks = 1.0; // a motion frame lasts 20 * Ticks milliseconds
    int Frames = 1;
    int Threads = 0; // 0: one per core
    std::string OutPath;
    std::string StatePath;
    bool Timing = false;
    bool Help = false;
};

// Parses argv[1..argc-1]. On a bad argument returns false and sets `error` to one line naming it.
bool ParseRenderOptions(int argc, const char* const* argv, TRenderOptions& options, std::string& error);

// The usage text of --help.
const char* RenderUsage();
