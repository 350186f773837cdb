#pragma once
// An EventLoop on virtual time: nothing happens until advance() is called,
// which runs every timer and posted task due in that span, in time order.
// Tests use it to check timing exactly (33 device ticks are 3.3 s) and the
// command line programs use the same ordering on a real clock.
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "framework/event_loop.hpp"
#include "framework/timer_list.hpp"

namespace vornix {

class VirtualEventLoop : public EventLoop {
  public:
    TimerId every(int milliseconds, Task fn) override;
    TimerId after(int milliseconds, Task fn) override;
    void cancel(TimerId id) override;
    void post(Task fn) override;

    // Runs posted tasks, then every timer due up to now + milliseconds.
    void advance(std::int64_t milliseconds);
    // Runs posted tasks (and tasks they post) without moving time.
    void runPosted();
    // Time until the next timer is due, or -1 when none is registered.
    std::int64_t untilNextTimer() const;
    std::int64_t now() const override { return now_; }
    bool hasPosted() const;

  private:
    bool runNextDueTimer(std::int64_t limit);

    std::int64_t now_ = 0;
    TimerList<std::int64_t, std::int64_t> timers_;
    mutable std::mutex postedMutex_;
    std::deque<Task> posted_;
};

}  // namespace vornix
