// The preset scenes as the window runs them: the window's side recorded by a host, the queued
// commands run in order on a bench that was busy before, and the scene compared with the list of
// each demonstration. Surface 753 x 606, so the centre is (376, 303).
#include "BenchTestAccess.h"

#include "bench/MagnetBench.h"
#include "commands/FrameSetters.h"
#include "commands/SceneSetters.h"
#include "objects/MagneticObject.h"
#include "objects/UniformMagneticField.h"
#include "scenes/PresetScenes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The window's side of a preset: the button changes are logged, the direct field-lines switch is
// written at once, and the commands wait in a queue until Run.
class TRecordingHost : public TPresetHost {
public:
    TRecordingHost(TMagnetBench& bench, int width, int height) : FBench(bench), FWidth(width), FHeight(height) {}

    void AddSetter(std::unique_ptr<TBasePropertySetter> setter) override
    {
        const TBasePropertySetter* s = setter.get();
        Log.push_back(dynamic_cast<const TClearAllSetter*>(s)                  ? "clear"
                      : dynamic_cast<const TClearAllToGridOnlySetter*>(s)      ? "clear to grid"
                      : dynamic_cast<const TClearAllToFieldLinesOnlySetter*>(s) ? "clear to lines"
                      : dynamic_cast<const TUpdateSetter*>(s)                  ? "update"
                                                                                : "add");
        Queue.push_back(std::move(setter));
    }
    int FrameWidth() const override { return FWidth; }
    int FrameHeight() const override { return FHeight; }
    void ResetDisplayButtons() override { Log.push_back("buttons up"); }
    void PressGridButton() override { Log.push_back("grid down"); }
    void PressFieldLinesButton() override { Log.push_back("lines down"); }
    void SetBenchHasFieldLines(bool value) override
    {
        Log.push_back(value ? "lines on" : "lines off");
        FBench.SetHasFieldLines(value);
    }

    // The synchronized step: every queued command in order, each asking for a frame.
    void Run()
    {
        for (const auto& setter : Queue) {
            setter->DoAction(FBench);
            EXPECT_TRUE(setter->NeedsUpdate(FBench));
        }
        Queue.clear();
    }

    std::vector<std::string> Log;
    TSetterList Queue;

private:
    TMagnetBench& FBench;
    int FWidth;
    int FHeight;
};

enum class TShown { Nothing, Grid, Lines };

struct TExpectedObject {
    TObjectKind Kind;
    int X, Y; // centre; the uniform field's box sits at (0, 0)
    double Rotation = 0.0;
    bool Flipped = false;
};

TExpectedObject Magnet(int x, int y, double r) { return {TObjectKind::Magnet, x, y, r, false}; }
TExpectedObject Wire(int x, int y, bool flipped) { return {TObjectKind::Wire, x, y, 0.0, flipped}; }
TExpectedObject Coil(int x, int y, double r) { return {TObjectKind::Coil, x, y, r, false}; }
TExpectedObject Motor(int x, int y) { return {TObjectKind::Motor, x, y, 0.0, false}; }
TExpectedObject Compass(int x, int y) { return {TObjectKind::Compass, x, y, 0.0, false}; }
TExpectedObject Uniform() { return {TObjectKind::UniformField, 0, 0, 0.0, false}; }

struct TExpectedScene {
    std::string Caption;
    TShown Shown;
    bool Motion;
    std::vector<TExpectedObject> Objects;
};

// Ten pairs 25 pixels apart, the first at x = 376 - 112.
std::vector<TExpectedObject> WireSolenoid()
{
    std::vector<TExpectedObject> wires;
    for (int k = 0; k < 10; ++k) {
        const int x = 264 + 25 * k;
        wires.push_back(Wire(x, 253, false));
        wires.push_back(Wire(x, 353, true));
    }
    return wires;
}

