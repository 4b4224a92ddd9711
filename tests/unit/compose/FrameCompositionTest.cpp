// One frame of the bench: which of the three paths a situation takes, the life of the two cached
// backgrounds, the z-order of the objects, the bin icon and the rubber band.
//
// The scenes keep every visualisation off and their objects outside the small frames, so that a
// frame shows only the background it was composed or copied from. The caches are marked with
// colours of their own to see which one a frame came from.
#include "BenchTestAccess.h"
#include "raster/RasterTestUtil.h"

#include "bench/MagnetBench.h"
#include "objects/ExperimentalObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr TFColor Green = MakeFColor(0, 255, 0);

// Records the order in which the bench paints its objects.
class TPaintProbe : public TExperimentalObject {
public:
    TPaintProbe(TObjectKind kind, int id, std::vector<int>& log) : TExperimentalObject(kind), FId(id), FLog(log) {}
    void Paint(TFastDIB&) override { FLog.push_back(FId); }
    void DblClick() override {}
    bool CheckIsInside(double, double) override { return false; }
    bool CheckIsInsideFuture(double, double) override { return false; }

private:
    int FId;
    std::vector<int>& FLog;
};

bool AllPixels(const TFastDIB& bmp, TFColor c)
{
    for (const TFColor& p : PixelsTopDown(bmp)) {
        if (!(p == c)) {
            return false;
        }
    }
    return bmp.Width() > 0 && bmp.Height() > 0;
}

uint32_t ReadTick(void* context) { return *static_cast<uint32_t*>(context); }

// A bench with a magnet and a compass far outside the 20 x 12 frames, after one still frame.
class FrameComposition : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bench.AddMagnet(2000, 2000, 0.0);
        Bench.AddCompass(3000, 2000);
        Frame = MakeSurface(20, 12, Black);
        Bench.DrawBitmap(*Frame, 20.0, false);
    }

    TFastDIB* CompassCache() { return TMagnetBenchTestAccess::CompassMoveBMP(Bench).get(); }
    TFastDIB* FilingsCache() { return TMagnetBenchTestAccess::FilingsAddBMP(Bench).get(); }
    // Marks both caches, so that a frame shows which one it was copied from.
    void MarkCaches()
    {
        FillSurface(*CompassCache(), Red);
        FillSurface(*FilingsCache(), Blue);
    }

public:
    TExperimentalObject* Magnet() { return Bench.Objects()[0].get(); }
    TExperimentalObject* Compass() { return Bench.Objects()[1].get(); }

protected:
    TMagnetBench Bench;
    std::unique_ptr<TFastDIB> Frame;
};

} // namespace

TEST_F(FrameComposition, StillFrameIsWhiteAndLeavesBothCachesUpToDate)
{
    EXPECT_TRUE(AllPixels(*Frame, White)) << Picture(*Frame, White, Black);
    ASSERT_NE(CompassCache(), nullptr);
    ASSERT_NE(FilingsCache(), nullptr);
    EXPECT_EQ(CompassCache()->Width(), 20);
    EXPECT_EQ(CompassCache()->Height(), 12);
    EXPECT_TRUE(AllPixels(*CompassCache(), White));
    EXPECT_TRUE(AllPixels(*FilingsCache(), White));
    EXPECT_EQ(Bench.LastDrawnWidth(), 20);
    EXPECT_EQ(Bench.LastDrawnHeight(), 12);
    EXPECT_EQ(Bench.FullCacheWidth(), 20);

    // A still frame at another size resizes both caches with it.
    auto larger = MakeSurface(26, 9, Black);
    Bench.DrawBitmap(*larger, 20.0, false);
    EXPECT_EQ(CompassCache()->Width(), 26);
    EXPECT_EQ(FilingsCache()->Height(), 9);
    EXPECT_TRUE(AllPixels(*CompassCache(), White));
}

