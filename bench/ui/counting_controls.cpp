#include "counting_controls.h"

CountingControls::CountingControls(std::shared_ptr<MainControls> window) : window_(std::move(window)) {}

Text CountingControls::target_text()
{
    return window_->target_text();
}

Text CountingControls::caption()
{
    return window_->caption();
}

void CountingControls::set_caption(const Text& caption)
{
    window_->set_caption(caption);
}

Text CountingControls::update_caption(const CaptionRule& next)
{
    return window_->update_caption(next);
}

void CountingControls::set_status(const Text& status)
{
    window_->set_status(status);
    ++statuses_;
}

void CountingControls::append_to_log(const Text& line)
{
    window_->append_to_log(line);
    ++lines_;
}
