#include "probe/ping_worker.h"

#include "probe/ping_run.h"

#include <system_error>
#include <thread>

namespace {

void ping_worker_main(const std::shared_ptr<MainControls>& controls)
{
    SystemProbeNetwork network;
    SteadyTickClock clock;
    PingContext context{*controls, network, clock};
    try {
        ping_run(context);
    } catch (const ControlsGone&) {
        // The main window closed while the program goes on: the run just ends.
    }
}

} // namespace

void start_ping_worker(std::shared_ptr<MainControls> controls)
{
    try {
        std::thread(ping_worker_main, std::move(controls)).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the click does nothing.
    }
}
