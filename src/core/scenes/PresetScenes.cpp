// The sixteen demonstration scenes of the preset menu. A preset resets the display buttons, then
// queues commands that clear the bench, switch on the wanted visualisation and motion, and add the
// objects; the frame loop runs them in queue order at its next synchronized step. Every position is
// relative to the centre of the frame surface at the moment the preset is chosen.
#include "scenes/PresetScenes.h"

#include "commands/AddSetters.h"
#include "commands/FrameSetters.h"
#include "commands/SceneSetters.h"
#include "objects/FieldTypes.h"
#include "support/Rounding.h"

namespace {

struct TCentre {
    int X = 0;
    int Y = 0;
};

TCentre CentreOf(const TPresetHost& host)
{
    return TCentre{host.FrameWidth() / 2, host.FrameHeight() / 2};
}

template <typename Setter, typename... Args>
void Queue(TPresetHost& host, Args... args)
{
    host.AddSetter(std::make_unique<Setter>(args...));
}

// A compass position relative to the centre. x is rounded (halves to even) after the centre is
// added, which only matters for the coil's fractional offsets.
struct TCompassOffset {
    double X;
    int Y;
};

// Queues a compass at every offset, in order, then the update that ends a compass scene.
template <size_t N>
void QueueCompasses(TPresetHost& host, TCentre c, const TCompassOffset (&offsets)[N])
{
    for (const TCompassOffset& offset : offsets) {
        Queue<TAddCompassSetter>(host, RoundHalfEven(c.X + offset.X), c.Y + offset.Y);
    }
    QueueUpdate(host, false);
}

void BarMagnetsinlineOpposites1Click(TPresetHost& host) { PlaceMagnetPair(host, true, false, false); }
void BarMagnetsInlineLike1Click(TPresetHost& host) { PlaceMagnetPair(host, false, false, false); }
void BarMagnetsParallelOpposite1Click(TPresetHost& host) { PlaceMagnetPair(host, true, true, false); }
void BarMagnetsParrallelLike1Click(TPresetHost& host) { PlaceMagnetPair(host, false, true, false); }

void BarMagnetwithcompasses1Click(TPresetHost& host)
{
    ResetToEmpty(host);
    const TCentre c = CentreOf(host);
    Queue<TAddMagnetSetter>(host, c.X, c.Y, 0.0);
    // Along the magnet's right side: the upper arc from the north end towards the middle, then
    // the lower arc from the south end towards the middle.
    static constexpr TCompassOffset Offsets[13] = {{10, -80},  {40, -100}, {75, -100}, {104, -86}, {126, -62},
                                                   {140, -33}, {145, 0},   {10, 80},   {40, 100},  {75, 100},
                                                   {104, 86},  {126, 62},  {140, 33}};
    QueueCompasses(host, c, Offsets);
}

void Wirewithcompasses1Click(TPresetHost& host)
{
    ResetToEmpty(host);
    const TCentre c = CentreOf(host);
    Queue<TAddWireSetter>(host, c.X, c.Y, false);
    // A ring of radius about 100 around the wire, every 45 degrees.
    static constexpr TCompassOffset Offsets[8] = {{-100, 0}, {-71, -71}, {0, -100}, {71, -71},
                                                  {100, 0},  {71, 71},   {0, 100},   {-71, 71}};
    QueueCompasses(host, c, Offsets);
}

void Solonoidwithcompasses1Click(TPresetHost& host)
{
    ResetToEmpty(host);
    const TCentre c = CentreOf(host);
    Queue<TAddSolonoidSetter>(host, c.X, c.Y, Pi);
    // Two arcs round the coil's right-hand end, upper then lower; the rounding of the fractional
    // x offsets depends on the parity of cx.
    static constexpr TCompassOffset Offsets[13] = {{43.8, -60},   {73, -87},    {109.5, -96}, {151.84, -86},
                                                   {183.96, -62}, {204.4, -33}, {211.7, 0},   {43.8, 60},
                                                   {73, 87},      {109.5, 96},  {151.84, 86}, {183.96, 62},
                                                   {204.4, 33}};
    QueueCompasses(host, c, Offsets);
}

void Wiresmakingacoil1Click(TPresetHost& host) { PlaceWirePairs(host, 1, 0, true, false); }
void Wiresmakingasolonoid1Click(TPresetHost& host) { PlaceWirePairs(host, 10, 25, true, false); }

void Colismakingasolonoid1Click(TPresetHost& host)
{
    ResetToGridOnly(host, false);
    const TCentre c = CentreOf(host);
    int x = c.X - (9 * 25) / 2;
    for (int k = 0; k < 10; ++k) {
        Queue<TAddSolonoidSetter>(host, x, c.Y, Pi / 2.0);
        x += 25;
    }
}

void Barmagnetlikethesolonoids1Click(TPresetHost& host)
{
    ResetToGridOnly(host, false);
    const TCentre c = CentreOf(host);
    Queue<TAddMagnetSetter>(host, c.X, c.Y, Pi / 2.0);
}

void Motorinuniformfield1Click(TPresetHost& host) { PlaceMotorScene(host, false); }
void Barmagnetsattracting1Click(TPresetHost& host) { PlaceMagnetPair(host, false, false, true); }
void Barmagnetsrepelling1Click(TPresetHost& host) { PlaceMagnetPair(host, true, false, true); }

void Wiresmovinginuniformfield1Click(TPresetHost& host)
{
    PlaceWirePairs(host, 1, 0, false, true);
    Queue<TAddUniformFieldSetter>(host, 0.1);
}

void Motorturnings1Click(TPresetHost& host) { PlaceMotorScene(host, true); }

} // namespace

