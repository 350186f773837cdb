#pragma once
// What happened in the editor, in its own words. The window's pages (ui/),
// the command line and the tests listen to these; the editor never names a
// page, a control or a group, so a page can be added without touching it.
//
// The events come in small interfaces, one per section, each function with
// an empty default: a listener derives from the sections it cares about and
// overrides what it needs. A new event is one declaration here plus the
// listeners that want it; EventHub fans it out to every listener.
#include <cstdint>
#include <span>
#include <string>

namespace vornix {

// The transfers that span many messages.
enum class Transfer { BulkRead, BankExport, BankImport, IrUpload, IrDownload, Firmware };

// The device's current preset, as it was applied.
struct AppliedPreset {
    int slot = 0;
    int displayNumber = 0;  // the slot plus the patch offset
    std::string name;       // the 32 name bytes as received
    int ampModel = 0;       // 0-9 a voicing, 10-12 none (by Buzz)
    int ambienceType = 0;   // 0-6 a voicing, 7 none
    // What positions 7 and 8 of the cabinet list show: the user IR's name
    // when the position plays one, else the cabinet's.
    std::string ir7Label;
    std::string ir8Label;
    bool playsUserIr = false;  // position 7 or 8 plays a user IR
};

// The link and the identification of the device.
class LinkEvents {
  public:
    virtual ~LinkEvents() = default;
    // RECONNECT: the editor looks for the device again.
    virtual void connecting() {}
    // How the host is reaching the device while the editor looks for it
    // ("Waiting for the MIDI ports of the pedal..."); empty: nothing to add.
    // A second line, after '\n', names a port.
    virtual void searchStatusChanged(const std::string& /*text*/) {}
    // An identification reply arrived, accepted or not.
    virtual void deviceAnswered(double /*version*/) {}
    // The device was accepted: the editor goes online.
    virtual void identified(double /*version*/, const std::string& /*serial*/) {}
    // The device's firmware version is not one this editor works with.
    virtual void versionRefused(const std::string& /*text*/) {}
    virtual void onlineChanged(bool /*online*/) {}
};

// The sound being edited and the preset it came from.
class SoundEvents {
  public:
    virtual ~SoundEvents() = default;
    // A parameter's value changed: by a gesture, by the editor's own code or by
    // the device. `applyingBlock` while a received preset, a device report or a
    // voicing is being applied: the change was not sent and no page follows it.
    virtual void parameterChanged(int /*index*/, bool /*applyingBlock*/) {}
    // More than 60 idle ticks since the last edit: the readout shows the
    // preset number again.
    virtual void readoutTimedOut(int /*displayNumber*/) {}
    // A footswitch stepped the preset number: the readout shows it, lit.
    virtual void presetNumberShown(int /*displayNumber*/) {}
    // The readout is blinked dark or shown again (a store or recall waits).
    virtual void readoutShown(bool /*shown*/) {}
    // The device's current preset moved to another slot (the list selection).
    virtual void presetSelected(int /*slot*/) {}
    // A preset from the device is about to replace the sound: its values
    // follow as a block, then presetApplied.
    virtual void presetArriving(int /*slot*/) {}
    virtual void presetApplied(const AppliedPreset& /*preset*/) {}
    // Undo, redo or a brought-back edit put values back: the amplifier model
    // and ambience type recognised from the sound now (as in AppliedPreset).
    virtual void soundRestored(int /*ampModel*/, int /*ambienceType*/) {}
    // What Undo, Redo and Bring Back offer changed (a step, an undo, a recall
    // that threw an edit away, the link going on or off line).
    virtual void editHistoryChanged() {}
    // A store was confirmed by the device and cached.
    virtual void presetStored(int /*slot*/) {}
    // The sound differs from the stored preset, or no longer does.
    virtual void modifiedChanged(bool /*modified*/) {}
    virtual void presetNameChanged(const std::string& /*name*/) {}
    // The name shown for cabinet position 7 or 8.
    virtual void irPositionNameChanged(int /*position*/, const std::string& /*name*/) {}
    virtual void knobLayerChanged(bool /*layerB*/) {}
    // Position 7 or 8 now names user IR `number` on the device: both halves
    // of the number went out, the low one after the device took the high one.
    virtual void userIrAssigned(int /*position*/, unsigned /*number*/) {}
    // The IR of the cabinet selector was recomputed; `byUser` when a gesture
    // (not a received preset) chose it.
    virtual void impulseResponseChanged(std::span<const double> /*samples*/, bool /*byUser*/) {}
    // The device's free text (0x7B).
    virtual void deviceTextChanged(const std::string& /*text*/) {}
    // A/B: B was picked, started or stopped playing, or the comparison ended.
    virtual void comparisonChanged() {}
};

// The lists the window shows: preset rows, user IR rows, cabinet names.
class ListEvents {
  public:
    virtual ~ListEvents() = default;
    virtual void presetRowChanged(int /*row*/, const std::string& /*text*/) {}
    virtual void userIrRowChanged(int /*row*/, const std::string& /*text*/) {}
    virtual void cabinetNameChanged(int /*cabinet*/, const std::string& /*name*/) {}
};

// Transfers and the answers that end them.
class TransferEvents {
  public:
    virtual ~TransferEvents() = default;
    virtual void transferStarted(Transfer) {}
    virtual void transferProgress(Transfer, double /*fraction*/) {}
    virtual void transferEnded(Transfer, bool /*ok*/) {}
    // 1.1 s after a preset request that got no answer.
    virtual void presetRequestUnanswered() {}
    // The device stored an uploaded IR (0x61), or refused it (0x62).
    virtual void irUploadAnswered(bool /*stored*/) {}
    virtual void irReceived(unsigned /*number*/) {}
    // A preset file was applied as the current sound, its IRs uploaded and
    // the preset sent; false with the reason when the file was refused.
    virtual void presetFileImported(bool /*ok*/, const std::string& /*reason*/) {}
    // The device's current preset was applied and every IR it plays is cached.
    virtual void synchronised() {}
    // The device reported the end of a factory reset.
    virtual void factoryResetFinished() {}

