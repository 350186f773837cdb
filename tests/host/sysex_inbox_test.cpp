#include "host/sysex_inbox.hpp"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace vornix::host {
namespace {

std::vector<std::uint8_t> sysExOf(std::size_t size, std::uint8_t tag) {
    std::vector<std::uint8_t> message(size, tag);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

std::vector<std::vector<std::uint8_t>> drainAll(SysExInbox& inbox) {
    std::vector<std::vector<std::uint8_t>> out;
    inbox.drain([&](std::span<const std::uint8_t> m) { out.emplace_back(m.begin(), m.end()); });
    return out;
}

TEST(SysExInbox, RoutesMessagesByLength) {
    SysExInbox inbox;
    const std::vector<std::uint8_t> clock{0xF8};
    const std::vector<std::uint8_t> note{0x90, 0x40};
    EXPECT_FALSE(inbox.push({}));
    EXPECT_TRUE(inbox.push(clock));
    EXPECT_TRUE(inbox.push(note));
    EXPECT_TRUE(inbox.push(sysExOf(4, 1)));
    EXPECT_TRUE(inbox.push(sysExOf(512, 2)));
    EXPECT_FALSE(inbox.push(sysExOf(513, 3)));

    std::vector<std::size_t> sizes;
    std::vector<ShortMessage> shorts;
    inbox.drain([&](std::span<const std::uint8_t> m) { sizes.push_back(m.size()); },
                [&](const ShortMessage& m) { shorts.push_back(m); });
    EXPECT_EQ(sizes, (std::vector<std::size_t>{4, 512}));
    ASSERT_EQ(shorts.size(), 2u);
    EXPECT_EQ(shorts[0].status, 0xF8);
    EXPECT_EQ(shorts[0].data1, 0);
    EXPECT_EQ(shorts[1].data1, 0x40);
    EXPECT_EQ(shorts[1].data2, 0);
    EXPECT_EQ(inbox.dropped(), 1u);
    EXPECT_EQ(inbox.droppedTooLong(), 1u);
    EXPECT_TRUE(inbox.empty());
}

TEST(SysExInbox, FullRingDropsNewMessagesAndCountsThem) {
    SysExInbox inbox;
    for (std::size_t i = 0; i < SysExInbox::SysExCapacity; ++i)
        ASSERT_TRUE(inbox.push(sysExOf(8, static_cast<std::uint8_t>(i & 0x7F))));
    EXPECT_FALSE(inbox.push(sysExOf(8, 0x55)));
    EXPECT_FALSE(inbox.push(sysExOf(8, 0x56)));
    EXPECT_EQ(inbox.dropped(), 2u);

    const auto received = drainAll(inbox);
    ASSERT_EQ(received.size(), SysExInbox::SysExCapacity);
    // The oldest messages are kept, the late ones lost.
    EXPECT_EQ(received.back()[1], (SysExInbox::SysExCapacity - 1) & 0x7F);
    EXPECT_TRUE(inbox.push(sysExOf(8, 0x57)));  // room again once drained
}

TEST(SysExInbox, FullShortRingDropsAndCounts) {
    SysExInbox inbox;
    const std::vector<std::uint8_t> sensing{0xFE};
    for (std::size_t i = 0; i < SysExInbox::ShortCapacity; ++i) ASSERT_TRUE(inbox.push(sensing));
    EXPECT_FALSE(inbox.push(sensing));
    EXPECT_EQ(inbox.dropped(), 1u);
}

TEST(SysExInbox, DeliversMessagesPushedWhileDraining) {
    SysExInbox inbox;
    inbox.push(sysExOf(6, 1));
    std::vector<std::uint8_t> tags;
    inbox.drain([&](std::span<const std::uint8_t> m) {
        tags.push_back(m[1]);
        if (m[1] == 1) inbox.push(sysExOf(6, 2));
    });
    EXPECT_EQ(tags, (std::vector<std::uint8_t>{1, 2}));
}

TEST(SysExInbox, KeepsOrderAndContentAcrossThreads) {
    SysExInbox inbox;
    constexpr int Count = 20000;
    std::thread producer([&] {
        for (int i = 0; i < Count;) {
            auto message = sysExOf(4 + i % 300, static_cast<std::uint8_t>(i & 0x7F));
            if (inbox.push(message))
                ++i;
            else
                std::this_thread::yield();
        }
    });
    int expected = 0;
    bool intact = true;
    while (expected < Count) {
        inbox.drain([&](std::span<const std::uint8_t> m) {
            const auto tag = static_cast<std::uint8_t>(expected & 0x7F);
            intact = intact && m.size() == std::size_t(4 + expected % 300) && m[1] == tag &&
                     m[m.size() - 2] == tag;
            ++expected;
        });
    }
    producer.join();
    EXPECT_TRUE(intact);
}

}  // namespace
}  // namespace vornix::host