void QueueUpdate(TPresetHost& host, bool useDoubleBuffer)
{
    Queue<TUpdateSetter>(host, useDoubleBuffer);
}

void ResetToEmpty(TPresetHost& host)
{
    host.ResetDisplayButtons();
    Queue<TClearAllSetter>(host);
    QueueUpdate(host, false);
}

void ResetToGridOnly(TPresetHost& host, bool movement)
{
    host.ResetDisplayButtons();
    Queue<TClearAllToGridOnlySetter>(host, movement);
    host.PressGridButton();
    QueueUpdate(host, false);
}

void ResetToFieldLinesOnly(TPresetHost& host, bool movement)
{
    host.ResetDisplayButtons();
    Queue<TClearAllToFieldLinesOnlySetter>(host, movement);
    host.PressFieldLinesButton();
    host.SetBenchHasFieldLines(true);
    QueueUpdate(host, false);
}

void PlaceWirePairs(TPresetHost& host, int count, int spacing, bool gridOnly, bool movement)
{
    if (gridOnly) {
        ResetToGridOnly(host, movement);
    } else {
        ResetToFieldLinesOnly(host, movement);
    }
    const TCentre c = CentreOf(host);
    // Each pair is one turn of a coil in cross-section: current out of the plane above the centre
    // line, into it below.
    int x = c.X - ((count - 1) * spacing) / 2;
    for (int k = 0; k < count; ++k) {
        Queue<TAddWireSetter>(host, x, c.Y - 50, false);
        Queue<TAddWireSetter>(host, x, c.Y + 50, true);
        x += spacing;
    }
}

void PlaceMagnetPair(TPresetHost& host, bool opposite, bool parallel, bool movement)
{
    const int dx = parallel ? 100 : 0;
    const int dy = parallel ? 0 : 100;
    ResetToGridOnly(host, movement);
    const TCentre c = CentreOf(host);
    Queue<TAddMagnetSetter>(host, c.X - dx, c.Y - dy, 0.0);
    Queue<TAddMagnetSetter>(host, c.X + dx, c.Y + dy, opposite ? Pi : 0.0);
}

void PlaceMotorScene(TPresetHost& host, bool movement)
{
    ResetToFieldLinesOnly(host, movement);
    const TCentre c = CentreOf(host);
    Queue<TaddMotorSetter>(host, c.X, c.Y);
    Queue<TAddUniformFieldSetter>(host, 0.1);
}

const std::vector<TPresetEntry>& PresetMenuEntries()
{
    static const std::vector<TPresetEntry> entries = {
        {"BarMagnetsinlineOpposites1", "Bar magnets - inline - opposites", BarMagnetsinlineOpposites1Click},
        {"BarMagnetsInlineLike1", "Bar magnets -inline - like", BarMagnetsInlineLike1Click},
        {"BarMagnetsParallelOpposite1", "Bar magnets - parallel - opposites", BarMagnetsParallelOpposite1Click},
        {"BarMagnetsParrallelLike1", "Bar magnets - parallel - Like", BarMagnetsParrallelLike1Click},
        {"N1", "-", nullptr},
        {"BarMagnetwithcompasses1", "Bar magnet with compasses", BarMagnetwithcompasses1Click},
        {"Wirewithcompasses1", "Wire with compasses", Wirewithcompasses1Click},
        {"Solonoidwithcompasses1", "Solonoid with compasses", Solonoidwithcompasses1Click},
        {"N2", "-", nullptr},
        {"Wiresmakingacoil1", "Wires making a coil", Wiresmakingacoil1Click},
        {"Wiresmakingasolonoid1", "Wires making a solonoid", Wiresmakingasolonoid1Click},
        {"Colismakingasolonoid1", "Coils making a solonoid", Colismakingasolonoid1Click},
        {"Barmagnetlikethesolonoids1", "Bar magnet like the solonoids", Barmagnetlikethesolonoids1Click},
        {"Motorinuniformfield1", "Motor in uniform field", Motorinuniformfield1Click},
        {"N3", "-", nullptr},
        {"Barmagnetsattracting1", "Bar magnets moving closer", Barmagnetsattracting1Click},
        {"Barmagnetsrepelling1", "Bar magnets moving apart", Barmagnetsrepelling1Click},
        {"Wiresmovinginuniformfield1", "Wires moving in uniform field", Wiresmovinginuniformfield1Click},
        {"Motorturnings1", "Motor turning in uniform field", Motorturnings1Click},
    };
    return entries;
}

bool RunPreset(TPresetHost& host, std::string_view caption)
{
    for (const TPresetEntry& entry : PresetMenuEntries()) {
        if (!entry.IsSeparator() && entry.Caption == caption) {
            entry.Build(host);
            return true;
        }
    }
    return false;
}
