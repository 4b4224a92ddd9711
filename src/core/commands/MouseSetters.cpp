#include "commands/MouseSetters.h"

#include "bench/MagnetBench.h"

void TMouseDownSetter::DoAction(TMagnetBench& MB)
{
    MB.PaintBox1MouseDown(FX, FY, FHasRightDown, FHasCtrlDown);
}

void TMouseMoveSetter::DoAction(TMagnetBench& MB)
{
    MB.PaintBox1MouseMove(FX, FY, FHasRightDown);
}

bool TMouseMoveSetter::NeedsUpdate(const TMagnetBench& MB)
{
    return MB.MouseDown() || MB.OMouseDown();
}

void TMouseUpSetter::DoAction(TMagnetBench& MB)
{
    MB.PaintBox1MouseUp(FX, FY, FHasShiftDown);
}

void TDoubleClickSetter::DoAction(TMagnetBench& MB)
{
    MB.DoDoubleClick(FX, FY);
}
