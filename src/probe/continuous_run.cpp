#include "probe/continuous_run.h"

#include "probe/probe_texts.h"

#include <algorithm>

Text log_line(const std::vector<Text>& parts, const ProbeResult& result)
{
    const Text host = parts.empty() ? Text() : parts[0];
    const Text port_text = parts.size() < 2 ? Text() : parts[1];
    const Text target = kLogStart + host + ":" + port_text;
    if (!result.connected)
        return target + kLogFailureEnd;
    return target + kLogSuccess + int_to_text(result.elapsed) + kLogSuccessEnd;
}

void wait_serving_events(std::int32_t ms, TickClock& clock)
{
    if (ms <= 0)
        return;
    const auto wait = static_cast<std::uint32_t>(ms);
    const std::uint32_t start = clock.now_ms();
    // Compared as a distance from the start, so a wrap of the counter
    // neither cuts the wait short nor makes it endless.
    for (std::uint32_t passed = 0; passed <= wait; passed = clock.now_ms() - start)
        clock.sleep_ms(wait - passed + 1);
}

void continuous_run(PingContext& context, const std::vector<Text>& parts)
{
    constexpr std::int32_t kPeriodMs = 1000;
    while (context.controls.caption() == kCaptionStop) {
        const ProbeResult result = run_probe(context, parts);
        context.controls.append_to_log(log_line(parts, result));
        if (result.elapsed < kPeriodMs)
            wait_serving_events(kPeriodMs - std::max(result.elapsed, 0), context.clock);
    }
}
