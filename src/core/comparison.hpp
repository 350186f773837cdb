#pragma once
// A/B: the pedal plays either the sound being edited (A) or another preset
// (B: the stored preset of the same number, another slot, a preset file or a
// slot of a bank file), switched by the whole preset (0x20) and never by a
// store. The editor's sound stays A throughout, so switching leaves the edit
// and its modified state exactly as they were.
//
// B plays with the user IRs the pedal holds: B's own are never uploaded, as
// that would change every other preset that plays those IR slots. Where the
// pedal's IR in a slot B plays is not the one B names, `irNote` says so.
#include <optional>
#include <string>

#include "core/editor_events.hpp"
#include "core/link.hpp"
#include "core/preset_text.hpp"

namespace vornix {

class Comparison : public LinkEvents {
  public:
    class Target {
      public:
        virtual bool online() const = 0;
        virtual int currentPreset() const = 0;
        // The sound being edited as the device's edit buffer (0x20).
        virtual void sendPreset() = 0;

      protected:
        ~Target() = default;
    };

    struct Other {
        sysex::PresetRecord record{};
        PresetSnapshot preset;
        std::string label;   // "STORED", "SLOT 12", "FILE"
        std::string irNote;  // empty when B plays the IRs it names
    };

    Comparison(Link& link, Target& target) : link_(link), target_(target) {}

    // B is picked (it does not play yet).
    void choose(Other other);
    bool chosen() const { return other_.has_value(); }
    const std::optional<Other>& other() const { return other_; }
    bool playingB() const { return playingB_; }
    // Switches to the side that is not playing; false when offline or no B was picked.
    bool toggle();
    void playB();
    // A gesture while B plays: the edit goes back out first.
    void returnToA();
    // A recall, a store, a transfer or the device gone: the comparison ends;
    // A is sent back when `restoreA` and B was playing.
    void end(bool restoreA);
    // The whole edit went out by another way (a voicing, an undo, a file).
    void editSent();

    // "COMPARE", or "B: STORED" and the like while B plays.
    std::string buttonText() const;

    void onlineChanged(bool online) override;

  private:
    void changed();

    Link& link_;
    Target& target_;
    std::optional<Other> other_;
    bool playingB_ = false;
};

}  // namespace vornix
