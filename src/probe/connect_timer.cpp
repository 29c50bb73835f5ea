#include "probe/connect_timer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed, TickClock& clock)
{
    // Read in microseconds and rounded once at the end: two truncated
    // millisecond readings would be up to a whole millisecond off.
    const std::uint64_t t0 = clock.now_us();

    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);

    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    // The low 16 bits only: -1 is port 65535, 80 + 65536 is port 80.
    peer.sin_port = htons(static_cast<std::uint16_t>(static_cast<std::uint32_t>(port)));
    // An address that does not parse becomes all ones, which no connect reaches.
    peer.sin_addr.s_addr = ::inet_addr(address.c_str());

    bool connected = false;
    if (fd >= 0) {
        connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
        ::close(fd);
    }

    elapsed = elapsed_ms_from_us(t0, clock.now_us());
    return connected;
}

bool timed_connect(const Text& address, std::int32_t port, std::int32_t& elapsed)
{
    SteadyTickClock clock;
    return timed_connect(address, port, elapsed, clock);
}
