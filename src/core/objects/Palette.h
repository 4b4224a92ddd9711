#pragma once

#include "raster/Color.h"

// The named colours of the object painting. Pens and brushes take them through FColorToColorRef;
// the pixel routines take them as they are.
namespace Palette {

constexpr TFColor Black = MakeFColor(0, 0, 0);       // coil body and centre disc, commutator mask
constexpr TFColor Red = MakeFColor(255, 0, 0);       // magnet, plus disc, coil stripe, needle half
constexpr TFColor Green = MakeFColor(0, 255, 0);     // the magnet's rotation handle
constexpr TFColor Blue = MakeFColor(0, 0, 255);      // minus disc, coil stripe, needle half
constexpr TFColor Silver = MakeFColor(192, 192, 192); // key colour of the compass pictures
constexpr TFColor Grey = MakeFColor(128, 128, 128);  // ring under the magnet's handle
constexpr TFColor White = MakeFColor(255, 255, 255); // the plus and minus signs
constexpr TFColor LightRed = MakeFColor(255, 128, 128);  // rim of the plus disc
constexpr TFColor LightBlue = MakeFColor(128, 128, 255); // rim of the minus disc

// Key colour of the magnet, coil and commutator pictures: a pale pink no painted pixel has.
constexpr TFColor SpriteKey = MakeFColor(255, 176, 176);

// The compass case: a two-pixel silver rim, a very light face with a dark outline, and a mid-grey
// dotted ring while selected.
constexpr TFColor CompassRim = MakeFColor(192, 192, 192);
constexpr TFColor CompassFace = MakeFColor(246, 246, 246);
constexpr TFColor CompassOutline = MakeFColor(48, 48, 48);
constexpr TFColor CompassSelection = MakeFColor(144, 144, 144);

// The bin icons: dark grey ink on white, which is also their key colour.
constexpr TFColor BinInk = MakeFColor(111, 107, 107);
constexpr TFColor BinKey = White;

} // namespace Palette
