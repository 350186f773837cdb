#pragma once
// An EditorEvents listener that remembers what the editor reported, so tests
// can run the device link with the window open (attachView) or closed
// (events().add) and look at the result.
#include <map>
#include <string>
#include <vector>

#include "core/editor_events.hpp"

namespace vornix::testing {

inline const char* nameOf(Transfer transfer) {
    switch (transfer) {
        case Transfer::BulkRead:
            return "bulk read";
        case Transfer::BankExport:
            return "bank export";
        case Transfer::BankImport:
            return "bank import";
        case Transfer::IrUpload:
            return "IR upload";
        case Transfer::IrDownload:
            return "IR download";
        case Transfer::Firmware:
            return "firmware";
    }
    return "?";
}

class RecordingView : public EditorEvents {
  public:
    void connecting() override { log.push_back("connecting"); }
    void deviceAnswered(double version) override { answeredVersions.push_back(version); }
    void identified(double version, const std::string& serialText) override {
        identifiedVersion = version;
        serial = serialText;
    }
    void versionRefused(const std::string& text) override { refusals.push_back(text); }
    void onlineChanged(bool isOnline) override {
        online = isOnline;
        if (online) syncsSinceOnline = 0;
    }

    void presetSelected(int slot) override { selectedSlot = slot; }
    void presetApplied(const AppliedPreset& preset) override { applied.push_back(preset); }
    void presetStored(int slot) override { storedSlots.push_back(slot); }
    void modifiedChanged(bool isModified) override { modified = isModified; }
    void presetNameChanged(const std::string& name) override { presetName = name; }
    void irPositionNameChanged(int position, const std::string& name) override {
        positionNames[position] = name;
    }
    void knobLayerChanged(bool b) override { layerB = b; }
    void presetNumberShown(int displayNumber) override {
        presetNumbersShown.push_back(displayNumber);
    }
    void userIrAssigned(int position, unsigned number) override {
        assigned.push_back({position, number});
    }
    void impulseResponseChanged(std::span<const double> samples, bool byUser) override {
        impulseShown = samples.size();
        impulseByUser = byUser;
        ++impulsesComputed;
    }
    void deviceTextChanged(const std::string& text) override { deviceText = text; }
    void soundRestored(int ampModel, int ambienceType) override {
        restored.push_back({ampModel, ambienceType});
    }

    void presetRowChanged(int row, const std::string& text) override { presetRows[row] = text; }
    void userIrRowChanged(int row, const std::string& text) override { userIrRows[row] = text; }
    void cabinetNameChanged(int cabinet, const std::string& name) override {
        cabinetNames[cabinet] = name;
    }

    void transferStarted(Transfer t) override {
        log.push_back(std::string("start ") + nameOf(t));
        active[t] = true;
    }
    void transferProgress(Transfer t, double fraction) override { progress[t] = fraction; }
    void transferEnded(Transfer t, bool ok) override {
        log.push_back(std::string(ok ? "done " : "failed ") + nameOf(t));
        active[t] = false;
        results[t] = ok;
    }
    void presetRequestUnanswered() override { log.push_back("unanswered"); }
    void irUploadAnswered(bool stored) override { uploadAnswers.push_back(stored); }
    void irReceived(unsigned number) override { received.push_back(number); }
    void presetFileImported(bool ok, const std::string& reason) override {
        importResults.push_back(ok ? "ok" : reason);
    }
    void synchronised() override {
        ++synchronisations;
        ++syncsSinceOnline;
    }
    void factoryResetFinished() override { log.push_back("factory reset finished"); }

    void firmwarePageOpened() override { log.push_back("firmware page"); }
    void firmwarePageClosed(bool afterUpdate) override {
        log.push_back(afterUpdate ? "firmware page closed after update" : "firmware page closed");
    }
    void globalSettingsOpened() override { log.push_back("global settings"); }
    void aboutRequested() override { log.push_back("about"); }

    void message(const std::string& text) override { messages.push_back(text); }
    void note(const std::string& text) override { notes.push_back(text); }

    bool isActive(Transfer t) const {
        const auto it = active.find(t);
        return it != active.end() && it->second;
    }
    // -1 running or never started, 0 failed, 1 done.
    int result(Transfer t) const {
        const auto it = results.find(t);
        return it == results.end() ? -1 : it->second ? 1 : 0;
    }
    double progressOf(Transfer t) const {
        const auto it = progress.find(t);
        return it == progress.end() ? -1.0 : it->second;
    }
    bool logged(const std::string& entry) const {
        for (const auto& e : log)
            if (e == entry) return true;
        return false;
    }

    std::vector<std::string> log;
    std::vector<double> answeredVersions;
    double identifiedVersion = 0;
    std::string serial;
    std::vector<std::string> refusals;
    bool online = false;
    int selectedSlot = -1;
    std::vector<AppliedPreset> applied;
    std::vector<int> storedSlots;
    bool modified = false;
    std::string presetName;
    std::map<int, std::string> positionNames;
    bool layerB = false;
    std::vector<int> presetNumbersShown;
    std::vector<std::pair<int, unsigned>> assigned;
    std::vector<std::pair<int, int>> restored;  // amplifier model, ambience type
    std::size_t impulseShown = 0;
    bool impulseByUser = false;
    int impulsesComputed = 0;
    std::string deviceText;
    std::map<int, std::string> presetRows;
    std::map<int, std::string> userIrRows;
    std::map<int, std::string> cabinetNames;
    std::map<Transfer, bool> active;
    std::map<Transfer, double> progress;
    std::map<Transfer, bool> results;
    std::vector<bool> uploadAnswers;
    std::vector<unsigned> received;
    std::vector<std::string> importResults;
    int synchronisations = 0;
    int syncsSinceOnline = 0;
    std::vector<std::string> messages;
    std::vector<std::string> notes;
};

}  // namespace vornix::testing
