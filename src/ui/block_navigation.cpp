#include "ui/block_navigation.hpp"

#include "device/preset_record.hpp"

namespace vornix::ui {

bool usesPunchFilter(int ampModel) {
    return ampModel == 1 || ampModel == 2 || ampModel == 11 || ampModel == 12;
}

bool hasDelayTime(int ambienceType) {
    return ambienceType == 5 || ambienceType == 6;
}

int blockOfParameter(ParamIndex index, bool punchMode) {
    switch (index) {
        case param::Level:
            return block::GateAndLevel;
        case param::Gain:
        case param::Crunch:
        case param::Drive:
            return block::Amplifier;
        case param::Low:
        case param::LowFreq:
            return block::LowFilter;
        case param::Punch:
        case param::PunchFreq:
        case param::PunchQ:
            return punchMode ? block::PunchFilter : block::None;
        case param::Mid:
            return punchMode ? block::None : block::MidFilter;
        case param::MidShift:
        case param::MidQ:
            return block::MidFilter;
        case param::High:
        case param::HighQ:
        case param::HighFreq:
            return block::HighFilter;
        case param::Reverb:
            return block::Ambience;
        case param::Dynamics:
        case param::CompressorRatio:
            return block::Compressor;
        case param::AnalogSim:
            return block::AnalogSim;
        case param::AutoFilterLevel:
        case param::AutoFilterAttack:
        case param::AutoFilterRelease:
            return block::AutoFilter;
        case param::ChorusLevel:
            return block::Chorus;
        case param::GraphPanel:
            return block::ImpulseResponse;
        default:
            return block::None;
    }
}

Band bandOfParameter(ParamIndex index, bool punchMode) {
    switch (index) {
        case param::Punch:
        case param::PunchFreq:
        case param::PunchQ:
            return punchMode ? Band::Punch : Band::None;
        case param::Mid:
            return punchMode ? Band::None : Band::Mid;
        case param::MidShift:
        case param::MidQ:
            return Band::Mid;
        case param::High:
        case param::HighQ:
        case param::HighFreq:
            return Band::High;
        default:
            return Band::None;
    }
}

int blockAfterPresetApplied(int currentBlock, int ampModel) {
    // Only the recognised mid-filter models bring the mid band back; a preset
    // that matches no model shows the punch band.
    if (currentBlock == block::PunchFilter || currentBlock == block::MidFilter) {
        const bool mid = ampModel == 0 || (ampModel >= 3 && ampModel <= 9);
        return mid ? block::MidFilter : block::PunchFilter;
    }
    return currentBlock == block::Amplifier ? block::Amplifier : block::None;
}

int blockForIrChange(int currentBlock, bool byUser) {
    return byUser && currentBlock != block::ImpulseResponse ? block::ImpulseResponse : block::None;
}

}  // namespace vornix::ui
