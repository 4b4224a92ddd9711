// The pointer gestures on the bench, driven as the window drives them: one command per press, move,
// release and double click, run in event order. The work area is 400 x 300, so the bin's drop area
// lies right of x = 352 and below y = 252. Time is a hand-driven tick.
#include "BenchTestAccess.h"
#include "raster/RasterTestUtil.h"

#include "bench/MagnetBench.h"
#include "commands/MouseSetters.h"
#include "commands/SceneSetters.h"
#include "objects/Compass.h"
#include "objects/MagneticObject.h"
#include "scenes/PresetScenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

uint32_t ReadTick(void* context) { return *static_cast<uint32_t*>(context); }

// Angles a and b name the same direction, within floating-point noise.
::testing::AssertionResult SameAngle(double a, double b)
{
    const double d = std::remainder(a - b, TwoPi);
    if (std::fabs(d) < 1e-12) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << a << " is not " << b << " (mod 2 pi)";
}

// A preset host that runs each command the moment it is queued.
class TImmediateHost : public TPresetHost {
public:
    explicit TImmediateHost(TMagnetBench& bench) : FBench(bench) {}
    void AddSetter(std::unique_ptr<TBasePropertySetter> setter) override { setter->DoAction(FBench); }
    int FrameWidth() const override { return 400; }
    int FrameHeight() const override { return 300; }
    void ResetDisplayButtons() override {}
    void PressGridButton() override {}
    void PressFieldLinesButton() override {}
    void SetBenchHasFieldLines(bool value) override { FBench.SetHasFieldLines(value); }

private:
    TMagnetBench& FBench;
};

class Gestures : public ::testing::Test {
protected:
    void SetUp() override
    {
        Bench.SetTickSource(TTickSource{ReadTick, &Now});
        DrawFrame();
    }

    // One frame of the work area, as the frame loop draws it before it runs a batch; it also
    // places the bin and its drop area.
    void DrawFrame(int width = 400, int height = 300)
    {
        Frame = MakeSurface(width, height);
        Bench.DrawBitmap(*Frame, 20.0, false);
    }

    // The four pointer commands; each returns whether it asked for a frame.
    bool Press(int32_t x, int32_t y, bool ctrl = false, bool right = false)
    {
        TMouseDownSetter command(x, y, ctrl, right, false);
        command.DoAction(Bench);
        return command.NeedsUpdate(Bench);
    }
    bool Move(int32_t x, int32_t y, bool right = false)
    {
        TMouseMoveSetter command(x, y, false, right, false);
        command.DoAction(Bench);
        return command.NeedsUpdate(Bench);
    }
    bool Release(int32_t x, int32_t y, bool shift = false)
    {
        TMouseUpSetter command(x, y, false, false, shift);
        command.DoAction(Bench);
        return command.NeedsUpdate(Bench);
    }
    bool DoubleClick(int32_t x, int32_t y)
    {
        TDoubleClickSetter command(x, y);
        command.DoAction(Bench);
        return command.NeedsUpdate(Bench);
    }

    TExperimentalObject* Object(size_t i) const { return Bench.Objects().at(i).get(); }
    TMagneticObject* Source(size_t i) const { return Object(i)->AsMagnetic(); }
    std::vector<bool> Selection() const
    {
        std::vector<bool> selected;
        for (const auto& object : Bench.Objects()) {
            selected.push_back(object->Selected());
        }
        return selected;
    }
    void Select(const std::vector<bool>& selected)
    {
        for (size_t i = 0; i < selected.size(); ++i) {
            Object(i)->SetSelected(selected[i]);
        }
    }

    uint32_t Now = 1000;
    TMagnetBench Bench;
    std::unique_ptr<TFastDIB> Frame;
};

} // namespace

TEST_F(Gestures, PressGrabsTheLastObjectHitDoubleClickActsOnTheFirstSource)
{
    Bench.AddCompass(100, 100);
    Bench.AddMagnet(100, 100, 0.0);
    Bench.AddWire(100, 100, false);

    // A real double click: press, release, double click, release.
    EXPECT_TRUE(Press(100, 100));
    EXPECT_EQ(Bench.MouseSender(), Object(2));
    EXPECT_TRUE(Release(100, 100));
    EXPECT_TRUE(DoubleClick(100, 100));
    EXPECT_TRUE(Release(100, 100));

    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Source(1)->Rotation(), Pi); // the compass before it is skipped
    EXPECT_FALSE(Source(2)->Flipped());
    EXPECT_EQ(Bench.Objects().size(), 3u);

    // Whatever its kind: a compass added last wins the press.
    Bench.AddCompass(100, 100);
    Press(100, 100);
    EXPECT_EQ(Bench.MouseSender(), Object(3));
    Release(100, 100);
}

