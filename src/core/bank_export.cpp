#include "core/bank_export.hpp"

#include <numeric>
#include <string>

#include "device/preset_record.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

// A request that hears nothing for 1.1 s is asked again, three times; then
// the export has failed.
constexpr int SilenceTicks = 11;
constexpr int MaxRetries = 3;
constexpr unsigned FourteenBits = 0x3FFF;
// A last IR chunk: F0 00 51 21 05 66 0A, stream bytes, checksum high, low, F7.
constexpr std::size_t IrLastOverhead = sysex::at::IrChunkData + sysex::StreamChecksumBytes + 1;

unsigned sumOf(sysex::ByteSpan bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), 0u);
}

}  // namespace

void BankExport::start(const std::filesystem::path& target) {
    target_ = target;
    if (!storage::canCreate(target)) {
        link_.events().emit(&TransferEvents::transferEnded, Transfer::BankExport, false);
        link_.showMessage("Could not write the bank file " + target.string());
        return;
    }
    active_ = true;
    asked_ = Asked::Nothing;
    nextPreset_ = nextIr_ = 0;
    irReferenced_.fill(false);
    buffer_.clear();
    link_.events().emit(&TransferEvents::transferStarted, Transfer::BankExport);
}

void BankExport::step(bool online) {
    if (!online) {
        active_ = false;
        link_.events().emit(&TransferEvents::transferEnded, Transfer::BankExport, false);
    } else if (asked_ == Asked::Nothing) {
        requestNext();
    } else if (++waitTicks_ > SilenceTicks) {
        askAgain("no answer");
    }
}

void BankExport::requestNext() {
    retries_ = 0;
    irAnswers_.clear();
    if (nextPreset_ < NumPresets) {
        asked_ = Asked::Preset;
        askedNumber_ = nextPreset_++;
        ask();
        return;
    }
    for (int k = nextIr_; k < NumExportableIrs; ++k) {
        if (!irReferenced_[static_cast<std::size_t>(k)]) continue;
        irReferenced_[static_cast<std::size_t>(k)] = false;
        nextIr_ = k + 1;
        asked_ = Asked::Ir;
        askedNumber_ = k;
        ask();
        return;
    }
    nextIr_ = NumExportableIrs;
    finish();
}

void BankExport::ask() {
    mark_ = buffer_.size();
    irStream_ = false;
    waitTicks_ = 0;
    if (asked_ == Asked::Preset)
        link_.requestPreset(askedNumber_);
    else
        link_.send(sysex::requestIr(static_cast<unsigned>(askedNumber_)));
}

// What arrived for the request so far is dropped and the request repeated.
void BankExport::askAgain(const char* why) {
    if (retries_ >= MaxRetries) {
        fail();
        return;
    }
    ++retries_;
    link_.events().emit(&MessageEvents::note,
                        std::string(why) + " for " + askedText() + ": asked again");
    buffer_.resize(mark_);
    ask();
}

std::string BankExport::askedText() const {
    return (asked_ == Asked::Preset ? "preset " : "IR ") + std::to_string(askedNumber_);
}

void BankExport::receivePreset(sysex::ByteSpan message, const sysex::BlockView& dump) {
    if (asked_ != Asked::Preset || dump.number != askedNumber_) {
        link_.events().emit(&MessageEvents::note, "ignored preset " + std::to_string(dump.number) +
                                                      ", which the backup did not ask for now");
        return;
    }
    if (!dump.checksumOk) {
        askAgain("a damaged answer");
        return;
    }
    for (int n : storage::bankIrsOf(dump.block)) irReferenced_[static_cast<std::size_t>(n)] = true;
    if (!append(message)) return;
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BankExport,
                        nextPreset_ / double(NumPresets));
    answered();
}

// The chunks of the asked IR, in order: its first chunk names it and the
// stream length, the last one carries the checksum of the stream.
void BankExport::receiveIrChunk(sysex::ByteSpan m) {
    const std::uint8_t command = m[sysex::at::Command];
    const bool first = command == sysex::cmd::IrFirst && m.size() == sysex::IrFirstSize;
    const bool middle = command == sysex::cmd::IrMiddle && m.size() == sysex::IrMiddleSize;
    const bool last = command == sysex::cmd::IrLast && m.size() >= IrLastOverhead &&
                      m.size() <= IrLastOverhead + sysex::IrChunkBytes;
    sysex::ByteSpan stream;
    if (first && asked_ == Asked::Ir && !irStream_ &&
        sysex::read14(m, sysex::at::IrNumber) == static_cast<unsigned>(askedNumber_)) {
        irStream_ = true;
        irSum_ = 0;
        irCarried_ = 0;
        irAnnounced_ = sysex::read21(m, sysex::at::IrStreamLength);
        stream = m.subspan(sysex::at::IrFirstData, sysex::IrChunkBytes);
    } else if ((middle || last) && asked_ == Asked::Ir && irStream_) {
        stream = m.subspan(sysex::at::IrChunkData,
                           m.size() - (last ? IrLastOverhead : sysex::at::IrChunkData + 1));
    } else {
        link_.events().emit(&MessageEvents::note,
                            "ignored an IR chunk the backup did not ask for now");
        return;
    }
    irSum_ += sumOf(stream);
    irCarried_ += stream.size();
    if (!append(m)) return;
    waitTicks_ = 0;
    if (last) irStreamEnded(m);
}

// The lengths must add up; the checksum is the device's, which it may
// compute its own way (see IrAnswers).
void BankExport::irStreamEnded(sysex::ByteSpan last) {
    if (irCarried_ != irAnnounced_) {
        askAgain("an IR whose chunks do not make up its length");
        return;
    }
    const unsigned sent = sysex::read14(last, last.size() - 1 - sysex::StreamChecksumBytes);
    if ((irSum_ & FourteenBits) != sent) {
        const std::string which = askedText();
        switch (irAnswers_.judge(
            {buffer_.begin() + static_cast<std::ptrdiff_t>(mark_), buffer_.end()})) {
            case IrAnswers::Verdict::AskAgain:
                link_.events().emit(&MessageEvents::note,
                                    which + " does not add up to its checksum: asked again");
                buffer_.resize(mark_);
                ask();
                return;
            case IrAnswers::Verdict::GiveUp:
                fail();
                return;
            case IrAnswers::Verdict::Keep:
                link_.events().emit(
                    &MessageEvents::note,
                    which + " came twice the same with the device's own checksum: kept");
                break;
        }
    }
    link_.events().emit(&TransferEvents::transferProgress, Transfer::BankExport,
                        nextIr_ / double(NumExportableIrs));
    answered();
}

void BankExport::answered() {
    asked_ = Asked::Nothing;
    irStream_ = false;
}

// The buffer has a fixed budget; a message that would not fit ends the
// export instead of growing without bound.
bool BankExport::append(sysex::ByteSpan message) {
    if (buffer_.size() + message.size() > BulkBufferCapacity) {
        fail();
        return false;
    }
    buffer_.insert(buffer_.end(), message.begin(), message.end());
    return true;
}

// The file is written before the user is told it worked, and a file that
// cannot be written is reported as such.
void BankExport::finish() {
    active_ = false;
    const bool written = storage::writeFile(target_, buffer_, storage::Durability::Durable);
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankExport, written);
    link_.showMessage(written ? "Finished successfully!"
                              : "Could not write the bank file " + target_.string());
}

void BankExport::fail() {
    active_ = false;
    link_.events().emit(&TransferEvents::transferEnded, Transfer::BankExport, false);
    link_.showMessage("Communication error!");
}

}  // namespace vornix
