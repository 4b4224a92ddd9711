#include "bench/MagnetBench.h"

#include "objects/Compass.h"
#include "objects/FieldTables.h"
#include "objects/Magnet.h"
#include "objects/Motor.h"
#include "objects/Solonoid.h"
#include "objects/UniformMagneticField.h"
#include "objects/Wire.h"
#include "raster/FastDIB.h"
#include "support/Random.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// X - size div 2 in 64 bits, clamped back to the 32-bit range (the box setters then keep it
// within +-2^30).
int32_t CentredEdge(int32_t centre, int32_t size)
{
    const int64_t edge = static_cast<int64_t>(centre) - size / 2;
    return static_cast<int32_t>(std::clamp<int64_t>(edge, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

TMagnetBench::TMagnetBench()
{
    EnsureStartupTables();
    // Fixed random offsets of the grid's streaks, from [-10, 10); entries 1000 and 1001 stay 0.
    for (int i = 0; i < 1000; ++i) {
        FRandonGridOFFSet[static_cast<size_t>(i)] = RandomInt(-10, 10);
    }
    // Logarithmic intensity scale of the map: thresholds on |F|^2, 25 entries per factor of 10.
    for (int i = 0; i < 256; ++i) {
        FIntensityLUT[static_cast<size_t>(i)] = std::pow(10.0, (i - 130) / 25.0);
    }
}

TMagnetBench::~TMagnetBench()
{
    FMouseSender = nullptr;
    MO.clear();
    CompassMoveBMP.reset();
    FilingsAddBMP.reset();
    FGarbageIcon.reset();
    FGarbageIconOpen.reset();
}

void TMagnetBench::SetGarbageIcon(std::unique_ptr<TFastDIB> icon) { FGarbageIcon = std::move(icon); }
void TMagnetBench::SetGarbageIconOpen(std::unique_ptr<TFastDIB> icon) { FGarbageIconOpen = std::move(icon); }

void TMagnetBench::BindCallbacks(TMagneticObject& source)
{
    source.SetOnChanged([this](TExperimentalObject* sender) { ObjectOnChanged(sender); });
    source.SetGetOverallDipoleVector(
        [this](double x, double y, double& fx, double& fy) { GetOverallDipoleFieldVector(x, y, fx, fy); });
    source.SetGetOverallCurrentVector(
        [this](double x, double y, double& fx, double& fy) { GetOverallCurrentFieldVector(x, y, fx, fy); });
    source.SetGetSourcesCurrentVector(
        [this](double x, double y, double& fx, double& fy) { GetSourcesCurrentFieldVector(x, y, fx, fy); });
}

void TMagnetBench::AddSource(std::unique_ptr<TMagneticObject> source, int32_t X, int32_t Y, double Rotation)
{
    // The box of a source is a square whose side does not depend on the rotation, so the centre
    // stays at (X, Y) whatever the rotation. Positions are not clamped to the visible area.
    source->SetTop(CentredEdge(Y, source->Height()));
    source->SetLeft(CentredEdge(X, source->Width()));
    source->SetRotation(Rotation);
    BindCallbacks(*source);
    MO.push_back(std::move(source));
    CalculateCompass();
}

void TMagnetBench::AddMagnet(int32_t X, int32_t Y, double Rotation)
{
    AddSource(std::make_unique<TFixedMagnet>(), X, Y, Rotation);
}

void TMagnetBench::AddWire(int32_t X, int32_t Y, bool Flipped)
{
    AddSource(std::make_unique<TWire>(Flipped), X, Y, 0.0);
}

void TMagnetBench::AddSolonoid(int32_t X, int32_t Y, double Rotation)
{
    AddSource(std::make_unique<Tsolonoid>(), X, Y, Rotation);
}

void TMagnetBench::AddMotor(int32_t X, int32_t Y)
{
    AddSource(std::make_unique<TMotor>(), X, Y, 0.0);
}

void TMagnetBench::AddCompass(int32_t X, int32_t Y)
{
    auto compass = std::make_unique<TCompass>();
    compass->SetTop(CentredEdge(Y, compass->Height()));
    compass->SetLeft(CentredEdge(X, compass->Width()));
    MO.push_back(std::move(compass));
    CalculateCompass();
}

void TMagnetBench::ForgetPress()
{
    // A press can still hold an object when objects are destroyed (a reset from the keyboard, a
    // second pointer); the bench must never keep pointing at a destroyed object. An object press
    // in progress ends as a release ends it, so the drag's cached background goes too; the later
    // moves and the release of that press then find nothing grabbed and do nothing.
    if (FOMouseDown) {
        FOMouseDown = false;
        CompassMoveBMP.reset();
        OMouseBigMove = false;
    }
    FOMouseIsRotating = false;
    FMouseSender = nullptr;
}

void TMagnetBench::RemoveObject(TExperimentalObject* object)
{
    if (object == FMouseSender) {
        ForgetPress();
    }
    auto it = std::find_if(MO.begin(), MO.end(), [object](const auto& owned) { return owned.get() == object; });
    if (it == MO.end()) {
        return;
    }
    const bool wasUniformField = object->IsMagnetic() && object->AsMagnetic()->IsUniformField();
    MO.erase(it);
    // A rubber band that reaches past the top-left corner of the work area selects the invisible
    // uniform field too, and the bin may then take it; the switch must still say whether a
    // uniform field is on the bench.
    if (wasUniformField) {
        FHasUniformField = FindUniformField() != nullptr;
    }
}

void TMagnetBench::ClearAll()
{
    ForgetPress();
    MO.clear();
    Filings.clear();
    FHasGrid = false;
    FHasFieldLines = false;
    FHasFieldMap = false;
    FHasIronFilings = false;
    FIsAddingFilings = false;
    FIsRemovingFilings = false;
    FMovementON = false;
    FHasUniformField = false;
}

void TMagnetBench::ClearFilings()
{
    Filings.clear();
}

TMagneticObject* TMagnetBench::FindUniformField() const
{
    TMagneticObject* found = nullptr;
    for (const auto& object : MO) {
        TMagneticObject* source = object->AsMagnetic();
        if (source != nullptr && source->IsUniformField()) {
            found = source;
        }
    }
    return found;
}

void TMagnetBench::ToggleUniformField(double FieldStrength)
{
    if (TMagneticObject* existing = FindUniformField()) {
        RemoveObject(existing);
        CalculateCompass();
        FHasUniformField = false;
        return;
    }
    auto field = std::make_unique<TUniformMagneticField>(FieldStrength);
    field->SetTop(0);
    field->SetLeft(0);
    field->SetRotation(0.0);
    BindCallbacks(*field);
    MO.push_back(std::move(field));
    CalculateCompass();
    FHasUniformField = true;
}

void TMagnetBench::FlipUniformField()
{
    auto* field = static_cast<TUniformMagneticField*>(FindUniformField());
    if (field == nullptr) {
        return;
    }
    field->SetIsFlipped(!field->IsFlipped());
    CalculateCompass();
}

void TMagnetBench::ObjectOnChanged(TExperimentalObject*)
{
    CalculateCompass();
}

void TMagnetBench::CalculateCompass()
{
    for (const auto& object : MO) {
        if (!object->IsCompass()) {
            continue;
        }
        auto* compass = static_cast<TCompass*>(object.get());
        double fx = 0.0;
        double fy = 0.0;
        GetOverallCurrentFieldVector(compass->Left() + 15, compass->Top() + 15, fx, fy);
        compass->SetVector(fx, fy);
    }
}
