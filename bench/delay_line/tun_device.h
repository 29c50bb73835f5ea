#pragma once

#include <string>

// A tun device made in a named network namespace: raw IP packets without a
// header, a point-to-point IPv4 address towards `peer`, up. Non-persistent,
// so the device goes away with the object, even when the process dies.
class TunDevice {
public:
    TunDevice(const std::string& netns, const std::string& name, const std::string& local, const std::string& peer);
    ~TunDevice();
    TunDevice(const TunDevice&) = delete;
    TunDevice& operator=(const TunDevice&) = delete;

    // Non-blocking: read yields one packet, or EAGAIN when none waits.
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};
