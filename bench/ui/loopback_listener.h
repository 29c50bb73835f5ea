#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

// A TCP listener on 127.0.0.1, on a port the system picks, that accepts every
// connection and closes it at once, on a thread of its own.
class LoopbackListener {
public:
    LoopbackListener(); // throws std::system_error when it cannot listen
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    std::uint16_t port() const { return port_; }

private:
    void serve();

    int socket_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
