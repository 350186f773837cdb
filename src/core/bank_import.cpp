#include "core/bank_import.hpp"

#include <algorithm>
#include <numeric>

#include "core/bank_export.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

// An import that hears nothing from the device for 5 s has failed.
constexpr int ReplyTimeoutTicks = 50;
constexpr unsigned FourteenBits = 0x3FFF;

unsigned sumOf(ByteSpan bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), 0u);
}

// Every message must run from its F0 to its own F7: a file whose last
// message is cut short is refused rather than read past its end.
bool splitBankMessages(ByteSpan bytes, std::vector<std::size_t>& starts, std::string& error) {
    starts.clear();
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] != sysex::Start) {
            error = "Not a bank file: data outside a SysEx message";
            return false;
        }
        const auto end =
            std::find(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.end(), sysex::End);
        if (end == bytes.end()) {
            error = "Not a bank file: the last message has no end";
            return false;
        }
        starts.push_back(i);
        i = static_cast<std::size_t>(end - bytes.begin()) + 1;
    }
    if (starts.empty()) {
        error = "Not a bank file: it holds no messages";
        return false;
    }
    return true;
}

}  // namespace

bool BankImport::start(const std::filesystem::path& path, std::string& error) {
    storage::FileReader reader(path);
    if (!reader.isOpen()) {
        error = "Cannot open the bank file " + path.string();
        return false;
    }
    if (reader.size() > BulkBufferCapacity) {
        error = "Not a bank file: larger than 1 MiB";
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(reader.size()));
    bytes.resize(reader.read(bytes.data(), bytes.size()));
    std::vector<std::size_t> starts;
    if (!splitBankMessages(bytes, starts, error)) return false;
    buffer_ = std::move(bytes);
    starts_ = std::move(starts);
    sent_ = 0;
    active_ = ready_ = true;
    link_.armBeginTransfer();
    waitTicks_ = 0;
    link_.events().transferStarted(Transfer::BankImport);
    link_.events().transferProgress(Transfer::BankImport, 0.0);
    return true;
}

void BankImport::step(bool online) {
    if (!online) return;
    if (!ready_) {
        if (++waitTicks_ > ReplyTimeoutTicks) refused();
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
    link_.events().transferProgress(Transfer::BankImport, (sent_ + 1) / double(messageCount()));
    if (command == sysex::cmd::RestoreIrMiddle) {
        // IR data messages are not acknowledged one by one.
        ++sent_;
        ready_ = sent_ < messageCount();
    }
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
// the keep-alive and every later transfer for good.
void BankImport::acknowledged() {
    if (!active_) return;
    waitTicks_ = 0;
    ++sent_;
    if (sent_ < messageCount()) {
        ready_ = true;
        return;
    }
    link_.send(sysex::endTransfer());
    active_ = false;
    finished_ = true;
}

void BankImport::refused() {
    if (!active_) return;
    active_ = false;
    link_.events().transferEnded(Transfer::BankImport, false);
    link_.showMessage("Communication error!");
}

}  // namespace vornix
