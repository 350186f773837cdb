#include "core/bank_import.hpp"

#include <numeric>

#include "core/bank_export.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

// An import that hears nothing from the device for 5 s has failed.
constexpr int ReplyTimeoutTicks = 50;
// The checksum page is asked for four times in 4.4 s (see Link): after that
// the restore cannot be confirmed.
constexpr int VerifyTimeoutTicks = 50;
constexpr unsigned FourteenBits = 0x3FFF;

unsigned sumOf(ByteSpan bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), 0u);
}

}  // namespace

Result BankImport::start(const std::filesystem::path& path) {
    storage::FileReader reader(path);
    if (!reader.isOpen()) {
        return Result::failed("Cannot open the bank file " + path.string());
    }
    if (reader.size() > BulkBufferCapacity) {
        return Result::failed("Not a bank file: larger than 1 MiB");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(reader.size()));
    bytes.resize(reader.read(bytes.data(), bytes.size()));
    storage::BankFileSplit split = storage::splitBankFile(bytes);
    if (!split.ok()) {
        return Result::failed(split.error);
    }
    buffer_ = std::move(bytes);
    starts_ = std::move(split.starts);
    presets_.clear();
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : buffer_.size();
        const auto parsed =
            sysex::parseBlockMessage(ByteSpan(buffer_).subspan(starts_[i], end - starts_[i]));
        if (parsed.error == sysex::ParseError::None &&
            parsed.view.command == sysex::cmd::PresetDump)
            presets_[parsed.view.number] = parsed.view.sent;
    }
    sent_ = 0;
    outcome_.clear();
    awaitingAck_ = verifying_ = finished_ = false;
    active_ = ready_ = true;
    link_.armBeginTransfer();
    waitTicks_ = 0;
    link_.events().emit(&TransferEvents::transferStarted, Transfer::BankImport);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BankImport, 0.0);
    return Result::done();
}

void BankImport::step(bool online) {
    if (!online) return;
    if (verifying_) {
        if (++waitTicks_ > VerifyTimeoutTicks)
            fail("The restore could not be checked: the device did not send its preset checksums.");
        return;
    }
    if (!ready_) {
        if (awaitingAck_ && ++waitTicks_ > ReplyTimeoutTicks)
            fail("Communication error: no acknowledgement for message " +
                 std::to_string(sent_ + 1) + " of " + std::to_string(messageCount()));
        return;
    }
    if (link_.beginTransferPending())
        link_.sendBeginTransfer();
    else
        sendNext();
}

void BankImport::sendNext() {
    ready_ = false;
    waitTicks_ = 0;
    const auto index = static_cast<std::size_t>(sent_);
    const std::size_t begin = starts_[index];
    const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : buffer_.size();
    std::vector<std::uint8_t> message(buffer_.begin() + static_cast<std::ptrdiff_t>(begin),
                                      buffer_.begin() + static_cast<std::ptrdiff_t>(end));
    const std::uint8_t command = rewriteForRestore(message);
    link_.send(message);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BankImport,
                        (sent_ + 1) / double(messageCount()));
    if (command != sysex::cmd::RestoreIrMiddle) {
        awaitingAck_ = true;
        return;
    }
    // IR data messages are not acknowledged one by one.
    ++sent_;
    ready_ = sent_ < messageCount();
    if (!ready_) endTransfer();
}

// Turns a stored dump into its restore message and keeps the IR's running
// checksum, which replaces the one of the IR's end message. Returns the
// command sent.
std::uint8_t BankImport::rewriteForRestore(std::vector<std::uint8_t>& m) {
    const std::size_t length = m.size();
    if (length <= sysex::at::Command) return 0;
    std::uint8_t& command = m[sysex::at::Command];
    const ByteSpan bytes(m);
    switch (command) {
        case sysex::cmd::PresetDump:
            command = sysex::cmd::RestorePreset;
            break;
        case sysex::cmd::IrFirst:
            command = sysex::cmd::RestoreIrFirst;
            if (length >= sysex::IrFirstSize)
                restoreChecksum_ =
                    sumOf(bytes.subspan(sysex::at::IrFirstData, sysex::IrChunkBytes));
            break;
        case sysex::cmd::IrMiddle:
            command = sysex::cmd::RestoreIrMiddle;
            if (length >= sysex::IrMiddleSize)
                restoreChecksum_ +=
                    sumOf(bytes.subspan(sysex::at::IrChunkData, sysex::IrChunkBytes));
            break;
        case sysex::cmd::IrLast:
            command = sysex::cmd::RestoreIrLast;
            if (length >= sysex::at::IrChunkData + sysex::StreamChecksumBytes + 1) {
                const std::size_t checksumAt = length - 1 - sysex::StreamChecksumBytes;
                restoreChecksum_ += sumOf(
                    bytes.subspan(sysex::at::IrChunkData, checksumAt - sysex::at::IrChunkData));
                const sysex::Checksum sum = sysex::checksumOfSum(restoreChecksum_ & FourteenBits);
                m[checksumAt] = sum.high;
                m[checksumAt + 1] = sum.low;
            }
            break;
        default:
            break;
    }
    return command;
}

// 0x71 / 0x7D, and 0x73 which only says "continue". A 0x73 for the last
// message still ends the import: waiting for another answer would hold back
// the keep-alive and every later transfer for good. An acknowledgement counts
// only for a message that waits for one: a repeated one would skip the next
// message, and the device would keep its old preset in that slot.
void BankImport::acknowledged() {
    if (!active_ || !awaitingAck_) {
        link_.events().emit(&MessageEvents::note,
                            "ignored an acknowledgement that no restore message was waiting for");
        return;
    }
    awaitingAck_ = false;
    waitTicks_ = 0;
    ++sent_;
    if (sent_ < messageCount())
        ready_ = true;
    else
        endTransfer();
}

void BankImport::refused() {
    if (!active_ || !awaitingAck_) {
        link_.events().emit(&MessageEvents::note,
                            "ignored a refusal that no restore message was waiting for");
        return;
    }
    fail("Communication error!");
}

// Every message went out: the transfer ends and the device's checksums are
// read back.
void BankImport::endTransfer() {
    link_.send(sysex::endTransfer());
    verifying_ = true;
    waitTicks_ = 0;
    link_.requestPage(sysex::page::Checksums);
}

void BankImport::verify(const sysex::PresetChecksums& device) {
    std::string differing;
    for (const auto& [slot, sum] : presets_) {
        if (device[static_cast<std::size_t>(slot)] == sum) continue;
        differing += (differing.empty() ? "" : ", ") + std::to_string(slot);
    }
    if (!differing.empty())
        outcome_ = "The restore did not take: presets " + differing + " differ from the bank file.";
    active_ = verifying_ = false;
    finished_ = true;
}

void BankImport::fail(const std::string& text) {
    active_ = verifying_ = false;
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankImport, false);
    link_.showMessage(text);
}

}  // namespace vornix
