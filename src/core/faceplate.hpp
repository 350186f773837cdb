#pragma once
// The faceplate's switches, played as the device's own are: the up and down
// footswitches step the preset number (held, they repeat on the idle tick)
// and select it on release; SAVE twice stores into the number shown, the
// centre footswitch twice recalls it; the layer-B switch flips the knobs'
// second functions. The readout blinks while a store or recall waits for its
// second press and through the store's commit cycles.
//
// The state lives in the editor, not the window: it survives closing and
// reopening the window, and the window only hears what the readout shows.
#include "core/link.hpp"

namespace vornix {

enum class FaceSwitch { Save, Down, Centre, Up, LayerB };

class Faceplate {
  public:
    // What the switches need of the editor.
    class Target {
      public:
        virtual bool online() const = 0;
        virtual int intValue(int index) const = 0;
        virtual int currentPreset() const = 0;
        // The number moved by a footswitch: the sound is no longer taken
        // for modified.
        virtual void stepCurrentPreset(int slot) = 0;
        virtual void selectPreset(int slot) = 0;
        virtual void storePreset(int slot) = 0;
        // Flips layer B and tells the device, online or not.
        virtual void toggleLayerB() = 0;

      protected:
        ~Target() = default;
    };

    // A footswitch held this many ticks repeats for the first time (the
    // counter starts below zero and repeats from above it).
    static constexpr int RepeatDelayTicks = 20;
    // Until the counter passes this, a repeat every RepeatSlowTicks; then every tick.
    static constexpr int RepeatFastAfter = 20;
    static constexpr int RepeatSlowTicks = 4;
    // Blink cycles of a pending store, a pending recall, and the tick of the
    // cycle at which the readout goes dark.
    static constexpr int SaveCycleTicks = 8;
    static constexpr int SaveDarkAt = 2;
    static constexpr int RecallCycleTicks = 16;
    static constexpr int RecallDarkAt = 4;
    // Blink cycles after a store was sent before the blinking ends.
    static constexpr int CommitCycles = 10;

    Faceplate(Link& link, Target& target) : link_(link), target_(target) {}

    void press(FaceSwitch which);
    void release(FaceSwitch which);
    // The 20 ms idle tick: auto-repeat, then the readout blinking.
    void tick();
    // The second SAVE given by a click on a preset row: stores into that
    // row, online, with the commit blinking of the switch.
    void storeInto(int slot);

    bool savePending() const { return savePending_; }
    bool recallPending() const { return recallPending_; }
    bool held(FaceSwitch which) const;

  private:
    void step(int by);
    void showNumber();
    void showReadout(bool shown);
    void repeatTick(bool held, int by);
    void blinkTick(int cycle, int darkAt, bool& pending);
    void releaseSave();
    void releaseCentre();

    Link& link_;
    Target& target_;
    bool saveHeld_ = false;
    bool upHeld_ = false;
    bool downHeld_ = false;
    bool centreHeld_ = false;
    bool layerHeld_ = false;
    bool savePending_ = false;
    bool recallPending_ = false;
    int repeatCounter_ = 0;
    int blinkPhase_ = 0;
    int commitCounter_ = 0;
    bool committing_ = false;
};

}  // namespace vornix
