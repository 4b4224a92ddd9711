#include "commands/BasePropertySetter.h"

bool TBasePropertySetter::NeedsUpdate(const TMagnetBench&)
{
    return true;
}

TMouseSetter::TMouseSetter(int32_t X, int32_t Y, bool HasCrtlDown, bool HasRightDown, bool HasShiftDown)
    : FHasCtrlDown(HasCrtlDown), FHasRightDown(HasRightDown), FHasShiftDown(HasShiftDown), FX(X), FY(Y)
{
}

TBaseAdder::TBaseAdder(int32_t X, int32_t Y) : FX(X), FY(Y) {}
