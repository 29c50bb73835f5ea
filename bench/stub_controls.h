#pragma once

#include "probe/main_controls.h"

#include <mutex>

// Main-window controls without a window. The caption and the status line are
// kept; log lines are counted, and once `stop_after_lines` of them have come
// the caption turns to "开始", which ends a continuous run after that probe
// just as a stop click does.
class StubControls final : public MainControls {
public:
    StubControls(const Text& caption, int stop_after_lines);

    Text target_text() override { return {}; }
    Text caption() override;
    void set_caption(const Text& caption) override;
    Text update_caption(const CaptionRule& next) override;
    void set_status(const Text& status) override;
    void append_to_log(const Text& line) override;

    Text status();
    int lines();

private:
    std::mutex mutex_;
    Text caption_;
    Text status_;
    int lines_ = 0;
    const int stop_after_lines_;
};
