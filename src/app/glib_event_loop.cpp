#include "app/glib_event_loop.hpp"

namespace vornix::app {

namespace {

// Received MIDI and timers share the default priority, so a stream of
// replies cannot starve the ticks; redraws (higher idle priority) follow.
constexpr int PostPriority = G_PRIORITY_DEFAULT;

struct DepthGuard {
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    int& depth_;
};

}  // namespace

GLibEventLoop::~GLibEventLoop() {
    for (const auto& [id, source] : sources_) g_source_remove(source);
    sources_.clear();
    std::lock_guard lock(postMutex_);
    if (postSource_ != 0) g_source_remove(postSource_);
    postSource_ = 0;
    posted_.clear();
}

EventLoop::TimerId GLibEventLoop::every(int milliseconds, Task fn) {
    return addTimer(milliseconds, true, std::move(fn));
}

EventLoop::TimerId GLibEventLoop::after(int milliseconds, Task fn) {
    return addTimer(milliseconds, false, std::move(fn));
}

EventLoop::TimerId GLibEventLoop::addTimer(int milliseconds, bool repeat, Task fn) {
    const TimerId id = nextId_++;
    auto* timer = new Timer{this, id, repeat, std::move(fn)};
    const guint interval = milliseconds > 0 ? static_cast<guint>(milliseconds) : 0u;
    sources_[id] = g_timeout_add_full(G_PRIORITY_DEFAULT, interval, &GLibEventLoop::onTimer, timer,
                                      [](gpointer data) { delete static_cast<Timer*>(data); });
    return id;
}

void GLibEventLoop::cancel(TimerId id) {
    const auto it = sources_.find(id);
    if (it == sources_.end()) return;
    // GLib keeps the timer's data alive until a running callback returns.
    g_source_remove(it->second);
    sources_.erase(it);
}

gboolean GLibEventLoop::onTimer(gpointer data) {
    auto* timer = static_cast<Timer*>(data);
    GLibEventLoop& loop = *timer->loop;
    const TimerId id = timer->id;
    {
        DepthGuard guard(loop.depth_);
        timer->fn();
    }
    const auto it = loop.sources_.find(id);
    if (it == loop.sources_.end()) return G_SOURCE_REMOVE;  // cancelled by its own callback
    if (timer->repeat) return G_SOURCE_CONTINUE;
    loop.sources_.erase(it);
    return G_SOURCE_REMOVE;
}

std::int64_t GLibEventLoop::now() const {
    constexpr gint64 MicrosecondsPerMillisecond = 1000;
    return (g_get_monotonic_time() - startMicroseconds_) / MicrosecondsPerMillisecond;
}

void GLibEventLoop::post(Task fn) {
    std::lock_guard lock(postMutex_);
    posted_.push_back(std::move(fn));
    if (postSource_ == 0)
        postSource_ = g_idle_add_full(PostPriority, &GLibEventLoop::onPosted, this, nullptr);
}

gboolean GLibEventLoop::onPosted(gpointer data) {
    static_cast<GLibEventLoop*>(data)->runPosted();
    return G_SOURCE_REMOVE;
}

void GLibEventLoop::runPosted() {
    std::deque<Task> batch;
    {
        std::lock_guard lock(postMutex_);
        batch.swap(posted_);
        postSource_ = 0;
    }
    DepthGuard guard(depth_);
    for (Task& task : batch) task();
}

}  // namespace vornix::app
