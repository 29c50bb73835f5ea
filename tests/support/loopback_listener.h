#pragma once

#include <cstdint>

// A TCP listener on 127.0.0.1 that accepts by the kernel's backlog alone:
// connects succeed and nobody reads them.
class LoopbackListener {
public:
    explicit LoopbackListener(std::uint16_t port = 0); // 0: any free port
    ~LoopbackListener();

    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    bool listening() const { return fd_ >= 0; }
    std::uint16_t port() const { return port_; }

private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};
