// DeviceConnection and the in-process transports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/sysex.hpp"
#include "framework/virtual_event_loop.hpp"
#include "host/device_connection.hpp"
#include "host/plain_event_loop.hpp"
#include "host/simulator_port.hpp"
#include "host/stdio_port.hpp"
#include "host/tracing_port.hpp"

namespace vornix::host {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A port whose "device" side the test drives by hand.
class FakePort : public MidiPort {
  public:
    bool send(std::span<const std::uint8_t> m) override {
        sent.emplace_back(m.begin(), m.end());
        return true;
    }
    void setReceiver(Receiver r) override { receiver = std::move(r); }
    void arrive(const Bytes& m) {
        if (receiver) receiver(m);
    }
    Receiver receiver;
    std::vector<Bytes> sent;
};

Bytes sysExTagged(std::uint8_t tag) {
    return {0xF0, 0x00, 0x51, 0x21, tag, 0xF7};
}

TEST(DeviceConnection, DeliversOnTheLoopInArrivalOrderWithOneDrainPerBurst) {
    VirtualEventLoop loop;
    FakePort port;
    std::vector<std::uint8_t> tags;
    DeviceConnection connection(loop, port, [&](auto m) { tags.push_back(m[4]); });
    for (std::uint8_t tag = 1; tag <= 5; ++tag) port.arrive(sysExTagged(tag));
    EXPECT_TRUE(tags.empty());  // nothing inside the port's callback
    loop.runPosted();
    EXPECT_EQ(tags, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
}

TEST(DeviceConnection, NeverDeliversReentrantly) {
    VirtualEventLoop loop;
    FakePort port;
    int depth = 0;
    int maxDepth = 0;
    std::vector<std::uint8_t> tags;
    DeviceConnection connection(loop, port, [&](std::span<const std::uint8_t> m) {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        tags.push_back(m[4]);
        if (m[4] == 1) {
            // A handler that runs a nested loop (a modal box) while more arrives.
            port.arrive(sysExTagged(2));
            loop.runPosted();
            port.arrive(sysExTagged(3));
            loop.runPosted();
        }
        --depth;
    });
    port.arrive(sysExTagged(1));
    loop.runPosted();
    loop.runPosted();
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(tags, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(DeviceConnection, NeverDeliversOversizedSysExAndCountsIt) {
    VirtualEventLoop loop;
    FakePort port;
    std::vector<std::size_t> sizes;
    DeviceConnection connection(loop, port, [&](auto m) { sizes.push_back(m.size()); });
    Bytes big(513, 0x01);
    big.front() = 0xF0;
    big.back() = 0xF7;
    port.arrive(big);
    big.resize(512);
    big.back() = 0xF7;
    port.arrive(big);
    loop.runPosted();
    EXPECT_EQ(sizes, (std::vector<std::size_t>{512}));
    EXPECT_EQ(connection.dropped(), 1u);
}

TEST(DeviceConnection, PendingDrainAfterDestructionDoesNothing) {
    VirtualEventLoop loop;
    FakePort port;
    int delivered = 0;
    {
        DeviceConnection connection(loop, port, [&](auto) { ++delivered; });
        port.arrive(sysExTagged(1));
    }
    EXPECT_FALSE(port.receiver);
    loop.runPosted();
    EXPECT_EQ(delivered, 0);
}

// A port that receives on a thread of its own, as RtMidi's input does: the
// receiver is called under a lock that setReceiver also takes.
class ThreadedPort : public MidiPort {
  public:
    ~ThreadedPort() override { join(); }
    bool send(std::span<const std::uint8_t>) override { return true; }
    void setReceiver(Receiver r) override {
        std::lock_guard lock(mutex_);
        receiver_ = std::move(r);
    }
    // Messages tagged 0 .. count-1 (modulo 128), as fast as they can go.
    void start(int count) {
        thread_ = std::thread([this, count] {
            for (int i = 0; i < count; ++i) {
                std::lock_guard lock(mutex_);
                if (receiver_) receiver_(sysExTagged(static_cast<std::uint8_t>(i & 0x7F)));
            }
        });
    }
    void join() {
        if (thread_.joinable()) thread_.join();
    }

  private:
    std::mutex mutex_;
    Receiver receiver_;
    std::thread thread_;
};

TEST(DeviceConnection, HandsMessagesFromTheInputThreadToTheLoopThreadInOrder) {
    PlainEventLoop loop;
    ThreadedPort port;
    // Fewer than the ring holds: the loop may fall behind without a drop.
    constexpr int Count = 200;
    std::vector<std::uint8_t> tags;
    bool onLoopThread = true;
    const auto loopThread = std::this_thread::get_id();
    DeviceConnection connection(loop, port, [&](std::span<const std::uint8_t> m) {
        onLoopThread = onLoopThread && std::this_thread::get_id() == loopThread;
        tags.push_back(m[4]);
    });
    port.start(Count);
    ASSERT_TRUE(loop.runUntil([&] { return tags.size() == Count; }, 5000));
    port.join();
    EXPECT_TRUE(onLoopThread);
    EXPECT_EQ(connection.dropped(), 0u);
    for (int i = 0; i < Count; ++i) ASSERT_EQ(tags[i], i & 0x7F) << i;
}

TEST(DeviceConnection, GoesAwayWhileTheInputThreadIsStillReceiving) {
    PlainEventLoop loop;
    ThreadedPort port;
    int delivered = 0;
    auto connection = std::make_unique<DeviceConnection>(loop, port, [&](auto) { ++delivered; });
    port.start(5000);
    loop.runUntil([&] { return delivered > 0; }, 5000);
    connection.reset();
    const int atDestruction = delivered;
    port.join();
    loop.runUntil([] { return false; }, 20);  // drains posted before the destruction
    EXPECT_EQ(delivered, atDestruction);
}

TEST(SimulatorPort, RepliesArriveThroughTheLoopNotInsideSend) {
    VirtualEventLoop loop;
    sim::Pedal pedal;
    SimulatorPort port(loop, pedal);
    std::vector<Bytes> replies;
    port.setReceiver([&](auto m) { replies.emplace_back(m.begin(), m.end()); });
    EXPECT_TRUE(port.send(sysex::requestPage(sysex::page::Identify)));
    EXPECT_TRUE(replies.empty());
    loop.runPosted();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0], sysex::identificationReply(13, "VX1-000417"));
}

TEST(SimulatorPort, LatencyAndPedalDelaysPostponeReplies) {
    VirtualEventLoop loop;
    sim::Pedal pedal;
    pedal.faults().delayReply(sysex::cmd::PresetDump, 1, 100);
    SimulatorPort port(loop, pedal, 5);
    int replies = 0;
    port.setReceiver([&](auto) { ++replies; });
    port.send(sysex::requestPreset(3));
    loop.advance(104);
    EXPECT_EQ(replies, 0);
    loop.advance(1);
    EXPECT_EQ(replies, 1);
}

TEST(SimulatorPort, RepliesScheduledBeforeDestructionAreDiscarded) {
    VirtualEventLoop loop;
    sim::Pedal pedal;
    int replies = 0;
    {
        SimulatorPort port(loop, pedal, 10);
        port.setReceiver([&](auto) { ++replies; });
        port.send(sysex::requestPage(sysex::page::Identify));
    }
    loop.advance(50);
    pedal.receive(sysex::requestPage(sysex::page::Identify));  // emitter detached
    loop.advance(50);
    EXPECT_EQ(replies, 0);
}

TEST(TracingPort, LogsSentAndReceivedMessagesAsHexLines) {
    FakePort inner;
    std::ostringstream log;
    TracingPort port(inner, log);
    Bytes received;
    port.setReceiver([&](auto m) { received.assign(m.begin(), m.end()); });
    EXPECT_TRUE(port.send(Bytes{0xF0, 0x0a, 0xF7}));
    inner.arrive(Bytes{0xF0, 0x7F, 0xF7});
    EXPECT_EQ(log.str(), "> F0 0A F7\n< F0 7F F7\n");
    EXPECT_EQ(inner.sent.size(), 1u);
    EXPECT_EQ(received, (Bytes{0xF0, 0x7F, 0xF7}));
}

class StdioTransport : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(::pipe(fds_), 0); }
    void TearDown() override {
        closeWriter();
        ::close(fds_[0]);
    }
    void write(const std::string& text) {
        ASSERT_EQ(::write(fds_[1], text.data(), text.size()), ssize_t(text.size()));
    }
    void closeWriter() {
        if (fds_[1] >= 0) ::close(fds_[1]);
        fds_[1] = -1;
    }
    int readFd() const { return fds_[0]; }