TEST_F(Gestures, CtrlAddsToTheSelectionAndASelectedObjectDragsTheWholeSelection)
{
    Bench.AddMagnet(100, 100, 0.0); // 0
    Bench.AddMagnet(250, 100, 0.0); // 1
    Bench.AddCompass(100, 220);     // 2
    Bench.AddMagnet(250, 220, 0.0); // 3
    std::vector<std::pair<int32_t, int32_t>> start;
    for (const auto& object : Bench.Objects()) {
        start.emplace_back(object->Left(), object->Top());
    }

    Press(100, 100);
    Release(100, 100);
    EXPECT_EQ(Selection(), (std::vector<bool>{true, false, false, false}));
    Press(250, 100, true);
    Release(250, 100);
    Press(100, 220, true);
    Release(100, 220);
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true, true, false}));

    // A press on a selected object keeps the selection, and the moves carry all of it.
    Press(100, 100);
    EXPECT_TRUE(Move(107, 97));
    EXPECT_TRUE(Move(110, 95));
    Release(110, 95);
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true, true, false}));
    for (size_t i = 0; i < 4; ++i) {
        const int32_t shift = i < 3 ? 1 : 0;
        EXPECT_EQ(Object(i)->Left(), start[i].first + 10 * shift) << i;
        EXPECT_EQ(Object(i)->Top(), start[i].second - 5 * shift) << i;
    }

    // Without ctrl an unselected object becomes the only selected one.
    Press(250, 220);
    Release(250, 220);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false, true}));
}

TEST_F(Gestures, ShiftClickTakesOnlyAnAlreadySelectedObjectOutOfTheSelection)
{
    Bench.AddMagnet(100, 100, 0.0);
    Bench.AddMagnet(250, 100, 0.0);
    struct Case {
        bool WasSelected;
        int32_t Dx, Dy; // release relative to the press
        bool Shift;
        bool StaysSelected;
    };
    const Case cases[] = {
        {true, 0, 0, true, false},  {true, 1, 1, true, false},  {true, -1, 1, true, false},
        {true, 2, 0, true, true},   {true, 0, 0, false, true},  {false, 0, 0, true, true},
        {false, 1, 0, true, true},
    };
    for (const Case& c : cases) {
        Select({c.WasSelected, true});
        Press(100, 100);
        Release(100 + c.Dx, 100 + c.Dy, c.Shift);
        EXPECT_EQ(Selection(), (std::vector<bool>{c.StaysSelected, c.WasSelected}))
            << c.WasSelected << " " << c.Dx << "," << c.Dy << " shift " << c.Shift;
    }
}

TEST_F(Gestures, PressOnEmptyBenchDeselectsEverythingEvenWithCtrlInEveryMode)
{
    struct Mode {
        const char* Name;
        bool Compass, Adding, Removing;
    };
    const Mode modes[] = {{"plain", false, false, false},
                          {"compass", true, false, false},
                          {"adding filings", false, true, false},
                          {"removing filings", false, false, true}};
    for (const Mode& mode : modes) {
        Bench.ClearAll();
        Bench.AddMagnet(100, 100, 0.0);
        Bench.AddCompass(100, 220);
        Select({true, true});
        TCompassModeSetter(mode.Compass).DoAction(Bench);
        Bench.SetIsAddingFilings(mode.Adding);
        Bench.SetIsRemovingFilings(mode.Removing);

        EXPECT_TRUE(Press(250, 150, true)) << mode.Name;
        for (const auto& object : Bench.Objects()) {
            EXPECT_FALSE(object->Selected()) << mode.Name;
        }
        EXPECT_EQ(Bench.MouseSender(), nullptr) << mode.Name;
        EXPECT_TRUE(Bench.MouseDown()) << mode.Name;
        Release(250, 150);
        EXPECT_FALSE(Bench.MouseDown()) << mode.Name;
    }
}