// The sixteen scenes on 753 x 606, written out from the demonstrations' own lists.
std::vector<TExpectedScene> ExpectedScenes()
{
    std::vector<TExpectedObject> coils;
    for (int k = 0; k < 10; ++k) {
        coils.push_back(Coil(264 + 25 * k, 303, Pi / 2));
    }
    std::vector<TExpectedObject> wireRing = {Wire(376, 303, false)};
    for (const auto& [x, y] : {std::pair{276, 303}, std::pair{305, 232}, std::pair{376, 203}, std::pair{447, 232},
                               std::pair{476, 303}, std::pair{447, 374}, std::pair{376, 403}, std::pair{305, 374}}) {
        wireRing.push_back(Compass(x, y));
    }
    std::vector<TExpectedObject> magnetCompasses = {Magnet(376, 303, 0.0)};
    for (const auto& [x, y] : {std::pair{386, 223}, std::pair{416, 203}, std::pair{451, 203}, std::pair{480, 217},
                               std::pair{502, 241}, std::pair{516, 270}, std::pair{521, 303}, std::pair{386, 383},
                               std::pair{416, 403}, std::pair{451, 403}, std::pair{480, 389}, std::pair{502, 365},
                               std::pair{516, 336}}) {
        magnetCompasses.push_back(Compass(x, y));
    }
    std::vector<TExpectedObject> coilCompasses = {Coil(376, 303, Pi)};
    for (const auto& [x, y] : {std::pair{420, 243}, std::pair{449, 216}, std::pair{486, 207}, std::pair{528, 217},
                               std::pair{560, 241}, std::pair{580, 270}, std::pair{588, 303}, std::pair{420, 363},
                               std::pair{449, 390}, std::pair{486, 399}, std::pair{528, 389}, std::pair{560, 365},
                               std::pair{580, 336}}) {
        coilCompasses.push_back(Compass(x, y));
    }
    const std::vector<TExpectedObject> wirePair = {Wire(376, 253, false), Wire(376, 353, true)};
    std::vector<TExpectedObject> wiresInField = wirePair;
    wiresInField.push_back(Uniform());

    return {
        {"Bar magnets - inline - opposites", TShown::Grid, false, {Magnet(376, 203, 0.0), Magnet(376, 403, Pi)}},
        {"Bar magnets -inline - like", TShown::Grid, false, {Magnet(376, 203, 0.0), Magnet(376, 403, 0.0)}},
        {"Bar magnets - parallel - opposites", TShown::Grid, false, {Magnet(276, 303, 0.0), Magnet(476, 303, Pi)}},
        {"Bar magnets - parallel - Like", TShown::Grid, false, {Magnet(276, 303, 0.0), Magnet(476, 303, 0.0)}},
        {"Bar magnet with compasses", TShown::Nothing, false, magnetCompasses},
        {"Wire with compasses", TShown::Nothing, false, wireRing},
        {"Solonoid with compasses", TShown::Nothing, false, coilCompasses},
        {"Wires making a coil", TShown::Grid, false, wirePair},
        {"Wires making a solonoid", TShown::Grid, false, WireSolenoid()},
        {"Coils making a solonoid", TShown::Grid, false, coils},
        {"Bar magnet like the solonoids", TShown::Grid, false, {Magnet(376, 303, Pi / 2)}},
        {"Motor in uniform field", TShown::Lines, false, {Motor(376, 303), Uniform()}},
        {"Bar magnets moving closer", TShown::Grid, true, {Magnet(376, 203, 0.0), Magnet(376, 403, 0.0)}},
        {"Bar magnets moving apart", TShown::Grid, true, {Magnet(376, 203, 0.0), Magnet(376, 403, Pi)}},
        {"Wires moving in uniform field", TShown::Lines, true, wiresInField},
        {"Motor turning in uniform field", TShown::Lines, true, {Motor(376, 303), Uniform()}},
    };
}

