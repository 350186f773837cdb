// Which block page the editor's reports bring up.
#include <gtest/gtest.h>

#include "ui/block_navigation.hpp"

namespace vornix::ui {
namespace {

TEST(BlockNavigation, APresetFromTheDeviceMovesOnlyThePagesThatShowTheModel) {
    struct Case {
        int currentBlock;
        int ampModel;
        int block;
        Band band;
    };
    const Case cases[] = {
        {block::MidFilter, 1, block::PunchFilter, Band::Punch},
        {block::MidFilter, 12, block::PunchFilter, Band::Punch},
        {block::PunchFilter, 0, block::MidFilter, Band::Mid},
        {block::PunchFilter, 9, block::MidFilter, Band::Mid},
        {block::PunchFilter, 2, block::PunchFilter, Band::Punch},
        {block::Amplifier, 4, block::Amplifier, Band::None},
        {block::Ambience, 4, block::None, Band::None},
        {block::Compressor, 1, block::None, Band::None},
        {block::None, 3, block::None, Band::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "block " << c.currentBlock << " model " << c.ampModel);
        const Reselection page = afterPresetApplied(c.currentBlock, c.ampModel);
        EXPECT_EQ(page.block, c.block);
        EXPECT_EQ(page.band, c.band);
    }
}

TEST(BlockNavigation, OnlyTheUsersChoiceOfAnIrBringsTheIrPage) {
    EXPECT_EQ(blockForIrChange(block::Compressor, true), block::ImpulseResponse);
    EXPECT_EQ(blockForIrChange(block::Compressor, false), block::None);
    EXPECT_EQ(blockForIrChange(block::ImpulseResponse, true), block::None);
}

}  // namespace
}  // namespace vornix::ui