TEST_F(Gestures, RubberBandSelectsOnlyBoxesStrictlyInsideAndTheSelectionStays)
{
    Bench.AddCompass(100, 100);     // box 84..116 in both axes
    Bench.AddMagnet(250, 100, 0.0); // never inside the bands below

    // A move without a press changes nothing and asks for no frame.
    EXPECT_FALSE(Move(117, 117));
    EXPECT_FALSE(Bench.NeedFocusRect());

    struct Case {
        int32_t PressX, PressY, MoveX, MoveY;
        bool Selected;
    };
    const Case cases[] = {
        {83, 83, 117, 117, true},  {117, 117, 83, 83, true},  {83, 117, 117, 83, true},
        {84, 83, 117, 117, false}, {83, 84, 117, 117, false}, {83, 83, 116, 117, false},
        {83, 83, 117, 116, false},
    };
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.PressX) + "," + std::to_string(c.PressY) + " to " +
                                 std::to_string(c.MoveX) + "," + std::to_string(c.MoveY);
        Select({false, true});
        Press(c.PressX, c.PressY);
        EXPECT_TRUE(Move(c.MoveX, c.MoveY)) << name;
        EXPECT_TRUE(Bench.NeedFocusRect()) << name;
        EXPECT_TRUE(TMagnetBenchTestAccess::NeedUpdateForFocusRectangleWhenMoving(Bench)) << name;
        const TRect& r = Bench.FocusRect();
        EXPECT_EQ(r.Left, std::min(c.PressX, c.MoveX)) << name;
        EXPECT_EQ(r.Top, std::min(c.PressY, c.MoveY)) << name;
        EXPECT_EQ(r.Right, std::max(c.PressX, c.MoveX)) << name;
        EXPECT_EQ(r.Bottom, std::max(c.PressY, c.MoveY)) << name;
        Release(c.MoveX, c.MoveY);
        EXPECT_FALSE(Bench.NeedFocusRect()) << name;
        EXPECT_EQ(Selection(), (std::vector<bool>{c.Selected, false})) << name;
    }

    // The band follows the pointer: shrinking it onto the border deselects again.
    Press(83, 83);
    Move(117, 117);
    EXPECT_TRUE(Object(0)->Selected());
    Move(116, 117);
    EXPECT_FALSE(Object(0)->Selected());
    Release(116, 117);
}

TEST_F(Gestures, HandleTurnsEverySelectedSourceByTheSameAngle)
{
    Bench.AddMagnet(100, 100, 0.0);   // 0: grabbed by its handle at (100, 46)
    Bench.AddMagnet(250, 100, 0.3);   // 1: selected
    Bench.AddSolonoid(600, 600, 1.0); // 2: selected
    Bench.AddCompass(100, 220);       // 3: selected, never turned
    Bench.AddMagnet(250, 220, 0.2);   // 4: not selected
    Select({true, true, true, true, false});
    const int32_t left = Object(0)->Left();
    const int32_t top = Object(0)->Top();
    const int32_t compassLeft = Object(3)->Left();

    Press(100, 46);
    struct Case {
        const char* Name;
        int32_t X, Y;
        double Rotation; // of the grabbed magnet: its handle points at the pointer
    };
    const Case cases[] = {
        {"right", 200, 100, Pi / 2},     {"below", 100, 200, Pi},          {"left", 0, 100, 3 * Pi / 2},
        {"on the centre", 100, 100, 3 * Pi / 2}, {"below right", 150, 150, 3 * Pi / 4}, {"above", 100, 0, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Move(c.X, c.Y)) << c.Name;
        EXPECT_TRUE(SameAngle(Source(0)->Rotation(), c.Rotation)) << c.Name;
        EXPECT_TRUE(SameAngle(Source(1)->Rotation(), 0.3 + c.Rotation)) << c.Name;
        EXPECT_TRUE(SameAngle(Source(2)->Rotation(), 1.0 + c.Rotation)) << c.Name;
        EXPECT_EQ(Source(4)->Rotation(), 0.2) << c.Name;
        EXPECT_EQ(Object(0)->Left(), left) << c.Name;
        EXPECT_EQ(Object(0)->Top(), top) << c.Name;
        EXPECT_EQ(Object(3)->Left(), compassLeft) << c.Name;
    }
    // Released straight above the centre, the magnet stands exactly upright.
    Release(100, 0);
    EXPECT_EQ(Source(0)->Rotation(), 0.0);

    // Released straight to the right after a fresh turn, it lies at a quarter turn.
    Select({true, false, false, false, false});
    Press(100, 46);
    Move(180, 100);
    Release(180, 100);
    EXPECT_TRUE(SameAngle(Source(0)->Rotation(), Pi / 2));
    EXPECT_TRUE(SameAngle(Source(1)->Rotation(), 0.3));
}

