// The frame loop's pass against a fake platform: a clock moved by hand, a synchronized step that
// runs inline, and a log of everything the loop asks of the platform and of the commands.
#include "raster/RasterTestUtil.h"

#include "bench/MagnetBench.h"
#include "commands/AddSetters.h"
#include "commands/FrameSetters.h"
#include "commands/MouseSetters.h"
#include "loop/DrawThread.h"
#include "loop/SyncMailbox.h"
#include "support/Tick.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using TLog = std::vector<std::string>;

class TFakePlatform : public TPlatformServices {
public:
    uint32_t Now = 1000;
    // Milliseconds that pass between the start of a pass and its synchronized step.
    uint32_t PassCost = 0;
    TPaintAreaSize Area{20, 12};
    // Runs just before each synchronized step: sees the state between drawing and the step.
    std::function<void()> BeforeStep;
    TLog Log;
    TFrameImage Shown;
    TFrameImage Clipboard;

    uint32_t TickNow() override { return Now; }
    void Sleep(uint32_t milliseconds) override
    {
        Log.push_back("sleep " + std::to_string(milliseconds));
        Now += milliseconds;
    }
    void RunSynchronized(const std::function<void()>& step) override
    {
        Now += PassCost;
        if (BeforeStep) {
            BeforeStep();
        }
        Log.push_back("step");
        step();
    }
    TPaintAreaSize PaintArea() override { return Area; }
    void PresentFrame(const TFastDIB& frame) override
    {
        Shown = ImageOf(frame, Area);
        Log.push_back("present " + std::to_string(frame.Width()) + "x" + std::to_string(frame.Height()));
    }
    void SetTimingText(const std::string& text) override { Log.push_back("label " + text); }
    void PutImageOnClipboard(const TFrameImage& image) override
    {
        Clipboard = image;
        Log.push_back("clipboard");
    }
    void SyncToMB() override { Log.push_back("sync"); }

    static TFrameImage ImageOf(const TFastDIB& frame, TPaintAreaSize area)
    {
        TFrameImage image{area.Width, area.Height, {}};
        image.Pixels.assign(static_cast<size_t>(area.Width * area.Height), 0);
        frame.DrawRect(image.Pixels.data(), area.Width, area.Width, area.Height, 0, 0, area.Width, area.Height, 0, 0);
        return image;
    }
};

// A command that logs its action, the question whether it needs a frame, and its destruction.
class TProbeSetter : public TBasePropertySetter {
public:
    TProbeSetter(std::string name, bool needsUpdate, TLog& log) : FName(std::move(name)), FAnswer(needsUpdate), FLog(log)
    {
    }
    ~TProbeSetter() override { FLog.push_back("freed " + FName); }
    void DoAction(TMagnetBench&) override { FLog.push_back("action " + FName); }
    bool NeedsUpdate(const TMagnetBench&) override
    {
        FLog.push_back("asked " + FName);
        return FAnswer;
    }

private:
    std::string FName;
    bool FAnswer;
    TLog& FLog;
};

constexpr uint32_t WhitePixel = 0xFFFFFFFFu;

// The loop over an empty bench (no layer shown, so no cache rebuilds) with a 20 x 12 work area,
// after its first pass.
class DrawThreadPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        BMP.SetSize(20, 12, 24);
        Loop.RunPass();
        Platform.Log.clear();
    }

    void Queue(std::unique_ptr<TBasePropertySetter> setter) { SetterList.push_back(std::move(setter)); }
    void QueueProbe(const std::string& name, bool needsUpdate)
    {
        Queue(std::make_unique<TProbeSetter>(name, needsUpdate, Platform.Log));
    }

    TMagnetBench Bench;
    TFastDIB BMP;
    TFakePlatform Platform; // before the queue: probes left in it log when they are freed
    TSetterList SetterList;
    TDrawThread Loop{BMP, Bench, SetterList, Platform};
};

} // namespace

