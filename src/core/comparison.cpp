#include "core/comparison.hpp"

#include "device/sysex.hpp"

namespace vornix {

void Comparison::choose(Other other) {
    other_ = std::move(other);
    changed();
}

bool Comparison::toggle() {
    if (!other_ || !target_.online()) return false;
    if (playingB_)
        returnToA();
    else
        playB();
    return true;
}

void Comparison::playB() {
    if (!other_ || !target_.online()) return;
    link_.send(sysex::blockMessage(sysex::cmd::EditBuffer,
                                   static_cast<std::uint8_t>(target_.currentPreset()),
                                   other_->record));
    playingB_ = true;
    changed();
}

void Comparison::returnToA() {
    if (!playingB_) return;
    // sendPreset reports back through editSent.
    target_.sendPreset();
}

void Comparison::editSent() {
    if (!playingB_) return;
    playingB_ = false;
    changed();
}

void Comparison::end(bool restoreA) {
    if (!other_ && !playingB_) return;
    if (restoreA && target_.online()) returnToA();
    playingB_ = false;
    other_.reset();
    changed();
}

std::string Comparison::buttonText() const {
    return playingB_ && other_ ? "B: " + other_->label : "COMPARE";
}

void Comparison::onlineChanged(bool online) {
    if (!online) end(false);
}

void Comparison::changed() {
    link_.events().emit(&SoundEvents::comparisonChanged);
}

}  // namespace vornix
