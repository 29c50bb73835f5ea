#include "tick_lateness.h"

TickLateness::TickLateness(std::chrono::milliseconds interval) : interval_(interval)
{
    // Precise, so that Qt's own timer slack is not counted as lateness.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(interval_);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { tick(); });
}

void TickLateness::start()
{
    worst_ns_ = 0;
    worst_at_ns_ = 0;
    ticks_ = 0;
    clock_.start();
    last_ns_ = 0;
    timer_.start();
}

void TickLateness::stop()
{
    timer_.stop();
}

void TickLateness::tick()
{
    const qint64 now = clock_.nsecsElapsed();
    const qint64 due = last_ns_ + std::chrono::nanoseconds(interval_).count();
    if (now - due > worst_ns_) {
        worst_ns_ = now - due;
        worst_at_ns_ = now;
    }
    last_ns_ = now;
    ++ticks_;
}