TEST(DrawThreadStart, FirstPassDrawsAndShowsItsDurationAcrossTheTickWrap)
{
    TMagnetBench bench;
    TFastDIB bmp;
    TSetterList setters;
    TFakePlatform platform;
    platform.Now = 0xFFFFFFF0u;
    platform.PassCost = 37; // the clock wraps during the pass
    TDrawThread loop(bmp, bench, setters, platform);
    EXPECT_EQ(loop.LastTickCount(), 100.0);

    loop.RunPass();
    EXPECT_EQ(platform.Log, (TLog{"step", "present 20x12", "label 37", "sync", "sleep 15"}));
    EXPECT_EQ(loop.LastTickCount(), 37.0);
    EXPECT_EQ(bmp.Width(), 20);
    EXPECT_EQ(bench.LastDrawnWidth(), 20);
    EXPECT_EQ(bench.LastDrawnHeight(), 12);
}

TEST_F(DrawThreadPass, IdlePassesDrawNothingSleepAndStillSync)
{
    Platform.PassCost = 5;
    Loop.RunPass();
    Loop.RunPass();
    // A pointer move without a press is run but asks for no frame.
    Queue(std::make_unique<TMouseMoveSetter>(3, 4, false, false, false));
    Loop.RunPass();
    Loop.RunPass();
    const TLog idle{"step", "sync", "sleep 15"};
    TLog expected;
    for (int i = 0; i < 4; ++i) {
        expected.insert(expected.end(), idle.begin(), idle.end());
    }
    EXPECT_EQ(Platform.Log, expected);
    EXPECT_EQ(Loop.LastTickCount(), 0.0); // the first frame's, untouched by the idle passes
    EXPECT_TRUE(SetterList.empty());
}

TEST_F(DrawThreadPass, CommandsRunInQueueOrderAndAreAskedOnlyUntilOneNeedsAFrame)
{
    QueueProbe("a", false);
    QueueProbe("b", true);
    QueueProbe("c", false);
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "action a", "asked a", "freed a", "action b", "asked b", "freed b",
                                  "action c", "freed c", "sync"}));
    EXPECT_TRUE(SetterList.empty());

    Platform.Log.clear();
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "present 20x12", "label 0", "sync", "sleep 15"}));

    // With motion on, the batch needs a frame anyway and no command is asked.
    Bench.SetMovementON(true);
    Platform.Log.clear();
    QueueProbe("d", false);
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "action d", "freed d", "sync"}));
}

TEST_F(DrawThreadPass, ABatchIsAppliedInOrderBeforeTheNextFrame)
{
    Queue(std::make_unique<TAddMagnetSetter>(2000, 2000, 0.0));
    Queue(std::make_unique<TAddMagnetSetter>(3000, 2000, 0.0));
    Loop.RunPass();
    EXPECT_EQ(Bench.Objects().size(), 2u);
    EXPECT_TRUE(Loop.NeedRedraw());
}

TEST_F(DrawThreadPass, MotionDrawsAFrameOnEveryPass)
{
    Bench.SetMovementON(true);
    Loop.RunPass(); // the switch is seen in this pass's step
    const int32_t steps = Bench.ForceCalcCount;
    Platform.Log.clear();
    for (int i = 0; i < 3; ++i) {
        Loop.RunPass();
    }
    EXPECT_EQ(Bench.ForceCalcCount, steps + 3);
    const TLog frame{"step", "present 20x12", "label 0", "sync"};
    TLog expected;
    for (int i = 0; i < 3; ++i) {
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(Platform.Log, expected);
}

TEST_F(DrawThreadPass, ClipboardGetsTheFrameOnScreenAtTheWorkAreaSize)
{
    // Mark the frame on screen, then ask for a copy in the same batch as a change of the scene.
    Put(BMP, 4, 5, Red);
    Queue(std::make_unique<TAddMagnetSetter>(2000, 2000, 0.0));
    Queue(std::make_unique<TSaveToClipboardSetter>());
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "clipboard", "sync"}));
    ASSERT_EQ(Platform.Clipboard.Width, 20);
    ASSERT_EQ(Platform.Clipboard.Height, 12);
    EXPECT_EQ(Platform.Clipboard.Pixels[5 * 20 + 4], 0xFFFF0000u);
    EXPECT_EQ(Platform.Clipboard.Pixels[5 * 20 + 5], WhitePixel);

    // The command's own frame comes after the copy.
    Loop.RunPass();
    EXPECT_EQ(Platform.Shown.Pixels[5 * 20 + 4], WhitePixel);
}

