#include "support/Random.h"

namespace {

uint64_t SplitMix64(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

uint64_t RotateLeft(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

} // namespace

void TRandomGenerator::Seed(uint64_t seed)
{
    uint64_t s = seed;
    for (auto& word : FState) {
        word = SplitMix64(s);
    }
}

uint64_t TRandomGenerator::NextBits()
{
    const uint64_t result = RotateLeft(FState[1] * 5, 7) * 9;
    const uint64_t t = FState[1] << 17;
    FState[2] ^= FState[0];
    FState[3] ^= FState[1];
    FState[1] ^= FState[2];
    FState[0] ^= FState[3];
    FState[2] ^= t;
    FState[3] = RotateLeft(FState[3], 45);
    return result;
}

int32_t TRandomGenerator::NextInt(int32_t a, int32_t b)
{
    if (a == b) {
        return a;
    }
    if (a > b) {
        const int32_t t = a;
        a = b;
        b = t;
    }
    // The span fits in 32 bits unsigned even for the widest int32 range. Rejection sampling keeps
    // the draw exactly uniform.
    const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(b) - static_cast<int64_t>(a));
    const uint64_t limit = (UINT64_MAX / span) * span;
    uint64_t bits = NextBits();
    while (bits >= limit) {
        bits = NextBits();
    }
    return static_cast<int32_t>(static_cast<int64_t>(a) + static_cast<int64_t>(bits % span));
}

double TRandomGenerator::NextReal()
{
    return static_cast<double>(NextBits() >> 11) * 0x1.0p-53;
}

TRandomGenerator& ProgramRandom()
{
    static TRandomGenerator generator;
    return generator;
}
