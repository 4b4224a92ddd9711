#pragma once

#include "raster/FastDIB.h"

#include <cstdint>

// Turns src about its centre into the centre of dst by an inverse mapping in 16.16 fixed point,
// with nearest-pixel or bilinear sampling. dst is filled by the caller beforehand (with the
// picture's key colour); samples falling outside src keep that value. Positive angles turn the
// picture clockwise on the screen.
void Rotate(const TFastDIB& src, TFastDIB& dst, bool smooth, double angle);
void RotateSinCos(const TFastDIB& src, TFastDIB& dst, bool smooth, double sinA, double cosA);
void RotateFixed(const TFastDIB& src, TFastDIB& dst, int32_t cx, int32_t cy, int32_t sinF, int32_t cosF, bool smooth);
