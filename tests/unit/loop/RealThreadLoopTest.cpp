// The frame loop on a real second thread, the test's thread playing the user-interface thread as
// the window does: it serves the synchronized steps through a mailbox and, between them, queues
// commands, writes the bench's seven direct switches while frames are being drawn, and resizes
// the work area. Meant for the ThreadSanitizer build (ctest -R unit_loop in build/tsan), which
// reports any access the two threads make to the same memory without ordering.
#include "bench/MagnetBench.h"
#include "commands/AddSetters.h"
#include "commands/FrameSetters.h"
#include "commands/MouseSetters.h"
#include "commands/SceneSetters.h"
#include "loop/DrawThread.h"
#include "loop/SyncMailbox.h"
#include "raster/FastDIB.h"
#include "support/Tick.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace {

// The window's side: the area size is published by the user-interface thread and read by the
// render thread, the rest runs inside synchronized steps.
class TWindowLikePlatform : public TPlatformServices {
public:
    TSyncMailbox Mailbox;
    std::atomic<uint64_t> Area{(uint64_t{48} << 32) | 32u};
    // User-interface thread only (inside steps).
    int Frames = 0;
    int Syncs = 0;
    int Clipboards = 0;
    TPaintAreaSize LastFrame;

    uint32_t TickNow() override { return SystemTickMs(); }
    void Sleep(uint32_t) override { std::this_thread::sleep_for(std::chrono::microseconds(200)); }
    void RunSynchronized(const std::function<void()>& step) override { Mailbox.Call(step); }
    TPaintAreaSize PaintArea() override
    {
        const uint64_t packed = Area.load();
        return {static_cast<int>(packed >> 32), static_cast<int>(packed & 0xFFFFFFFFu)};
    }
    void PresentFrame(const TFastDIB& frame) override
    {
        ++Frames;
        LastFrame = {frame.Width(), frame.Height()};
    }
    void SetTimingText(const std::string&) override {}
    void PutImageOnClipboard(const TFrameImage&) override { ++Clipboards; }
    void SyncToMB() override { ++Syncs; }

    void Resize(int width, int height)
    {
        Area.store((static_cast<uint64_t>(static_cast<uint32_t>(width)) << 32) | static_cast<uint32_t>(height));
    }
};

} // namespace

TEST(DrawThreadThreads, ManyPassesWithTheWindowWritingSwitchesAndQueueingBetweenSteps)
{
    TMagnetBench bench;
    TFastDIB bmp;
    bmp.SetSize(48, 32, 24);
    TSetterList setters;
    TWindowLikePlatform platform;
    bench.SetHasGrid(true);
    bench.AddMagnet(24, 16, 0.0);
    TDrawThread loop(bmp, bench, setters, platform);

    std::atomic<bool> ended{false};
    std::thread render([&] {
        loop.Execute();
        ended = true;
    });

    constexpr int Rounds = 400;
    for (int round = 0; round < Rounds; ++round) {
        // Between steps, as the window's handlers do: direct switches while a frame may be drawn...
        bench.SetHasGrid(round % 3 != 0);
        bench.SetHasFieldMap(round % 5 == 1);
        bench.SetHasFieldLines(round % 7 == 2);
        bench.SetHasIronFilings(round % 4 == 3);
        bench.SetIsAddingFilings(round % 4 == 3);
        bench.SetIsRemovingFilings(false);
        bench.SetMovementON(round % 50 >= 40);
        // ...and commands, which take effect in the next step.
        setters.push_back(std::make_unique<TUpdateSetter>(false));
        switch (round % 10) {
        case 0:
            setters.push_back(std::make_unique<TAddWireSetter>(10 + round % 30, 12, round % 20 == 0));
            break;
        case 2:
            setters.push_back(std::make_unique<TMouseDownSetter>(24, 16, false, false, false));
            setters.push_back(std::make_unique<TMouseMoveSetter>(26, 18, false, false, false));
            break;
        case 3:
            setters.push_back(std::make_unique<TMouseUpSetter>(26, 18, false, false, false));
            break;
        case 5:
            platform.Resize(40 + round % 17, 30 + round % 11);
            setters.push_back(std::make_unique<TUpdateSetter>(true));
            break;
        case 7:
            setters.push_back(std::make_unique<TSaveToClipboardSetter>());
            break;
        case 9:
            if (round % 100 == 99) {
                setters.push_back(std::make_unique<TClearToSingleMagnetSetter>(20, 15));
            }
            break;
        default:
            break;
        }
        // Serve steps until this round's commands have run.
        while (!setters.empty()) {
            platform.Mailbox.RunPending(std::chrono::milliseconds(10));
        }
    }

    loop.Terminate();
    while (!ended) {
        platform.Mailbox.RunPending(std::chrono::milliseconds(1));
    }
    render.join();

    EXPECT_GE(platform.Syncs, Rounds);
    EXPECT_GT(platform.Frames, Rounds / 2);
    EXPECT_GT(platform.Clipboards, 0);
    // The last resize was followed by frames of that size.
    EXPECT_EQ(platform.LastFrame, platform.PaintArea());
    EXPECT_EQ(bmp.Width(), platform.PaintArea().Width);
}