TEST_F(DrawThreadPass, DoubleBufferedResizeKeepsTheOldFrameUntilTheStep)
{
    Put(BMP, 1, 1, Red);
    Platform.Area = {30, 16};
    Queue(std::make_unique<TUpdateSetter>(true));
    Loop.RunPass();

    int sizeBeforeStep = 0;
    TFColor markBeforeStep{};
    Platform.BeforeStep = [&] {
        sizeBeforeStep = BMP.Width() * 1000 + BMP.Height();
        markBeforeStep = At(BMP, 1, 1);
    };
    Loop.RunPass();
    EXPECT_EQ(sizeBeforeStep, 20 * 1000 + 12);
    EXPECT_EQ(markBeforeStep, Red);
    EXPECT_EQ(Bench.LastDrawnWidth(), 30);
    EXPECT_EQ(BMP.Width(), 30);
    EXPECT_EQ(BMP.Height(), 16);
    EXPECT_EQ(At(BMP, 1, 1), White);
    EXPECT_EQ(At(BMP, 29, 15), White);
    EXPECT_EQ(Platform.Shown.Width, 30);
    EXPECT_EQ(Platform.Shown.Pixels.back(), WhitePixel);

    // Without the double buffer the shared surface takes the new size before drawing.
    Platform.Area = {25, 10};
    Queue(std::make_unique<TUpdateSetter>(false));
    Loop.RunPass();
    Loop.RunPass();
    EXPECT_EQ(sizeBeforeStep, 25 * 1000 + 10);
}

TEST_F(DrawThreadPass, EmptyWorkAreaDrawsNothingAndTheFrameFollowsLater)
{
    Put(BMP, 1, 1, Red);
    Platform.Area = {0, 12};
    Queue(std::make_unique<TUpdateSetter>(false));
    Loop.RunPass();
    Platform.Log.clear();
    Loop.RunPass(); // a frame is due, but there is nothing to draw into
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "sync", "sleep 15", "step", "sync", "sleep 15"}));
    EXPECT_EQ(BMP.Width(), 20);
    EXPECT_EQ(At(BMP, 1, 1), Red);
    EXPECT_EQ(Bench.LastDrawnWidth(), 20);

    // The request is kept until the work area has pixels again.
    Platform.Area = {20, 12};
    Platform.Log.clear();
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "present 20x12", "label 0", "sync", "sleep 15"}));
    EXPECT_EQ(At(BMP, 1, 1), White);

    // Motion does not turn an empty work area into a busy loop, and nothing goes to the clipboard.
    Platform.Area = {0, 0};
    Bench.SetMovementON(true);
    Queue(std::make_unique<TSaveToClipboardSetter>());
    Platform.Log.clear();
    Loop.RunPass();
    Loop.RunPass();
    EXPECT_EQ(Platform.Log, (TLog{"step", "sync", "step", "sync", "sleep 15"}));
}

