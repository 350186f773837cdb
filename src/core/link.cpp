#include "core/link.hpp"

#include <string>

#include "device/sysex.hpp"

namespace vornix {

namespace {

constexpr int PresetWatchTicks = 10;  // fires on the 11th tick (1.1 s) after a request
constexpr int PageWatchTicks = 10;
constexpr int MaxPageRetries = 3;

}  // namespace

// ---- Link ----------------------------------------------------------------------------

void Link::openWindow(EditorEvents& view) {
    closeWindow();
    events_.add(view);
    window_ = &view;
}

void Link::closeWindow() {
    if (window_) events_.remove(*window_);
    window_ = nullptr;
}

bool Link::send(std::span<const std::uint8_t> message) {
    if (firmwareOnly_ && !sysex::hasHeader(message, sysex::family::Firmware)) {
        events_.emit(&MessageEvents::note,
                     "held back during the firmware update: " + sysex::toHex(message));
        return false;
    }
    if (!sender_) return false;
    events_.emit(&TrafficEvents::messageSent, message);
    return sender_(message);
}

void Link::showMessage(const std::string& text, Buttons buttons,
                       std::function<void(Answer)> completion) {
    events_.emit(&MessageEvents::message, text);
    if (windowOpen()) platform_.messageBox(text, "", buttons, std::move(completion));
}

void Link::showMessageLater(const std::string& text) {
    pendingMessage_ = text;
    messagePending_ = true;
}

void Link::showPendingMessage() {
    if (!messagePending_) return;
    messagePending_ = false;
    showMessage(pendingMessage_);
}

void Link::requestPreset(int slot) {
    lastPresetSlot_ = slot;
    presetWatchArmed_ = true;
    presetWatchTicks_ = 0;
    send(sysex::requestPreset(static_cast<std::uint8_t>(slot)));
}

bool Link::presetWatchExpired() {
    if (!presetWatchArmed_ || ++presetWatchTicks_ <= PresetWatchTicks) return false;
    presetWatchArmed_ = false;
    return true;
}

void Link::requestPage(int page) {
    if (page != sysex::page::Identify) {
        awaitedPage_ = page;
        pageWatchTicks_ = 0;
        pageRetries_ = 0;
    }
    send(sysex::requestPage(static_cast<std::uint8_t>(page)));
}

bool Link::pageAnswered(int page) {
    if (page != awaitedPage_) return false;
    awaitedPage_ = -1;
    return true;
}

void Link::pageWatchTick() {
    if (awaitedPage_ < 0 || ++pageWatchTicks_ <= PageWatchTicks) return;
    if (pageRetries_ >= MaxPageRetries) {
        awaitedPage_ = -1;
        return;
    }
    ++pageRetries_;
    pageWatchTicks_ = 0;
    events_.emit(&MessageEvents::note, "no answer to the request of global page " +
                                           std::to_string(awaitedPage_) + ": asked again");
    send(sysex::requestPage(static_cast<std::uint8_t>(awaitedPage_)));
}

void Link::forgetRequests() {
    awaitedPage_ = -1;
    presetWatchArmed_ = false;
}

void Link::sendBeginTransfer() {
    beginTransferPending_ = false;
    send(sysex::beginTransfer());
}

}  // namespace vornix
