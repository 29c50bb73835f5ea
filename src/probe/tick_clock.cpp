#include "probe/tick_clock.h"

#include <chrono>
#include <thread>

std::uint32_t SteadyTickClock::now_ms()
{
    const auto since_boot = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_boot).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

std::uint64_t SteadyTickClock::now_us()
{
    const auto since_boot = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(since_boot).count());
}

void SteadyTickClock::sleep_ms(std::uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