TEST_F(Gestures, BinShowsOnlyMoreThan500MillisecondsAfterTheBigMoveBegan)
{
    Bench.SetGarbageIcon(MakeSurface(44, 44, Red));
    Bench.SetGarbageIconOpen(MakeSurface(44, 44, Blue));
    Bench.AddMagnet(100, 100, 0.0);
    const auto binPixel = [&] {
        Bench.DrawBitmap(*Frame, 20.0, false);
        return At(*Frame, 374, 274);
    };
    EXPECT_EQ(Bench.BinLeft(), 352);
    EXPECT_EQ(Bench.BinTop(), 252);

    Press(100, 100);
    Now = 1100;
    Move(103, 100); // 9 squared pixels from the press point: not yet a big move
    Now = 1200;
    Move(103, 101); // 10: still not
    EXPECT_FALSE(Bench.IsOMouseBigMove());
    Now = 1300;
    Move(104, 100); // 16: the big move begins now
    EXPECT_TRUE(Bench.IsOMouseBigMove());
    Now = 1800;
    EXPECT_EQ(binPixel(), White);
    EXPECT_FALSE(Bench.BinIconShown());
    Now = 1801;
    EXPECT_EQ(binPixel(), Red);
    Move(353, 253); // strictly right of and below the bin's corner: open
    EXPECT_EQ(binPixel(), Blue);
    Move(352, 280);
    EXPECT_EQ(binPixel(), Red);
    Move(380, 252);
    EXPECT_EQ(binPixel(), Red);
    Move(200, 200);
    Release(200, 200);
    binPixel();
    EXPECT_FALSE(Bench.BinIconShown());
    EXPECT_EQ(Bench.Objects().size(), 1u);
}

TEST_F(Gestures, ReleaseInTheBinCornerDeletesTheWholeSelection)
{
    struct Case {
        int32_t X, Y;
        bool Deletes;
    };
    for (const Case& c : {Case{380, 280, true}, Case{353, 253, true}, Case{352, 280, false}, Case{380, 252, false}}) {
        const std::string name = std::to_string(c.X) + "," + std::to_string(c.Y);
        Bench.ClearAll();
        Bench.AddMagnet(100, 100, 0.0); // grabbed
        Bench.AddMagnet(250, 100, 0.0); // selected
        Bench.AddMagnet(250, 220, 0.0); // stays
        Bench.AddCompass(100, 220);     // stays
        Select({true, true, false, false});
        const double vxBefore = static_cast<TCompass*>(Object(3))->Vx();

        // A quick drag: the bin is never drawn.
        Press(100, 100);
        Move(c.X, c.Y);
        Release(c.X, c.Y);
        EXPECT_EQ(Bench.MouseSender(), c.Deletes ? nullptr : Object(0)) << name;
        EXPECT_FALSE(Bench.OMouseDown()) << name;
        if (!c.Deletes) {
            EXPECT_EQ(Bench.Objects().size(), 4u) << name;
            continue;
        }
        ASSERT_EQ(Bench.Objects().size(), 2u) << name;
        EXPECT_EQ(Object(0)->Left(), 250 - 62) << name;
        ASSERT_TRUE(Object(1)->IsCompass()) << name;

        // The compass left behind shows the field of the magnet that is left, at once.
        TMagnetBench reference;
        reference.AddMagnet(250, 220, 0.0);
        reference.AddCompass(100, 220);
        const auto& compass = static_cast<const TCompass&>(*Object(1));
        const auto& expected = static_cast<const TCompass&>(*reference.Objects()[1]);
        EXPECT_NE(compass.Vx(), vxBefore) << name;
        EXPECT_EQ(compass.Vx(), expected.Vx()) << name;
        EXPECT_EQ(compass.Vy(), expected.Vy()) << name;
    }

    // Pressed and released at the same point of the corner.
    Bench.ClearAll();
    Bench.AddWire(370, 270, false);
    Press(370, 270);
    Release(370, 270);
    EXPECT_TRUE(Bench.Objects().empty());
}

