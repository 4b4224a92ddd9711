// FIXME: the frame composition lands with the composition work; until then a frame is only sized.
#include "bench/MagnetBench.h"

#include "raster/FastDIB.h"

void TMagnetBench::DrawBitmap(TFastDIB& BMP, double, bool)
{
    FLastDrawnWidth = BMP.Width();
    FLastDrawnHeight = BMP.Height();
    if (FullCacheFieldLUT.empty()) {
        BuildFullCacheFieldLUT();
    }
}
