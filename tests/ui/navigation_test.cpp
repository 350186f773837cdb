// Which block page the editor's reports bring up.
#include <gtest/gtest.h>

#include "device/preset_record.hpp"
#include "ui/block_navigation.hpp"

namespace vornix::ui {
namespace {

TEST(BlockNavigation, APresetFromTheDeviceMovesOnlyThePagesThatShowTheModel) {
    struct Case {
        int currentBlock;
        int ampModel;
        int block;
    };
    const Case cases[] = {
        {block::MidFilter, 1, block::PunchFilter},  {block::MidFilter, 12, block::PunchFilter},
        {block::MidFilter, 10, block::PunchFilter}, {block::PunchFilter, 0, block::MidFilter},
        {block::PunchFilter, 9, block::MidFilter},  {block::PunchFilter, 2, block::PunchFilter},
        {block::Amplifier, 4, block::Amplifier},    {block::Ambience, 4, block::None},
        {block::Compressor, 1, block::None},        {block::None, 3, block::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(blockAfterPresetApplied(c.currentBlock, c.ampModel), c.block)
            << "block " << c.currentBlock << " model " << c.ampModel;
}

// The punch filter is the mid band only while its model plays: Mid itself
// then brings up nothing and changes no text.
TEST(BlockNavigation, TheMidBandFollowsThePunchMode) {
    EXPECT_EQ(blockOfParameter(param::Mid, false), block::MidFilter);
    EXPECT_EQ(blockOfParameter(param::Mid, true), block::None);
    EXPECT_EQ(bandOfParameter(param::Mid, true), Band::None);
    EXPECT_EQ(blockOfParameter(param::Punch, false), block::None);
    EXPECT_EQ(blockOfParameter(param::PunchQ, true), block::PunchFilter);
    EXPECT_EQ(bandOfParameter(param::MidShift, true), Band::Mid);
    EXPECT_EQ(blockOfParameter(param::MidShift, true), block::MidFilter);
    // Gate, its ratio and release show their texts without bringing up a page.
    EXPECT_EQ(blockOfParameter(param::Gate, false), block::None);
    EXPECT_EQ(blockOfParameter(param::GraphPanel, false), block::ImpulseResponse);
}

TEST(BlockNavigation, OnlyTheUsersChoiceOfAnIrBringsTheIrPage) {
    EXPECT_EQ(blockForIrChange(block::Compressor, true), block::ImpulseResponse);
    EXPECT_EQ(blockForIrChange(block::Compressor, false), block::None);
    EXPECT_EQ(blockForIrChange(block::ImpulseResponse, true), block::None);
}

}  // namespace
}  // namespace vornix::ui
