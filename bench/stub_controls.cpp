#include "stub_controls.h"

#include "probe/probe_texts.h"

StubControls::StubControls(const Text& caption, int stop_after_lines)
    : caption_(caption)
    , stop_after_lines_(stop_after_lines)
{
}

Text StubControls::caption()
{
    std::lock_guard lock(mutex_);
    return caption_;
}

void StubControls::set_caption(const Text& caption)
{
    std::lock_guard lock(mutex_);
    caption_ = caption;
}

Text StubControls::update_caption(const CaptionRule& next)
{
    std::lock_guard lock(mutex_);
    const Text read = caption_;
    if (auto written = next(read))
        caption_ = *written;
    return read;
}

void StubControls::set_status(const Text& status)
{
    std::lock_guard lock(mutex_);
    status_ = status;
}

void StubControls::append_to_log(const Text&)
{
    std::lock_guard lock(mutex_);
    if (++lines_ >= stop_after_lines_)
        caption_ = kCaptionStart;
}

Text StubControls::status()
{
    std::lock_guard lock(mutex_);
    return status_;
}

int StubControls::lines()
{
    std::lock_guard lock(mutex_);
    return lines_;
}
