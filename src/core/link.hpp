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
#include "core/event_hub.hpp"
#include "core/platform.hpp"

namespace vornix {

class Link {
  public:
    using Sender = std::function<bool(std::span<const std::uint8_t>)>;

    explicit Link(Platform& platform) : platform_(platform) {}

    void setSender(Sender sender) { sender_ = std::move(sender); }
    // Hands one complete message to the MIDI output; false when none is open.
    bool send(std::span<const std::uint8_t> message);

    EventHub& events() { return events_; }
    // The window is one more listener; while none is open the link skips
    // every step that only the window would show.
    void openWindow(EditorEvents& view);
    void closeWindow();
    bool windowOpen() const { return window_ != nullptr; }
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
    EditorEvents* window_ = nullptr;
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
