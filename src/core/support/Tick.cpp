#include "support/Tick.h"

#include <chrono>

uint32_t SystemTickMs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}
