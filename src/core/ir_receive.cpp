#include <cstdio>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr std::size_t ChecksumBytes = 2;
constexpr unsigned FourteenBits = 0x3FFF;

}  // namespace

void VornixControl::handleIrChunk(ByteSpan m) {
    if (!link_.online || !sysex::hasHeader(m, sysex::family::Editor)) return;
    const std::uint8_t command = m[sysex::at::Command];
    if (link_.exportActive) {
        if (command != sysex::cmd::IrFirst && command != sysex::cmd::IrMiddle &&
            command != sysex::cmd::IrLast)
            return;
        if (!appendToBulkBuffer(m) || command != sysex::cmd::IrLast) return;
        link_.transferWaitTicks = 0;
        setProgress(link_.exportIr / double(NumExportableIrs));
        if (view_) view_->showGroup(group::Progress);
        link_.exportReady = true;
        return;
    }
    if (command == sysex::cmd::IrFirst) {
        startIrStream(m);
    } else if (command == sysex::cmd::IrMiddle && m.size() == sysex::IrMiddleSize) {
        continueIrStream(m.subspan(sysex::at::IrChunkData, sysex::IrChunkBytes));
        const IrReceiveState& ir = link_.irReceive;
        if (view_ && ir.active && ir.expected > 0) {
            const double fraction = ir.decoded.size() / double(ir.expected);
            char text[16];
            std::snprintf(text, sizeof text, "%.0f %%", fraction * 100.0);
            view_->setValue(tag::ProgressKnob, fraction);
            view_->setText(tag::ProgressText, text);
        }
    } else if (command == sysex::cmd::IrLast) {
        finishIrStream(m);
    }
}

void VornixControl::startIrStream(ByteSpan m) {
    IrReceiveState& ir = link_.irReceive;
    ir.active = false;
    if (m.size() != sysex::IrFirstSize) return;
    ir.number = sysex::read14(m, sysex::at::IrNumber);
    ir.streamLength = sysex::read21(m, sysex::at::IrStreamLength);
    ir.expected = sysex::unpackedLength(ir.streamLength);
    // A stream longer than the decode buffer is refused, never stored in part.
    if (ir.expected > IrDecodeCapacity) return;
    ir.active = true;
    ir.decoded.clear();
    ir.runningSum = 0;
    ir.unpacker.start(ir.expected);
    continueIrStream(m.subspan(sysex::at::IrFirstData, sysex::IrChunkBytes));
    setProgress(0.0);
    if (view_) view_->showGroup(group::Progress);
}

void VornixControl::continueIrStream(ByteSpan data) {
    IrReceiveState& ir = link_.irReceive;
    if (!ir.active) return;
    for (std::uint8_t b : data) {
        ir.runningSum += b;
        ir.unpacker.push(b);
    }
    ir.unpacker.drain([&](std::uint8_t b) { ir.decoded.push_back(b); });
}

void VornixControl::finishIrStream(ByteSpan m) {
    IrReceiveState& ir = link_.irReceive;
    const std::size_t dataStart = sysex::at::IrChunkData;
    if (!ir.active || m.size() < dataStart + ChecksumBytes + 1) return;
    const std::size_t checksumAt = m.size() - 1 - ChecksumBytes;
    continueIrStream(m.subspan(dataStart, checksumAt - dataStart));
    ir.unpacker.finish();
    ir.unpacker.drain([&](std::uint8_t b) { ir.decoded.push_back(b); });
    ir.active = false;
    if (link_.irDownloadsPending > 0) --link_.irDownloadsPending;
    const unsigned received = sysex::read14(m, checksumAt);
    // An IR whose bytes do not add up is not stored: it would replace a good
    // cache file with noise.
    if ((ir.runningSum & FourteenBits) != received || !ir.unpacker.complete()) {
        events().message("IR " + std::to_string(ir.number) + " arrived damaged and was not stored");
        if (view_) view_->hideGroup(group::Progress);
        return;
    }
    storeReceivedIr(ir.number, ir.decoded);
    refreshIrDisplay();
    const bool ir8Missing = intValue(param::Ir8Mode) != 0 &&
                            static_cast<int>(ir.number) != link_.ir8Slot &&
                            !storage::FileReader(dataFolder_.irFile(link_.ir8Slot)).isOpen();
    if (ir8Missing) requestIr(static_cast<unsigned>(link_.ir8Slot));
    events().irReceived(ir.number);
    if (view_) {
        setProgress(1.0);
        view_->hideGroup(group::Progress);
    }
}

}  // namespace vornix
