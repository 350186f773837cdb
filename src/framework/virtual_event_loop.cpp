#include "framework/virtual_event_loop.hpp"

#include <algorithm>
#include <limits>

namespace vornix {

EventLoop::TimerId VirtualEventLoop::every(int milliseconds, Task fn) {
    return timers_.add(now_ + milliseconds, milliseconds, std::move(fn));
}

EventLoop::TimerId VirtualEventLoop::after(int milliseconds, Task fn) {
    return timers_.add(now_ + milliseconds, 0, std::move(fn));
}

void VirtualEventLoop::cancel(TimerId id) {
    timers_.cancel(id);
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
    auto due = timers_.takeDue(limit, std::numeric_limits<std::int64_t>::min());
    if (!due) return false;
    now_ = due->due;
    due->task();
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
    const auto next = timers_.nextDue();
    return next ? std::max<std::int64_t>(*next - now_, 0) : -1;
}

}  // namespace vornix
