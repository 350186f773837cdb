// The edit history in-process: gestures as the controls and the page's
// actions report them, the messages undo and redo send, and the edits a
// recall threw away.
#include <gtest/gtest.h>

#include <random>

#include "core/edit_history.hpp"
#include "editor_harness.hpp"

namespace vornix::testing {
namespace {

using sysex::cmd::EditBuffer;
using sysex::cmd::SetParameter;

constexpr int SetParameterKey = SetParameter;

struct Sound {
    std::array<int, NumPresetParams> values{};
    std::string name;
    bool operator==(const Sound&) const = default;
};

Sound soundOf(const VornixControl& editor) {
    Sound s;
    std::copy_n(editor.sound().EditValues.begin(), NumPresetParams, s.values.begin());
    s.name = editor.sound().presetName;
    return s;
}

double normalised(const VornixControl& editor, int index, int value) {
    const iplug::IParam& p = *editor.param(index);
    return (value - p.minimum()) / (p.maximum() - p.minimum());
}

// A knob from press to release, through the delegate as the toolkit reports it.
void drag(VornixControl& editor, int index, std::initializer_list<int> values) {
    iplug::IEditorDelegate& delegate = editor;
    delegate.beginInformHostOfParamChangeFromUI(index);
    for (int v : values) delegate.sendParameterValueFromUI(index, normalised(editor, index, v));
    delegate.endInformHostOfParamChangeFromUI(index);
}

// A switch or a row: one change that no gesture opened.
void click(VornixControl& editor, int index, int value) {
    iplug::IEditorDelegate& delegate = editor;
    delegate.sendParameterValueFromUI(index, normalised(editor, index, value));
}

void pickAmpModel(VornixControl& editor, int model) {
    editor.history().asOneStep(StepKind::AmpModel, model,
                               [&editor, model] { editor.loadAmpVoicing(model); });
}

void pickAmbienceType(VornixControl& editor, int type) {
    editor.history().asOneStep(StepKind::AmbienceType, type,
                               [&editor, type] { editor.loadAmbienceVoicing(type); });
}

void rename(VornixControl& editor, const std::string& name) {
    editor.history().asOneStep(StepKind::Rename, 0, [&editor, &name] {
        editor.renamePreset(name);
        editor.sendPreset();
    });
}

struct Online : EditorHarness {
    Online() { goOnlineWithPreset(5, 64); }
};

TEST(EditHistory, DragIsOneStepThatOneParameterMessageTakesBack) {
    Online h;
    drag(h.editor, param::Drive, {70, 80, 90});
    EXPECT_EQ(h.editor.history().undoCount(), 1u);
    EXPECT_EQ(h.editor.history().undoTitle(), "Drive 50 % \u2192 71 %");
    h.sent.clear();
    ASSERT_TRUE(h.editor.history().undo());
    EXPECT_EQ(h.sentBytes(), std::vector<Bytes>{sysex::setParameter(
                                 static_cast<std::uint8_t>(deviceNumber(param::Drive)), 64)});
    EXPECT_EQ(h.editor.intValue(param::Drive), 64);
    EXPECT_FALSE(h.editor.sound().ModifiedFlag);
    EXPECT_EQ(h.editor.history().redoTitle(), "Drive 50 % \u2192 71 %");
}

TEST(EditHistory, VoicingIsUndoneByOneWholePreset) {
    Online h;
    const Sound before = soundOf(h.editor);
    pickAmpModel(h.editor, 1);
    EXPECT_EQ(h.editor.history().undoTitle(), "Amplifier Model Kestrin");
    h.sent.clear();
    ASSERT_TRUE(h.editor.history().undo());
    ASSERT_EQ(h.sent.size(), 1u);
    EXPECT_EQ(commandKey(h.sent[0].bytes), EditBuffer);
    EXPECT_EQ(soundOf(h.editor), before);
    EXPECT_EQ(h.events.restored,
              (std::vector<std::pair<int, int>>{
                  {recogniseAmpModel(before.values), recogniseAmbienceType(before.values)}}));
}

TEST(EditHistory, RenameIsUndoneByTheWholePresetUnderTheOldName) {
    Online h;
    const std::string old = h.editor.sound().presetName;
    rename(h.editor, "Smooth Vintage");
    EXPECT_EQ(h.editor.history().undoTitle(), "Rename");
    h.sent.clear();
    ASSERT_TRUE(h.editor.history().undo());
    EXPECT_EQ(h.editor.sound().presetName, old);
    ASSERT_EQ(h.sent.size(), 1u);
    EXPECT_EQ(commandKey(h.sent[0].bytes), EditBuffer);
}

// Step names in the window's texts, one row per kind of text.
TEST(EditHistory, StepsAreNamedWithTheWindowsValueTexts) {
    struct Case {
        int index;
        int to;
        const char* title;
    };
    const Case cases[] = {
        {param::Level, 127, "Level 50% \u2192 100%"},
        {param::Reverb, 0, "Ambience Level 50 % \u2192 Bypass"},
        {param::HighFreq, 127, "High Frequency 4.5 kHz \u2192 8.0 kHz"},
        {param::CompressorRatio, 127, "Compressor Ratio 10.6:1 \u2192 20.0:1"},
        {param::AutoGain, 0, "Auto Gain On \u2192 Off"},
        {param::Buzz, 10, "Buzz 64 \u2192 10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Online h;
        click(h.editor, c.index, c.to);
        EXPECT_EQ(h.editor.history().undoTitle(), c.title);
    }
}

TEST(EditHistory, DeviceChangeClearsRedoAndIsNoStep) {
    Online h;
    drag(h.editor, param::Gain, {80});
    ASSERT_TRUE(h.editor.history().undo());
    EXPECT_TRUE(h.editor.history().canRedo());
    h.receive(sysex::parameterChanged(param::Low, 20));
    EXPECT_FALSE(h.editor.history().canRedo());
    EXPECT_EQ(h.editor.history().undoCount(), 0u);
}

TEST(EditHistory, StoreAnswerKeepsTheStepsAndTheRedoList) {
    Online h;
    drag(h.editor, param::Gain, {80});
    drag(h.editor, param::Gain, {90});
    ASSERT_TRUE(h.editor.history().undo());
    h.editor.storePreset(5);
    sysex::PresetRecord stored = recordWith(64);
    stored[sysex::record::paramByte(param::Gain)] = 80;
    h.receivePreset(5, stored);
    EXPECT_EQ(h.editor.history().undoCount(), 1u);
    EXPECT_TRUE(h.editor.history().canRedo());
    EXPECT_TRUE(h.editor.history().abandonedEdits().empty());
}

TEST(EditHistory, NothingToUndoOffline) {
    EditorHarness h;
    h.endBulkUpdate();
    drag(h.editor, param::Gain, {80});
    EXPECT_FALSE(h.editor.history().canUndo());
    EXPECT_FALSE(h.editor.history().undo());
    EXPECT_TRUE(h.sent.empty());
}

TEST(EditHistory, EachPresetKeepsItsOwnHistory) {
    Online h;
    drag(h.editor, param::Gain, {80});
    h.receivePreset(6, recordWith(64, "Six"));
    EXPECT_FALSE(h.editor.history().canUndo());
    drag(h.editor, param::Low, {20});
    h.receivePreset(5, recordWith(64));
    EXPECT_EQ(h.editor.history().undoTitle(), "Pre-Amp 50 % \u2192 63 %");
}

TEST(EditHistory, RecallKeepsTheLatestThreeAbandonedEdits) {
    Online h;
    for (int slot : {5, 6, 7, 8}) {
        h.receivePreset(slot, recordWith(64, "Preset " + std::to_string(slot)));
        drag(h.editor, param::Gain, {80 + slot});
    }
    h.receivePreset(9, recordWith(64));
    const auto& kept = h.editor.history().abandonedEdits();
    ASSERT_EQ(kept.size(), EditHistory::MaxAbandonedEdits);
    EXPECT_EQ(kept[0].slot, 8);
    EXPECT_EQ(kept[2].slot, 6);
    EXPECT_EQ(kept[0].values[param::Gain], 88);
}

TEST(EditHistory, BroughtBackEditReplacesTheRecalledPresetWithItsHistory) {
    Online h;
    drag(h.editor, param::Gain, {80});
    drag(h.editor, param::Drive, {90});
    const Sound edited = soundOf(h.editor);
    h.receivePreset(6, recordWith(64, "Six"));
    h.sent.clear();
    ASSERT_TRUE(h.editor.history().bringBack());
    EXPECT_EQ(h.sentHex(), std::vector<std::string>{"F0 00 51 21 05 23 0A 05 F7"});
    h.sent.clear();
    h.receivePreset(5, recordWith(64));
    EXPECT_EQ(soundOf(h.editor), edited);
    EXPECT_TRUE(h.editor.sound().ModifiedFlag);
    ASSERT_EQ(h.sent.size(), 1u);
    EXPECT_EQ(commandKey(h.sent[0].bytes), EditBuffer);
    EXPECT_EQ(h.sent[0].bytes[sysex::at::Number], 5);
    EXPECT_TRUE(h.editor.history().abandonedEdits().empty());
    EXPECT_EQ(h.editor.history().undoCount(), 2u);
    ASSERT_TRUE(h.editor.history().undo());
    EXPECT_EQ(h.editor.intValue(param::Drive), 64);
}

// ---- a thousand random gestures ------------------------------------------------------

struct Gesture {
    Sound before;
    Bytes wholeBefore;        // the whole preset of the sound before it, as sendPreset sends it
    std::vector<Bytes> sent;  // what the gesture sent
};

constexpr int Knobs[] = {param::Level,       param::Gain,
                         param::Drive,       param::Low,
                         param::Mid,         param::High,
                         param::Crunch,      param::Reverb,
                         param::Dynamics,    param::Gate,
                         param::ChorusLevel, param::AutoFilterLevel,
                         param::RoomSize,    param::CompressorRatio,
                         param::Ir7Gain};
constexpr int Switches[] = {param::AutoGain, param::Lookahead, param::Ir7Mode, param::Ir8Mode};

void randomGesture(VornixControl& editor, std::mt19937& rng, int n) {
    const auto pick = [&rng](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(rng);
    };
    switch (pick(6)) {
        case 0: {
            const int index = Knobs[pick(std::size(Knobs))];
            iplug::IEditorDelegate& delegate = editor;
            delegate.beginInformHostOfParamChangeFromUI(index);
            for (int events = 1 + pick(4); events > 0; --events)
                delegate.sendParameterValueFromUI(index, normalised(editor, index, pick(128)));
            delegate.endInformHostOfParamChangeFromUI(index);
            break;
        }
        case 1: {
            const int index = Switches[pick(std::size(Switches))];
            click(editor, index, editor.intValue(index) == 0 ? 1 : 0);
            break;
        }
        case 2:
            pickAmpModel(editor, pick(NumAmpModels));
            break;
        case 3:
            pickAmbienceType(editor, pick(NumAmbienceTypes));
            break;
        case 4:
            click(editor, param::Ir, pick(9) * 16);
            break;
        default:
            rename(editor, "Tone " + std::to_string(n));
            break;
    }
}

TEST(EditHistory, ThousandRandomGesturesUndoToTheStartAndRedoToTheEnd) {
    Online h;
    std::mt19937 rng(23);
    const Sound start = soundOf(h.editor);
    std::vector<Gesture> steps;
    for (int n = 0; n < 1000; ++n) {
        Gesture g{soundOf(h.editor), {}, {}};
        h.editor.sendPreset();
        g.wholeBefore = h.sent.back().bytes;
        h.sent.clear();
        const std::size_t count = h.editor.history().undoCount();
        randomGesture(h.editor, rng, n);
        g.sent = h.sentBytes();
        if (h.editor.history().undoCount() > count) steps.push_back(std::move(g));
    }
    const Sound end = soundOf(h.editor);
    ASSERT_GT(steps.size(), 900u);
    ASSERT_EQ(h.editor.history().undoCount(), steps.size());

    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        h.sent.clear();
        ASSERT_TRUE(h.editor.history().undo());
        ASSERT_EQ(soundOf(h.editor), it->before);
        ASSERT_EQ(h.sent.size(), 1u);
        const Bytes& undoSent = h.sent[0].bytes;
        // The kind of message the gesture sent, for what the gesture changed.
        const Bytes& gestureSent = it->sent.back();
        ASSERT_EQ(commandKey(undoSent), commandKey(gestureSent));
        if (commandKey(undoSent) == SetParameterKey)
            EXPECT_EQ(undoSent[sysex::at::Number], gestureSent[sysex::at::Number]);
        else
            EXPECT_EQ(undoSent, it->wholeBefore);
    }
    EXPECT_EQ(soundOf(h.editor), start);
    EXPECT_FALSE(h.editor.history().canUndo());

    for (const Gesture& g : steps) {
        h.sent.clear();
        ASSERT_TRUE(h.editor.history().redo());
        ASSERT_EQ(h.sentBytes(), std::vector<Bytes>{g.sent.back()});
    }
    EXPECT_EQ(soundOf(h.editor), end);
}

}  // namespace
}  // namespace vornix::testing
