#include "core/faceplate.hpp"

#include "device/preset_record.hpp"

namespace vornix {

bool Faceplate::held(FaceSwitch which) const {
    switch (which) {
        case FaceSwitch::Save:
            return saveHeld_;
        case FaceSwitch::Down:
            return downHeld_;
        case FaceSwitch::Centre:
            return centreHeld_;
        case FaceSwitch::Up:
            return upHeld_;
        case FaceSwitch::LayerB:
            return layerHeld_;
    }
    return false;
}

// ---- press and release ----------------------------------------------------------------

void Faceplate::press(FaceSwitch which) {
    switch (which) {
        case FaceSwitch::Up:
        case FaceSwitch::Down: {
            bool& held = which == FaceSwitch::Up ? upHeld_ : downHeld_;
            if (held) return;
            held = true;
            repeatCounter_ = -RepeatDelayTicks;
            step(which == FaceSwitch::Up ? 1 : -1);
            // A blinking readout may be dark just now.
            showReadout(true);
            break;
        }
        case FaceSwitch::Save:
            saveHeld_ = true;
            break;
        case FaceSwitch::Centre:
            centreHeld_ = true;
            break;
        case FaceSwitch::LayerB:
            // The device's switch acts when it goes down, not when it comes up.
            if (layerHeld_) return;
            layerHeld_ = true;
            target_.toggleLayerB();
            break;
    }
}

void Faceplate::release(FaceSwitch which) {
    switch (which) {
        case FaceSwitch::Up:
        case FaceSwitch::Down: {
            bool& held = which == FaceSwitch::Up ? upHeld_ : downHeld_;
            if (!held) return;
            held = false;
            // However far it stepped, one select for where it stopped; while
            // a store or recall waits, the number is only being chosen.
            if (target_.online() && !savePending_ && !recallPending_)
                target_.selectPreset(target_.currentPreset());
            break;
        }
        case FaceSwitch::Save:
            saveHeld_ = false;
            releaseSave();
            break;
        case FaceSwitch::Centre:
            centreHeld_ = false;
            releaseCentre();
            break;
        case FaceSwitch::LayerB:
            layerHeld_ = false;
            break;
    }
}

// The first release arms the store; the second sends it. The readout keeps
// blinking until the commit cycles have run.
void Faceplate::releaseSave() {
    if (!savePending_) {
        savePending_ = true;
        return;
    }
    if (target_.online()) {
        storeInto(target_.currentPreset());
    } else {
        showReadout(true);
        savePending_ = false;
    }
}

void Faceplate::storeInto(int slot) {
    showReadout(true);
    target_.storePreset(slot);
    commitCounter_ = 0;
    committing_ = true;
}

void Faceplate::releaseCentre() {
    if (!recallPending_) {
        recallPending_ = true;
        return;
    }
    showReadout(true);
    if (target_.online()) {
        target_.selectPreset(target_.currentPreset());
        commitCounter_ = 0;
    }
    recallPending_ = false;
}

// ---- the number ---------------------------------------------------------------------

void Faceplate::step(int by) {
    target_.stepCurrentPreset((target_.currentPreset() + by + NumPresets) % NumPresets);
    showNumber();
}

void Faceplate::showNumber() {
    link_.events().emit(&SoundEvents::presetNumberShown,
                        target_.currentPreset() + target_.intValue(param::PatchOffset));
}

void Faceplate::showReadout(bool shown) {
    link_.events().emit(&SoundEvents::readoutShown, shown);
}

// ---- the idle tick --------------------------------------------------------------------

void Faceplate::tick() {
    repeatTick(upHeld_, 1);
    repeatTick(downHeld_, -1);
    if (savePending_)
        blinkTick(SaveCycleTicks, SaveDarkAt, savePending_);
    else if (recallPending_)
        blinkTick(RecallCycleTicks, RecallDarkAt, recallPending_);
}

// The first repeat comes 24 ticks after the press, then one every 4 ticks,
// then one every tick.
void Faceplate::repeatTick(bool held, int by) {
    if (!held) return;
    const int n = ++repeatCounter_;
    if (n > 0 && (n > RepeatFastAfter || n % RepeatSlowTicks == 0)) step(by);
}

// The readout stays lit while a footswitch is held, so the number can be read
// as it is stepped.
void Faceplate::blinkTick(int cycle, int darkAt, bool& pending) {
    const bool stepping = upHeld_ || downHeld_;
    if (blinkPhase_ == darkAt && !stepping) showReadout(false);
    if (blinkPhase_ == 0 && !stepping) {
        showReadout(true);
        if (committing_ && ++commitCounter_ > CommitCycles) {
            pending = false;
            committing_ = false;
            commitCounter_ = 0;
        }
    }
    if (++blinkPhase_ >= cycle) blinkPhase_ = 0;
}

}  // namespace vornix
