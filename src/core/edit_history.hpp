#pragma once
// The edit history: each gesture that changes the sound or the name of the
// preset being edited is one step, which Undo takes back and Redo makes
// again. Each preset number keeps its own history while the editor runs. A
// step goes back out as the gesture went: one parameter message when it
// changed one parameter, the whole preset when it changed several (a voicing)
// or the name.
//
// The history listens to the editor's events; the gestures say where a step
// begins and ends (a knob from press to release, a voicing, a committed
// name). A change that no gesture opened (a switch, a wheel notch, a cabinet
// row) is a step of its own. Changes from the device are no steps: they clear
// the redo list. A store is no step either: Undo goes on from the stored sound.
//
// A recall that throws away an unsaved edit keeps it: the latest three can
// be brought back, each with its history.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/editor_events.hpp"
#include "core/editor_roles.hpp"
#include "core/link.hpp"

namespace vornix {

// One parameter of the sound, before and after a step.
struct ParamChange {
    std::uint8_t index = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
};

struct ParamValue {
    int index = 0;
    int value = 0;
};

// What a gesture does, for the step's name and for which changes are its own.
enum class StepKind { Value, AmpModel, AmbienceType, Rename };

struct EditStep {
    std::string title;  // "Drive 26 % → 33 %"
    std::vector<ParamChange> changes;
    std::optional<std::string> nameBefore;  // set when the step renamed the preset
    std::string nameAfter;
    // A voicing, several values or the name: the whole preset goes out, as
    // it did for the gesture.
    bool wholePreset = false;
};

// The sound of a preset as the user left it when a recall replaced it.
struct AbandonedEdit {
    int slot = 0;
    std::string name;  // as the editor held it (a received name keeps its padding)
    std::array<int, NumPresetParams> values{};
};

class EditHistory : public SoundEvents, public LinkEvents {
  public:
    // What the history needs of the editor.
    class Target {
      public:
        virtual bool online() const = 0;
        virtual const SoundState& sound() const = 0;
        // The catalogue's name, for parameters the pages do not caption.
        virtual std::string parameterName(int index) const = 0;
        // As a gesture sets it: the edit rule sends it.
        virtual void setParameterFromUser(int index, double value) = 0;
        // Several values and the name as one change, as a voicing is applied:
        // shown without sends, then the whole preset goes out.
        virtual void applyAsOnePreset(std::span<const ParamValue> values,
                                      const std::string& name) = 0;
        virtual void selectPreset(int slot) = 0;

      protected:
        ~Target() = default;
    };

    static constexpr std::size_t MaxStepsPerPreset = 2000;
    static constexpr std::size_t MaxAbandonedEdits = 3;

    EditHistory(Link& link, Target& target);

    // ---- what the gestures tell it ----
    // A step begins (a knob pressed) and ends (released). A step begun while
    // another is open ends that one first.
    void begin(StepKind kind = StepKind::Value, int choice = 0);
    void end();
    // `gesture` as one step of `kind`.
    void asOneStep(StepKind kind, int choice, const std::function<void()>& gesture);

    // ---- Undo, Redo, Bring Back ----
    bool canUndo() const;
    bool canRedo() const;
    // The name of the step Undo or Redo would take ("Drive 26 % → 33 %"), empty
    // when there is none.
    std::string undoTitle() const;
    std::string redoTitle() const;
    bool undo();
    bool redo();
    // Latest first.
    const std::deque<AbandonedEdit>& abandonedEdits() const { return abandoned_; }
    bool canBringBack() const;
    // Recalls the edit's preset; once the device has sent it, the edited sound
    // replaces it and goes out as the whole preset (modified, not stored).
    bool bringBack(std::size_t which = 0);

    // The preset the history is following and its steps.
    int slot() const { return slot_; }
    std::size_t undoCount() const { return slotHistory().undo.size(); }
    std::size_t redoCount() const { return slotHistory().redo.size(); }

    // ---- the editor's events ----
    void parameterChanged(int index, bool applyingBlock) override;
    void presetNameChanged(const std::string& name) override;
    void presetArriving(int slot) override;
    void presetApplied(const AppliedPreset& preset) override;
    void onlineChanged(bool online) override;

  private:
    struct SlotHistory {
        std::deque<EditStep> undo;
        std::vector<EditStep> redo;
    };
    // The sound as the history last took it in.
    struct Snapshot {
        std::array<int, NumPresetParams> values{};
        std::string name;
    };

    SlotHistory& slotHistory() { return histories_[static_cast<std::size_t>(slot_)]; }
    const SlotHistory& slotHistory() const { return histories_[static_cast<std::size_t>(slot_)]; }
    Snapshot current() const;
    void record();
    std::vector<ParamChange> changesSince(const Snapshot& before) const;
    std::string titleOf(const EditStep& step) const;
    void push(EditStep step);
    void takeOutsideChange(int index);
    void clearRedo();
    void apply(const EditStep& step, bool forward);
    void keepAbandoned(const Snapshot& left, int slot);
    void restore(const AbandonedEdit& edit);
    void reportSoundRestored();
    void changed();

    Link& link_;
    Target& target_;
    std::array<SlotHistory, NumPresets> histories_{};
    int slot_ = 0;
    Snapshot mirror_;
    // The step a gesture opened.
    std::optional<StepKind> open_;
    int openChoice_ = 0;
    // Undo or redo is putting values back: their events are no steps.
    bool applying_ = false;
    // A preset from the device is arriving: the sound it replaces.
    std::optional<Snapshot> leaving_;
    bool leavingModified_ = false;
    // Until the first preset arrives the sound is nobody's edit.
    bool presetSeen_ = false;
    std::deque<AbandonedEdit> abandoned_;
    std::optional<AbandonedEdit> bringingBack_;
};

}  // namespace vornix
