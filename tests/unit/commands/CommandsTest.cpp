// The command objects: what each one does to the bench, whether it asks for a frame, and the flags
// it hands to the frame loop.
#include "BenchTestAccess.h"

#include "bench/MagnetBench.h"
#include "commands/AddSetters.h"
#include "commands/FrameSetters.h"
#include "commands/MouseSetters.h"
#include "commands/SceneSetters.h"
#include "objects/Compass.h"
#include "objects/MagneticObject.h"
#include "objects/UniformMagneticField.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

// Every switch and mode of the bench that a command may change.
struct TSwitches {
    bool Grid, Map, Lines, Filings, Adding, Removing, Movement, Uniform, CompassMode;
    friend bool operator==(const TSwitches&, const TSwitches&) = default;
};

TSwitches SwitchesOf(const TMagnetBench& bench)
{
    return {bench.HasGrid(),         bench.HasFieldMap(),       bench.HasFieldLines(),
            bench.HasIronFilings(),  bench.IsAddingFilings(),   bench.IsRemovingFilings(),
            bench.MovementON(),      bench.HasUniformField(),   bench.AddCompassesMode()};
}

// A busy bench: sources of several kinds, a uniform field, filings and every switch on.
void FillBench(TMagnetBench& bench)
{
    bench.AddMagnet(100, 100, 1.0);
    bench.AddWire(300, 100, true);
    bench.AddCompass(200, 200);
    bench.ToggleUniformField(0.1);
    TMagnetBenchTestAccess::PutFiling(bench, 10, 20);
    bench.SetHasGrid(true);
    bench.SetHasFieldMap(true);
    bench.SetHasFieldLines(true);
    bench.SetHasIronFilings(true);
    bench.SetIsAddingFilings(true);
    bench.SetIsRemovingFilings(true);
    bench.SetMovementON(true);
}

} // namespace

TEST(Commands, FlagsHandedToTheFrameLoop)
{
    struct Case {
        const char* Name;
        std::function<std::unique_ptr<TBasePropertySetter>()> Make;
        bool CompassOnly, Clipboard, DoubleBuffer;
    };
    const Case cases[] = {
        {"compass", [] { return std::make_unique<TAddCompassSetter>(1, 2); }, true, false, false},
        {"clipboard", [] { return std::make_unique<TSaveToClipboardSetter>(); }, false, true, false},
        {"update double-buffered", [] { return std::make_unique<TUpdateSetter>(true); }, false, false, true},
        {"update", [] { return std::make_unique<TUpdateSetter>(false); }, false, false, false},
        {"magnet", [] { return std::make_unique<TAddMagnetSetter>(1, 2, 0.0); }, false, false, false},
        {"mouse down", [] { return std::make_unique<TMouseDownSetter>(1, 2, true, true, true); }, false, false, false},
    };
    for (const Case& c : cases) {
        const auto setter = c.Make();
        EXPECT_EQ(setter->NeedOnlyCompassRedraw(), c.CompassOnly) << c.Name;
        EXPECT_EQ(setter->NeedSaveToClipboard(), c.Clipboard) << c.Name;
        EXPECT_EQ(setter->UseDoubleBuffer(), c.DoubleBuffer) << c.Name;
    }
}

TEST(Commands, PointerMoveAsksForAFrameOnlyDuringAPress)
{
    TMagnetBench bench;
    bench.AddMagnet(100, 100, 0.0);
    TMouseMoveSetter move(50, 60, false, false, false);
    move.DoAction(bench);
    EXPECT_FALSE(move.NeedsUpdate(bench));

    bench.SetMouseDown(true);
    EXPECT_TRUE(move.NeedsUpdate(bench));
    bench.SetMouseDown(false);
    TMagnetBenchTestAccess::SetPress(bench, bench.Objects()[0].get());
    EXPECT_TRUE(move.NeedsUpdate(bench));
}

TEST(Commands, CompassModeChangesOnlyTheModeAndAsksForNoFrame)
{
    TMagnetBench bench;
    for (const bool state : {true, false}) {
        TCompassModeSetter mode(state);
        mode.DoAction(bench);
        EXPECT_EQ(bench.AddCompassesMode(), state);
        EXPECT_FALSE(mode.NeedsUpdate(bench));
    }
}

TEST(Commands, AddUniformFieldKeepsAnExistingField)
{
    TMagnetBench bench;
    TAddUniformFieldSetter add(0.1);
    add.DoAction(bench);
    ASSERT_TRUE(bench.HasUniformField());
    ASSERT_EQ(bench.Objects().size(), 1u);
    auto* field = static_cast<TUniformMagneticField*>(bench.Objects()[0].get());
    EXPECT_EQ(field->FieldStrength(), 0.1);

    TFlipUniformFieldSetter().DoAction(bench);
    ASSERT_TRUE(field->IsFlipped());
    TAddUniformFieldSetter again(0.5);
    again.DoAction(bench);
    ASSERT_EQ(bench.Objects().size(), 1u);
    EXPECT_EQ(bench.Objects()[0].get(), field);
    EXPECT_EQ(field->FieldStrength(), 0.1);
    EXPECT_TRUE(field->IsFlipped());
    EXPECT_TRUE(bench.HasUniformField());
    EXPECT_TRUE(again.NeedsUpdate(bench));
}

TEST(Commands, ToggleUniformFieldTwiceLeavesTheListAsItWas)
{
    TMagnetBench bench;
    bench.AddMagnet(100, 100, 0.0);
    TToggleUniformFieldSetter(0.1).DoAction(bench);
    EXPECT_TRUE(bench.HasUniformField());
    EXPECT_EQ(bench.Objects().size(), 2u);
    TToggleUniformFieldSetter(0.1).DoAction(bench);
    EXPECT_FALSE(bench.HasUniformField());
    ASSERT_EQ(bench.Objects().size(), 1u);
    EXPECT_EQ(bench.Objects()[0]->Kind(), TObjectKind::Magnet);
}

