#pragma once

// A listening socket on 127.0.0.1 whose accept queue is full: the system
// drops further connection requests, so a connect to it stays under way
// until the system gives up, minutes later.
class FullBacklogListener {
public:
    FullBacklogListener();
    ~FullBacklogListener();

    FullBacklogListener(const FullBacklogListener&) = delete;
    FullBacklogListener& operator=(const FullBacklogListener&) = delete;

    int port() const { return port_; }

private:
    int listen_fd_ = -1;
    int filler_fd_ = -1;
    int port_ = 0;
};
