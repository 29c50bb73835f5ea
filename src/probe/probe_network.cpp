#include "probe/probe_network.h"

#include "probe/connect_timer.h"
#include "probe/host_lookup.h"

Text SystemProbeNetwork::lookup_host(const Text& name)
{
    return ::lookup_host(name);
}

bool SystemProbeNetwork::timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed)
{
    return ::timed_connect(address, port, elapsed);
}
