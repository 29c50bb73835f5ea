#include "single_probe_controls.h"

#include "probe/probe_texts.h"

Text SingleProbeControls::caption()
{
    return kCaptionPing;
}

void SingleProbeControls::set_caption(const Text&) {}

// The rule leaves "PING" as it is; whatever it made of it would be dropped.
Text SingleProbeControls::update_caption(const CaptionRule&)
{
    return kCaptionPing;
}
