#pragma once
// What every part of the device link shares: the way out to the device, the
// listeners, the user's message boxes, the preset-request watch and the
// begin-transfer message a bulk read and a bank import send before they start.
// Everything here runs on the editor thread.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/editor_events.hpp"
#include "core/platform.hpp"

namespace vornix {

// Forwards every event to the program's listener and to the window.
class EventHub : public EditorEvents {
  public:
    void setProgram(EditorEvents* listener) { program_ = listener; }
    void setWindow(EditorEvents* listener) { window_ = listener; }
    bool hasWindow() const { return window_ != nullptr; }

    void connecting() override;
    void searchStatusChanged(const std::string& text) override;
    void deviceAnswered(double version) override;
    void identified(double version, const std::string& serial) override;
    void versionRefused(const std::string& text) override;
    void onlineChanged(bool online) override;
    void parameterChanged(int index, bool applyingBlock) override;
    void readoutTimedOut(int displayNumber) override;
    void presetNumberShown(int displayNumber) override;
    void readoutShown(bool shown) override;
    void presetSelected(int slot) override;
    void presetApplied(const AppliedPreset& preset) override;
    void presetStored(int slot) override;
    void modifiedChanged(bool modified) override;
    void presetNameChanged(const std::string& name) override;
    void irPositionNameChanged(int position, const std::string& name) override;
    void knobLayerChanged(bool layerB) override;
    void userIrAssigned(int position, unsigned number) override;
    void impulseResponseChanged(std::span<const double> samples, bool byUser) override;
    void deviceTextChanged(const std::string& text) override;
    void presetRowChanged(int row, const std::string& text) override;
    void userIrRowChanged(int row, const std::string& text) override;
    void cabinetNameChanged(int cabinet, const std::string& name) override;
    void transferStarted(Transfer transfer) override;
    void transferProgress(Transfer transfer, double fraction) override;
    void transferEnded(Transfer transfer, bool ok) override;
    void presetRequestUnanswered() override;
    void irUploadAnswered(bool stored) override;
    void irReceived(unsigned number) override;
    void presetFileImported(bool ok, const std::string& reason) override;
    void synchronised() override;
    void factoryResetFinished() override;
    void firmwarePageOpened() override;
    void firmwarePageClosed(bool afterUpdate) override;
    void globalSettingsOpened() override;
    void aboutRequested() override;
    void message(const std::string& text) override;
    void note(const std::string& text) override;

  private:
    template <typename Fn>
    void both(Fn&& fn) {
        if (program_) fn(*program_);
        if (window_) fn(*window_);
    }
    EditorEvents* program_ = nullptr;
    EditorEvents* window_ = nullptr;
};

class Link {
  public:
    using Sender = std::function<bool(std::span<const std::uint8_t>)>;

    explicit Link(Platform& platform) : platform_(platform) {}

    void setSender(Sender sender) { sender_ = std::move(sender); }
    // Hands one complete message to the MIDI output; false when none is open.
    bool send(std::span<const std::uint8_t> message);

    EventHub& events() { return events_; }
    bool windowOpen() const { return events_.hasWindow(); }
    Platform& platform() { return platform_; }

    // A message box (with a window) and the message event (always).
    void showMessage(const std::string& text, Buttons buttons = Buttons::Ok,
                     std::function<void(Answer)> completion = {});
    // Shown by the next idle tick: the incoming handler never opens a box itself.
    void showMessageLater(const std::string& text);
    void showPendingMessage();

    // Every preset request arms a watch that the next preset reply disarms;
    // otherwise it fires on the 11th device tick (1.1 s).
    void requestPreset(int slot);
    void presetAnswered() { presetWatchArmed_ = false; }
    int lastPresetRequest() const { return lastPresetSlot_; }
    // Counts a device tick; true when the watch fired on it.
    bool presetWatchExpired();

    // A page request (0x55) whose answer does not come within 1.1 s is asked
    // again, three times at most: one lost reply must not stall the
    // start-up sequence. The identification request has the keep-alive.
    void requestPage(int page);
    // True when the page answers the request in flight (not a repeated answer).
    bool pageAnswered(int page);
    // Counts a device tick; asks again when the answer is overdue.
    void pageWatchTick();
    // Nothing is awaited any more (the link went offline).
    void forgetRequests();

    // From the request to enter the loader until the update ends, only the
    // firmware family goes out: anything else would reach a device that is
    // no longer listening to it.
    void holdForFirmware(bool hold) { firmwareOnly_ = hold; }

    // The begin-transfer message (0x5A) goes out on the tick before a bulk
    // read or a bank import starts.
    void armBeginTransfer() { beginTransferPending_ = true; }
    bool beginTransferPending() const { return beginTransferPending_; }
    void sendBeginTransfer();

  private:
    Platform& platform_;
    Sender sender_;
    EventHub events_;
    bool messagePending_ = false;
    std::string pendingMessage_;
    bool presetWatchArmed_ = false;
    int lastPresetSlot_ = 0;
    int presetWatchTicks_ = 0;
    int awaitedPage_ = -1;
    int pageWatchTicks_ = 0;
    int pageRetries_ = 0;
    bool firmwareOnly_ = false;
    bool beginTransferPending_ = false;
};

}  // namespace vornix
