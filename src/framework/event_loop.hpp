#pragma once
// The editor's only source of time. The core never reads a clock or sleeps:
// periodic work is registered here and the loop decides what "now" is
// (GLib in the desktop app, a plain loop in the command line programs,
// virtual time in tests).
#include <functional>

namespace vornix {

class EventLoop {
  public:
    using TimerId = int;
    using Task = std::function<void()>;

    virtual ~EventLoop() = default;

    // Runs fn every `milliseconds` on the loop's thread until cancelled.
    virtual TimerId every(int milliseconds, Task fn) = 0;
    // Runs fn once, `milliseconds` from now, on the loop's thread.
    virtual TimerId after(int milliseconds, Task fn) = 0;
    virtual void cancel(TimerId id) = 0;
    // Thread-safe: runs fn on the loop's thread as soon as it is idle.
    virtual void post(Task fn) = 0;
};

}  // namespace vornix
