#pragma once
// The event loop of the command line programs: real time, one thread. Timers
// run in due order, timers due at the same moment in the order they were
// created, and posted tasks before any timer. post() and quit() may be called
// from any thread (the MIDI input thread posts deliveries, a signal watcher
// asks to quit).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "framework/event_loop.hpp"
#include "framework/timer_list.hpp"

namespace vornix::host {

class PlainEventLoop : public EventLoop {
  public:
    TimerId every(int milliseconds, Task fn) override;
    TimerId after(int milliseconds, Task fn) override;
    void cancel(TimerId id) override;
    void post(Task fn) override;
    std::int64_t now() const override;

    // Runs until quit() is called (from a task or another thread).
    void run();
    void quit();
    // Runs until done() returns true (checked before the first task and
    // after every one) or timeoutMs pass. Returns the last result of done().
    bool runUntil(const std::function<bool()>& done, int timeoutMs);

  private:
    using Clock = std::chrono::steady_clock;
    TimerId addTimer(int delay, int period, Task fn);
    // Runs one posted task or one due timer, else waits for one until
    // `deadline`. Returns false when quit was asked for.
    bool step(Clock::time_point deadline);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> posted_;
    TimerList<Clock::time_point, std::chrono::milliseconds> timers_;
    bool quit_ = false;
    const Clock::time_point start_ = Clock::now();
};

}  // namespace vornix::host
