#pragma once

#include "probe/tick_clock.h"
#include "text/gbk_text.h"

#include <cstdint>

// Times one blocking TCP connect to a dotted IPv4 address and the port number
// modulo 65536, closing the socket right after. Returns whether the peer
// accepted; writes the milliseconds the attempt took into `elapsed` on every
// path, in whole milliseconds to the nearest. Nothing is sent or received.
bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed, TickClock& clock);
bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed);