TEST_F(Gestures, UniformFieldCaughtByARubberBandLeavesWithItsSwitch)
{
    // A band past the top-left corner of the work area encloses the uniform field's empty box.
    Bench.ToggleUniformField(0.1);
    Bench.AddMagnet(60, 60, 0.0);
    Press(-10, -10);
    Move(130, 130);
    Release(130, 130);
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true}));

    Press(60, 60);
    Move(380, 280);
    Release(380, 280);
    EXPECT_TRUE(Bench.Objects().empty());
    EXPECT_FALSE(Bench.HasUniformField());
    TToggleUniformFieldSetter(0.1).DoAction(Bench);
    EXPECT_TRUE(Bench.HasUniformField());
    EXPECT_EQ(Bench.Objects().size(), 1u);
}

TEST_F(Gestures, ATooSmallWorkAreaHasNoDropArea)
{
    struct Case {
        int Width, Height;
        int32_t X, Y; // the release: inside the bin corner of the negative coordinates
    };
    for (const Case& c : {Case{40, 30, 20, 20}, Case{40, 300, 30, 280}, Case{400, 30, 380, 20}}) {
        const std::string name = std::to_string(c.Width) + "x" + std::to_string(c.Height);
        DrawFrame(c.Width, c.Height);
        ASSERT_TRUE(Bench.BinLeft() < 0 || Bench.BinTop() < 0) << name;
        Bench.ClearAll();
        Bench.AddMagnet(20, 20, 0.0);
        Press(20, 20);
        Move(c.X, c.Y);
        Release(c.X, c.Y);
        EXPECT_EQ(Bench.Objects().size(), 1u) << name;
        EXPECT_FALSE(Bench.OMouseDown()) << name;
    }
    // The same gesture deletes once the work area holds the bin.
    DrawFrame();
    Bench.ClearAll();
    Bench.AddMagnet(20, 20, 0.0);
    Press(20, 20);
    Move(380, 280);
    Release(380, 280);
    EXPECT_TRUE(Bench.Objects().empty());
}

TEST_F(Gestures, CompassModePlacesACompassOnEmptyBenchAndGrabsObjectsAsUsual)
{
    Bench.AddMagnet(100, 100, 0.0);
    Select({true});
    TCompassModeSetter(true).DoAction(Bench);

    EXPECT_TRUE(Press(250, 150));
    ASSERT_EQ(Bench.Objects().size(), 2u);
    ASSERT_TRUE(Object(1)->IsCompass());
    EXPECT_EQ(Object(1)->Left(), 234);
    EXPECT_EQ(Object(1)->Top(), 134);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Bench.MouseSender(), nullptr);
    EXPECT_TRUE(Move(270, 170)); // no rubber band, nothing moves
    EXPECT_FALSE(Bench.NeedFocusRect());
    EXPECT_EQ(Object(1)->Left(), 234);
    Release(270, 170);

    // A press on an object grabs it and adds nothing; that includes the new compass.
    for (const auto& [x, y, index] : {std::tuple{100, 100, 0}, std::tuple{250, 150, 1}}) {
        const int32_t left = Object(index)->Left();
        Press(x, y);
        EXPECT_EQ(Bench.MouseSender(), Object(index));
        Move(x + 5, y);
        Release(x + 5, y);
        EXPECT_EQ(Bench.Objects().size(), 2u);
        EXPECT_EQ(Object(index)->Left(), left + 5);
    }
}