// A bench in the middle of things: sources and compasses, a reversed uniform field, filings, a
// selection, every switch on, compass mode on and a press holding a magnet.
void MakeBusy(TMagnetBench& bench)
{
    bench.AddMagnet(100, 100, 1.0);
    bench.AddWire(600, 100, true);
    bench.AddCompass(300, 500);
    bench.ToggleUniformField(0.5);
    bench.FlipUniformField();
    TMagnetBenchTestAccess::PutFiling(bench, 10, 20);
    bench.Objects()[0]->SetSelected(true);
    bench.SetHasGrid(true);
    bench.SetHasFieldMap(true);
    bench.SetHasFieldLines(true);
    bench.SetHasIronFilings(true);
    bench.SetIsAddingFilings(true);
    bench.SetMovementON(true);
    bench.SetAddCompassesMode(true);
    bench.PaintBox1MouseDown(100, 100, false, false);
}

// The scene as plain values, to compare two runs.
struct TObjectState {
    TObjectKind Kind;
    int32_t Left, Top, Width, Height;
    double Rotation;
    bool Flipped, Selected;
    friend bool operator==(const TObjectState&, const TObjectState&) = default;
};

std::vector<TObjectState> StateOf(const TMagnetBench& bench)
{
    std::vector<TObjectState> state;
    for (const auto& object : bench.Objects()) {
        const TMagneticObject* source = object->AsMagnetic();
        state.push_back({object->Kind(), object->Left(), object->Top(), object->Width(), object->Height(),
                         source ? source->Rotation() : 0.0, source ? source->Flipped() : false, object->Selected()});
    }
    return state;
}

void ExpectScene(const TMagnetBench& bench, const TExpectedScene& scene)
{
    const std::string& name = scene.Caption;
    EXPECT_EQ(bench.HasGrid(), scene.Shown == TShown::Grid) << name;
    EXPECT_EQ(bench.HasFieldLines(), scene.Shown == TShown::Lines) << name;
    EXPECT_FALSE(bench.HasFieldMap() || bench.HasIronFilings() || bench.IsAddingFilings() ||
                 bench.IsRemovingFilings())
        << name;
    EXPECT_EQ(bench.MovementON(), scene.Motion) << name;
    EXPECT_TRUE(bench.FilingPoints().empty()) << name;
    EXPECT_TRUE(bench.AddCompassesMode()) << name; // a preset does not leave compass mode itself
    EXPECT_EQ(bench.MouseSender(), nullptr) << name;

    bool uniform = false;
    ASSERT_EQ(bench.Objects().size(), scene.Objects.size()) << name;
    for (size_t i = 0; i < scene.Objects.size(); ++i) {
        const TExpectedObject& e = scene.Objects[i];
        const TExperimentalObject& object = *bench.Objects()[i];
        const std::string at = name + " #" + std::to_string(i + 1);
        ASSERT_EQ(object.Kind(), e.Kind) << at;
        EXPECT_FALSE(object.Selected()) << at;
        if (e.Kind == TObjectKind::UniformField) {
            uniform = true;
            const auto& field = static_cast<const TUniformMagneticField&>(object);
            EXPECT_EQ(field.FieldStrength(), 0.1) << at;
            EXPECT_FALSE(field.IsFlipped()) << at;
            EXPECT_EQ(object.Left(), 0) << at;
            EXPECT_EQ(object.Top(), 0) << at;
            continue;
        }
        EXPECT_EQ(object.Left() + object.Width() / 2, e.X) << at;
        EXPECT_EQ(object.Top() + object.Height() / 2, e.Y) << at;
        if (const TMagneticObject* source = object.AsMagnetic()) {
            EXPECT_EQ(source->Rotation(), e.Rotation) << at;
            EXPECT_EQ(source->Flipped(), e.Flipped) << at;
        }
    }
    EXPECT_EQ(bench.HasUniformField(), uniform) << name;
}

} // namespace

