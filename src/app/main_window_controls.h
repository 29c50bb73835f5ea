#pragma once

#include "probe/main_controls.h"

#include <QPointer>

#include <functional>
#include <mutex>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The one way PING workers reach the main window. Every value a worker reads
// is kept here beside its widget, so no read waits for the UI thread; every
// write is stored here and then handed to the UI thread, which shows the
// latest value. Once the window has detached, every access throws
// ControlsGone.
class MainWindowControls final : public MainControls {
public:
    struct Widgets {
        QWidget* window = nullptr;
        QPushButton* ping_button = nullptr;
        QLabel* status = nullptr;
        QPlainTextEdit* log = nullptr;
    };

    // UI thread only.
    MainWindowControls(const Widgets& widgets, const Text& target, const Text& caption);
    void set_target_text(const Text& target); // the target box changed
    void detach();                             // the window is going away

    // Any thread.
    Text target_text() override;
    Text caption() override;
    void set_caption(const Text& caption) override;
    Text update_caption(const CaptionRule& next) override;
    void set_status(const Text& status) override;
    void append_to_log(const Text& line) override;

private:
    using Lock = std::lock_guard<std::mutex>;
    void throw_if_detached() const; // mutex_ held
    void post(bool& pending, void (MainWindowControls::*show)()); // mutex_ held
    void write_caption(const Text& caption); // mutex_ held

    // Run on the UI thread.
    Text take_latest(bool& posted, const Text& value); // a copy made under the mutex
    void show_caption();
    void show_status();
    void show_log();

    std::mutex mutex_;
    Widgets widgets_;
    bool attached_ = true;
    Text target_;
    Text caption_;
    Text status_;
    std::vector<Text> unshown_log_;
    bool caption_posted_ = false;
    bool status_posted_ = false;
    bool log_posted_ = false;
};
