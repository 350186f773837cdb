#include "ui/block_navigation.hpp"

namespace vornix::ui {

bool usesMidFilter(int ampModel) {
    return ampModel == 0 || (ampModel >= 3 && ampModel <= 9);
}

Reselection afterPresetApplied(int currentBlock, int ampModel) {
    if (currentBlock == block::PunchFilter || currentBlock == block::MidFilter) {
        const bool mid = usesMidFilter(ampModel);
        return {mid ? block::MidFilter : block::PunchFilter, mid ? MidBand::Mid : MidBand::Punch};
    }
    if (currentBlock == block::Amplifier) return {block::Amplifier, MidBand::Unchanged};
    return {};
}

int blockForIrChange(int currentBlock, bool byUser) {
    return byUser && currentBlock != block::ImpulseResponse ? block::ImpulseResponse : block::None;
}

}  // namespace vornix::ui
