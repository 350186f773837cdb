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
    const auto due = Clock::now() + std::chrono::milliseconds(std::max(delay, 0));
    const TimerId id = timers_.add(due, std::chrono::milliseconds(period), std::move(fn));
    wake_.notify_one();
    return id;
}

void PlainEventLoop::cancel(TimerId id) {
    std::lock_guard lock(mutex_);
    timers_.cancel(id);
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
            // Re-armed from its due time so a periodic timer does not drift,
            // but not before now, so a stalled loop does not fire a burst.
            const auto now = Clock::now();
            if (auto due = timers_.takeDue(now, now)) {
                task = std::move(due->task);
                break;
            }
            const auto next = timers_.nextDue();
            const auto wakeAt = next ? std::min(deadline, *next) : deadline;
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
