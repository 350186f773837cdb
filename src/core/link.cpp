#include "core/link.hpp"

#include <string>

#include "device/sysex.hpp"

namespace vornix {

namespace {

constexpr int PresetWatchTicks = 10;  // fires on the 11th tick (1.1 s) after a request
constexpr int PageWatchTicks = 10;
constexpr int MaxPageRetries = 3;

}  // namespace

// ---- EventHub ------------------------------------------------------------------------

void EventHub::connecting() {
    both([](EditorEvents& e) { e.connecting(); });
}
void EventHub::searchStatusChanged(const std::string& text) {
    both([&](EditorEvents& e) { e.searchStatusChanged(text); });
}
void EventHub::deviceAnswered(double version) {
    both([&](EditorEvents& e) { e.deviceAnswered(version); });
}
void EventHub::identified(double version, const std::string& serial) {
    both([&](EditorEvents& e) { e.identified(version, serial); });
}
void EventHub::versionRefused(const std::string& text) {
    both([&](EditorEvents& e) { e.versionRefused(text); });
}
void EventHub::onlineChanged(bool online) {
    both([&](EditorEvents& e) { e.onlineChanged(online); });
}
void EventHub::parameterChanged(int index, bool applyingBlock) {
    both([&](EditorEvents& e) { e.parameterChanged(index, applyingBlock); });
}
void EventHub::readoutTimedOut(int displayNumber) {
    both([&](EditorEvents& e) { e.readoutTimedOut(displayNumber); });
}
void EventHub::presetNumberShown(int displayNumber) {
    both([&](EditorEvents& e) { e.presetNumberShown(displayNumber); });
}
void EventHub::readoutShown(bool shown) {
    both([&](EditorEvents& e) { e.readoutShown(shown); });
}
void EventHub::presetSelected(int slot) {
    both([&](EditorEvents& e) { e.presetSelected(slot); });
}
void EventHub::presetApplied(const AppliedPreset& preset) {
    both([&](EditorEvents& e) { e.presetApplied(preset); });
}
void EventHub::presetStored(int slot) {
    both([&](EditorEvents& e) { e.presetStored(slot); });
}
void EventHub::modifiedChanged(bool modified) {
    both([&](EditorEvents& e) { e.modifiedChanged(modified); });
}
void EventHub::presetNameChanged(const std::string& name) {
    both([&](EditorEvents& e) { e.presetNameChanged(name); });
}
void EventHub::irPositionNameChanged(int position, const std::string& name) {
    both([&](EditorEvents& e) { e.irPositionNameChanged(position, name); });
}
void EventHub::knobLayerChanged(bool layerB) {
    both([&](EditorEvents& e) { e.knobLayerChanged(layerB); });
}
void EventHub::userIrAssigned(int position, unsigned number) {
    both([&](EditorEvents& e) { e.userIrAssigned(position, number); });
}
void EventHub::impulseResponseChanged(std::span<const double> samples, bool byUser) {
    both([&](EditorEvents& e) { e.impulseResponseChanged(samples, byUser); });
}
void EventHub::deviceTextChanged(const std::string& text) {
    both([&](EditorEvents& e) { e.deviceTextChanged(text); });
}
void EventHub::presetRowChanged(int row, const std::string& text) {
    both([&](EditorEvents& e) { e.presetRowChanged(row, text); });
}
void EventHub::userIrRowChanged(int row, const std::string& text) {
    both([&](EditorEvents& e) { e.userIrRowChanged(row, text); });
}
void EventHub::cabinetNameChanged(int cabinet, const std::string& name) {
    both([&](EditorEvents& e) { e.cabinetNameChanged(cabinet, name); });
}
void EventHub::transferStarted(Transfer transfer) {
    both([&](EditorEvents& e) { e.transferStarted(transfer); });
}
void EventHub::transferProgress(Transfer transfer, double fraction) {
    both([&](EditorEvents& e) { e.transferProgress(transfer, fraction); });
}
void EventHub::transferEnded(Transfer transfer, bool ok) {
    both([&](EditorEvents& e) { e.transferEnded(transfer, ok); });
}
void EventHub::presetRequestUnanswered() {
    both([](EditorEvents& e) { e.presetRequestUnanswered(); });
}
void EventHub::irUploadAnswered(bool stored) {
    both([&](EditorEvents& e) { e.irUploadAnswered(stored); });
}
void EventHub::irReceived(unsigned number) {
    both([&](EditorEvents& e) { e.irReceived(number); });
}
void EventHub::presetFileImported(bool ok, const std::string& reason) {
    both([&](EditorEvents& e) { e.presetFileImported(ok, reason); });
}
void EventHub::synchronised() {
    both([](EditorEvents& e) { e.synchronised(); });
}
void EventHub::factoryResetFinished() {
    both([](EditorEvents& e) { e.factoryResetFinished(); });
}
void EventHub::firmwarePageOpened() {
    both([](EditorEvents& e) { e.firmwarePageOpened(); });
}
void EventHub::firmwarePageClosed(bool afterUpdate) {
    both([&](EditorEvents& e) { e.firmwarePageClosed(afterUpdate); });
}
void EventHub::globalSettingsOpened() {
    both([](EditorEvents& e) { e.globalSettingsOpened(); });
}
void EventHub::aboutRequested() {
    both([](EditorEvents& e) { e.aboutRequested(); });
}
void EventHub::message(const std::string& text) {
    both([&](EditorEvents& e) { e.message(text); });
}
void EventHub::note(const std::string& text) {
    both([&](EditorEvents& e) { e.note(text); });
}

// ---- Link ----------------------------------------------------------------------------

bool Link::send(std::span<const std::uint8_t> message) {
    if (firmwareOnly_ && !sysex::hasHeader(message, sysex::family::Firmware)) {
        events_.note("held back during the firmware update: " + sysex::toHex(message));
        return false;
    }
    return sender_ ? sender_(message) : false;
}

void Link::showMessage(const std::string& text, Buttons buttons,
                       std::function<void(Answer)> completion) {
    events_.message(text);
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
    events_.note("no answer to the request of global page " + std::to_string(awaitedPage_) +
                 ": asked again");
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
