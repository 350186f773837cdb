#pragma once
// The timers of an event loop, whatever its clock: the virtual-time loop of
// the tests and the real-time loop of the command line programs share the
// order in which timers run, so a program behaves on the real clock as its
// tests saw it on the virtual one. Earliest due first; timers due at the same
// moment in the order they were created.
#include <algorithm>
#include <map>
#include <optional>

#include "framework/event_loop.hpp"

namespace vornix {

template <typename TimePoint, typename Duration>
class TimerList {
  public:
    using Task = EventLoop::Task;
    using TimerId = EventLoop::TimerId;

    // A zero period makes a one-shot timer.
    TimerId add(TimePoint due, Duration period, Task fn) {
        const TimerId id = nextId_++;
        timers_.emplace(id, Timer{due, period, std::move(fn)});
        return id;
    }
    void cancel(TimerId id) { timers_.erase(id); }
    bool empty() const { return timers_.empty(); }

    std::optional<TimePoint> nextDue() const {
        const auto next = earliest();
        if (next == timers_.end()) return std::nullopt;
        return next->second.due;
    }

    struct Due {
        TimePoint due;
        Task task;
    };
    // Takes the earliest timer due at or before `limit`: a one-shot timer is
    // removed, a periodic one re-armed a period after its due time, but not
    // before `notBefore` (a stalled loop does not fire a burst). The task is a
    // copy, so it may cancel its own timer.
    std::optional<Due> takeDue(TimePoint limit, TimePoint notBefore) {
        const auto next = earliest();
        if (next == timers_.end() || next->second.due > limit) return std::nullopt;
        Due due{next->second.due, next->second.fn};
        if (next->second.period > Duration{})
            next->second.due = std::max(next->second.due + next->second.period, notBefore);
        else
            timers_.erase(next);
        return due;
    }

  private:
    struct Timer {
        TimePoint due;
        Duration period;
        Task fn;
    };
    using Timers = std::map<TimerId, Timer>;

    // The map is in creation order, so the first of several equal ones wins.
    typename Timers::const_iterator earliest() const {
        return std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
            return a.second.due < b.second.due;
        });
    }
    typename Timers::iterator earliest() {
        return std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
            return a.second.due < b.second.due;
        });
    }

    TimerId nextId_ = 1;
    Timers timers_;
};

}  // namespace vornix
