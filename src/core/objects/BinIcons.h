#pragma once

#include <memory>

class TFastDIB;

// Side of the two bin icons, in pixels.
constexpr int BinIconSide = 44;

// Paints a bin icon: a 44 x 44, 24-bit picture on white (its key colour when drawn), a waste bin
// in dark grey with lighter, anti-aliased grey along its edges. lidLifted false gives the closed
// bin (a flat lid bar with a small handle on a body with two vertical slots), true the same bin
// with its lid lifted and tilted up to the right. The window hands them to the bench as its
// closed and open bin icons.
std::unique_ptr<TFastDIB> MakeBinIcon(bool lidLifted);