  private:
    int fds_[2] = {-1, -1};
};

TEST_F(StdioTransport, WritesOneUpperCaseHexLinePerMessage) {
    PlainEventLoop loop;
    std::ostringstream out, errors;
    StdioPort port(loop, out, readFd(), errors);
    EXPECT_TRUE(port.send(Bytes{0xF0, 0x00, 0x51, 0xab, 0xF7}));
    EXPECT_TRUE(port.send(Bytes{0xF0, 0xF7}));
    EXPECT_EQ(out.str(), "F0 00 51 AB F7\nF0 F7\n");
}

TEST_F(StdioTransport, ReadsMessagesSkipsCommentsAndReportsBadLinesThenEnds) {
    PlainEventLoop loop;
    std::ostringstream out, errors;
    StdioPort port(loop, out, readFd(), errors);
    std::vector<Bytes> received;
    bool ended = false;
    std::mutex mutex;
    port.setReceiver([&](auto m) {
        std::lock_guard lock(mutex);
        received.emplace_back(m.begin(), m.end());
    });
    port.setOnEndOfInput([&] { ended = true; });
    write("# a peer\n\nf0 7f f7\r\nF0 zz F7\n  F0 01 F7  \nF0 02");
    write(" F7");  // a line split across reads
    closeWriter();
    ASSERT_TRUE(loop.runUntil([&] { return ended; }, 5000));
    std::lock_guard lock(mutex);
    EXPECT_EQ(received,
              (std::vector<Bytes>{{0xF0, 0x7F, 0xF7}, {0xF0, 0x01, 0xF7}, {0xF0, 0x02, 0xF7}}));
    EXPECT_EQ(errors.str(), "input line 4 is not hex bytes, skipped\n");
}