TEST(PresetScenes, MenuHoldsTheSixteenScenesInFourGroups)
{
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"BarMagnetsinlineOpposites1", "Bar magnets - inline - opposites"},
        {"BarMagnetsInlineLike1", "Bar magnets -inline - like"},
        {"BarMagnetsParallelOpposite1", "Bar magnets - parallel - opposites"},
        {"BarMagnetsParrallelLike1", "Bar magnets - parallel - Like"},
        {"N1", "-"},
        {"BarMagnetwithcompasses1", "Bar magnet with compasses"},
        {"Wirewithcompasses1", "Wire with compasses"},
        {"Solonoidwithcompasses1", "Solonoid with compasses"},
        {"N2", "-"},
        {"Wiresmakingacoil1", "Wires making a coil"},
        {"Wiresmakingasolonoid1", "Wires making a solonoid"},
        {"Colismakingasolonoid1", "Coils making a solonoid"},
        {"Barmagnetlikethesolonoids1", "Bar magnet like the solonoids"},
        {"Motorinuniformfield1", "Motor in uniform field"},
        {"N3", "-"},
        {"Barmagnetsattracting1", "Bar magnets moving closer"},
        {"Barmagnetsrepelling1", "Bar magnets moving apart"},
        {"Wiresmovinginuniformfield1", "Wires moving in uniform field"},
        {"Motorturnings1", "Motor turning in uniform field"},
    };
    const auto& entries = PresetMenuEntries();
    ASSERT_EQ(entries.size(), expected.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].Name, expected[i].first);
        EXPECT_EQ(entries[i].Caption, expected[i].second);
        EXPECT_EQ(entries[i].IsSeparator(), expected[i].second == "-") << expected[i].first;
    }

    TMagnetBench bench;
    TRecordingHost host(bench, 753, 606);
    for (const char* notAScene : {"-", "About", "Bar magnets - inline", ""}) {
        EXPECT_FALSE(RunPreset(host, notAScene)) << notAScene;
    }
    EXPECT_TRUE(host.Log.empty());
}

TEST(PresetScenes, EachSceneReplacesABusyBenchByItsListTwiceAlike)
{
    for (const TExpectedScene& scene : ExpectedScenes()) {
        TMagnetBench bench;
        MakeBusy(bench);
        TRecordingHost host(bench, 753, 606);
        ASSERT_TRUE(RunPreset(host, scene.Caption)) << scene.Caption;

        // The window's side comes first: buttons up, the reset's command, its button down (and
        // for field lines the direct switch), an update; then one command per object.
        std::vector<std::string> log;
        switch (scene.Shown) {
        case TShown::Nothing: log = {"buttons up", "clear", "update"}; break;
        case TShown::Grid: log = {"buttons up", "clear to grid", "grid down", "update"}; break;
        case TShown::Lines: log = {"buttons up", "clear to lines", "lines down", "lines on", "update"}; break;
        }
        log.insert(log.end(), scene.Objects.size(), "add");
        if (scene.Shown == TShown::Nothing) {
            log.push_back("update");
        }
        EXPECT_EQ(host.Log, log) << scene.Caption;

        host.Run();
        ExpectScene(bench, scene);
        const std::vector<TObjectState> first = StateOf(bench);

        // Chosen again on its own result, it builds the same scene.
        ASSERT_TRUE(RunPreset(host, scene.Caption));
        host.Run();
        ExpectScene(bench, scene);
        EXPECT_EQ(StateOf(bench), first) << scene.Caption;
    }
}

TEST(PresetScenes, CompassesRoundTheCoilAreRoundedHalvesToEven)
{
    // x = cx + offset, rounded; 109.5 lands on 486 from both sides of an odd width.
    struct Case {
        int Width;
        int Compass1, Compass3, Compass7;
    };
    for (const Case& c : {Case{752, 420, 486, 588}, Case{753, 420, 486, 588}, Case{754, 421, 486, 589}}) {
        TMagnetBench bench;
        TRecordingHost host(bench, c.Width, 606);
        ASSERT_TRUE(RunPreset(host, "Solonoid with compasses"));
        host.Run();
        ASSERT_EQ(bench.Objects().size(), 14u);
        const auto centreX = [&](size_t i) { return bench.Objects()[i]->Left() + 16; };
        EXPECT_EQ(centreX(1), c.Compass1) << c.Width;
        EXPECT_EQ(centreX(3), c.Compass3) << c.Width;
        EXPECT_EQ(centreX(7), c.Compass7) << c.Width;
    }
}