TEST_F(FrameComposition, EachSituationTakesItsPathAndOnlyAStillFullFrameRefreshesTheCaches)
{
    struct Case {
        const char* Name;
        std::function<void(TMagnetBench&, FrameComposition*)> Setup;
        bool OnlyCompasses;
        TFColor FrameColour, CompassCacheAfter, FilingsCacheAfter;
    };
    auto* self = this;
    const Case cases[] = {
        {"compass drag", [](TMagnetBench& b, FrameComposition* t) { TMagnetBenchTestAccess::SetPress(b, t->Compass()); },
         false, Red, Red, Blue},
        {"rubber band", [](TMagnetBench& b, FrameComposition*) {
             TMagnetBenchTestAccess::SetRubberBand(b, TRect{100, 100, 120, 120}, false); },
         false, Red, Red, Blue},
        {"compass-only redraw", [](TMagnetBench&, FrameComposition*) {}, true, Red, Red, Blue},
        {"adding filings", [](TMagnetBench& b, FrameComposition*) { b.SetMouseDown(true); b.SetIsAddingFilings(true); },
         false, Blue, Red, Blue},
        {"removing filings", [](TMagnetBench& b, FrameComposition*) { b.SetMouseDown(true); b.SetIsRemovingFilings(true); },
         false, Blue, Red, Blue},
        {"filings tool on, not pressed", [](TMagnetBench& b, FrameComposition*) { b.SetIsAddingFilings(true); },
         false, White, White, White},
        {"press on empty bench", [](TMagnetBench& b, FrameComposition*) { b.SetMouseDown(true); },
         false, White, Red, Blue},
        {"magnet drag", [](TMagnetBench& b, FrameComposition* t) { TMagnetBenchTestAccess::SetPress(b, t->Magnet()); },
         false, White, Red, Blue},
        {"nothing happening", [](TMagnetBench&, FrameComposition*) {}, false, White, White, White},
    };
    for (const Case& c : cases) {
        TMagnetBench& bench = Bench;
        bench.SetMouseDown(false);
        bench.SetMovementON(false);
        bench.SetIsAddingFilings(false);
        bench.SetIsRemovingFilings(false);
        TMagnetBenchTestAccess::SetPress(bench, nullptr);
        TMagnetBenchTestAccess::ClearRubberBand(bench);
        bench.DrawBitmap(*Frame, 20.0, false); // a still frame: both caches white
        MarkCaches();
        FillSurface(*Frame, Green);

        c.Setup(bench, self);
        bench.DrawBitmap(*Frame, 20.0, c.OnlyCompasses);
        // The rubber band's outline lies outside the frame, so every pixel is the background's.
        EXPECT_TRUE(AllPixels(*Frame, c.FrameColour)) << c.Name << "\n" << Picture(*Frame, c.FrameColour, Green);
        EXPECT_TRUE(AllPixels(*CompassCache(), c.CompassCacheAfter)) << c.Name;
        EXPECT_TRUE(AllPixels(*FilingsCache(), c.FilingsCacheAfter)) << c.Name;
    }
}

TEST(FrameCompositionCaches, MotionComposesFullFramesAndKeepsTheCaches)
{
    // Only a compass, which motion never moves: sources would be pulled into the small frame.
    TMagnetBench bench;
    bench.AddCompass(3000, 2000);
    auto frame = MakeSurface(20, 12, Black);
    bench.DrawBitmap(*frame, 20.0, false);
    FillSurface(*TMagnetBenchTestAccess::CompassMoveBMP(bench), Red);
    FillSurface(*TMagnetBenchTestAccess::FilingsAddBMP(bench), Blue);
    FillSurface(*frame, Green);

    bench.SetMovementON(true);
    bench.DrawBitmap(*frame, 20.0, false);
    EXPECT_TRUE(AllPixels(*frame, White)) << Picture(*frame, White, Green);
    EXPECT_TRUE(AllPixels(*TMagnetBenchTestAccess::CompassMoveBMP(bench), Red));
    EXPECT_TRUE(AllPixels(*TMagnetBenchTestAccess::FilingsAddBMP(bench), Blue));
}

