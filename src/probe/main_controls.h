#pragma once

#include "text/gbk_text.h"

#include <functional>
#include <optional>

// Thrown by a control access once the main window is gone, so that a run
// that can no longer reach its controls ends quietly.
struct ControlsGone {};

// The main-window controls that a PING worker reads and writes. Every access
// is whole and may be made from any thread.
class MainControls {
public:
    virtual ~MainControls() = default;

    // The text of the target box, as the user left it.
    virtual Text target_text() = 0;

    // The caption of the PING button: the last caption written.
    virtual Text caption() = 0;
    virtual void set_caption(const Text& caption) = 0;
    // Reads the caption and, in the same indivisible step, writes what `next`
    // makes of it, if anything. Yields the caption read.
    using CaptionRule = std::function<std::optional<Text>(const Text&)>;
    virtual Text update_caption(const CaptionRule& next) = 0;

    // Replaces the status line.
    virtual void set_status(const Text& status) = 0;

    // Adds a line at the end of the log.
    virtual void append_to_log(const Text& line) = 0;
};
