#include "Credits.h"

namespace {

constexpr TScrambledText Credits(
    "Built with Qt 6 (LGPL 3) for the window, GoogleTest (BSD 3-Clause) and Google Benchmark "
    "(Apache 2.0) for its tests and timings, and nlohmann-json (MIT) for the headless "
    "renderer's output.");

} // namespace

std::string CreditsText() { return Credits.Unscramble(); }

std::span<const uint8_t> StoredCredits() { return Credits.Stored(); }
