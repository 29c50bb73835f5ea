#include "probe/host_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <memory>

Text lookup_host(const Text& name)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;

    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return {};
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> answer(found, &::freeaddrinfo);

    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(answer->ai_addr);
    char dotted[INET_ADDRSTRLEN] = {};
    if (::inet_ntop(AF_INET, &ipv4->sin_addr, dotted, sizeof dotted) == nullptr)
        return {};
    return dotted;
}
