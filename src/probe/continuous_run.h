#pragma once

#include "probe/ping_run.h"

#include <cstdint>
#include <vector>

// The log line of one probe: the host part and port text as typed.
Text log_line(const std::vector<Text>& parts, const ProbeResult& result);

// Sleeps until the clock has moved on by more than `ms`; 0 or less returns
// at once.
void wait_serving_events(std::int32_t ms, TickClock& clock);

// Probes about once a second, logging each probe, for as long as the caption
// reads "停止" before a probe.
void continuous_run(PingContext& context, const std::vector<Text>& parts);
