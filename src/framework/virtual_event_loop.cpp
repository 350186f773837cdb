#include "framework/virtual_event_loop.hpp"

#include <limits>

namespace vornix {

EventLoop::TimerId VirtualEventLoop::every(int milliseconds, Task fn) {
    return addTimer(milliseconds, milliseconds, std::move(fn));
}

EventLoop::TimerId VirtualEventLoop::after(int milliseconds, Task fn) {
    return addTimer(milliseconds, 0, std::move(fn));
}

EventLoop::TimerId VirtualEventLoop::addTimer(int delay, int period, Task fn) {
    const TimerId id = nextId_++;
    timers_[id] = Timer{now_ + delay, period, std::move(fn)};
    return id;
}

void VirtualEventLoop::cancel(TimerId id) {
    timers_.erase(id);
}

void VirtualEventLoop::post(Task fn) {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(std::move(fn));
}

bool VirtualEventLoop::hasPosted() const {
    std::lock_guard lock(postedMutex_);
    return !posted_.empty();
}

void VirtualEventLoop::runPosted() {
    for (;;) {
        Task task;
        {
            std::lock_guard lock(postedMutex_);
            if (posted_.empty()) return;
            task = std::move(posted_.front());
            posted_.pop_front();
        }
        task();
    }
}

bool VirtualEventLoop::runNextDueTimer(std::int64_t limit) {
    // Earliest due first; timers due at the same moment run in creation order.
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due <= limit && (next == timers_.end() || it->second.due < next->second.due))
            next = it;
    }
    if (next == timers_.end()) return false;
    const TimerId id = next->first;
    now_ = next->second.due;
    Task fn = next->second.fn;  // copy: the task may cancel its own timer
    if (next->second.period > 0)
        next->second.due += next->second.period;
    else
        timers_.erase(next);
    fn();
    (void)id;
    runPosted();
    return true;
}

void VirtualEventLoop::advance(std::int64_t milliseconds) {
    const std::int64_t end = now_ + milliseconds;
    runPosted();
    while (runNextDueTimer(end)) {
    }
    now_ = end;
}

std::int64_t VirtualEventLoop::untilNextTimer() const {
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const auto& [id, timer] : timers_) best = std::min(best, timer.due - now_);
    return timers_.empty() ? -1 : std::max<std::int64_t>(best, 0);
}

}  // namespace vornix
