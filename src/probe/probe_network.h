#pragma once

#include "text/gbk_text.h"

#include <cstdint>

// The two network operations a probe makes; tests put fakes in their place.
class ProbeNetwork {
public:
    virtual ~ProbeNetwork() = default;
    virtual Text lookup_host(const Text& name) = 0;
    virtual bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed) = 0;
};

// The resolver and the blocking connect of the system.
class SystemProbeNetwork final : public ProbeNetwork {
public:
    Text lookup_host(const Text& name) override;
    bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed) override;
};
