#include "netns_scope.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

int open_namespace(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "open " + path);
    return fd;
}

} // namespace

NetnsScope::NetnsScope(const std::string& name)
    : home_fd_(open_namespace("/proc/thread-self/ns/net"))
{
    const int target_fd = open_namespace("/var/run/netns/" + name);
    const int result = ::setns(target_fd, CLONE_NEWNET);
    const int error = errno;
    ::close(target_fd);
    if (result != 0) {
        ::close(home_fd_);
        throw std::system_error(error, std::generic_category(), "setns " + name);
    }
}

NetnsScope::~NetnsScope()
{
    // Going home cannot fail for a namespace this thread was in before.
    ::setns(home_fd_, CLONE_NEWNET);
    ::close(home_fd_);
}
