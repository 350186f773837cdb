#pragma once
// VornixControl: the editor. It owns the parameter catalogue, the state of the
// link to the device and the value arrays, and it is driven from one thread:
// the device tick (100 ms), the idle tick (20 ms), user gestures, menu
// commands and every received SysEx message.
//
// Sections of the implementation:
//   vornix_control.cpp  construction, hooks, ticks, menu commands, UI helpers
//   edit_rule.cpp       parameter edits and the messages the editor sends
//   handshake.cpp       identification, keep-alive, reconnect
//   incoming.cpp        handling of every received message
//   ir_receive.cpp      IR streams from the device
//   transfers.cpp       the one transfer step each device tick serves
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/device_link.hpp"
#include "core/editor_view.hpp"
#include "core/link_events.hpp"
#include "core/parameters.hpp"
#include "core/platform.hpp"
#include "device/transfer_buffer.hpp"
#include "framework/event_loop.hpp"
#include "framework/iplug/plugin.hpp"
#include "ir/ir_library.hpp"
#include "storage/data_folder.hpp"
#include "storage/preset_file.hpp"
#include "storage/preset_record.hpp"

namespace vornix {

namespace menu {
inline constexpr int FirmwareUpdate = 1;
inline constexpr int GlobalSettings = 2;
inline constexpr int ClearCache = 3;
inline constexpr int ImportBank = 5;
inline constexpr int ExportBank = 6;
}  // namespace menu

inline constexpr int DeviceTickMs = 100;
inline constexpr int IdleTickMs = 20;

class VornixControl : public iplug::IPlugAPP {
  public:
    using Sender = std::function<bool(std::span<const std::uint8_t>)>;

    VornixControl(EventLoop& loop, storage::DataFolder dataFolder, Platform& platform);
    ~VornixControl() override;
    VornixControl(const VornixControl&) = delete;
    VornixControl& operator=(const VornixControl&) = delete;

    // ---- host side ----
    void setSender(Sender sender) { sender_ = std::move(sender); }
    // Hands one complete message to the MIDI output; false when none is open.
    bool sendToDevice(std::span<const std::uint8_t> message);
    void sysExReceived(std::span<const std::uint8_t> message) override;
    void renderAudioBlock(std::span<double* const> outputs, int frames) override;
    void setEvents(LinkEvents* events) { events_ = events; }
    // Runs at each 20 ms tick before idleTick: the drawing context moves the
    // queued parameter values into its controls. Without it they are dropped.
    void setQueuedValueSink(std::function<void()> sink) { queuedValueSink_ = std::move(sink); }

    // ---- window ----
    // Attaching a view opens the window as far as the editor is concerned.
    void attachView(EditorView* view) { view_ = view; }
    bool windowOpen() const { return view_ != nullptr; }
    EditorView* view() { return view_; }
    // Window torn down; `drawScale` is saved for the next window.
    void uiClosed();
    std::function<void(float drawScale)> saveDrawScale;
    float drawScale = 0.5f;

    // ---- hooks ----
    void showParamChange(int index);
    bool aboutRequested();
    void menuCommand(int command);
    void idleTick();
    void deviceTick();

    // ---- parameters ----
    iplug::IParam& parameter(int index) { return params_[static_cast<std::size_t>(index)]; }
    const iplug::IParam& parameter(int index) const {
        return params_[static_cast<std::size_t>(index)];
    }
    int intValue(int index) const { return parameter(index).intValue(); }
    // Sets a parameter from a device value, runs showParamChange at once and
    // queues the value for the controls.
    void setParameterFromDevice(int index, double normalised);
    // Sets a parameter as a user gesture would (value in its own units).
    void setParameterFromUser(int index, double value);

    // ---- the editor's messages ----
    void sendPreset();
    void writeGlobalPage(int page);
    void requestGlobalPage(int page);
    void requestPreset(int slot);
    void selectPreset(int slot);
    void storePreset(int slot);
    void requestIrNames(int bank);
    void requestIr(unsigned number);
    void switchLayer();
    // Assigns user IR `number` to position 7 or 8: the slot number goes out in
    // two halves with the device's acknowledgement in between.
    void assignUserIr(UserIrTarget position, int number);
    void reconnect();
    void showMessageLater(const std::string& text);

