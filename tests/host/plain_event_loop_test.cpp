#include "host/plain_event_loop.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace vornix::host {
namespace {

TEST(PlainEventLoop, RunsTimersInDueOrderAndSameTimeInCreationOrder) {
    PlainEventLoop loop;
    std::string order;
    loop.after(30, [&] { order += 'c'; });
    loop.after(10, [&] { order += 'a'; });
    loop.after(10, [&] { order += 'b'; });
    loop.post([&] { order += 'p'; });
    EXPECT_TRUE(loop.runUntil([&] { return order.size() == 4; }, 2000));
    EXPECT_EQ(order, "pabc");
}

TEST(PlainEventLoop, PeriodicTimerRepeatsUntilCancelledFromItself) {
    PlainEventLoop loop;
    int ticks = 0;
    EventLoop::TimerId id = 0;
    id = loop.every(1, [&] {
        if (++ticks == 3) loop.cancel(id);
    });
    loop.after(50, [&] { loop.quit(); });
    loop.run();
    EXPECT_EQ(ticks, 3);
}

TEST(PlainEventLoop, CancelledTimerNeverRuns) {
    PlainEventLoop loop;
    bool ran = false;
    const auto id = loop.after(5, [&] { ran = true; });
    loop.cancel(id);
    EXPECT_FALSE(loop.runUntil([&] { return ran; }, 30));
}

TEST(PlainEventLoop, RunUntilReportsTimeout) {
    PlainEventLoop loop;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(loop.runUntil([] { return false; }, 40));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
}

TEST(PlainEventLoop, PostAndQuitFromAnotherThreadWakeTheLoop) {
    PlainEventLoop loop;
    int posted = 0;
    std::thread other([&] {
        loop.post([&] { ++posted; });
        loop.quit();
    });
    loop.run();  // would block forever if the wake-ups were lost
    other.join();
    // Quit may overtake the post, but run() must return either way.
    EXPECT_LE(posted, 1);
}

TEST(PlainEventLoop, RunCanBeStartedAgainAfterQuit) {
    PlainEventLoop loop;
    loop.post([&] { loop.quit(); });
    loop.run();
    bool ran = false;
    loop.post([&] { ran = true; });
    EXPECT_TRUE(loop.runUntil([&] { return ran; }, 1000));
}

}  // namespace
}  // namespace vornix::host