TEST(DrawThreadRest, FullCacheIsRebuiltAfterAStillFrameThatShowsACachedLayer)
{
    struct Case {
        const char* Name;
        bool Grid, Map, Filings, Lines, Movement, MouseDown;
        bool Rebuilt;
    };
    const Case cases[] = {
        {"grid", true, false, false, false, false, false, true},
        {"map", false, true, false, false, false, false, true},
        {"filings", false, false, true, false, false, false, true},
        {"field lines only", false, false, false, true, false, false, false},
        {"nothing shown", false, false, false, false, false, false, false},
        {"grid with motion", true, false, false, false, true, false, false},
        {"grid during a press", true, false, false, false, false, true, false},
    };
    for (const Case& c : cases) {
        TMagnetBench bench;
        bench.SetHasGrid(c.Grid);
        bench.SetHasFieldMap(c.Map);
        bench.SetHasIronFilings(c.Filings);
        bench.SetHasFieldLines(c.Lines);
        bench.SetMovementON(c.Movement);
        bench.SetMouseDown(c.MouseDown);
        TFastDIB bmp;
        TSetterList setters;
        TFakePlatform platform;
        TDrawThread loop(bmp, bench, setters, platform);
        loop.RunPass();
        // The frame itself builds the missing cache once; the rest rule builds it again.
        EXPECT_EQ(bench.FullLUTBuildsCount, c.Rebuilt ? 2 : 1) << c.Name;
        const bool slept = !platform.Log.empty() && platform.Log.back() == "sleep 15";
        EXPECT_EQ(slept, !c.Rebuilt && !c.Movement) << c.Name;
    }
}

TEST_F(DrawThreadPass, StopFlagMakesAPendingStepReturnAtOnceAndEndsTheLoop)
{
    Bench.SetHasGrid(true);
    QueueProbe("a", true);
    Loop.RunPass();
    Platform.Log.clear();
    const int32_t builds = Bench.FullLUTBuildsCount;
    QueueProbe("b", true);

    Loop.Terminate();
    Loop.Execute(); // one pass, drawing, and its due cache rebuild; then the loop ends
    EXPECT_EQ(Platform.Log, (TLog{"step"}));
    EXPECT_EQ(SetterList.size(), 1u); // left for the window to destroy
    EXPECT_EQ(Bench.FullLUTBuildsCount, builds + 1);
}

TEST(DrawThreadThreads, ClosingWhileAStepIsPendingDoesNotDeadlock)
{
    // The real arrangement: the loop on its own thread, the test's thread as the user-interface
    // thread serving the synchronized calls through a mailbox.
    class TMailboxPlatform : public TPlatformServices {
    public:
        TSyncMailbox Mailbox;
        uint32_t TickNow() override { return SystemTickMs(); }
        void Sleep(uint32_t) override { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }
        void RunSynchronized(const std::function<void()>& step) override { Mailbox.Call(step); }
        TPaintAreaSize PaintArea() override { return {16, 8}; }
        void PresentFrame(const TFastDIB&) override { ++Frames; }
        void SetTimingText(const std::string&) override {}
        void PutImageOnClipboard(const TFrameImage&) override {}
        void SyncToMB() override { ++Syncs; }
        int Frames = 0; // user-interface thread only
        int Syncs = 0;
    };

    TMagnetBench bench;
    TFastDIB bmp;
    TSetterList setters;
    TMailboxPlatform platform;
    TDrawThread loop(bmp, bench, setters, platform);
    std::atomic<bool> ended{false};
    std::thread render([&] {
        loop.Execute();
        ended = true;
    });

    // Queue a command between steps, as the window's event handlers do, and let it run.
    while (platform.Syncs < 3) {
        platform.Mailbox.RunPending(std::chrono::milliseconds(10));
    }
    setters.push_back(std::make_unique<TAddMagnetSetter>(2000, 2000, 0.0));
    while (!bench.Objects().size() || platform.Frames < 2) {
        platform.Mailbox.RunPending(std::chrono::milliseconds(10));
    }

    // Close: the stop flag first, then serve pending calls until the thread has ended.
    setters.push_back(std::make_unique<TAddMagnetSetter>(3000, 2000, 0.0));
    loop.Terminate();
    const int syncs = platform.Syncs;
    while (!ended) {
        platform.Mailbox.RunPending(std::chrono::milliseconds(1));
    }
    render.join();
    EXPECT_EQ(platform.Syncs, syncs);
    EXPECT_EQ(bench.Objects().size(), 1u);
    EXPECT_EQ(setters.size(), 1u);
}
