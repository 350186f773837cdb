#include "core/edit_history.hpp"

#include <algorithm>

#include "core/parameters.hpp"
#include "core/step_titles.hpp"
#include "device/preset_record.hpp"

namespace vornix {

namespace {

// The user IR slot number travels in two halves with the device's
// acknowledgement between them: only an IR import sends it, never an undo.
bool tracked(int index) {
    return index >= 0 && index < NumPresetParams &&
           (index < param::Ir7SlotHigh || index > param::Ir8SlotLow);
}

// The edit rule switches these on and off with their level knob: they follow
// the knob back and are no change of their own.
struct DerivedSwitch {
    int index;
    int source;
};
constexpr DerivedSwitch DerivedSwitches[] = {
    {param::AutoFilterOn, param::AutoFilterLevel},
    {param::ChorusOn, param::ChorusLevel},
};

// The name as the device stores it, without its padding.
std::string_view trimmed(const std::string& name) {
    const auto end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string_view{}
                                    : std::string_view(name).substr(0, end + 1);
}

bool voicing(StepKind kind) {
    return kind == StepKind::AmpModel || kind == StepKind::AmbienceType;
}

}  // namespace

EditHistory::EditHistory(Link& link, Target& target) : link_(link), target_(target) {}

// ---- steps ----------------------------------------------------------------------------

void EditHistory::begin(StepKind kind, int choice) {
    if (open_) end();
    open_ = kind;
    openChoice_ = choice;
}

void EditHistory::end() {
    if (!open_) return;
    record();
    open_.reset();
}

void EditHistory::asOneStep(StepKind kind, int choice, const std::function<void()>& gesture) {
    begin(kind, choice);
    gesture();
    end();
}

EditHistory::Snapshot EditHistory::current() const {
    Snapshot now;
    const SoundState& sound = target_.sound();
    std::copy_n(sound.EditValues.begin(), NumPresetParams, now.values.begin());
    now.name = sound.presetName;
    return now;
}

std::vector<ParamChange> EditHistory::changesSince(const Snapshot& before) const {
    const auto& now = target_.sound().EditValues;
    std::vector<ParamChange> changes;
    for (int i = 0; i < NumPresetParams; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (tracked(i) && now[at] != before.values[at])
            changes.push_back({static_cast<std::uint8_t>(i),
                               static_cast<std::uint8_t>(before.values[at]),
                               static_cast<std::uint8_t>(now[at])});
    }
    const auto changed = [&changes](int index) {
        return std::any_of(changes.begin(), changes.end(),
                           [index](const ParamChange& c) { return c.index == index; });
    };
    for (const DerivedSwitch& d : DerivedSwitches)
        if (changed(d.source))
            std::erase_if(changes, [&d](const ParamChange& c) { return c.index == d.index; });
    return changes;
}

// The sound since the history last took it in is the open step's.
void EditHistory::record() {
    EditStep step;
    step.changes = changesSince(mirror_);
    const std::string& name = target_.sound().presetName;
    if (name != mirror_.name) {
        step.nameBefore = mirror_.name;
        step.nameAfter = name;
    }
    mirror_ = current();
    if (step.changes.empty() && !step.nameBefore) return;
    step.wholePreset = voicing(open_.value_or(StepKind::Value)) || step.changes.size() > 1 ||
                       step.nameBefore.has_value();
    step.title = titleOf(step);
    push(std::move(step));
}

std::string EditHistory::titleOf(const EditStep& step) const {
    const StepKind kind = open_.value_or(StepKind::Value);
    if (kind == StepKind::AmpModel) return ampModelStepTitle(openChoice_);
    if (kind == StepKind::AmbienceType) return ambienceTypeStepTitle(openChoice_);
    if (step.changes.empty()) return renameStepTitle();
    if (step.changes.size() > 1 || step.nameBefore) return valuesStepTitle();
    const ParamChange& c = step.changes.front();
    return valueStepTitle(c.index, c.before, c.after, target_.sound().EditValues,
                          target_.parameterName(c.index));
}

void EditHistory::push(EditStep step) {
    SlotHistory& h = slotHistory();
    h.undo.push_back(std::move(step));
    if (h.undo.size() > MaxStepsPerPreset) h.undo.pop_front();
    h.redo.clear();
    changed();
}

void EditHistory::clearRedo() {
    SlotHistory& h = slotHistory();
    if (h.redo.empty()) return;
    h.redo.clear();
    changed();
}

// ---- undo and redo --------------------------------------------------------------------

bool EditHistory::canUndo() const {
    return target_.online() && !slotHistory().undo.empty();
}

bool EditHistory::canRedo() const {
    return target_.online() && !slotHistory().redo.empty();
}

std::string EditHistory::undoTitle() const {
    return canUndo() ? slotHistory().undo.back().title : std::string{};
}

std::string EditHistory::redoTitle() const {
    return canRedo() ? slotHistory().redo.back().title : std::string{};
}

bool EditHistory::undo() {
    end();
    if (!canUndo()) return false;
    SlotHistory& h = slotHistory();
    EditStep step = std::move(h.undo.back());
    h.undo.pop_back();
    apply(step, false);
    h.redo.push_back(std::move(step));
    changed();
    return true;
}

bool EditHistory::redo() {
    end();
    if (!canRedo()) return false;
    SlotHistory& h = slotHistory();
    EditStep step = std::move(h.redo.back());
    h.redo.pop_back();
    apply(step, true);
    h.undo.push_back(std::move(step));
    changed();
    return true;
}

// Out the way the gesture went: one value through the edit rule, or the
// whole preset.
void EditHistory::apply(const EditStep& step, bool forward) {
    applying_ = true;
    if (!step.wholePreset) {
        const ParamChange& c = step.changes.front();
        target_.setParameterFromUser(c.index, forward ? c.after : c.before);
    } else {
        std::vector<ParamValue> values;
        values.reserve(step.changes.size());
        for (const ParamChange& c : step.changes)
            values.push_back({c.index, forward ? c.after : c.before});
        const std::string name = !step.nameBefore ? target_.sound().presetName
                                 : forward        ? step.nameAfter
                                                  : *step.nameBefore;
        target_.applyAsOnePreset(values, name);
    }
    applying_ = false;
    mirror_ = current();
    reportSoundRestored();
}

// ---- the editor's events --------------------------------------------------------------

// A voicing applies its values as a block; in any other step, and outside
// one, a block is the device's.
void EditHistory::parameterChanged(int index, bool applyingBlock) {
    if (!tracked(index) || applying_ || leaving_) return;
    if (open_ && (!applyingBlock || voicing(*open_))) return;
    if (applyingBlock) {
        takeOutsideChange(index);
        return;
    }
    open_ = StepKind::Value;
    record();
    open_.reset();
}

// The step open keeps its own changes; the device's value becomes the base.
void EditHistory::takeOutsideChange(int index) {
    const auto& now = target_.sound().EditValues;
    bool moved = false;
    const auto follow = [&](int i) {
        const auto at = static_cast<std::size_t>(i);
        moved = moved || mirror_.values[at] != now[at];
        mirror_.values[at] = now[at];
    };
    follow(index);
    for (const DerivedSwitch& d : DerivedSwitches)
        if (d.source == index) follow(d.index);
    if (moved) clearRedo();
}

// Renamed by a preset file coming in or going out: no step of the user's.
void EditHistory::presetNameChanged(const std::string& name) {
    if (applying_ || leaving_ || open_) return;
    if (mirror_.name == name) return;
    mirror_.name = name;
    clearRedo();
}

void EditHistory::presetArriving(int) {
    end();
    leaving_ = current();
    leavingModified_ = target_.sound().ModifiedFlag;
}

// A recall that replaced an unsaved edit keeps it. The device's answer to a
// store brings the same sound back, and nothing is lost.
void EditHistory::presetApplied(const AppliedPreset& preset) {
    const Snapshot left = leaving_.value_or(mirror_);
    leaving_.reset();
    const int leftSlot = slot_;
    const Snapshot now = current();
    const bool replaced = now.values != left.values || trimmed(now.name) != trimmed(left.name);
    if (presetSeen_ && leavingModified_ && replaced) keepAbandoned(left, leftSlot);
    leavingModified_ = false;
    presetSeen_ = true;
    slot_ = std::clamp(preset.slot, 0, NumPresets - 1);
    mirror_ = now;
    if (bringingBack_ && bringingBack_->slot == slot_) {
        const AbandonedEdit edit = *std::exchange(bringingBack_, std::nullopt);
        restore(edit);
    } else {
        bringingBack_.reset();
        if (replaced || leftSlot != slot_) clearRedo();
    }
    changed();
}

void EditHistory::onlineChanged(bool online) {
    if (!online) bringingBack_.reset();
    changed();
}

// ---- the edits a recall threw away -----------------------------------------------------

void EditHistory::keepAbandoned(const Snapshot& left, int slot) {
    std::erase_if(abandoned_, [slot](const AbandonedEdit& e) { return e.slot == slot; });
    abandoned_.push_front({slot, left.name, left.values});
    if (abandoned_.size() > MaxAbandonedEdits) abandoned_.pop_back();
}

bool EditHistory::canBringBack() const {
    return target_.online() && !abandoned_.empty();
}

// The edit stays offered until the device has sent its preset and the edit
// has replaced it.
bool EditHistory::bringBack(std::size_t which) {
    end();
    if (!canBringBack() || which >= abandoned_.size()) return false;
    bringingBack_ = abandoned_[which];
    target_.selectPreset(bringingBack_->slot);
    return true;
}

void EditHistory::restore(const AbandonedEdit& edit) {
    std::vector<ParamValue> values;
    values.reserve(NumPresetParams);
    for (int i = 0; i < NumPresetParams; ++i)
        values.push_back({i, edit.values[static_cast<std::size_t>(i)]});
    applying_ = true;
    target_.applyAsOnePreset(values, edit.name);
    applying_ = false;
    mirror_ = current();
    std::erase_if(abandoned_, [&edit](const AbandonedEdit& e) { return e.slot == edit.slot; });
    reportSoundRestored();
}

void EditHistory::reportSoundRestored() {
    const auto values = std::span(target_.sound().EditValues).first(NumPresetParams);
    link_.events().emit(&SoundEvents::soundRestored, recogniseAmpModel(values),
                        recogniseAmbienceType(values));
}

void EditHistory::changed() {
    link_.events().emit(&SoundEvents::editHistoryChanged);
}

}  // namespace vornix
