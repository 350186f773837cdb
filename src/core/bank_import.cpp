#include "core/bank_import.hpp"

#include <numeric>

#include "storage/bank_file.hpp"

namespace vornix {

namespace {

using sysex::Bytes;
using sysex::ByteSpan;

// A preset or an IR whose acknowledgement does not come within 1.1 s is sent
// again, three times; then the restore has failed.
constexpr int AckTimeoutTicks = 11;
constexpr int MaxResends = 3;
// Any other message is sent once, and waited for 5 s.
constexpr int ReplyTimeoutTicks = 50;
// The checksum page is asked for four times in 4.4 s (see Link): after that
// the restore cannot be confirmed.
constexpr int VerifyTimeoutTicks = 50;
// Presets that differ after the restore are written again this many times.
constexpr int MaxRewriteRounds = 3;
constexpr unsigned FourteenBits = 0x3FFF;

unsigned sumOf(ByteSpan bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), 0u);
}

}  // namespace

Result BankImport::start(const std::filesystem::path& path) {
    if (Result loaded = load(path); !loaded) return loaded;
    arm();
    return Result::done();
}

void BankImport::startMessages(std::vector<std::uint8_t> bytes, std::vector<std::size_t> starts) {
    buffer_ = std::move(bytes);
    starts_ = std::move(starts);
    arm();
}

void BankImport::arm() {
    presets_.clear();
    presetMessages_.clear();
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        const Bytes m = message(i);
        const auto parsed = sysex::parseBlockMessage(m);
        if (parsed.error != sysex::ParseError::None ||
            parsed.view.command != sysex::cmd::PresetDump)
            continue;
        presets_[parsed.view.number] = parsed.view.sent;
        presetMessages_[parsed.view.number] = i;
    }
    std::vector<std::size_t> all(starts_.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    outcome_.clear();
    finished_ = false;
    rounds_ = 0;
    active_ = true;
    beginRound(std::move(all));
    link_.events().emit(&TransferEvents::transferStarted, Transfer::BankImport);
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BankImport, 0.0);
}

Result BankImport::load(const std::filesystem::path& path) {
    storage::LoadedBank bank = storage::loadBankFile(path);
    if (!bank.ok()) return Result::failed(bank.error);
    buffer_ = std::move(bank.bytes);
    starts_ = std::move(bank.starts);
    return Result::done();
}

// A round goes between a begin-transfer and an end-transfer message.
void BankImport::beginRound(std::vector<std::size_t> messages) {
    round_ = std::move(messages);
    next_ = irStart_ = 0;
    irOpen_ = false;
    resends_ = 0;
    awaitingAck_ = verifying_ = false;
    ready_ = true;
    waitTicks_ = 0;
    link_.armBeginTransfer();
}

void BankImport::step(bool online) {
    if (!online) return;
    if (verifying_) {
        if (++waitTicks_ > VerifyTimeoutTicks)
            fail("The restore could not be checked: the device did not send its preset checksums.");
        return;
    }
    if (awaitingAck_) {
        waitForAnswer();
        return;
    }
    if (!ready_) return;
    if (link_.beginTransferPending())
        link_.sendBeginTransfer();
    else
        sendNext();
}

// A preset, and an IR whose first chunk this restore sent: an end message
// found on its own in a file has nothing to start again from.
bool BankImport::safeToSendAgain() const {
    return lastCommand_ == sysex::cmd::RestorePreset ||
           lastCommand_ == sysex::cmd::RestoreIrFirst ||
           (lastCommand_ == sysex::cmd::RestoreIrLast && irOpen_);
}

void BankImport::waitForAnswer() {
    ++waitTicks_;
    if (!safeToSendAgain()) {
        if (waitTicks_ > ReplyTimeoutTicks) fail(unansweredText());
        return;
    }
    if (waitTicks_ < AckTimeoutTicks) return;
    if (resends_ >= MaxResends)
        fail(unansweredText());
    else
        sendAgain();
}

std::string BankImport::unansweredText() const {
    return "Communication error: no acknowledgement for message " +
           std::to_string(round_[next_] + 1) + " of " + std::to_string(messageCount());
}

// A preset goes again as it is; an IR from its first chunk, which starts a
// new stream on the device (and replaces an IR stored already).
void BankImport::sendAgain() {
    ++resends_;
    awaitingAck_ = false;
    if (lastCommand_ != sysex::cmd::RestorePreset) next_ = irStart_;
    link_.events().emit(&MessageEvents::note,
                        "message " + std::to_string(round_[next_] + 1) + " sent again");
    sendNext();
}

Bytes BankImport::message(std::size_t index) const {
    const std::size_t begin = starts_[index];
    const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : buffer_.size();
    return {buffer_.begin() + static_cast<std::ptrdiff_t>(begin),
            buffer_.begin() + static_cast<std::ptrdiff_t>(end)};
}

void BankImport::sendNext() {
    ready_ = false;
    waitTicks_ = 0;
    Bytes m = message(round_[next_]);
    lastCommand_ = rewriteForRestore(m);
    if (lastCommand_ == sysex::cmd::RestoreIrFirst) irStart_ = next_;
    irOpen_ = lastCommand_ == sysex::cmd::RestoreIrFirst ||
              (irOpen_ && (lastCommand_ == sysex::cmd::RestoreIrMiddle ||
                           lastCommand_ == sysex::cmd::RestoreIrLast));
    link_.send(m);
    if (rounds_ == 0)
        link_.events().emit(&TransferEvents::transferProgress, Transfer::BankImport,
                            (next_ + 1) / double(round_.size()));
    if (lastCommand_ != sysex::cmd::RestoreIrMiddle) {
        awaitingAck_ = true;
        return;
    }
    // IR data messages are not acknowledged one by one.
    ++next_;
    ready_ = next_ < round_.size();
    if (!ready_) endTransfer();
}

// Turns a stored dump into its restore message and keeps the IR's running
// checksum, which replaces the one of the IR's end message. Returns the
// command sent.
std::uint8_t BankImport::rewriteForRestore(Bytes& m) {
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
    // An IR's resends count until its last chunk is acknowledged.
    if (lastCommand_ != sysex::cmd::RestoreIrFirst) resends_ = 0;
    ++next_;
    if (next_ < round_.size())
        ready_ = true;
    else
        endTransfer();
}

// An IR refused at its last chunk most likely lost one of its data chunks on
// the way, which nobody acknowledges: it goes again whole, as for a lost
// acknowledgement. Any other refusal ends the restore.
void BankImport::refused() {
    if (!active_ || !awaitingAck_) {
        link_.events().emit(&MessageEvents::note,
                            "ignored a refusal that no restore message was waiting for");
        return;
    }
    if (lastCommand_ == sysex::cmd::RestoreIrLast && safeToSendAgain() && resends_ < MaxResends) {
        link_.events().emit(&MessageEvents::note, "the IR of message " +
                                                      std::to_string(round_[irStart_] + 1) +
                                                      " was refused at its end");
        sendAgain();
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
    std::vector<std::size_t> again;
    std::string differing;
    for (const auto& [slot, sum] : presets_) {
        if (device[static_cast<std::size_t>(slot)] == sum) continue;
        again.push_back(presetMessages_[slot]);
        differing += (differing.empty() ? "" : ", ") + std::to_string(slot);
    }
    if (!again.empty() && rounds_ < MaxRewriteRounds) {
        ++rounds_;
        link_.events().emit(&MessageEvents::note,
                            "presets " + differing + " differ from the bank file: written again");
        beginRound(std::move(again));
        return;
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