// A peer that answers at once, or a file given as input, is read before the
// editor listens: its lines and its end once went nowhere, and the command
// waited for a device that had already answered.
TEST_F(StdioTransport, InputThatArrivesBeforeAnyoneListensIsKept) {
    PlainEventLoop loop;
    std::ostringstream out, errors;
    write("F0 01 F7\nF0 02 F7\n");
    closeWriter();
    StdioPort port(loop, out, readFd(), errors);
    loop.runUntil([] { return false; }, 200);  // the reader is done by now
    std::vector<Bytes> received;
    bool ended = false;
    port.setReceiver([&](auto m) { received.emplace_back(m.begin(), m.end()); });
    port.setOnEndOfInput([&] { ended = true; });
    ASSERT_TRUE(loop.runUntil([&] { return ended; }, 5000));
    EXPECT_EQ(received, (std::vector<Bytes>{{0xF0, 0x01, 0xF7}, {0xF0, 0x02, 0xF7}}));
}

TEST_F(StdioTransport, DestructionDoesNotWaitForInput) {
    PlainEventLoop loop;
    std::ostringstream out, errors;
    auto port = std::make_unique<StdioPort>(loop, out, readFd(), errors);
    port.reset();  // the writer is still open: a blocking read would hang here
    SUCCEED();
}

}  // namespace
}  // namespace vornix::host