    // ---- bank backups ----
    // Save dialog for the export; true when a path was chosen.
    bool chooseBankExportFile();
    void startBankExport();
    void startBankExportTo(const std::filesystem::path& path) {
        exportTarget_ = path;
        startBankExport();
    }
    // Asks, lets the user choose a bank file and arms the import.
    void importBank();
    // Loads a bank file and arms the import; false with a reason otherwise.
    bool startBankImport(const std::filesystem::path& path, std::string& error);
    std::string storedBankPath;

    // ---- IR library ----
    // Start-up: the factory WAV files when missing, the IR names, the preset list.
    void initialiseCaches(const ir::FactoryWavProvider& factoryWavs);
    // Reads a WAV into the IR sample buffer; a refused file leaves it as it was.
    ir::WavResult readWavIntoIr(const std::filesystem::path& path);
    // Encodes the IR sample buffer under `number`, caches and packs it, and
    // hands it to the upload when online.
    void storeIr(const ir::IrName& name, unsigned number);
    void storeIrSlotFile(std::span<const std::uint8_t> slotFile, unsigned number);
    // The IMPORT button of position 7 or 8 (the path replaces the dialog).
    bool importUserIr(UserIrTarget position, std::optional<std::string> path, std::string& error);
    void showIrSelection(int value);
    const ir::IrSampleBuffer& irSamples() const { return *irSamples_; }
    double irGain = 1.0;
    std::string storedWavPath;
    bool wavImportInProgress = false;

    // ---- preset files ----
    // The EXPORT and IMPORT buttons: a dialog, then the file operation.
    void chooseAndExportPreset();
    void chooseAndImportPreset();
    // Writes the current sound with its user IRs; false (and still modified)
    // when the file could not be written.
    bool exportPresetFile(const std::filesystem::path& path);
    // Checks the file, asks what must be asked, applies it as an unsaved edit
    // and uploads its IRs, then the preset, when online.
    void importPresetFile(const std::filesystem::path& path);
    // The second IR of an imported file, once the first one is stored.
    void importSecondIr();
    std::string storedPresetPath;
    bool irImportPending7 = false;
    bool irImportPending8 = false;
    // The preset name as the name field shows it (kept with the window closed).
    std::string presetName;

    // ---- factory reset ----
    // Asks "Are you sure?" first, then performFactoryReset.
    void factoryReset(std::uint8_t target);
    // Clears the cache when presets are affected, then sends the reset.
    void performFactoryReset(std::uint8_t target);

    // ---- firmware ----
    void openFirmwarePage();
    void closeFirmwarePage();
    void endFirmwarePage();
    void chooseFirmwareFile();
    // Packs the file and asks the device's loader to start; false with a reason.
    bool loadFirmware(const std::filesystem::path& path, std::string& error);

    // ---- storage ----
    void loadPresetSlots();
    void refreshPresetListFromFiles();
    void clearCache();
    const storage::DataFolder& dataFolder() const { return dataFolder_; }

    // ---- state ----
    DeviceLink& link() { return link_; }
    const DeviceLink& link() const { return link_; }
    std::array<int, NumParams> EditValues{};
    std::array<int, NumPresetParams> StoredValues{};
    bool BulkUpdate = true;
    bool ModifiedFlag = false;
    bool LayerB = false;
    // The preset list rows as last set (kept with the window closed too, so
    // the command line can print them).
    const std::array<std::string, NumPresets>& presetRows() const { return presetRows_; }
    std::string currentPresetName() const;
    // Names of the user IRs currently in positions 7 and 8.
    std::string userIr7Name;
    std::string userIr8Name;
    std::string deviceText;  // the last 0x7B text
    // The packed image of the IR or firmware on its way to the device, and
    // the user IR number an IR upload goes to.
    sysex::TransferBuffer transfer;
    int libraryIndex = 0;
    // Cabinet names (0 "Flat Response", 1-8 the cabinets) and user IR names.
    ir::IrNameTable irNames;
    const std::string& cabinetName(int entry) const;

  protected:
    void onParamChangeUI(int index) override { showParamChange(index); }

