// FIXME: the pointer gestures land with the gesture work.
#include "bench/MagnetBench.h"

#include "objects/ExperimentalObject.h"

void TMagnetBench::PaintBox1MouseDown(int32_t, int32_t, bool, bool) {}
void TMagnetBench::PaintBox1MouseMove(int32_t, int32_t, bool) {}
void TMagnetBench::PaintBox1MouseUp(int32_t, int32_t, bool) {}
void TMagnetBench::DoDoubleClick(int32_t, int32_t) {}
void TMagnetBench::clearSelection()
{
    for (const auto& object : MO) {
        object->SetSelected(false);
    }
}
