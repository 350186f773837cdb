#pragma once
// The editor's EventLoop on the GLib main loop that GTK runs. Timers are
// GLib timeout sources; post() queues under a lock and wakes the main context
// with an idle source, so the MIDI thread may call it.
//
// inCallback() tells whether a timer or posted task is running now: the
// platform uses it to show message boxes asked for by a tick or by the
// incoming handler only after that handler has returned.
#include <glib.h>

#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "framework/event_loop.hpp"

namespace vornix::app {

class GLibEventLoop : public EventLoop {
  public:
    GLibEventLoop() = default;
    // Removes every timer and drops the tasks not yet run.
    ~GLibEventLoop() override;
    GLibEventLoop(const GLibEventLoop&) = delete;
    GLibEventLoop& operator=(const GLibEventLoop&) = delete;

    TimerId every(int milliseconds, Task fn) override;
    TimerId after(int milliseconds, Task fn) override;
    void cancel(TimerId id) override;
    void post(Task fn) override;
    std::int64_t now() const override;

    bool inCallback() const { return depth_ > 0; }
    std::size_t timerCount() const { return sources_.size(); }

  private:
    struct Timer {
        GLibEventLoop* loop;
        TimerId id;
        bool repeat;
        Task fn;
    };
    TimerId addTimer(int milliseconds, bool repeat, Task fn);
    static gboolean onTimer(gpointer data);
    static gboolean onPosted(gpointer data);
    void runPosted();

    TimerId nextId_ = 1;
    std::map<TimerId, guint> sources_;
    int depth_ = 0;

    std::mutex postMutex_;
    std::deque<Task> posted_;
    guint postSource_ = 0;
    const gint64 startMicroseconds_ = g_get_monotonic_time();
};

}  // namespace vornix::app
