#pragma once

#include "raster/FastDIB.h"

// Integer drawing primitives working straight on the rows of a 24-bit surface. Coordinates of
// ClipLine, Line, SmoothLine and SmoothPolyline count y from the top; GradientRect takes memory
// rows. Fixed point uses 16 fraction bits; nothing allocates.

// Moves the end points of a line onto the surface. False when nothing is to be drawn: both ends
// outside, or the line lies wholly in the first or last column or row.
bool ClipLine(const TFastDIB& bmp, int& x1, int& y1, int& x2, int& y2);

// One-pixel Bresenham line, both ends included. Not clipped: the caller passes on-surface points.
void Line(TFastDIB& bmp, int x1, int y1, int x2, int y2, TFColor c);

// Clipped anti-aliased line (Wu-style blending with a 16-bit error fraction); horizontal and
// vertical lines are drawn solid with Line.
void SmoothLine(TFastDIB& bmp, int x1, int y1, int x2, int y2, TFColor c);

// SmoothLine through points 0, step, 2*step, ... and on to the last point; nothing when
// count - 1 < step.
void SmoothPolyline(TFastDIB& bmp, const TPoint* points, TFColor c, int count, int step);

// Four-corner gradient over columns x1..x2-1 of memory rows y1..y2-1.
void GradientRect(TFastDIB& bmp, int x1, int y1, int x2, int y2, TFColor c1, TFColor c2, TFColor c3, TFColor c4);

// Every pixel of the surface becomes c (a gradient with four equal corners over the whole surface).
void FillSurface(TFastDIB& bmp, TFColor c);
