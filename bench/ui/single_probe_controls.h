#pragma once

#include "counting_controls.h"

// The main window's controls as a worker sees them while the PING button
// reads "PING": the status line and the log are the window's own, but the
// caption stays out of it. Single probes can then run beside continuous runs,
// which own the real caption and would be stopped by a worker that found it.
class SingleProbeControls final : public CountingControls {
public:
    using CountingControls::CountingControls;

    Text caption() override;
    void set_caption(const Text& caption) override;
    Text update_caption(const CaptionRule& next) override;
};