TEST_F(FrameComposition, CachedPathsRebuildACacheOfAnOldSizeBeforeCopyingIt)
{
    MarkCaches();
    auto larger = MakeSurface(30, 16, Green);

    TMagnetBenchTestAccess::SetPress(Bench, Compass());
    Bench.DrawBitmap(*larger, 20.0, false);
    EXPECT_EQ(CompassCache()->Width(), 30);
    EXPECT_EQ(CompassCache()->Height(), 16);
    EXPECT_TRUE(AllPixels(*larger, White)) << Picture(*larger, White, Red);

    TMagnetBenchTestAccess::SetPress(Bench, nullptr);
    Bench.SetMouseDown(true);
    Bench.SetIsAddingFilings(true);
    FillSurface(*larger, Green);
    Bench.DrawBitmap(*larger, 20.0, false);
    EXPECT_EQ(FilingsCache()->Width(), 30);
    EXPECT_EQ(FilingsCache()->Height(), 16);
    EXPECT_TRUE(AllPixels(*larger, White)) << Picture(*larger, White, Blue);
}

TEST(FrameCompositionCaches, FilingsEditingBuildsItsFirstCacheWithoutTheFilings)
{
    TMagnetBench bench;
    for (int i = 0; i < 40; ++i) {
        TMagnetBenchTestAccess::PutFiling(bench, 3 + (i % 8) * 2, 2 + (i / 8) * 2);
    }
    bench.SetHasIronFilings(true);
    bench.SetIsAddingFilings(true);
    bench.SetMouseDown(true);
    auto frame = MakeSurface(20, 12, Black);
    bench.DrawBitmap(*frame, 20.0, false);

    const TFastDIB* cache = TMagnetBenchTestAccess::FilingsAddBMP(bench).get();
    ASSERT_NE(cache, nullptr);
    EXPECT_TRUE(AllPixels(*cache, White)) << Picture(*cache, White, Black);
    EXPECT_EQ(TMagnetBenchTestAccess::CompassMoveBMP(bench), nullptr);
}

TEST_F(FrameComposition, RubberBandWithMotionHoldsTheSceneAndRebuildsTheBackgroundOnce)
{
    Bench.SetMovementON(true);
    const int32_t stepsBefore = Bench.ForceCalcCount;
    MarkCaches();
    TMagnetBenchTestAccess::SetRubberBand(Bench, TRect{100, 100, 120, 120}, true);

    Bench.DrawBitmap(*Frame, 20.0, false);
    EXPECT_TRUE(AllPixels(*Frame, White)); // rebuilt when the band started
    EXPECT_FALSE(TMagnetBenchTestAccess::NeedUpdateForFocusRectangleWhenMoving(Bench));

    FillSurface(*CompassCache(), Red);
    Bench.DrawBitmap(*Frame, 20.0, false);
    EXPECT_TRUE(AllPixels(*Frame, Red)); // and then kept
    EXPECT_EQ(Bench.ForceCalcCount, stepsBefore);
}

TEST_F(FrameComposition, RubberBandIsADottedExclusiveOrOutline)
{
    TMagnetBenchTestAccess::SetRubberBand(Bench, TRect{2, 2, 12, 9}, false);
    Bench.DrawBitmap(*Frame, 20.0, false);
    int changedOnOutline = 0;
    for (int x = 2; x < 12; ++x) {
        changedOnOutline += !(At(*Frame, x, 2) == White);
    }
    EXPECT_GT(changedOnOutline, 0) << Picture(*Frame, White, Black);
    EXPECT_LT(changedOnOutline, 10);
    EXPECT_EQ(At(*Frame, 6, 5), White);
    EXPECT_EQ(At(*Frame, 15, 5), White);
    EXPECT_EQ(Frame->PenStyle(), PenDashDot);
    EXPECT_EQ(Frame->BrushStyle(), BrushHollow);
}

TEST(FrameCompositionObjects, CompassesArePaintedAfterEveryOtherObjectEachInListOrder)
{
    TMagnetBench bench;
    std::vector<int> log;
    const TObjectKind kinds[] = {TObjectKind::Compass, TObjectKind::Magnet, TObjectKind::Compass, TObjectKind::Wire};
    for (int i = 0; i < 4; ++i) {
        TMagnetBenchTestAccess::AddObject(bench, std::make_unique<TPaintProbe>(kinds[i], i, log));
    }
    auto frame = MakeSurface(10, 10);
    bench.DrawBitmap(*frame, 20.0, false);
    EXPECT_EQ(log, (std::vector<int>{1, 3, 0, 2}));
}

