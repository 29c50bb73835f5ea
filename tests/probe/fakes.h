#pragma once

#include "probe/main_controls.h"
#include "probe/probe_network.h"
#include "probe/tick_clock.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// A clock that moves only when someone sleeps on it or sets it.
class FakeClock final : public TickClock {
public:
    explicit FakeClock(std::uint32_t start = 0) : now(start) {}
    std::uint32_t now_ms() override { ++readings; return now; }
    std::uint64_t now_us() override { return std::uint64_t{now} * 1000u; }
    void sleep_ms(std::uint32_t ms) override { slept.push_back(ms); now += ms; }

    std::uint32_t now;
    int readings = 0;
    std::vector<std::uint32_t> slept;
};

// The main window's controls, in memory. Every write is recorded in order.
class FakeControls final : public MainControls {
public:
    Text target_text() override { return target; }
    Text caption() override { ++caption_reads; return caption_text; }
    void set_caption(const Text& text) override { caption_text = text; }
    Text update_caption(const CaptionRule& next) override
    {
        const Text read = caption_text;
        if (auto written = next(read))
            caption_text = *written;
        return read;
    }
    void set_status(const Text& text) override { statuses.push_back(text); }
    void append_to_log(const Text& line) override { log.push_back(line); }

    Text target;
    Text caption_text = "PING";
    int caption_reads = 0;
    std::vector<Text> statuses;
    std::vector<Text> log;
};

// Answers lookups by echoing the name and connects from a script of
// outcomes; `during_connect` runs inside each connect, where a user's click
// would land while a probe is under way.
class FakeNetwork final : public ProbeNetwork {
public:
    struct Outcome {
        bool connected;
        std::int32_t elapsed;
    };

    Text lookup_host(const Text& name) override
    {
        looked_up.push_back(name);
        return "addr(" + name + ")";
    }

    bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed) override
    {
        connects.push_back({address, port});
        const Outcome outcome = outcomes.empty() ? Outcome{true, 5} : outcomes.front();
        if (!outcomes.empty() && outcomes.size() > 1)
            outcomes.pop_front();
        if (clock != nullptr)
            clock->now += static_cast<std::uint32_t>(outcome.elapsed);
        if (during_connect)
            during_connect(static_cast<int>(connects.size()));
        elapsed = outcome.elapsed;
        return outcome.connected;
    }

    struct Connect {
        Text address;
        std::int32_t port;
    };
    std::deque<Outcome> outcomes; // the last one repeats
    std::vector<Text> looked_up;
    std::vector<Connect> connects;
    FakeClock* clock = nullptr;
    std::function<void(int probe)> during_connect;
};
