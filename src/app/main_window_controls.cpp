#include "app/main_window_controls.h"

#include "app/log_box.h"
#include "app/text_codec.h"

#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>

MainWindowControls::MainWindowControls(const Widgets& widgets, const Text& target, const Text& caption)
    : widgets_(widgets), target_(target), caption_(caption)
{
}

void MainWindowControls::set_target_text(const Text& target)
{
    Lock lock(mutex_);
    target_ = target;
}

void MainWindowControls::detach()
{
    Lock lock(mutex_);
    attached_ = false;
    unshown_log_.clear();
}

void MainWindowControls::throw_if_detached() const
{
    if (!attached_)
        throw ControlsGone{};
}

Text MainWindowControls::target_text()
{
    Lock lock(mutex_);
    throw_if_detached();
    return target_;
}

Text MainWindowControls::caption()
{
    Lock lock(mutex_);
    throw_if_detached();
    return caption_;
}

void MainWindowControls::set_caption(const Text& caption)
{
    Lock lock(mutex_);
    throw_if_detached();
    write_caption(caption);
}

Text MainWindowControls::update_caption(const CaptionRule& next)
{
    Lock lock(mutex_);
    throw_if_detached();
    const Text read = caption_;
    if (const auto written = next(read))
        write_caption(*written);
    return read;
}

void MainWindowControls::write_caption(const Text& caption)
{
    caption_ = caption;
    post(caption_posted_, &MainWindowControls::show_caption);
}

void MainWindowControls::set_status(const Text& status)
{
    Lock lock(mutex_);
    throw_if_detached();
    status_ = status;
    post(status_posted_, &MainWindowControls::show_status);
}

void MainWindowControls::append_to_log(const Text& line)
{
    Lock lock(mutex_);
    throw_if_detached();
    unshown_log_.push_back(line);
    post(log_posted_, &MainWindowControls::show_log);
}

// One call on its way to the UI thread per kind of control is enough: it
// shows whatever is latest when it runs. Posting under the mutex keeps the
// window alive for the call (detach() takes the mutex before the window dies),
// and Qt drops calls still queued for a window that has been destroyed.
void MainWindowControls::post(bool& pending, void (MainWindowControls::*show)())
{
    if (pending)
        return;
    pending = true;
    QMetaObject::invokeMethod(widgets_.window, [this, show] { (this->*show)(); }, Qt::QueuedConnection);
}

Text MainWindowControls::take_latest(bool& posted, const Text& value)
{
    Lock lock(mutex_);
    posted = false;
    return value;
}

void MainWindowControls::show_caption()
{
    widgets_.ping_button->setText(to_qstring(take_latest(caption_posted_, caption_)));
}

void MainWindowControls::show_status()
{
    widgets_.status->setText(to_qstring(take_latest(status_posted_, status_)));
}

void MainWindowControls::show_log()
{
    std::vector<Text> lines;
    {
        Lock lock(mutex_);
        log_posted_ = false;
        lines.swap(unshown_log_);
    }
    Text joined;
    for (const Text& line : lines)
        joined += line;
    append_to_log_box(widgets_.log, to_qstring(joined));
}
