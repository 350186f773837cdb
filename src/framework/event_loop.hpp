#pragma once
// The editor's only source of time. The core never reads a clock or sleeps:
// periodic work is registered here and the loop decides what "now" is
// (GLib in the desktop app, a plain loop in the command line programs,
// virtual time in tests).
#include <cstdint>
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
    // Milliseconds since the loop was made, on the loop's own clock: virtual
    // time on the built-in pedal and in tests, so what is stamped with it
    // (a decoded trace, the MIDI monitor) comes out the same every run.
    virtual std::int64_t now() const = 0;
};

}  // namespace vornix
