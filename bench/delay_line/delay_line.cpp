// A userspace delay line between two network namespaces. It makes a tun
// device "dl0" in each, 10.99.0.1 in the first with 10.99.0.2 as its peer and
// the reverse in the second, and carries IPv4 packets across after a fixed
// one-way delay, or, with --drop, carries nothing.
//
//   delay_line <netns-a> <netns-b> <one-way-ms> [--drop]
//
// The namespaces must exist (ip netns add). "ready" on stdout says the line
// carries packets; SIGTERM or SIGINT ends it, and the devices go with it.

#include "delay_queue.h"
#include "tun_device.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <system_error>

namespace {

constexpr const char* kDeviceName = "dl0";
constexpr const char* kAddressA = "10.99.0.1";
constexpr const char* kAddressB = "10.99.0.2";
constexpr std::size_t kMaxPacketsInFlight = 4096;
constexpr std::size_t kMaxPacketSize = 65535;

struct Options {
    std::string netns_a;
    std::string netns_b;
    DelayQueue::Clock::duration one_way{};
    bool drop = false;
};

bool parse_options(int argc, char** argv, Options& options)
{
    if (argc < 4 || argc > 5)
        return false;
    options.netns_a = argv[1];
    options.netns_b = argv[2];
    char* end = nullptr;
    const double ms = std::strtod(argv[3], &end);
    if (end == argv[3] || *end != '\0' || ms < 0 || ms > 60000)
        return false;
    options.one_way = std::chrono::duration_cast<DelayQueue::Clock::duration>(
        std::chrono::duration<double, std::milli>(ms));
    if (argc == 5) {
        if (std::strcmp(argv[4], "--drop") != 0)
            return false;
        options.drop = true;
    }
    return true;
}

// SIGTERM and SIGINT arrive as readable data, so the loop ends between packets.
int signal_fd()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        throw std::system_error(errno, std::generic_category(), "sigprocmask");
    const int fd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "signalfd");
    return fd;
}

// Arms the timer for the earliest due packet, or disarms it when none waits.
void arm_timer(int timer_fd, const DelayQueue& queue)
{
    itimerspec setting{};
    if (const auto due = queue.next_due()) {
        // steady_clock is CLOCK_MONOTONIC, the timer's clock.
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(due->time_since_epoch()).count();
        setting.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        setting.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        if (setting.it_value.tv_sec == 0 && setting.it_value.tv_nsec == 0)
            setting.it_value.tv_nsec = 1; // all zero would disarm
    }
    timerfd_settime(timer_fd, TFD_TIMER_ABSTIME, &setting, nullptr);
}

// Reads every packet waiting on `in_fd` and queues the IPv4 ones for `out_fd`.
// Anything else (the IPv6 chatter of a fresh device) stays on its side.
void take_packets(int in_fd, int out_fd, const Options& options, DelayQueue& queue)
{
    static std::array<unsigned char, kMaxPacketSize> buffer;
    for (;;) {
        const ssize_t length = ::read(in_fd, buffer.data(), buffer.size());
        if (length <= 0)
            return; // EAGAIN: drained
        const auto size = static_cast<std::size_t>(length);
        if (options.drop || (buffer[0] >> 4) != 4)
            continue;
        DelayQueue::Packet packet{out_fd, {buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size)}};
        queue.push(DelayQueue::Clock::now() + options.one_way, std::move(packet));
    }
}

void send_due_packets(DelayQueue& queue)
{
    for (const DelayQueue::Packet& packet : queue.take_due(DelayQueue::Clock::now())) {
        // A packet the stack will not take is lost, as on a real line.
        [[maybe_unused]] const ssize_t written = ::write(packet.out_fd, packet.bytes.data(), packet.bytes.size());
    }
}

int run(const Options& options)
{
    TunDevice tun_a(options.netns_a, kDeviceName, kAddressA, kAddressB);
    TunDevice tun_b(options.netns_b, kDeviceName, kAddressB, kAddressA);
    const int stop_fd = signal_fd();
    const int timer_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timer_fd < 0)
        throw std::system_error(errno, std::generic_category(), "timerfd_create");

    DelayQueue queue(kMaxPacketsInFlight);
    std::printf("ready\n");
    std::fflush(stdout);

    enum { kA, kB, kTimer, kStop };
    std::array<pollfd, 4> fds{{
        {tun_a.fd(), POLLIN, 0},
        {tun_b.fd(), POLLIN, 0},
        {timer_fd, POLLIN, 0},
        {stop_fd, POLLIN, 0},
    }};
    for (;;) {
        arm_timer(timer_fd, queue);
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (fds[kStop].revents != 0)
            break;
        if (fds[kA].revents & POLLIN)
            take_packets(tun_a.fd(), tun_b.fd(), options, queue);
        if (fds[kB].revents & POLLIN)
            take_packets(tun_b.fd(), tun_a.fd(), options, queue);
        if (fds[kTimer].revents & POLLIN) {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const ssize_t read = ::read(timer_fd, &expirations, sizeof expirations);
        }
        send_due_packets(queue);
    }
    ::close(timer_fd);
    ::close(stop_fd);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse_options(argc, argv, options)) {
        std::fprintf(stderr, "usage: delay_line <netns-a> <netns-b> <one-way-ms> [--drop]\n");
        return 2;
    }
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "delay_line: %s\n", error.what());
        return 1;
    }
}
