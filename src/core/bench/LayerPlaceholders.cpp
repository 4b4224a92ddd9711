// FIXME: the four visualisation layers are being written under layers/; until they land they draw
// nothing, and this file goes away with their arrival.
#include "bench/MagnetBench.h"

#include "raster/FastDIB.h"

void TMagnetBench::DrawFieldMap(TFastDIB&, bool) {}
void TMagnetBench::DrawFieldLines(TFastDIB&) {}
void TMagnetBench::DrawGrid(TFastDIB&, bool) {}
void TMagnetBench::DrawFilings(TFastDIB&, bool) {}