TEST_F(FrameComposition, BinIconShowsOnlyAfterMoreThan500Milliseconds)
{
    // Closed icon red, open icon blue, each with a white (transparent) top-left pixel.
    auto closed = MakeSurface(44, 44, Red);
    auto open = MakeSurface(44, 44, Blue);
    Put(*closed, 0, 0, White);
    Put(*open, 0, 0, White);
    Bench.SetGarbageIcon(std::move(closed));
    Bench.SetGarbageIconOpen(std::move(open));
    uint32_t now = 0;
    Bench.SetTickSource(TTickSource{ReadTick, &now});
    TMagnetBenchTestAccess::SetPress(Bench, Magnet());
    auto frame = MakeSurface(60, 60, Black);

    struct Case {
        uint32_t Start, Now;
        int32_t MouseX, MouseY;
        bool Shown;
        TFColor Icon;
    };
    const Case cases[] = {
        {1000, 1000, 5, 5, false, White},
        {1000, 1500, 50, 50, false, White},
        {1000, 1501, 5, 5, true, Red},
        {1000, 1501, 13, 13, true, Blue},
        {1000, 1501, 12, 40, true, Red}, // not strictly right of the bin's left edge
        {1000, 1501, 40, 12, true, Red}, // not strictly below its top edge
        {0xFFFFFF00u, 0x00000100u, 5, 5, true, Red}, // across the wrap of the tick counter
        {0xFFFFFF00u, 0xFFFFFFFFu, 5, 5, false, White},
    };
    for (const Case& c : cases) {
        TMagnetBenchTestAccess::SetBigMove(Bench, c.Start, c.MouseX, c.MouseY);
        now = c.Now;
        Bench.DrawBitmap(*frame, 20.0, false);
        const std::string name = std::to_string(c.Now - c.Start) + " ms at " + std::to_string(c.MouseX) + "," +
                                 std::to_string(c.MouseY);
        EXPECT_EQ(Bench.BinLeft(), 12) << name;
        EXPECT_EQ(Bench.BinTop(), 12) << name;
        EXPECT_EQ(Bench.BinIconShown(), c.Shown) << name;
        EXPECT_EQ(At(*frame, 30, 30), c.Icon) << name;
        EXPECT_EQ(At(*frame, 12, 12), White) << name; // the icon's white pixel leaves the frame's
        EXPECT_EQ(At(*frame, 11, 30), White) << name;
    }
}

TEST_F(FrameComposition, EmptyTargetDrawsNothingAndKeepsTheScene)
{
    Bench.SetMovementON(true);
    const int32_t steps = Bench.ForceCalcCount;
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{0, 7}, std::pair{7, 0}}) {
        TFastDIB empty;
        empty.SetSize(w, h, 24);
        Bench.DrawBitmap(empty, 20.0, false);
    }
    EXPECT_EQ(Bench.ForceCalcCount, steps);
    EXPECT_EQ(Bench.LastDrawnWidth(), 20);
    EXPECT_EQ(Bench.LastDrawnHeight(), 12);
    EXPECT_EQ(CompassCache()->Width(), 20);
    EXPECT_EQ(Bench.FullCacheWidth(), 20);

    TMagnetBench fresh;
    TFastDIB empty;
    fresh.DrawBitmap(empty, 20.0, false);
    EXPECT_EQ(TMagnetBenchTestAccess::CompassMoveBMP(fresh), nullptr);
    EXPECT_TRUE(fresh.FullCache().empty());
}

TEST_F(FrameComposition, MissingFullCacheIsRebuiltByTheNextFrame)
{
    const int32_t builds = Bench.FullLUTBuildsCount;
    Bench.DrawBitmap(*Frame, 20.0, false);
    EXPECT_EQ(Bench.FullLUTBuildsCount, builds);
    Bench.ClearFullCache();
    Bench.DrawBitmap(*Frame, 20.0, false);
    EXPECT_EQ(Bench.FullLUTBuildsCount, builds + 1);
    EXPECT_EQ(Bench.FullCacheWidth(), 20);
    EXPECT_EQ(Bench.FullCacheHeight(), 12);
}
