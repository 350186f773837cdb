#include "ui/block_panel.hpp"

#include <span>
#include <vector>

#include "ui/registry.hpp"

namespace vornix::ui {

namespace {

struct BlockView {
    int block;
    std::array<const char*, 2> groups;  // nullptr: none
    bool dynamicsGraph;
};

constexpr BlockView Blocks[] = {
    {block::Compressor, {group::CompressorFrame, group::Compressor}, true},
    {block::Ambience, {group::Ambience, nullptr}, false},
    {block::ImpulseResponse, {group::ImpulseResponse, nullptr}, false},
    {block::AnalogSim, {group::AnalogSim, nullptr}, false},
    {block::PunchFilter, {group::PunchFilter, nullptr}, false},
    {block::LowFilter, {group::LowFilter, nullptr}, false},
    {block::MidFilter, {group::MidFilter, nullptr}, false},
    {block::HighFilter, {group::HighFilter, nullptr}, false},
    {block::Amplifier, {group::Amplifier, nullptr}, false},
    {block::GateAndLevel, {group::GateAndLevel, nullptr}, true},
    {block::AutoFilter, {group::AutoFilter, nullptr}, false},
    {block::Chorus, {group::Chorus, nullptr}, false},
};

const BlockView* viewOf(int block) {
    for (const BlockView& view : Blocks)
        if (view.block == block) return &view;
    return nullptr;
}

constexpr int NumAmpButtons = 10;
constexpr int NumAmbienceButtons = 7;

// The button lit for a recognised model; the two models close to 1 and 2
// (by Buzz) light theirs.
int buttonOfAmpModel(int model) {
    if (model == 11) return 1;
    if (model == 12) return 2;
    return model >= 0 && model < NumAmpButtons ? model : -1;
}

}  // namespace

const std::array<const char*, 13> BlockPageGroups{
    group::AnalogSim,    group::CompressorFrame, group::Compressor,   group::Ambience,
    group::AmbienceTime, group::Amplifier,       group::PunchFilter,  group::LowFilter,
    group::MidFilter,    group::HighFilter,      group::GateAndLevel, group::AutoFilter,
    group::Chorus};

void BlockPanel::hideBlockPages() {
    if (dynamicsGraph_) dynamicsGraph_->hide(true);
    for (const BlockView& view : Blocks)
        for (const char* name : view.groups)
            if (name) graphics_.hideGroup(name);
    graphics_.hideGroup(group::AmbienceTime);
    graphics_.hideGroup(group::IrDisplay);
}

void BlockPanel::selectBlock(int block) {
    const BlockView* view = viewOf(block);
    if (!view) return;
    hideBlockPages();
    currentBlock_ = block;
    if (dynamicsGraph_) dynamicsGraph_->hide(!view->dynamicsGraph);
    if (igraphics::IControl* invitation = graphics_.controlWithTag(tag::EditIrInvitation))
        invitation->hide(block == block::ImpulseResponse);
    for (const char* name : view->groups)
        if (name) graphics_.showGroup(name);
    if (!view->dynamicsGraph) graphics_.showGroup(group::IrDisplay);
}

void BlockPanel::bringUp(int block) {
    if (block != block::None && block != currentBlock_) selectBlock(block);
}

void BlockPanel::setButtons(ControlTag firstTag, int count, int lit) {
    for (int i = 0; i < count; ++i)
        if (igraphics::IControl* button = graphics_.controlWithTag(tag::nth(firstTag, i)))
            button->setValueFromEditor(i == lit ? 1.0 : 0.0);
}

void BlockPanel::selectAmpModel(int model) {
    litAmpButton_ = buttonOfAmpModel(model);
    punchMode_ = usesPunchFilter(model);
    setButtons(tag::AmpModelFirst, NumAmpButtons, litAmpButton_);
    showKnobLayer(layerB_);
    // Hidden and shown again so the page is redrawn with the new button states.
    if (currentBlock_ == block::Amplifier) {
        graphics_.hideGroup(group::Amplifier);
        graphics_.showGroup(group::Amplifier);
    }
}

void BlockPanel::selectAmbienceType(int type) {
    litAmbienceButton_ = type >= 0 && type < NumAmbienceButtons ? type : -1;
    setButtons(tag::AmbienceTypeFirst, NumAmbienceButtons, litAmbienceButton_);
    const bool onShow = currentBlock_ == block::Ambience;
    if (hasDelayTime(type)) {
        if (!onShow) return;
        graphics_.showGroup(group::AmbienceTime);
    } else {
        graphics_.hideGroup(group::AmbienceTime);
    }
    if (!onShow) return;
    for (int i = 0; i < NumAmbienceButtons; ++i)
        if (igraphics::IControl* button = graphics_.controlWithTag(tag::ambienceTypeButton(i))) {
            button->hide(true);
            button->hide(false);
        }
}

void BlockPanel::relightButtons() {
    setButtons(tag::AmpModelFirst, NumAmpButtons, litAmpButton_);
    setButtons(tag::AmbienceTypeFirst, NumAmbienceButtons, litAmbienceButton_);
}

void BlockPanel::showKnobLayer(bool layerB) {
    layerB_ = layerB;
    for (const char* name : group::KnobLayers) graphics_.hideGroup(name);
    graphics_.showGroup(layerB ? group::KnobsB : group::KnobsA);
    if (punchMode_)
        graphics_.showGroup(layerB ? group::PunchKnobsB : group::PunchKnobsA);
    else
        graphics_.showGroup(layerB ? group::MidKnobsB : group::MidKnobsA);
}

}  // namespace vornix::ui
