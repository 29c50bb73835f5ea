#include "recording_probe_network.h"

Text RecordingProbeNetwork::lookup_host(const Text& name)
{
    probes_.push_back({std::chrono::steady_clock::now(), 0, false});
    return system_.lookup_host(name);
}

bool RecordingProbeNetwork::timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed)
{
    const bool connected = system_.timed_connect(address, port, elapsed);
    if (!probes_.empty()) {
        probes_.back().elapsed = elapsed;
        probes_.back().connected = connected;
    }
    return connected;
}
