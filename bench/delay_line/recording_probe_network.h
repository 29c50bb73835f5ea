#pragma once

#include "probe/probe_network.h"

#include <chrono>
#include <vector>

// The system's network, noting when each probe starts (its host lookup, the
// first thing a probe does) and what its connect measured.
class RecordingProbeNetwork final : public ProbeNetwork {
public:
    struct Probe {
        std::chrono::steady_clock::time_point start;
        std::int32_t elapsed = 0;
        bool connected = false;
    };

    Text lookup_host(const Text& name) override;
    bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed) override;

    const std::vector<Probe>& probes() const { return probes_; }

private:
    SystemProbeNetwork system_;
    std::vector<Probe> probes_;
};
