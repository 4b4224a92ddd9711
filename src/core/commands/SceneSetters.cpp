#include "commands/SceneSetters.h"

#include "bench/MagnetBench.h"

void TClearToSingleMagnetSetter::DoAction(TMagnetBench& MB)
{
    MB.ClearAll();
    MB.AddMagnet(FX, FY, 0.0);
}

void TClearAllSetter::DoAction(TMagnetBench& MB)
{
    MB.ClearAll();
}

void TClearAllToGridOnlySetter::DoAction(TMagnetBench& MB)
{
    MB.ClearAll();
    MB.SetHasGrid(true);
    MB.SetMovementON(FMovement);
}

void TClearAllToFieldLinesOnlySetter::DoAction(TMagnetBench& MB)
{
    MB.ClearAll();
    MB.SetHasFieldLines(true);
    MB.SetMovementON(FMovement);
}

void TClearFilingsSetter::DoAction(TMagnetBench& MB)
{
    MB.ClearFilings();
}

void TCompassModeSetter::DoAction(TMagnetBench& MB)
{
    MB.SetAddCompassesMode(FState);
}

bool TCompassModeSetter::NeedsUpdate(const TMagnetBench&)
{
    return false;
}

void TToggleUniformFieldSetter::DoAction(TMagnetBench& MB)
{
    MB.ToggleUniformField(FFieldStrength);
}

void TAddUniformFieldSetter::DoAction(TMagnetBench& MB)
{
    if (!MB.HasUniformField()) {
        MB.ToggleUniformField(FFieldStrength);
    }
}

void TFlipUniformFieldSetter::DoAction(TMagnetBench& MB)
{
    MB.FlipUniformField();
}