    // ---- slot history and backups ----
    // One slot was written (a kept version put back, a setlist's song) and
    // read back: `ok` when the slot holds it byte for byte, else `why` says
    // what went wrong.
    virtual void slotWritten(int /*slot*/, bool /*ok*/, const std::string& /*why*/) {}
    // A whole-device backup ended: its file, or why there is none.
    virtual void backupFinished(bool /*ok*/, const std::string& /*pathOrWhy*/) {}
    // After the start-up sync, when the pedal's last backup is older than a
    // week (or it has none: -1).
    virtual void backupOverdue(int /*days*/) {}
};

// Pages the user opened through the editor's commands.
class PageEvents {
  public:
    virtual ~PageEvents() = default;
    virtual void firmwarePageOpened() {}
    // The firmware page closed: by its close button, or once the result of
    // an update was acknowledged (`afterUpdate`).
    virtual void firmwarePageClosed(bool /*afterUpdate*/) {}
    virtual void globalSettingsOpened() {}
    virtual void aboutRequested() {}
};

// Words for the user and for whoever traces the link.
class MessageEvents {
  public:
    virtual ~MessageEvents() = default;
    // A message the user would see in a message box (shown only with a window).
    virtual void message(const std::string& /*text*/) {}
    // A detail for whoever traces the link (a stray acknowledgement ...).
    virtual void note(const std::string& /*text*/) {}
};

// Every message between the editor and the device as it goes out or comes
// in, malformed ones too: for the MIDI monitor.
class TrafficEvents {
  public:
    virtual ~TrafficEvents() = default;
    virtual void messageSent(std::span<const std::uint8_t> /*message*/) {}
    virtual void messageReceived(std::span<const std::uint8_t> /*message*/) {}
};

// A listener of every section (a recorder in tests).
class EditorEvents : public LinkEvents,
                     public SoundEvents,
                     public ListEvents,
                     public TransferEvents,
                     public PageEvents,
                     public MessageEvents,
                     public TrafficEvents {};

}  // namespace vornix
