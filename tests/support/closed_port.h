#pragma once

// A port on 127.0.0.1 that is bound but not listening, so that a connect to
// it is refused; held for the object's lifetime so nobody else takes it.
class ClosedPort {
public:
    ClosedPort();
    ~ClosedPort();

    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;

    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};
