#include "host/plain_event_loop.hpp"

#include <algorithm>

namespace vornix::host {

EventLoop::TimerId PlainEventLoop::every(int milliseconds, Task fn) {
    return addTimer(milliseconds, std::max(milliseconds, 1), std::move(fn));
}

EventLoop::TimerId PlainEventLoop::after(int milliseconds, Task fn) {
    return addTimer(milliseconds, 0, std::move(fn));
}

EventLoop::TimerId PlainEventLoop::addTimer(int delay, int period, Task fn) {
    std::lock_guard lock(mutex_);
    const TimerId id = nextId_++;
    const auto due = Clock::now() + std::chrono::milliseconds(std::max(delay, 0));
    timers_.emplace(id, Timer{due, period, std::move(fn)});
    wake_.notify_one();
    return id;
}

void PlainEventLoop::cancel(TimerId id) {
    std::lock_guard lock(mutex_);
    timers_.erase(id);
}

std::int64_t PlainEventLoop::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
}

void PlainEventLoop::post(Task fn) {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(fn));
    wake_.notify_one();
}

void PlainEventLoop::quit() {
    std::lock_guard lock(mutex_);
    quit_ = true;
    wake_.notify_one();
}

void PlainEventLoop::run() {
    while (step(Clock::time_point::max())) {
    }
    std::lock_guard lock(mutex_);
    quit_ = false;
}

bool PlainEventLoop::runUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        if (!step(deadline)) {
            std::lock_guard lock(mutex_);
            quit_ = false;
            return done();
        }
    }
}

bool PlainEventLoop::step(Clock::time_point deadline) {
    Task task;
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (quit_) return false;
            if (!posted_.empty()) {
                task = std::move(posted_.front());
                posted_.pop_front();
                break;
            }
            // Earliest due first; the map is in creation order, so the first
            // of several timers due together wins.
            auto next = timers_.end();
            for (auto it = timers_.begin(); it != timers_.end(); ++it) {
                if (next == timers_.end() || it->second.due < next->second.due) next = it;
            }
            const auto now = Clock::now();
            if (next != timers_.end() && next->second.due <= now) {
                // A copy: the task may cancel its own timer.
                task = next->second.fn;
                if (next->second.period > 0) {
                    // Re-armed from its due time so a periodic timer does not
                    // drift, but a stalled loop does not fire a burst either.
                    const auto period = std::chrono::milliseconds(next->second.period);
                    next->second.due = std::max(next->second.due + period, now);
                } else {
                    timers_.erase(next);
                }
                break;
            }
            const auto wakeAt =
                next == timers_.end() ? deadline : std::min(deadline, next->second.due);
            if (now >= deadline) return true;
            if (wakeAt == Clock::time_point::max())
                wake_.wait(lock);
            else
                wake_.wait_until(lock, wakeAt);
        }
    }
    task();
    return true;
}

}  // namespace vornix::host
