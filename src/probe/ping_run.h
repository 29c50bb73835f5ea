#pragma once

#include "probe/main_controls.h"
#include "probe/probe_network.h"
#include "probe/tick_clock.h"
#include "text/gbk_text.h"

#include <cstdint>
#include <optional>
#include <vector>

// What a run works with: the controls it reports to, the network it probes
// and the clock that paces it.
struct PingContext {
    MainControls& controls;
    ProbeNetwork& network;
    TickClock& clock;
};

struct ProbeResult {
    bool connected = false;
    std::int32_t elapsed = 0;
};

// The caption a click leaves behind: "PING" stays, "开始" becomes "停止" (a
// run starts), anything else becomes "开始" (a run stops).
std::optional<Text> caption_after_click(const Text& caption);

// The status line for a probe's outcome.
Text status_text(const ProbeResult& result);

// One probe of parts[0] (host) at parts[1] (port text); the status line shows
// the outcome. A missing port text counts as empty.
ProbeResult run_probe(PingContext& context, const std::vector<Text>& parts);

// What one click on the PING button does, on its own worker thread.
void ping_run(PingContext& context);
