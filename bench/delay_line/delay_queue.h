#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <vector>

// Packets waiting out the line's delay, earliest due first; packets due at
// the same moment leave in the order they came.
class DelayQueue {
public:
    using Clock = std::chrono::steady_clock;

    struct Packet {
        int out_fd = -1; // the tun device the packet leaves by
        std::vector<unsigned char> bytes;
    };

    // The line only carries what a test sends; more than `capacity` packets
    // in flight means something floods it, and the excess is dropped.
    explicit DelayQueue(std::size_t capacity);

    // False, and the packet dropped, when the queue is full.
    bool push(Clock::time_point due, Packet packet);

    std::optional<Clock::time_point> next_due() const;

    // Removes and yields every packet due at or before `now`, in due order.
    std::vector<Packet> take_due(Clock::time_point now);

private:
    std::size_t capacity_;
    std::multimap<Clock::time_point, Packet> packets_;
};
