// Runs the PING probe code against the real network and clock, without a
// window, and prints what it measured.
//
//   probe_tool once <host> <port>
//       one probe (run_probe); prints
//         connected: yes|no
//         elapsed_ms: <n>
//         status: <the status line, as UTF-8>
//   probe_tool run <host> <port> <probes>
//       a continuous run, stopped after <probes> probes; one line a probe:
//         probe <i> start_ms <ms since the first start> elapsed_ms <n> period_ms <ms since the previous start, or ->

#include "gbk_to_utf8.h"
#include "recording_probe_network.h"
#include "stub_controls.h"

#include "probe/continuous_run.h"
#include "probe/ping_run.h"
#include "probe/probe_texts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double ms_between(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int probe_once(const std::vector<Text>& parts)
{
    StubControls controls(kCaptionPing, 1);
    SystemProbeNetwork network;
    SteadyTickClock clock;
    PingContext context{controls, network, clock};

    const ProbeResult result = run_probe(context, parts);
    std::printf("connected: %s\nelapsed_ms: %d\nstatus: %s\n", result.connected ? "yes" : "no", result.elapsed,
                gbk_to_utf8(controls.status()).c_str());
    return 0;
}

int run_continuously(const std::vector<Text>& parts, int probes)
{
    StubControls controls(kCaptionStop, probes);
    RecordingProbeNetwork network;
    SteadyTickClock clock;
    PingContext context{controls, network, clock};

    continuous_run(context, parts);

    const auto& made = network.probes();
    for (std::size_t i = 0; i < made.size(); ++i) {
        std::printf("probe %zu start_ms %.3f elapsed_ms %d period_ms ", i + 1, ms_between(made[0].start, made[i].start),
                    made[i].elapsed);
        if (i == 0)
            std::printf("-\n");
        else
            std::printf("%.3f\n", ms_between(made[i - 1].start, made[i].start));
    }
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: probe_tool once <host> <port>\n"
                         "       probe_tool run <host> <port> <probes>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "once") == 0)
        return probe_once({argv[2], argv[3]});
    if (argc == 5 && std::strcmp(argv[1], "run") == 0) {
        const int probes = std::atoi(argv[4]);
        if (probes < 1)
            return usage();
        return run_continuously({argv[2], argv[3]}, probes);
    }
    return usage();
}
