#pragma once

#include <string>

class TFastDIB;
class TMagnetBench;

// The renderer's two outputs. Each returns false when the file cannot be written completely, and
// then leaves no partial file behind.

// The surface as an uncompressed 24-bit BMP file: the surface's rows are already the bottom-up,
// 4-byte-padded pixel block of the format.
bool WriteBmpFile(const std::string& path, const TFastDIB& frame);

// The scene as JSON: size, switches, filings count and every object in list order. Doubles carry
// 17 significant digits, so they read back to the same bits.
std::string SceneStateJson(const TMagnetBench& bench, int width, int height);
bool WriteTextFile(const std::string& path, const std::string& text);
