#pragma once

#include <cstdint>

// The program-wide random generator (xoshiro256**, seeded through splitmix64). Its algorithm is
// fixed so that a seed gives the same scene on every machine; the app seeds it from the clock at
// start, the renderer and the tests with a fixed number.
//
// Thread: only the user-interface side (commands, gestures, start-up) draws from it; the render
// thread never does, except through a compass update inside a motion step, which runs while the
// user-interface thread waits. So it needs no lock.
class TRandomGenerator {
public:
    explicit TRandomGenerator(uint64_t seed = 1) { Seed(seed); }

    void Seed(uint64_t seed);

    // Uniform integer in [a, b): a inclusive, b exclusive. When a > b the two are swapped, so the
    // draw is from [b, a). An empty range (a == b) gives a.
    int32_t NextInt(int32_t a, int32_t b);

    // Uniform real in [0, 1) with 53 random bits.
    double NextReal();

    uint64_t NextBits();

private:
    uint64_t FState[4] = {};
};

// The single generator of the program.
TRandomGenerator& ProgramRandom();

// Shorthands for the program-wide generator.
inline int32_t RandomInt(int32_t a, int32_t b) { return ProgramRandom().NextInt(a, b); }
inline double RandomReal() { return ProgramRandom().NextReal(); }
