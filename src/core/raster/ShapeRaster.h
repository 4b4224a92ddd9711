#pragma once

#include "raster/Color.h"

class TFastDIB;

// The rasteriser behind TFastDIB's drawing context. Boxes follow the classic convention: the
// right and bottom edges are excluded, y counts from the top, swapped corners are normalised and
// every write is clipped to the surface.
enum class TShapeKind {
    Ellipse,
    Rectangle,
};

// Draws an ellipse or rectangle in `box` with the pen and brush selected on bmp.
//
// Fill: the brush covers the interior of the shape. Outline: a pen of width n (0 counts as 1)
// covers a band n pixels wide along the border, centred on it the way a wide platform pen is: for
// n = 1 it is the shape's own boundary pixels, for n = 2 the boundary plus one pixel outside, and
// so on. The dotted and dash-dot patterns apply to one-pixel pens only (wider pens are solid). The
// null pen draws no outline; a rectangle then fills one pixel less on the right and at the bottom.
void DrawShape(TFastDIB& bmp, TShapeKind kind, const TRect& box);

// The focus rectangle: every other pixel of the one-pixel outline of r (Right and Bottom
// excluded), in a checkerboard fixed to the surface, is inverted by exclusive-or with white, so
// that drawing the same rectangle twice restores the pixels.
void DrawFocusOutline(TFastDIB& bmp, const TRect& r);