TEST(Commands, ClearToSingleMagnetLeavesOneCentredMagnetAndNothingElse)
{
    TMagnetBench bench;
    FillBench(bench);
    TClearToSingleMagnetSetter reset(376, 303);
    reset.DoAction(bench);
    ASSERT_EQ(bench.Objects().size(), 1u);
    const TMagneticObject* magnet = bench.Objects()[0]->AsMagnetic();
    ASSERT_NE(magnet, nullptr);
    EXPECT_EQ(bench.Objects()[0]->Kind(), TObjectKind::Magnet);
    EXPECT_EQ(magnet->CentreX(), 376.0);
    EXPECT_EQ(magnet->CentreY(), 303.0);
    EXPECT_EQ(magnet->Rotation(), 0.0);
    EXPECT_TRUE(bench.FilingPoints().empty());
    EXPECT_EQ(SwitchesOf(bench), (TSwitches{false, false, false, false, false, false, false, false, false}));
    EXPECT_TRUE(reset.NeedsUpdate(bench));
}

TEST(Commands, ResetsLeaveAnEmptyBenchWithTheirOwnSwitches)
{
    struct Case {
        const char* Name;
        std::function<std::unique_ptr<TBasePropertySetter>()> Make;
        TSwitches After;
    };
    // Compass-adding mode is not part of a reset, so the mode set by FillBench's caller stays.
    const Case cases[] = {
        {"clear all", [] { return std::make_unique<TClearAllSetter>(); },
         {false, false, false, false, false, false, false, false, true}},
        {"grid only, moving", [] { return std::make_unique<TClearAllToGridOnlySetter>(true); },
         {true, false, false, false, false, false, true, false, true}},
        {"grid only, still", [] { return std::make_unique<TClearAllToGridOnlySetter>(false); },
         {true, false, false, false, false, false, false, false, true}},
        {"field lines only, still", [] { return std::make_unique<TClearAllToFieldLinesOnlySetter>(false); },
         {false, false, true, false, false, false, false, false, true}},
        {"field lines only, moving", [] { return std::make_unique<TClearAllToFieldLinesOnlySetter>(true); },
         {false, false, true, false, false, false, true, false, true}},
    };
    for (const Case& c : cases) {
        TMagnetBench bench;
        FillBench(bench);
        bench.SetAddCompassesMode(true);
        const auto reset = c.Make();
        reset->DoAction(bench);
        EXPECT_TRUE(bench.Objects().empty()) << c.Name;
        EXPECT_TRUE(bench.FilingPoints().empty()) << c.Name;
        EXPECT_EQ(SwitchesOf(bench), c.After) << c.Name;
        EXPECT_TRUE(reset->NeedsUpdate(bench)) << c.Name;
    }
}

TEST(Commands, ClearFilingsRemovesOnlyTheFilings)
{
    TMagnetBench bench;
    FillBench(bench);
    const TSwitches before = SwitchesOf(bench);
    TClearFilingsSetter().DoAction(bench);
    EXPECT_TRUE(bench.FilingPoints().empty());
    EXPECT_EQ(bench.Objects().size(), 4u);
    EXPECT_EQ(SwitchesOf(bench), before);
}

TEST(Commands, UpdateAndClipboardLeaveTheBenchUnchanged)
{
    TMagnetBench bench;
    FillBench(bench);
    const TSwitches before = SwitchesOf(bench);
    const TMagneticObject* magnet = bench.Objects()[0]->AsMagnetic();
    const double rotation = magnet->Rotation();

    TUpdateSetter update(true);
    TSaveToClipboardSetter copy;
    for (TBasePropertySetter* setter : {static_cast<TBasePropertySetter*>(&update), static_cast<TBasePropertySetter*>(&copy)}) {
        setter->DoAction(bench);
        EXPECT_TRUE(setter->NeedsUpdate(bench));
    }
    EXPECT_EQ(SwitchesOf(bench), before);
    EXPECT_EQ(bench.Objects().size(), 4u);
    EXPECT_EQ(bench.FilingPoints().size(), 1u);
    EXPECT_EQ(magnet->Rotation(), rotation);
}

TEST(Commands, AddersPlaceTheirObjectCentredOnTheirPoint)
{
    TMagnetBench bench;
    TAddMagnetSetter(100, 110, Pi).DoAction(bench);
    TAddWireSetter(200, 210, true).DoAction(bench);
    TAddSolonoidSetter(300, 310, Pi / 2).DoAction(bench);
    TaddMotorSetter(400, 410).DoAction(bench);
    TAddCompassSetter(500, 510).DoAction(bench);

    const auto& objects = bench.Objects();
    ASSERT_EQ(objects.size(), 5u);
    const TObjectKind kinds[] = {TObjectKind::Magnet, TObjectKind::Wire, TObjectKind::Coil, TObjectKind::Motor,
                                 TObjectKind::Compass};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(objects[i]->Kind(), kinds[i]) << i;
        EXPECT_EQ(objects[i]->Left() + objects[i]->Width() / 2, 100 * static_cast<int>(i + 1)) << i;
        EXPECT_EQ(objects[i]->Top() + objects[i]->Height() / 2, 100 * static_cast<int>(i + 1) + 10) << i;
    }
    EXPECT_EQ(objects[0]->AsMagnetic()->Rotation(), Pi);
    EXPECT_TRUE(objects[1]->AsMagnetic()->Flipped());
    EXPECT_EQ(objects[2]->AsMagnetic()->Rotation(), Pi / 2);
    EXPECT_EQ(objects[3]->AsMagnetic()->Rotation(), 0.0);
}
