#include "sim/pedal.hpp"

#include "sim/factory_content.hpp"

namespace vornix::sim {

namespace {

// Message sizes of the editor's family-05 commands.
constexpr std::size_t BareCommandSize = 8;  // F0 00 51 21 05 c 0A F7
constexpr std::size_t OneValueSize = 9;     // ... c 0A n F7
constexpr std::size_t TwoValueSize = 10;    // ... c 0A d v F7, or a 14-bit number

// Room for the stream of the largest IR file the editor's decoder accepts
// (4,096 bytes); a real IR is always 2,785 stream bytes.
constexpr std::size_t IrStreamCapacity = 4682;
// Room for the image of the largest firmware file the editor sends (65,535 bytes).
constexpr std::size_t FirmwareStreamCapacity = 74898;

const PresetRecord ZeroRecord{};

bool isSlot(int slot) {
    return slot >= 0 && slot < NumPresets;
}

}  // namespace

Pedal::Pedal(PedalOptions options)
    : options_(std::move(options)),
      irStream_(IrStreamCapacity),
      firmwareStream_(FirmwareStreamCapacity) {
    resetPresetsToFactory();
    resetSettingsToFactory();
}

void Pedal::setEmitter(Emitter emitter) {
    emitter_ = std::move(emitter);
}

// ---- dispatch ----------------------------------------------------------------------

void Pedal::receive(sysex::ByteSpan message) {
    if (faults_.silent()) return;
    if (message.size() > sysex::at::Command && faults_.losesMessage(message[sysex::at::Command]))
        return;
    const bool outermost = !flushing_;
    try {
        handle(message);
        flush();
    } catch (...) {
        // A transport that throws from its emitter loses the rest of this
        // answer, never the pedal's state or the caller's thread.
        if (outermost) {
            outbox_.clear();
            flushing_ = false;
        }
    }
}

void Pedal::handle(sysex::ByteSpan message) {
    if (!sysex::isFramed(message) || message.size() <= sysex::at::Command) return;
    if (sysex::hasHeader(message, sysex::family::Firmware)) {
        handleFirmwareMessage(message);
    } else if (sysex::hasHeader(message, sysex::family::Editor) &&
               message.size() >= BareCommandSize &&
               message[sysex::at::Device] == sysex::DeviceCode) {
        handleEditorMessage(message);
    }
}

void Pedal::handleEditorMessage(sysex::ByteSpan message) {
    using namespace sysex;
    const std::size_t size = message.size();
    const std::uint8_t value = size > at::Number ? message[at::Number] : 0;
    switch (message[at::Command]) {
        case cmd::Request:
            if (size == OneValueSize) answerPageRequest(message);
            break;
        case cmd::RequestPreset:
            if (size == OneValueSize) sendPreset(value);
            break;
        case cmd::SelectPreset:
            if (size == OneValueSize) selectPreset(value);
            break;
        case cmd::EditBuffer:
            takeEditBuffer(message);
            break;
        case cmd::SetParameter:
            if (size == TwoValueSize) setParameter(value, message[at::Number + 1]);
            break;
        case cmd::GlobalPage:
            writeGlobalPage(message);
            break;
        case cmd::FactoryReset:
            if (size == OneValueSize) factoryReset(value);
            break;
        case cmd::RequestIr:
            if (size == TwoValueSize) sendIr(read14(message, at::IrNumber));
            break;
        case cmd::RequestIrNames:
            if (size == OneValueSize) sendIrNames(value);
            break;
        case cmd::IrFirst:
            irFirstChunk(message, IrMode::Upload);
            break;
        case cmd::IrMiddle:
            irMiddleChunk(message, IrMode::Upload);
            break;
        case cmd::IrLast:
            irLastChunk(message, IrMode::Upload);
            break;
        case cmd::RestoreIrFirst:
            irFirstChunk(message, IrMode::Restore);
            break;
        case cmd::RestoreIrMiddle:
            irMiddleChunk(message, IrMode::Restore);
            break;
        case cmd::RestoreIrLast:
            irLastChunk(message, IrMode::Restore);
            break;
        case cmd::RestorePreset:
            restorePreset(message);
            break;
        // Begin and end of a transfer and the editor closing need no answer:
        // the pedal serves requests the same way inside and outside a transfer.
        default:
            break;
    }
}

// ---- replies ----------------------------------------------------------------------

void Pedal::reply(sysex::Bytes message) {
    outbox_.push_back(std::move(message));
}

void Pedal::flush() {
    // An emitter that feeds the editor synchronously may send the next request
    // before this one's replies are all out; the nested call only queues, so
    // the editor still sees the replies in the order the pedal made them.
    if (flushing_) return;
    flushing_ = true;
    while (!outbox_.empty()) {
        sysex::Bytes message = std::move(outbox_.front());
        outbox_.pop_front();
        deliver(std::move(message));
    }
    flushing_ = false;
}

void Pedal::deliver(sysex::Bytes message) {
    const FaultPlan::ReplyFate fate = faults_.fateOf(message[sysex::at::Command]);
    if (fate.drop || !emitter_) return;
    if (fate.corrupt) corruptReplyBytes(message);
    // A copy: the emitter may replace itself (a transport closing) while it runs.
    const Emitter emit = emitter_;
    for (int copy = 1; copy < fate.copies; ++copy) emit(message, fate.delayMs);
    emit(std::move(message), fate.delayMs);
}

// ---- state ------------------------------------------------------------------------

const std::array<std::uint8_t, 256>& Pedal::preset(int slot) const {
    return isSlot(slot) ? presets_[static_cast<std::size_t>(slot)] : ZeroRecord;
}

void Pedal::setPreset(int slot, const std::array<std::uint8_t, 256>& rec) {
    if (isSlot(slot)) presets_[static_cast<std::size_t>(slot)] = rec;
}

void Pedal::setIr(unsigned number, sysex::Bytes slotFile) {
    irs_.store(number, std::move(slotFile));
}

std::array<std::uint8_t, 256> Pedal::globalPage(int page) const {
    if (page == sysex::page::Checksums) return checksumPage();
    if (page < 0 || page >= GlobalPageCount) return PageBlock{};
    PageBlock block = globals_[static_cast<std::size_t>(page)];
    if (page == sysex::page::Settings) block[0] = static_cast<std::uint8_t>(currentPreset_);
    return block;
}

PageBlock Pedal::checksumPage() const {
    sysex::PresetChecksums sums;
    for (std::size_t slot = 0; slot < presets_.size(); ++slot)
        sums[slot] = sysex::checksumOf(presets_[slot]);
    return sysex::buildChecksumPage(sums);
}

void Pedal::resetPresetsToFactory() {
    for (int slot = 0; slot < NumPresets; ++slot)
        presets_[static_cast<std::size_t>(slot)] = factoryPreset(slot);
    irs_.clear();
    addFactoryIrs(irs_);
    editBuffer_ = presets_[static_cast<std::size_t>(currentPreset_)];
}

void Pedal::resetSettingsToFactory() {
    globals_ = factoryGlobalPages();
}

}  // namespace vornix::sim
