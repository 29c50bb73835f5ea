#include "tun_device.h"

#include "netns_scope.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

ifreq request_for(const std::string& name)
{
    ifreq request{};
    if (name.size() >= sizeof request.ifr_name)
        throw std::invalid_argument("device name too long: " + name);
    std::memcpy(request.ifr_name, name.data(), name.size());
    return request;
}

// Copied rather than cast, so that no sockaddr is read through the wrong type.
void put_address(sockaddr& slot, const std::string& dotted)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (::inet_pton(AF_INET, dotted.c_str(), &address.sin_addr) != 1)
        throw std::invalid_argument("not an IPv4 address: " + dotted);
    static_assert(sizeof address == sizeof slot);
    std::memcpy(&slot, &address, sizeof address);
}

// The address pair and the up flag through the classic interface ioctls; the
// socket belongs to the namespace the device is in.
void configure(const std::string& name, const std::string& local, const std::string& peer)
{
    const int control = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (control < 0)
        fail("socket");
    try {
        ifreq request = request_for(name);
        put_address(request.ifr_addr, local);
        if (::ioctl(control, SIOCSIFADDR, &request) != 0)
            fail("SIOCSIFADDR " + name);
        request = request_for(name);
        put_address(request.ifr_dstaddr, peer);
        if (::ioctl(control, SIOCSIFDSTADDR, &request) != 0)
            fail("SIOCSIFDSTADDR " + name);
        request = request_for(name);
        if (::ioctl(control, SIOCGIFFLAGS, &request) != 0)
            fail("SIOCGIFFLAGS " + name);
        request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
        if (::ioctl(control, SIOCSIFFLAGS, &request) != 0)
            fail("SIOCSIFFLAGS " + name);
    } catch (...) {
        ::close(control);
        throw;
    }
    ::close(control);
}

} // namespace

TunDevice::TunDevice(const std::string& netns, const std::string& name, const std::string& local,
                     const std::string& peer)
{
    // The device is made in the namespace of the thread that opens the tun
    // clone device.
    NetnsScope scope(netns);
    fd_ = ::open("/dev/net/tun", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        fail("open /dev/net/tun");
    try {
        ifreq request = request_for(name);
        request.ifr_flags = IFF_TUN | IFF_NO_PI;
        if (::ioctl(fd_, TUNSETIFF, &request) != 0)
            fail("TUNSETIFF " + name);
        configure(name, local, peer);
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

TunDevice::~TunDevice()
{
    ::close(fd_);
}