  private:
    // edit_rule.cpp
    void sendParamEdit(int index);
    void sendGlobalSettingsChange(int index);
    void followUserIrSlot(int index);
    // handshake.cpp
    void keepAliveStep();
    void handleIdentificationReply(const sysex::BlockView& reply);
    // incoming.cpp
    void handleBlockMessage(std::span<const std::uint8_t> message);
    void handlePreset(std::span<const std::uint8_t> message, const sysex::BlockView& view);
    void handleBulkReadPreset(const sysex::BlockView& view);
    void handleCurrentPreset(const sysex::BlockView& view);
    void handleExportedPreset(std::span<const std::uint8_t> message, const sysex::BlockView& view);
    void applyCurrentPresetTexts(const sysex::BlockView& view);
    void requestMissingUserIr();
    void handleGlobalPage(const sysex::BlockView& view);
    void applyGlobalSettingsPage(std::span<const std::uint8_t> block);
    void applyChecksumPage(std::span<const std::uint8_t> block);
    void handleIrNamePage(const sysex::BlockView& view);
    void handleShortMessage(std::span<const std::uint8_t> message);
    void handleStatus(std::uint8_t command);
    void handleRestoreAcknowledged();
    void handleRestoreRefused();
    void handleFirmwareStatus(std::uint8_t command);
    void handleParameterMessage(std::span<const std::uint8_t> message);
    void handleTextMessage(std::span<const std::uint8_t> message);
    void refreshIrDisplay();
    // ir_receive.cpp
    void handleIrChunk(std::span<const std::uint8_t> message);
    void startIrStream(std::span<const std::uint8_t> message);
    void continueIrStream(std::span<const std::uint8_t> data);
    void finishIrStream(std::span<const std::uint8_t> message);
    void storeReceivedIr(unsigned number, std::span<const std::uint8_t> bytes);
    // transfers.cpp
    void transferStep();
    bool bankTransferTimedOut();
    void beginTransferStep();
    void startBulkRead();
    void exportStep();
    void finishBankExport();
    void importStep();
    void irUploadStep();
    void firmwareStep();
    void irRequestStep();
    bool appendToBulkBuffer(std::span<const std::uint8_t> message);
    void abandonBankExport();
    std::uint8_t rewriteForRestore(std::vector<std::uint8_t>& message);
    static bool splitBankMessages(std::span<const std::uint8_t> bytes,
                                  std::vector<std::size_t>& starts, std::string& error);
    void firmwareResultWaitStep();
    void applyPresetFile(std::vector<std::uint8_t> file);
    void storeImportedIrs(const storage::PresetFileBlocks& blocks);
    void storeIrBlock(std::span<const std::uint8_t> block, unsigned number);
    void continueAfterIrStored();
    void finishFirmwareUpdate(bool ok);
    // vornix_control.cpp
    void progressHideStep();
    void retryBulkReadRequest();
    void completionStep();
    void showMessage(const std::string& text, Buttons buttons = Buttons::Ok,
                     std::function<void(Answer)> completion = {});
    void setProgress(double fraction);
    void setPresetRow(int row, const std::string& text);
    void selectPresetRow(int row);
    void setOnline(bool online);
    void setGroupsEnabled(std::span<const char* const> groups, bool enabled);

    EventLoop& loop_;
    storage::DataFolder dataFolder_;
    Platform& platform_;
    Sender sender_;
    LinkEvents* events_ = nullptr;
    LinkEvents noEvents_;
    EditorView* view_ = nullptr;
    std::function<void()> queuedValueSink_;
    EventLoop::TimerId deviceTimer_ = 0;
    EventLoop::TimerId idleTimer_ = 0;

    std::unique_ptr<ir::IrSampleBuffer> irSamples_ = std::make_unique<ir::IrSampleBuffer>();
    DeviceLink link_;
    std::filesystem::path exportTarget_;
    std::vector<std::size_t> bankMessageStarts_;
    unsigned restoreChecksum_ = 0;
    std::vector<std::uint8_t> pendingSecondIr_;
    bool firmwareAwaitingResult_ = false;
    int firmwareWaitTicks_ = 0;
    std::array<std::string, NumPresets> presetRows_;

    LinkEvents& events() { return events_ ? *events_ : noEvents_; }
    friend class VornixControlTestAccess;
};

}  // namespace vornix
