#include "RenderCommands.h"

#include "bench/MagnetBench.h"
#include "objects/MagneticObject.h"

void TTurnLastSourceSetter::DoAction(TMagnetBench& MB)
{
    const auto& objects = MB.Objects();
    if (objects.empty()) {
        return;
    }
    if (TMagneticObject* source = objects.back()->AsMagnetic()) {
        source->SetRotation(FRotation);
        // As after any placement, the compasses follow the changed field at once.
        MB.CalculateCompass();
    }
}

void TAddFilingsSetter::DoAction(TMagnetBench& MB)
{
    MB.AddFilings(FX, FY, 5);
}

void TSetFieldLinesSetter::DoAction(TMagnetBench& MB)
{
    MB.SetHasFieldLines(FValue);
}
