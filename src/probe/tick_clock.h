#pragma once

#include <cstdint>

// A millisecond tick counter that wraps after 2^32 ms, a finer microsecond
// counter that wraps after 2^64 us, and the sleep that goes with them. The
// runs take one so that tests can drive time by hand.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t now_ms() = 0;
    virtual std::uint64_t now_us() = 0;
    virtual void sleep_ms(std::uint32_t ms) = 0;
};

// The monotonic clock of the system.
class SteadyTickClock final : public TickClock {
public:
    std::uint32_t now_ms() override;
    std::uint64_t now_us() override;
    void sleep_ms(std::uint32_t ms) override;
};

// t1 - t0 modulo 2^32, read as signed: the true interval even when the
// counter wrapped between the two readings.
constexpr std::int32_t elapsed_ms(std::uint32_t t0, std::uint32_t t1)
{
    return static_cast<std::int32_t>(t1 - t0);
}

// The interval between two microsecond readings, wrap-safe, rounded to the
// nearest whole millisecond (and held below 2^31 ms).
constexpr std::int32_t elapsed_ms_from_us(std::uint64_t t0, std::uint64_t t1)
{
    const std::uint64_t ms = (t1 - t0 + 500u) / 1000u;
    return static_cast<std::int32_t>(ms > 0x7FFFFFFFu ? 0x7FFFFFFFu : ms);
}
