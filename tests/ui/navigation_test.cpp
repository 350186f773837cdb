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
        MidBand band;
    };
    const Case cases[] = {
        {block::MidFilter, 1, block::PunchFilter, MidBand::Punch},
        {block::MidFilter, 12, block::PunchFilter, MidBand::Punch},
        {block::PunchFilter, 0, block::MidFilter, MidBand::Mid},
        {block::PunchFilter, 9, block::MidFilter, MidBand::Mid},
        {block::PunchFilter, 2, block::PunchFilter, MidBand::Punch},
        {block::Amplifier, 4, block::Amplifier, MidBand::Unchanged},
        {block::Ambience, 4, block::None, MidBand::Unchanged},
        {block::Compressor, 1, block::None, MidBand::Unchanged},
        {block::None, 3, block::None, MidBand::Unchanged},
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
