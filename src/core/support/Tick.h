#pragma once

#include <cstdint>

// Milliseconds of a monotonic clock as an unsigned 32-bit counter that wraps about every 49.7
// days. Every duration is the difference of two ticks taken modulo 2^32, so the wrap is harmless.
uint32_t SystemTickMs();

// Duration from `start` to `now` across a possible wrap of the counter.
inline uint32_t TickDifference(uint32_t now, uint32_t start) { return now - start; }

// A tick source that can be replaced, so that tests can drive time by hand. The bench reads the
// tick through one of these (bin delay, start of a big move); the frame loop through its platform.
using TTickFunction = uint32_t (*)(void* context);

struct TTickSource {
    TTickFunction Function = nullptr;
    void* Context = nullptr;

    uint32_t Now() const { return Function != nullptr ? Function(Context) : SystemTickMs(); }
};
