#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <chrono>

// A repeating timer on the calling thread's event loop that records how much
// later than due each tick came: a tick is due one interval after the one
// before it. A busy event loop shows up as late ticks.
class TickLateness {
public:
    explicit TickLateness(std::chrono::milliseconds interval);

    void start();
    void stop();

    double worst_ms() const { return static_cast<double>(worst_ns_) / 1e6; }
    // When the most overdue tick came, in seconds after start().
    double worst_at_s() const { return static_cast<double>(worst_at_ns_) / 1e9; }
    int ticks() const { return ticks_; }

private:
    void tick();

    std::chrono::milliseconds interval_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ns_ = 0;
    qint64 worst_ns_ = 0;
    qint64 worst_at_ns_ = 0;
    int ticks_ = 0;
};
