// CPU time that a continuous run uses while it probes a loopback listener
// once a second and waits in between. Prints one row of the bench table;
// run_cpu_bench [SECONDS], 10 by default.

#include "probe/continuous_run.h"
#include "probe/probe_texts.h"
#include "stub_controls.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <thread>

namespace {

double cpu_seconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;

    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener, 1024);
    socklen_t length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const Text port = std::to_string(ntohs(address.sin_port));

    StubControls controls(kCaptionStop, std::numeric_limits<int>::max());
    SystemProbeNetwork network;
    SteadyTickClock clock;
    PingContext context{controls, network, clock};

    const double cpu_before = cpu_seconds();
    const auto wall_before = std::chrono::steady_clock::now();
    std::thread run([&] { continuous_run(context, {"127.0.0.1", port}); });
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    controls.set_caption(kCaptionStart);
    run.join();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();
    const double cpu = cpu_seconds() - cpu_before;
    close(listener);

    // A run that stopped probing would wait cheaply too: the figure counts
    // only if it probed about once a second.
    const bool probed = controls.lines() >= seconds - 1;
    const double share = cpu / wall;
    std::fprintf(stderr, "continuous run: %d probes in %.1f s\n", controls.lines(), wall);
    std::printf("| CPU per minute of a waiting continuous run | %.1f ms (%.3f %% of a core) | one core: 60 000 ms | < 1 %% of a core | %s |\n",
                cpu * 1000.0 * 60.0 / wall, 100.0 * share, !probed ? "no: it did not probe" : share < 0.01 ? "yes" : "no");
    return 0;
}
