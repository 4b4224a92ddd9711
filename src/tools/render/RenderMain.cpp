// ferrovane-render: runs the core of the program without a window and writes what it drew.
//
// Order, as the app does it: the bench with its start-up tables; the start scene (one magnet at the
// centre, grid on) or an empty bench; one still frame through the frame loop's pass, with the cache
// rebuild that follows; the scene options as one batch of commands in a synchronized step;
// --layers; the motion frames; the still frames; the outputs.
//
// Exit status: 0 on success, 2 for a bad argument (nothing is created or written), 1 when an output
// cannot be written.
#include "HeadlessPlatform.h"
#include "RenderOptions.h"
#include "SceneOutput.h"

#include "bench/MagnetBench.h"
#include "loop/DrawThread.h"
#include "objects/BinIcons.h"
#include "raster/FastDIB.h"
#include "support/Random.h"
#include "support/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// Wall-clock durations of one phase, in milliseconds.
struct TPhase {
    const char* Name;
    std::vector<double> Times;
};

double MillisecondsSince(TClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

void PrintPhase(const TPhase& phase)
{
    std::vector<double> t = phase.Times;
    std::sort(t.begin(), t.end());
    double median = 0.0;
    if (!t.empty()) {
        const size_t n = t.size();
        median = n % 2 == 1 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2.0;
    }
    std::printf("%s: n=%zu min=%.3f median=%.3f max=%.3f\n", phase.Name, t.size(), t.empty() ? 0.0 : t.front(),
                median, t.empty() ? 0.0 : t.back());
}

} // namespace

int main(int argc, char** argv)
{
    TRenderOptions options;
    std::string error;
    if (!ParseRenderOptions(argc, argv, options, error)) {
        std::cerr << error << '\n';
        return 2;
    }
    if (options.Help) {
        std::cout << RenderUsage();
        return 0;
    }

    // The pool's size is fixed at its first use, so before anything is created.
    if (options.Threads > 0) {
        SetSharedWorkerThreadCount(options.Threads);
    }
    ProgramRandom().Seed(options.Seed);

    TPhase startup{"startup", {}};
    TPhase firstFrame{"first-frame", {}};
    TPhase motionFrame{"motion-frame", {}};
    TPhase stillFrame{"still-frame", {}};

    auto start = TClock::now();
    TMagnetBench bench;
    bench.SetGarbageIcon(MakeBinIcon(false));
    bench.SetGarbageIconOpen(MakeBinIcon(true));
    TFastDIB frame;
    frame.SetSize(options.Width, options.Height, 24);
    if (!options.Empty) {
        bench.SetHasFieldLines(false);
        bench.SetHasFieldMap(false);
        bench.SetHasGrid(true);
        bench.AddMagnet(options.Width / 2, options.Height / 2, 0.0);
    }
    startup.Times.push_back(MillisecondsSince(start));

    THeadlessPlatform platform(options.Width, options.Height);
    TSetterList queue;
    TDrawThread loop(frame, bench, queue, platform);

    start = TClock::now();
    loop.RunPass();
    firstFrame.Times.push_back(MillisecondsSince(start));

    // The whole scene in one synchronized step, with no frame in between: the loop has nothing to
    // draw after the still first frame, so this pass only runs the batch.
    queue = std::move(options.Batch);
    loop.RunPass();

    if (options.HasLayers) {
        bench.SetHasGrid(options.LayerGrid);
        bench.SetHasFieldMap(options.LayerMap);
        bench.SetHasFieldLines(options.LayerLines);
        bench.SetHasIronFilings(options.LayerFilings);
    }

    // Motion frames, and then still frames, each with the scene's own motion switch restored.
    const bool sceneMovement = bench.MovementON();
    bench.SetMovementON(true);
    for (int i = 0; i < options.Steps; ++i) {
        start = TClock::now();
        bench.DrawBitmap(frame, 20.0 * options.Ticks, false);
        motionFrame.Times.push_back(MillisecondsSince(start));
    }
    bench.SetMovementON(false);
    for (int i = 0; i < options.Frames; ++i) {
        start = TClock::now();
        bench.DrawBitmap(frame, loop.LastTickCount(), false);
        if (TDrawThread::NeedsFullCacheRebuild(bench)) {
            bench.BuildFullCacheFieldLUT();
        }
        stillFrame.Times.push_back(MillisecondsSince(start));
    }
    bench.SetMovementON(sceneMovement);

    int status = 0;
    if (!options.OutPath.empty() && !WriteBmpFile(options.OutPath, frame)) {
        std::cerr << "ferrovane-render: cannot write " << options.OutPath << '\n';
        status = 1;
    }
    if (!options.StatePath.empty() &&
        !WriteTextFile(options.StatePath, SceneStateJson(bench, frame.Width(), frame.Height()))) {
        std::cerr << "ferrovane-render: cannot write " << options.StatePath << '\n';
        status = 1;
    }
    if (options.Timing) {
        for (const TPhase* phase : {&startup, &firstFrame, &motionFrame, &stillFrame}) {
            PrintPhase(*phase);
        }
    }
    return status;
}
