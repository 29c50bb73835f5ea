#pragma once

#include <string>

// Puts the calling thread into a named network namespace (one that
// `ip netns add` made) for the scope's lifetime, and back into the one it was
// in when the scope ends. Sockets and tun devices opened meanwhile belong to
// the named namespace for good.
class NetnsScope {
public:
    explicit NetnsScope(const std::string& name);
    ~NetnsScope();
    NetnsScope(const NetnsScope&) = delete;
    NetnsScope& operator=(const NetnsScope&) = delete;

private:
    int home_fd_ = -1;
};
