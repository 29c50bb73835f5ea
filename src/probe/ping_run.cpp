#include "probe/ping_run.h"

#include "probe/continuous_run.h"
#include "probe/probe_texts.h"

std::optional<Text> caption_after_click(const Text& caption)
{
    if (caption == kCaptionPing)
        return std::nullopt;
    if (caption == kCaptionStart)
        return kCaptionStop;
    return kCaptionStart;
}

Text status_text(const ProbeResult& result)
{
    if (!result.connected)
        return kStatusFailure;
    return kStatusSuccess + int_to_text(result.elapsed) + kStatusSuccessUnit;
}

ProbeResult run_probe(PingContext& context, const std::vector<Text>& parts)
{
    const Text host = parts.empty() ? Text() : parts[0];
    const Text port_text = parts.size() < 2 ? Text() : parts[1];

    const Text address = context.network.lookup_host(host);
    const std::int32_t port = text_to_int(port_text);

    ProbeResult result;
    result.connected = context.network.timed_connect(address, port, result.elapsed);
    context.controls.set_status(status_text(result));
    return result;
}

void ping_run(PingContext& context)
{
    const Text target = context.controls.target_text();
    if (find_text(target, ":") == -1)
        return;
    const std::vector<Text> parts = split_text(target, ":");

    // Testing "开始" and writing "停止" is one step, so that two quick clicks
    // never start two runs.
    const Text caption = context.controls.update_caption(caption_after_click);
    if (caption == kCaptionPing)
        run_probe(context, parts);
    else if (caption == kCaptionStart)
        continuous_run(context, parts);
}