TEST_F(Gestures, FilingsArePaintedAroundThePointerFromThePressPointOn)
{
    // The brush is the left button while adding, or the right button while removing.
    struct Mode {
        bool Adding, Removing, Right;
    };
    for (const Mode& mode : {Mode{true, false, false}, Mode{false, true, true}}) {
        const std::string name = mode.Adding ? "adding, left button" : "removing, right button";
        Bench.ClearAll();
        Bench.AddMagnet(300, 100, 0.0);
        Bench.SetIsAddingFilings(mode.Adding);
        Bench.SetIsRemovingFilings(mode.Removing);
        // Every filing from `from` on lies within -20..19 of (x, y) in each axis.
        const auto expectAround = [&](size_t from, int32_t x, int32_t y, const std::string& step) {
            for (size_t i = from; i < Bench.FilingPoints().size(); ++i) {
                const TPoint& p = Bench.FilingPoints()[i];
                EXPECT_TRUE(p.X >= x - 20 && p.X <= x + 19 && p.Y >= y - 20 && p.Y <= y + 19)
                    << name << ", " << step << ": " << p.X << "," << p.Y;
            }
        };

        Press(100, 100, false, mode.Right);
        ASSERT_EQ(Bench.FilingPoints().size(), 5u) << name;
        expectAround(0, 100, 100, "press");
        // Within sqrt(2) of the press point nothing is added.
        EXPECT_TRUE(Move(101, 100, mode.Right)) << name;
        Move(101, 101, mode.Right);
        EXPECT_EQ(Bench.FilingPoints().size(), 5u) << name;
        // Every later move farther away adds five, measured from the press point, not the last move.
        Move(102, 100, mode.Right);
        ASSERT_EQ(Bench.FilingPoints().size(), 10u) << name;
        expectAround(5, 102, 100, "first move");
        Move(103, 100, mode.Right);
        ASSERT_EQ(Bench.FilingPoints().size(), 15u) << name;
        expectAround(10, 103, 100, "second move");
        EXPECT_FALSE(Bench.NeedFocusRect()) << name;
        Release(103, 100);

        // No painting without a press, nor from a press on an object.
        EXPECT_FALSE(Move(200, 200, mode.Right)) << name;
        Press(300, 100, false, mode.Right);
        Move(320, 120, mode.Right);
        Release(320, 120);
        EXPECT_EQ(Bench.FilingPoints().size(), 15u) << name;
    }
}

TEST_F(Gestures, EraserRemovesFilingsCloserThanTenPixelsFromThePressPointOn)
{
    // The eraser is the right button while adding, or the left button while removing.
    struct Mode {
        bool Adding, Removing, Right;
    };
    for (const Mode& mode : {Mode{true, false, true}, Mode{false, true, false}}) {
        const std::string name = mode.Adding ? "adding, right button" : "removing, left button";
        Bench.ClearAll();
        Bench.SetIsAddingFilings(mode.Adding);
        Bench.SetIsRemovingFilings(mode.Removing);
        for (const auto& [x, y] : {std::pair{100, 100}, std::pair{109, 100}, std::pair{107, 107}, std::pair{106, 108},
                                   std::pair{100, 90}, std::pair{110, 100}, std::pair{300, 200}}) {
            TMagnetBenchTestAccess::PutFiling(Bench, x, y);
        }
        const auto remaining = [&] {
            std::vector<std::pair<int32_t, int32_t>> points;
            for (const TPoint& p : Bench.FilingPoints()) {
                points.emplace_back(p.X, p.Y);
            }
            std::sort(points.begin(), points.end());
            return points;
        };

        Press(100, 100, false, mode.Right);
        using TPoints = std::vector<std::pair<int32_t, int32_t>>;
        EXPECT_EQ(remaining(), (TPoints{{100, 90}, {106, 108}, {110, 100}, {300, 200}})) << name;
        EXPECT_TRUE(Move(101, 100, mode.Right)) << name; // one pixel from the press point: nothing
        EXPECT_EQ(remaining().size(), 4u) << name;
        Move(102, 100, mode.Right); // more than sqrt(2) away: erases around (102, 100)
        EXPECT_EQ(remaining(), (TPoints{{100, 90}, {300, 200}})) << name;
        EXPECT_FALSE(Bench.NeedFocusRect()) << name;
        Release(102, 100);
    }
}

