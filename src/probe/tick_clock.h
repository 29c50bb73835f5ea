#pragma once

#include <cstdint>

// A millisecond tick counter that wraps after 2^32 ms, and the sleep that
// goes with it. The runs take one so that tests can drive time by hand.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t now_ms() = 0;
    virtual void sleep_ms(std::uint32_t ms) = 0;
};

// The monotonic clock of the system, truncated to 32 bits of milliseconds.
class SteadyTickClock final : public TickClock {
public:
    std::uint32_t now_ms() override;
    void sleep_ms(std::uint32_t ms) override;
};

// t1 - t0 modulo 2^32, read as signed: the true interval even when the
// counter wrapped between the two readings.
constexpr std::int32_t elapsed_ms(std::uint32_t t0, std::uint32_t t1)
{
    return static_cast<std::int32_t>(t1 - t0);
}
