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
//   user_irs.cpp            user IRs: WAV import, stores, the selector's IR
//   preset_files.cpp        preset files out (export) and in (the import's target)
//   backups.cpp             bank files, the cache, factory reset
//   kept_versions.cpp       the history of every slot, putting a version back,
//                           the backup before destructive steps
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

#include "core/backup_first.hpp"
#include "core/bank_export.hpp"
#include "core/bank_import.hpp"
#include "core/bulk_read.hpp"
#include "core/comparison.hpp"
#include "core/connection.hpp"
#include "core/edit_history.hpp"
#include "core/editor_events.hpp"
#include "core/editor_roles.hpp"
#include "core/faceplate.hpp"
#include "core/firmware_update.hpp"
#include "core/ir_download.hpp"
#include "core/ir_upload.hpp"
#include "core/link.hpp"
#include "core/parameters.hpp"
#include "core/platform.hpp"
#include "core/preset_cache.hpp"
#include "core/preset_file_import.hpp"
#include "core/slot_keeper.hpp"
#include "core/slot_write.hpp"
#include "framework/event_loop.hpp"
#include "framework/iplug/plugin.hpp"
#include "ir/ir_library.hpp"
#include "storage/data_folder.hpp"

namespace vornix {

struct PresetSource;

inline constexpr int DeviceTickMs = 100;
// A current preset asked for at start-up that does not come, or comes damaged,
// is asked for again this often.
inline constexpr int MaxCurrentPresetRetries = 3;
inline constexpr int IdleTickMs = 20;
// Idle ticks an edited value stays in the readout.
inline constexpr int ReadoutTimeoutTicks = 60;

class VornixControl : public iplug::IPlugAPP,
                      private UserIrs,
                      private PresetFiles,
                      private WholeDevice,
                      private PresetFileImport::Target,
                      private Faceplate::Target,
                      private EditHistory::Target,
                      private Comparison::Target {
  public:
    VornixControl(EventLoop& loop, storage::DataFolder dataFolder, Platform& platform);
    ~VornixControl() override;
    VornixControl(const VornixControl&) = delete;
    VornixControl& operator=(const VornixControl&) = delete;

    // ---- host side ----
    // The way out to the device (link().send, the sendToDevice of the host),
    // the listeners (link().events().add) and the window (link().openWindow).
    Link& link() { return link_; }
    const Link& link() const { return link_; }
    void sysExReceived(std::span<const std::uint8_t> message) override;
    void renderAudioBlock(std::span<double* const> outputs, int frames) override;
    // Runs at each 20 ms tick before idleTick: the drawing context moves the
    // queued parameter values into its controls. Without it they are dropped.
    void setQueuedValueSink(std::function<void()> sink) { queuedValueSink_ = std::move(sink); }

    // ---- window ----
    // Window torn down: the device hears the editor closed, and the draw
    // scale is saved for the next window.
    void uiClosed();
    float drawScale() const { return drawScale_; }
    void setDrawScale(float scale) { drawScale_ = scale; }
    // Where uiClosed saves the draw scale (the host's settings file).
    void setDrawScaleSaver(std::function<void(float)> saver) { saveDrawScale_ = std::move(saver); }

    // ---- hooks ----
    void showParamChange(int index);
    bool aboutRequested();
    void menuCommand(MenuCommand command);

    // ---- the sound ----
    // A parameter's integer value: the byte exchanged with the device. The
    // parameter itself is param(index).
    int intValue(int index) const override {
        return params_[static_cast<std::size_t>(index)].intValue();
    }
    // Sets a parameter from a device value, runs showParamChange at once and
    // queues the value for the controls.
    void setParameterFromDevice(int index, double normalised);
    // Sets a parameter as a user gesture would (value in its own units).
    void setParameterFromUser(int index, double value) override;
    const SoundState& sound() const override { return sound_; }
    // Undo, Redo and the edits a recall threw away.
    EditHistory& history() { return history_; }
    const EditHistory& history() const { return history_; }
    // Picking an amplifier model (0-9) or an ambience type (0-6): its voicing
    // becomes the sound and, online, goes to the device as a whole preset.
    void loadAmpVoicing(int model);
    void loadAmbienceVoicing(int type);
    void renamePreset(const std::string& name);

    // ---- the device ----
    Connection& connection() { return connection_; }
    const Connection& connection() const { return connection_; }
    void selectPreset(int slot) override;
    void storePreset(int slot) override;
    // The current sound as the device's edit buffer (0x20).
    void sendPreset() override;
    // RECONNECT: looks for the device again and ends a bank transfer that waits for it.
    void reconnect();
    void writeGlobalPage(int page);
    void requestGlobalPage(int page);
    // Which preset each controller program selects. Each window starts from
    // the map in which every program selects the preset of its own number;
    // the device's map replaces it when the program map page asks for it.
    std::array<int, NumPresets>& programMap() { return programMap_; }
    Faceplate& faceplate() { return faceplate_; }
    const Faceplate& faceplate() const { return faceplate_; }
    FirmwareUpdate& firmware() { return firmware_; }

    // ---- the preset list and the cache ----
    // A click on a row: online it recalls the row's preset, or stores the
    // sound there while SAVE waits for its second press. The device's answer
    // makes it the current preset.
    void presetRowClicked(int row);
    const PresetCache& cache() const { return cache_; }
    // The rows and checksums again from the slot files.
    void loadPresetSlots();
    // The rows from the slot files; a cache that holds every slot leaves the
    // bulk read nothing to do.
    void refreshPresetListFromFiles();

    // ---- A/B (compare.cpp) ----
    Comparison& comparison() { return comparison_; }
    const Comparison& comparison() const { return comparison_; }
    // Compare With Stored: the first time B becomes the stored preset of the
    // current number; then each call switches between A and B.
    bool toggleComparison();
    // Compare With...: B becomes the preset the source names (not the edit)
    // and plays; the reason when it cannot be read.
    Result compareWith(const PresetSource& source);
    // "Take from B": B's values become the edit's, as one step of the history.
    void takeFromB(std::span<const ParamValue> values);
    // ---- slot history and backups ----
    // What was kept of each slot before it was overwritten.
    const SlotKeeper& slotHistory() const { return keeper_; }
    // Writes version `index` (0 the newest) of a slot's history back into the
    // slot and reads it back; the sound being edited is sent again afterwards.
    Result putBack(int slot, int index);
    // Writes a record with its user IRs into a slot as a one-slot restore,
    // keeps what the slot held first (for `reason`), and reads the slot back;
    // ends with TransferEvents::slotWritten. `purpose` names the step in the
    // message of a failure; a quiet write says nothing when it succeeds (one
    // of many, whose caller sums them up).
    Result writeSlot(SlotContent content, storage::KeepReason reason, const std::string& purpose,
                     bool quiet = false);
    // A store whose old content the slot history keeps as replaced by the library.
    void storeLibraryEntry(int slot);
    // The backup before a restore, a reset or a firmware update; Back Up Now.
    BackupFirst& backups() { return backups_; }
    // The time of kept versions and backups (a hand-set clock in tests).
    void setClock(const storage::Clock& clock);

    // ---- roles ----
    UserIrs& userIrs() { return *this; }
    const UserIrs& userIrs() const { return *this; }
    PresetFiles& presetFiles() { return *this; }
    WholeDevice& wholeDevice() { return *this; }

  protected:
    void onParamChangeUI(int index) override { showParamChange(index); }
    // A control's gesture (a knob from press to release) is one step of the history.
    void beginInformHostOfParamChangeFromUI(int) override { history_.begin(); }
    void endInformHostOfParamChangeFromUI(int) override { history_.end(); }

  private:
    // The roles, played by the editor itself.
    // UserIrs
    void initialiseCaches(const ir::FactoryWavProvider& factoryWavs) override;
    ir::WavResult readWavIntoIr(const std::filesystem::path& path) override;
    void storeIr(const ir::IrName& name, unsigned number) override;
    Result importUserIr(UserIrTarget position, std::optional<std::string> path) override;
    void assignUserIr(UserIrTarget position, int number) override;
    void showIrSelection(int value) override;
    void requestIr(unsigned number) override;
    const ir::IrSampleBuffer& irSamples() const override { return *irSamples_; }
    double irGain() const override { return irGain_; }
    unsigned irUploadTarget() const override { return irUpload_.target(); }
    const std::string& userIrName(int position) const override;
    const ir::IrNameTable& irNames() const override { return irNames_; }
    // PresetFiles
    void chooseAndExportPreset() override;
    void chooseAndImportPreset() override;
    Result exportPresetFile(const std::filesystem::path& path) override;
    void playPresetFile(std::span<const std::uint8_t> file, bool modified) override;
    void importPresetFile(const std::filesystem::path& path) override {
        presetFileImport_.start(path);
    }
    // WholeDevice
    bool chooseBankExportFile() override;
    void startBankExportTo(const std::filesystem::path& path) override { bankExport_.start(path); }
    void importBank() override;
    Result startBankImport(const std::filesystem::path& path) override;
    int bankImportSize() const override { return bankImport_.messageCount(); }
    void factoryReset(std::uint8_t target) override;
    void performFactoryReset(std::uint8_t target) override;
    void clearCache() override;
    // EditHistory::Target
    std::string parameterName(int index) const override;
    void applyAsOnePreset(std::span<const ParamValue> values, const std::string& name) override;
    // compare.cpp
    void choosePresetAsB(const sysex::PresetRecord& record, std::optional<int> slot,
                         std::string label);
    std::string userIrNoteFor(const PresetSnapshot& other) const;
    // Faceplate::Target, PresetFileImport::Target and Comparison::Target
    bool online() const override { return connection_.online(); }
    int currentPreset() const override { return sound_.currentPreset; }
    bool modified() const override { return sound_.ModifiedFlag; }

    // vornix_control.cpp
    void deviceTick();
    void startDeviceTimer();
    void tickAtOnce();
    void idleTick();
    void transferStep();
    void finishFactoryReset();
    void finishBankImport();
    // kept_versions.cpp
    void keepBeforeStore(int slot);
    void finishSlotWriteRestore(bool restored);
    void finishSlotWrite(const sysex::BlockView& readBack);
    void slotWriteUnanswered();
    void endSlotWrite(bool ok, const std::string& why);
    void remindOfOldBackup();
    void backUpBeforeFirmware(std::function<void()> update);
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
    // user_irs.cpp
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

    SlotKeeper keeper_{cache_.folder(), storage::systemClock()};
    SlotWrite slotWrite_;
    BackupFirst backups_{link_, bankExport_, connection_, cache_.folder()};
    // The sound came from a preset file: storing it keeps the slot as "import".
    bool soundFromPresetFile_ = false;
    bool storingLibraryEntry_ = false;

    SoundState sound_;
    EditHistory history_{link_, *this};
    Comparison comparison_{link_, *this};
    // Idle ticks since the last edit of a preset parameter; empty once the
    // readout went back to the preset number.
    std::optional<int> readoutTicks_;
    int selectedRow_ = 0;
    bool savePending_ = false;
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