TEST_F(Gestures, PressOnASourceBuildsTheMoveCacheFromTheSelectionAsItNowStands)
{
    Bench.AddMagnet(100, 100, 0.0);
    Bench.AddMagnet(250, 100, 0.7);
    Bench.AddCompass(100, 220);
    Bench.ClearFullCache();
    DrawFrame();
    const int32_t height = Bench.FullCacheHeight();
    // The move cache at (x, y) against the full cache minus the quick field of `removed`.
    const auto expectCache = [&](const std::vector<size_t>& removed, const std::string& name) {
        ASSERT_EQ(Bench.MoveCacheWidth(), 400) << name;
        ASSERT_EQ(Bench.MoveCacheHeight(), 300) << name;
        for (const auto& [x, y] : {std::pair{10, 10}, std::pair{120, 40}, std::pair{399, 299}}) {
            const size_t cell = static_cast<size_t>(x) * height + y;
            double fx = 0.0;
            double fy = 0.0;
            for (size_t i : removed) {
                Source(i)->GetCurrentFieldVectorQuick(x, y, fx, fy);
            }
            EXPECT_NEAR(Bench.MoveCache()[cell].x, Bench.FullCache()[cell].x - fx, 1e-9) << name;
            EXPECT_NEAR(Bench.MoveCache()[cell].y, Bench.FullCache()[cell].y - fy, 1e-9) << name;
        }
    };

    Select({false, true, false});
    Press(100, 100); // without ctrl the other magnet leaves the selection first
    Release(100, 100);
    expectCache({0}, "one");
    Press(250, 100, true);
    Release(250, 100);
    expectCache({0, 1}, "both");

    // Neither a compass press nor a press with motion on builds it.
    Press(100, 220);
    Release(100, 220);
    expectCache({0, 1}, "compass");
    Bench.SetMovementON(true);
    Press(100, 100);
    Release(100, 100);
    expectCache({0, 1}, "motion");
}

TEST_F(Gestures, DestroyingObjectsDuringAPressForgetsTheGrabbedObject)
{
    struct Destroyer {
        const char* Name;
        std::function<void()> Run;
    };
    const Destroyer destroyers[] = {
        {"reset", [&] { TClearAllSetter().DoAction(Bench); }},
        {"reset to one magnet", [&] { TClearToSingleMagnetSetter(200, 150).DoAction(Bench); }},
        {"reset to the grid", [&] { TClearAllToGridOnlySetter(false).DoAction(Bench); }},
        {"preset", [&] {
             TImmediateHost host(Bench);
             ASSERT_TRUE(RunPreset(host, "Wire with compasses"));
         }},
    };
    struct Grab {
        const char* Name;
        int32_t X, Y;
    };
    for (const Destroyer& destroyer : destroyers) {
        for (const Grab& grab : {Grab{"compass", 100, 220}, Grab{"handle", 100, 46}, Grab{"body", 100, 100}}) {
            const std::string name = std::string(destroyer.Name) + " while holding the " + grab.Name;
            Bench.ClearAll();
            Bench.AddMagnet(100, 100, 0.0);
            Bench.AddCompass(100, 220);
            DrawFrame(); // a still frame leaves the compass drag's background cached
            Press(grab.X, grab.Y);
            Now += 1000;
            Move(grab.X + 20, grab.Y + 20); // a big move
            ASSERT_NE(Bench.MouseSender(), nullptr) << name;

            destroyer.Run();
            EXPECT_EQ(Bench.MouseSender(), nullptr) << name;
            EXPECT_FALSE(Bench.OMouseDown()) << name;
            EXPECT_FALSE(Bench.IsOMouseBigMove()) << name;
            EXPECT_EQ(Bench.CompassMoveCache(), nullptr) << name;

            // The rest of the gesture finds nothing to move, turn or delete.
            const auto before = Bench.Objects().size();
            EXPECT_FALSE(Move(380, 280)) << name;
            Release(380, 280);
            EXPECT_EQ(Bench.Objects().size(), before) << name;
            DrawFrame();
            EXPECT_FALSE(Bench.BinIconShown()) << name;
        }
    }

    // A released press keeps its object until the object goes.
    Bench.ClearAll();
    Bench.AddMagnet(100, 100, 0.0);
    Press(100, 100);
    Release(100, 100);
    EXPECT_EQ(Bench.MouseSender(), Object(0));
    TClearAllSetter().DoAction(Bench);
    EXPECT_EQ(Bench.MouseSender(), nullptr);
    EXPECT_FALSE(Move(120, 120));
}
