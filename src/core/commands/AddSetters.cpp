#include "commands/AddSetters.h"

#include "bench/MagnetBench.h"

TAddMagnetSetter::TAddMagnetSetter(int32_t X, int32_t Y, double Rotation) : TBaseAdder(X, Y), FRotation(Rotation) {}

void TAddMagnetSetter::DoAction(TMagnetBench& MB)
{
    MB.AddMagnet(FX, FY, FRotation);
}

TAddWireSetter::TAddWireSetter(int32_t X, int32_t Y, bool Flipped) : TBaseAdder(X, Y), FFlipped(Flipped) {}

void TAddWireSetter::DoAction(TMagnetBench& MB)
{
    MB.AddWire(FX, FY, FFlipped);
}

TAddSolonoidSetter::TAddSolonoidSetter(int32_t X, int32_t Y, double Rotation) : TBaseAdder(X, Y), FRotation(Rotation)
{
}

void TAddSolonoidSetter::DoAction(TMagnetBench& MB)
{
    MB.AddSolonoid(FX, FY, FRotation);
}

void TaddMotorSetter::DoAction(TMagnetBench& MB)
{
    MB.AddMotor(FX, FY);
}

TAddCompassSetter::TAddCompassSetter(int32_t X, int32_t Y) : TBaseAdder(X, Y)
{
    FNeedOnlyCompassRedraw = true;
}

void TAddCompassSetter::DoAction(TMagnetBench& MB)
{
    MB.AddCompass(FX, FY);
}
