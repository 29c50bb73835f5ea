#pragma once

#include "probe/main_controls.h"

#include <atomic>
#include <memory>

// Hands every access on to the main window's controls and counts the status
// writes and log lines that pass through, so that the bench can tell which of
// its workers have done their part.
class CountingControls : public MainControls {
public:
    explicit CountingControls(std::shared_ptr<MainControls> window);

    Text target_text() override;
    Text caption() override;
    void set_caption(const Text& caption) override;
    Text update_caption(const CaptionRule& next) override;
    void set_status(const Text& status) override;
    void append_to_log(const Text& line) override;

    int statuses() const { return statuses_; }
    int lines() const { return lines_; }

private:
    std::shared_ptr<MainControls> window_;
    std::atomic<int> statuses_{0};
    std::atomic<int> lines_{0};
};
