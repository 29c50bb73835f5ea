#include "delay_queue.h"

#include <utility>

DelayQueue::DelayQueue(std::size_t capacity)
    : capacity_(capacity)
{
}

bool DelayQueue::push(Clock::time_point due, Packet packet)
{
    if (packets_.size() >= capacity_)
        return false;
    // A multimap inserts equal keys after the ones already there, which keeps
    // packets of the same due time in arrival order.
    packets_.emplace(due, std::move(packet));
    return true;
}

std::optional<DelayQueue::Clock::time_point> DelayQueue::next_due() const
{
    if (packets_.empty())
        return std::nullopt;
    return packets_.begin()->first;
}

std::vector<DelayQueue::Packet> DelayQueue::take_due(Clock::time_point now)
{
    std::vector<Packet> due;
    auto it = packets_.begin();
    for (; it != packets_.end() && it->first <= now; ++it)
        due.push_back(std::move(it->second));
    packets_.erase(packets_.begin(), it);
    return due;
}
