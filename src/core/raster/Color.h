#pragma once

#include <cstdint>

// One pixel of a 24-bit surface: bytes in memory order blue, green, red. Packed into an integer,
// blue occupies bits 0-7, green 8-15 and red 16-23.
struct TFColor {
    uint8_t b = 0;
    uint8_t g = 0;
    uint8_t r = 0;

    friend bool operator==(const TFColor&, const TFColor&) = default;
};
static_assert(sizeof(TFColor) == 3, "a pixel is three bytes");

// The four-byte variant (b, g, r, a) overlaid by one 32-bit integer. Kept for completeness of the
// colour model; the 24-bit surfaces of this program never use it.
union TFColorA {
    struct {
        uint8_t b, g, r, a;
    } c;
    uint32_t i;
};

// A platform-style colour reference: red in bits 0-7, green 8-15, blue 16-23.
using TColorRef = uint32_t;

constexpr TFColor MakeFColor(uint8_t r, uint8_t g, uint8_t b) { return TFColor{b, g, r}; }

// b | g << 8 | r << 16
constexpr uint32_t PackFColor(TFColor c)
{
    return static_cast<uint32_t>(c.b) | (static_cast<uint32_t>(c.g) << 8) | (static_cast<uint32_t>(c.r) << 16);
}

// Swaps the first and third byte of a packed colour: b | g << 8 | r << 16 becomes
// r | g << 8 | b << 16, the colour reference that pens, brushes and keys take.
constexpr TColorRef FColorToColorRef(uint32_t packed)
{
    return ((packed & 0xFFu) << 16) | (packed & 0xFF00u) | ((packed >> 16) & 0xFFu);
}
constexpr TColorRef FColorToColorRef(TFColor c) { return FColorToColorRef(PackFColor(c)); }

// The colour a colour reference stands for.
constexpr TFColor ColorRefToFColor(TColorRef ref)
{
    return TFColor{static_cast<uint8_t>((ref >> 16) & 0xFF), static_cast<uint8_t>((ref >> 8) & 0xFF),
                   static_cast<uint8_t>(ref & 0xFF)};
}

// Integer geometry shared by the raster code and the bench.
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
};
static_assert(sizeof(TPoint) == 8, "a point is two 32-bit integers");

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};
