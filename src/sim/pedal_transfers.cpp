// Transfers that span several messages: IR upload and download, the IR name
// pages, the bank restore and the firmware loader.
#include <algorithm>

#include "sim/pedal.hpp"

namespace vornix::sim {

namespace {

// F0 00 51 21 05 c 0A, stream bytes, checksum high, low, F7.
constexpr std::size_t IrLastOverhead = 10;
constexpr std::size_t IrLastMaxSize = sysex::IrChunkBytes + IrLastOverhead;
// F0 00 51 21 04 20, stream bytes, checksum high, low, F7.
constexpr std::size_t FirmwareLastOverhead = 9;
constexpr std::size_t FirmwareEnterSize = 7;  // F0 00 51 21 04 10 F7
constexpr unsigned FourteenBits = 0x3FFF;

// The checksum that follows the stream bytes of a last chunk.
sysex::Checksum trailingChecksum(sysex::ByteSpan message) {
    const std::size_t size = message.size();
    return sysex::Checksum{message[size - 3], message[size - 2]};
}

}  // namespace

// ---- IR download and names ----------------------------------------------------------

void Pedal::sendIr(unsigned number) {
    // A number without an IR still gets a complete answer, so that an editor
    // waiting for the last chunk never stalls.
    const sysex::Bytes* file = irs_.find(number);
    const sysex::Bytes stream = sysex::packStream(file ? *file : emptyIrSlotFile());
    const sysex::ByteSpan all(stream);
    const std::size_t first = std::min(sysex::IrChunkBytes, all.size());
    reply(sysex::irFirstChunk(sysex::cmd::IrFirst, number, static_cast<unsigned>(all.size()),
                              all.first(first)));
    std::size_t sent = first;
    while (all.size() - sent > sysex::IrChunkBytes) {
        reply(sysex::irMiddleChunk(sysex::cmd::IrMiddle, all.subspan(sent, sysex::IrChunkBytes)));
        sent += sysex::IrChunkBytes;
    }
    const unsigned checksum = sysex::checksumOf(all).value() + options_.irDumpChecksumOffset;
    reply(sysex::irLastChunk(sysex::cmd::IrLast, all.subspan(sent),
                             sysex::checksumOfSum(checksum & FourteenBits)));
}

void Pedal::sendIrNames(std::uint8_t page) {
    if (page >= irnum::NamePageCount) return;
    reply(sysex::blockMessage(sysex::cmd::IrNamePage, page, irs_.namePage(page)));
}

// ---- IR upload and restore ------------------------------------------------------------

void Pedal::irFirstChunk(sysex::ByteSpan message, IrMode mode) {
    if (message.size() != sysex::IrFirstSize) return;
    irStream_.reset();
    if (mode == IrMode::Restore && faults_.refusesRestore()) {
        answerRestore(false);
        return;
    }
    irNumber_ = sysex::read14(message, sysex::at::IrNumber);
    irMode_ = mode;
    const bool accepted =
        isIrNumber(irNumber_) && irStream_.begin(sysex::read21(message, sysex::at::IrStreamLength));
    if (accepted) irStream_.add(message.subspan(sysex::at::IrFirstData, sysex::IrChunkBytes));
    if (mode == IrMode::Upload)
        reply(sysex::status(accepted ? sysex::cmd::IrHeaderAccepted : sysex::cmd::IrError));
    else
        answerRestore(accepted);
}

void Pedal::irMiddleChunk(sysex::ByteSpan message, IrMode mode) {
    // A middle chunk of the wrong size is lost data; the length check of the
    // last chunk then refuses the IR.
    if (message.size() != sysex::IrMiddleSize || irMode_ != mode) return;
    irStream_.add(message.subspan(sysex::at::IrChunkData, sysex::IrChunkBytes));
}

void Pedal::irLastChunk(sysex::ByteSpan message, IrMode mode) {
    if (message.size() < IrLastOverhead || message.size() > IrLastMaxSize) return;
    if (mode == IrMode::Restore && faults_.refusesRestore()) {
        irStream_.reset();
        answerRestore(false);
        return;
    }
    const bool stored = finishIr(message, mode);
    irStream_.reset();
    if (mode == IrMode::Upload)
        reply(sysex::status(stored ? sysex::cmd::IrStored : sysex::cmd::IrError));
    else
        answerRestore(stored);
}

bool Pedal::finishIr(sysex::ByteSpan message, IrMode mode) {
    if (!irStream_.active() || irMode_ != mode) return false;
    irStream_.add(message.subspan(sysex::at::IrChunkData, message.size() - IrLastOverhead));
    if (!irStream_.completeWith(trailingChecksum(message))) return false;
    return irs_.store(irNumber_, irStream_.data());  // refuses anything but 2,436 bytes
}

// ---- bank restore -----------------------------------------------------------------------

void Pedal::restorePreset(sysex::ByteSpan message) {
    const sysex::BlockParse parsed = sysex::parseBlockMessage(message);
    if (parsed.error != sysex::ParseError::None) return;
    if (faults_.refusesRestore()) {
        answerRestore(false);
        return;
    }
    const bool accepted = parsed.view.checksumOk && parsed.view.number < presets_.size();
    if (accepted)
        std::copy(parsed.view.block.begin(), parsed.view.block.end(),
                  presets_[parsed.view.number].begin());
    answerRestore(accepted);
}

void Pedal::answerRestore(bool accepted) {
    reply(sysex::status(accepted ? faults_.restoreAck() : sysex::cmd::RestoreRefused));
}

// ---- firmware loader ----------------------------------------------------------------------

void Pedal::handleFirmwareMessage(sysex::ByteSpan message) {
    switch (message[sysex::at::Command]) {
        case sysex::fwcmd::EnterUpdate:
            if (message.size() != FirmwareEnterSize) return;
            loader_ = Loader::Ready;
            firmwareStream_.reset();
            reply(sysex::firmwareStatus(sysex::fwcmd::Ready));
            break;
        case sysex::fwcmd::FirstChunk:
            if (loader_ != Loader::Idle) firmwareFirstChunk(message);
            break;
        case sysex::fwcmd::Chunk:
            if (loader_ == Loader::Receiving) firmwareChunk(message);
            break;
        default:
            break;
    }
}

void Pedal::firmwareFirstChunk(sysex::ByteSpan message) {
    if (message.size() != sysex::FirmwareFirstSize) return endFirmware(false);
    const unsigned length = sysex::read21(message, sysex::at::FirmwareStreamLength);
    if (length == 0 || !firmwareStream_.begin(length)) return endFirmware(false);
    // A stream shorter than one chunk arrives zero-padded; the padding is not part of it.
    const std::size_t carried = std::min<std::size_t>(sysex::FirmwareChunkBytes, length);
    firmwareStream_.add(message.subspan(sysex::at::FirmwareFirstData, carried));
    loader_ = Loader::Receiving;
}

void Pedal::firmwareChunk(sysex::ByteSpan message) {
    // Chunks are not acknowledged, so the loader tells the last one by the
    // announced length: once no more than one chunk's worth is missing.
    const std::size_t remaining = firmwareStream_.remaining();
    if (remaining > sysex::FirmwareChunkBytes) {
        if (message.size() != sysex::FirmwareMiddleSize) return endFirmware(false);
        firmwareStream_.add(
            message.subspan(sysex::at::FirmwareChunkData, sysex::FirmwareChunkBytes));
        return;
    }
    if (message.size() != remaining + FirmwareLastOverhead) return endFirmware(false);
    firmwareStream_.add(message.subspan(sysex::at::FirmwareChunkData, remaining));
    endFirmware(firmwareStream_.completeWith(trailingChecksum(message)));
}

void Pedal::endFirmware(bool success) {
    loader_ = Loader::Idle;
    const bool installed = success && !faults_.firmwareFails();
    if (installed) lastFirmwareImage_ = firmwareStream_.data();
    firmwareStream_.reset();
    reply(sysex::firmwareStatus(installed ? sysex::fwcmd::Finished : sysex::fwcmd::Failed));
}

}  // namespace vornix::sim
