#pragma once
// VornixControl: the editor. It owns the parameters, the edit rule and the
// wiring of the device link's parts; it is driven from one thread: the device
// tick (100 ms), the idle tick (20 ms), user gestures, menu commands and every
// received SysEx message. What happened is reported through EditorEvents.
//
// Where things are:
//   vornix_control.cpp      construction, hooks, both ticks, menu commands
//   incoming.cpp            every received message, routed to its part
//   current_preset.cpp      the device's current preset, global pages, reports
//   edit_rule.cpp           parameter edits and the messages the editor sends
//   ir_library.cpp          user IRs: WAV import, stores, the selector's IR
//   preset_files.cpp        preset files out (export) and in (the import's target)
//   backups.cpp             bank files, the cache, factory reset
// and the parts of the link, each with its own state:
//   connection, preset_cache, bulk_read, bank_export, bank_import, ir_upload,
//   ir_download, firmware_update, preset_file_import
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <string>

#include "core/bank_export.hpp"
#include "core/bank_import.hpp"
#include "core/bulk_read.hpp"
#include "core/connection.hpp"
#include "core/editor_events.hpp"
#include "core/faceplate.hpp"
#include "core/firmware_update.hpp"
#include "core/ir_download.hpp"
#include "core/ir_upload.hpp"
#include "core/link.hpp"
#include "core/parameters.hpp"
#include "core/platform.hpp"
#include "core/preset_cache.hpp"
#include "core/preset_file_import.hpp"
#include "framework/event_loop.hpp"
#include "framework/iplug/plugin.hpp"
#include "ir/ir_library.hpp"
#include "storage/data_folder.hpp"

namespace vornix {

namespace menu {
inline constexpr int FirmwareUpdate = 1;
inline constexpr int GlobalSettings = 2;
inline constexpr int ClearCache = 3;
inline constexpr int ImportBank = 5;
inline constexpr int ExportBank = 6;
}  // namespace menu

inline constexpr int DeviceTickMs = 100;
// A current preset asked for at start-up that does not come, or comes damaged,
// is asked for again this often.
inline constexpr int MaxCurrentPresetRetries = 3;
inline constexpr int IdleTickMs = 20;
// Idle ticks an edited value stays in the readout.
inline constexpr int ReadoutTimeoutTicks = 60;

// Cabinet positions 7 and 8 can play a user IR of the preset's own.
enum class UserIrTarget { None, Ir7, Ir8 };

class VornixControl : public iplug::IPlugAPP,
                      private PresetFileImport::Target,
                      private Faceplate::Target {
  public:
    VornixControl(EventLoop& loop, storage::DataFolder dataFolder, Platform& platform);
    ~VornixControl() override;
    VornixControl(const VornixControl&) = delete;
    VornixControl& operator=(const VornixControl&) = delete;

    // ---- host side ----
    void setSender(Link::Sender sender) { link_.setSender(std::move(sender)); }
    // Hands one complete message to the MIDI output; false when none is open.
    bool sendToDevice(std::span<const std::uint8_t> message) { return link_.send(message); }
    void sysExReceived(std::span<const std::uint8_t> message) override;
    void renderAudioBlock(std::span<double* const> outputs, int frames) override;
    // The program's listener (the command line, a test); the window has its own.
    void setEvents(EditorEvents* events) { link_.events().setProgram(events); }
    // Runs at each 20 ms tick before idleTick: the drawing context moves the
    // queued parameter values into its controls. Without it they are dropped.
    void setQueuedValueSink(std::function<void()> sink) { queuedValueSink_ = std::move(sink); }

    // ---- window ----
    // Attaching a view opens the window as far as the editor is concerned.
    void attachView(EditorEvents* view) { link_.events().setWindow(view); }
    bool windowOpen() const { return link_.windowOpen(); }
    // Window torn down; its draw scale is saved for the next window.
    void uiClosed();
    float drawScale() const { return drawScale_; }
    void setDrawScale(float scale) { drawScale_ = scale; }
    // Where uiClosed saves the draw scale (the host's settings file).
    void setDrawScaleSaver(std::function<void(float)> saver) { saveDrawScale_ = std::move(saver); }

    // ---- hooks ----
    void showParamChange(int index);
    bool aboutRequested();
    void menuCommand(int command);

    // ---- parameters ----
    iplug::IParam& parameter(int index) { return params_[static_cast<std::size_t>(index)]; }
    const iplug::IParam& parameter(int index) const {
        return params_[static_cast<std::size_t>(index)];
    }
    int intValue(int index) const override { return parameter(index).intValue(); }
    // Sets a parameter from a device value, runs showParamChange at once and
    // queues the value for the controls.
    void setParameterFromDevice(int index, double normalised);
    // Sets a parameter as a user gesture would (value in its own units).
    void setParameterFromUser(int index, double value);
    // The value each parameter had when last sent to or received from the device.
    int editValue(int index) const { return EditValues[static_cast<std::size_t>(index)]; }
    // The current preset's values as the device last sent them.
    int storedValue(int index) const { return StoredValues[static_cast<std::size_t>(index)]; }
    // A received block is being applied: changes are not sent back.
    bool bulkUpdate() const { return BulkUpdate; }
    // The sound differs from the stored preset.
    bool modified() const override { return ModifiedFlag; }
    bool layerB() const { return LayerB; }

    // ---- the device ----
    bool online() const override { return connection_.online(); }
    const sysex::Identification& device() const { return connection_.device(); }
    int currentPreset() const override { return currentPreset_; }
    void selectPreset(int slot) override;
    void storePreset(int slot) override;
    void reconnect();
    // A port of the device has just opened: ask it at once, not at the
    // keep-alive's next turn. Nothing while online or not searching.
    void identifyNow() { connection_.identifyNow(); }
    // What the host says about reaching the device (see EditorEvents).
    void setSearchStatus(const std::string& text);
    const std::string& searchStatus() const { return searchStatus_; }
    // The current sound as the device's edit buffer (0x20).
    void sendPreset() override;
    // Picking an amplifier model (0-9) or an ambience type (0-6): its voicing
    // becomes the sound and, online, goes to the device as a whole preset.
    void loadAmpVoicing(int model);
    void loadAmbienceVoicing(int type);
    void writeGlobalPage(int page);
    void requestGlobalPage(int page);
    // The search for the device, held off while the settings page is open.
    void enableKeepAlive(bool enabled) { connection_.enableKeepAlive(enabled); }
    bool keepAliveEnabled() const { return connection_.keepAliveEnabled(); }
    // Each window starts from the map in which every controller program
    // selects the preset of its own number; the device's map replaces it when
    // the program map page asks for it.
    void resetProgramMap() { std::iota(programMap_.begin(), programMap_.end(), 0); }
    const std::array<int, NumPresets>& programMap() const { return programMap_; }
    // Asks the device for an IR (0x69); it is cached when it arrives.
    void requestIr(unsigned number) { irDownload_.request(number, !bankExport_.active()); }
    const std::string& presetName() const { return presetName_; }
    void renamePreset(const std::string& name);
    const std::string& deviceText() const { return deviceText_; }
    // A message box at the next idle tick (never inside a handler).
    void showMessageLater(const std::string& text) { link_.showMessageLater(text); }

    // ---- the faceplate's switches ----
    void pressSwitch(FaceSwitch which) { faceplate_.press(which); }
    void releaseSwitch(FaceSwitch which) { faceplate_.release(which); }
    const Faceplate& faceplate() const { return faceplate_; }

    // ---- the preset list ----
    // A click on a row: online it recalls the row's preset, or stores the
    // sound there while SAVE waits for its second press. The device's answer
    // makes it the current preset.
    void presetRowClicked(int row);
    const std::array<std::string, NumPresets>& presetRows() const { return cache_.rows(); }
    void loadPresetSlots();
    void refreshPresetListFromFiles();
    void clearCache() { cache_.clear(); }
    const storage::DataFolder& dataFolder() const { return cache_.folder(); }

    // ---- IR library ----
    // Start-up: the factory WAV files when missing, the IR names, the preset list.
    void initialiseCaches(const ir::FactoryWavProvider& factoryWavs);
    // Reads a WAV into the IR sample buffer; a refused file leaves it as it was.
    ir::WavResult readWavIntoIr(const std::filesystem::path& path);
    // Encodes the IR sample buffer under `number`, caches and packs it, and
    // hands it to the upload when online.
    void storeIr(const ir::IrName& name, unsigned number);
    // The IMPORT button of position 7 or 8 (the path replaces the dialog).
    bool importUserIr(UserIrTarget position, std::optional<std::string> path, std::string& error);
    // Assigns user IR `number` to position 7 or 8: the number goes out in two
    // halves with the device's acknowledgement in between.
    void assignUserIr(UserIrTarget position, int number);
    void showIrSelection(int value);
    const ir::IrSampleBuffer& irSamples() const { return *irSamples_; }
    double irGain() const { return irGain_; }
    // The user IR number the last upload went to.
    unsigned irUploadTarget() const { return irUpload_.target(); }
    // Names of the user IRs in positions 7 and 8.
    const std::string& userIrName(int position) const;
    // Cabinet names (0 "Flat Response", 1-8 the cabinets) and user IR names.
    const ir::IrNameTable& irNames() const { return irNames_; }
    const std::string& cabinetName(int entry) const { return irNames_.cabinetName(entry); }

    // ---- preset files ----
    // The EXPORT and IMPORT buttons: a dialog, then the file operation.
    void chooseAndExportPreset();
    void chooseAndImportPreset();
    // Writes the current sound with its user IRs; false (and still modified)
    // when the file could not be written.
    bool exportPresetFile(const std::filesystem::path& path);
    // Checks the file, asks what must be asked, applies it as an unsaved edit
    // and uploads its IRs, then the preset, when online.
    void importPresetFile(const std::filesystem::path& path) { presetFileImport_.start(path); }

    // ---- bank backups ----
    // Save dialog for the export; true when a path was chosen.
    bool chooseBankExportFile();
    void startBankExportTo(const std::filesystem::path& path) { bankExport_.start(path); }
    // Asks, lets the user choose a bank file and arms the import.
    void importBank();
    // Loads a bank file and arms the import; false with a reason otherwise.
    bool startBankImport(const std::filesystem::path& path, std::string& error);
    int bankImportSize() const { return bankImport_.messageCount(); }

    // ---- factory reset ----
    // Asks "Are you sure?" first, then performFactoryReset.
    void factoryReset(std::uint8_t target);
    // Clears the cache when presets are affected, then sends the reset.
    void performFactoryReset(std::uint8_t target);

    // ---- firmware ----
    void openFirmwarePage() { firmware_.openPage(); }
    void closeFirmwarePage() { firmware_.closePage(); }
    void chooseFirmwareFile() { firmware_.chooseFile(); }
    // Packs the file and asks the device's loader to start; false with a reason.
    bool loadFirmware(const std::filesystem::path& path, std::string& error) {
        return firmware_.load(path, error);
    }

  protected:
    void onParamChangeUI(int index) override { showParamChange(index); }

  private:
    // vornix_control.cpp
    void deviceTick();
    void idleTick();
    void transferStep();
    void finishFactoryReset();
    void finishBankImport();
    void presetRequestUnanswered();
    // incoming.cpp
    void receiveBlock(std::span<const std::uint8_t> message);
    void receivePreset(std::span<const std::uint8_t> message, const sysex::BlockView& dump);
    void receiveGlobalPage(const sysex::BlockView& page);
    void receiveChecksumPage(const sysex::PresetChecksums& device, bool awaited);
    void receiveIrNamePage(const sysex::BlockView& page);
    void receiveShort(std::span<const std::uint8_t> message);
    void receiveStatus(std::uint8_t command);
    void receiveIrUploadAnswer(bool stored);
    void receiveIrChunk(std::span<const std::uint8_t> message);
    // current_preset.cpp
    void applyCurrentPreset(const sysex::BlockView& dump);
    void applyPresetTexts(const sysex::BlockView& dump, AppliedPreset& applied);
    void requestMissingUserIr();
    void reportSynchronisedWhenDone();
    void applySettingsPage(std::span<const std::uint8_t> block);
    void applyPageFields(std::span<const std::uint8_t> block,
                         std::span<const sysex::PageField> fields);
    void applyMidiAssignPage(std::span<const std::uint8_t> block);
    void applyProgramMapPage(std::span<const std::uint8_t> block);
    void applyParameterReport(std::span<const std::uint8_t> message);
    void applyDeviceText(std::span<const std::uint8_t> message);
    // edit_rule.cpp
    void sendParamEdit(int index);
    void readoutTick();
    void applyVoicing(std::span<const int> order, std::span<const int> columns,
                      const VoicingRow& row, bool midToCentre);
    void followUserIrSlot(int index);
    void sendUserIrLowHalf();
    void setModified(bool modified);
    // faceplate (Faceplate::Target)
    void stepCurrentPreset(int slot) override;
    void toggleLayerB() override;
    // ir_library.cpp
    void storeIrSlotFile(std::span<const std::uint8_t> slotFile, unsigned number);
    void storeReceivedIr(unsigned number, std::span<const std::uint8_t> bytes);
    void refreshIrDisplay() override;
    void setUserIrName(int position, const std::string& name);
    // preset_files.cpp (PresetFileImport::Target)
    void applyPresetFileValues(std::span<const std::uint8_t> file) override;
    void storeIrBlock(std::span<const std::uint8_t> block, unsigned number) override;

    EventLoop& loop_;
    Link link_;
    std::function<void()> queuedValueSink_;
    float drawScale_ = 0.5f;
    std::function<void(float)> saveDrawScale_;
    EventLoop::TimerId deviceTimer_ = 0;
    EventLoop::TimerId idleTimer_ = 0;

    // The parts of the device link.
    Connection connection_{link_};
    PresetCache cache_;
    BulkRead bulkRead_{link_, cache_};
    BankExport bankExport_{link_};
    BankImport bankImport_{link_};
    IrUpload irUpload_{link_};
    IrDownload irDownload_{link_};
    FirmwareUpdate firmware_{link_, connection_};
    PresetFileImport presetFileImport_{link_, *this};
    Faceplate faceplate_{link_, *this};

    // The sound and its preset.
    std::array<int, NumParams> EditValues{};
    std::array<int, NumPresetParams> StoredValues{};
    bool BulkUpdate = true;
    bool ModifiedFlag = false;
    bool LayerB = false;
    // Idle ticks since the last edit of a preset parameter; empty once the
    // readout went back to the preset number.
    std::optional<int> readoutTicks_;
    int currentPreset_ = 0;
    int selectedRow_ = 0;
    bool savePending_ = false;
    std::string presetName_;
    std::string deviceText_;
    std::string searchStatus_;
    std::array<int, NumPresets> programMap_{};
    bool factoryResetCompleted_ = false;
    int currentPresetRetries_ = 0;
    // A current preset was applied; `synchronised` follows once its IRs are in.
    bool awaitingIrsForSync_ = false;

    // User IRs and the IR library.
    std::unique_ptr<ir::IrSampleBuffer> irSamples_ = std::make_unique<ir::IrSampleBuffer>();
    double irGain_ = 1.0;
    ir::IrNameTable irNames_;
    std::array<std::string, 2> userIrNames_;  // positions 7 and 8
    std::array<std::string, ir::IrBankSize> userIrRows_;
    int ir7Slot_ = 0;
    int ir8Slot_ = 0;
    UserIrTarget userIrTarget_ = UserIrTarget::None;
    // The low half of a user IR number waits for the device's acknowledgement
    // of the high half.
    UserIrTarget lowHalfDue_ = UserIrTarget::None;
    bool wavImportInProgress_ = false;

    // Where the file dialogs start.
    std::string storedBankPath_;
    std::string storedPresetPath_;
    std::string storedWavPath_;
};

}  // namespace vornix
