#pragma once
// Whole-device backup: the device's 128 presets, then every user IR they
// play, requested one at a time and gathered as the device sent them; the
// bank file is written once the last one arrived, every message exactly as
// the device sent it. A request whose answer does not come, or comes damaged,
// is asked again a few times: every one of them is safe to repeat. Only the
// answer to the request in flight is taken.
#include <array>
#include <filesystem>
#include <vector>

#include "core/ir_answers.hpp"
#include "core/link.hpp"
#include "device/sysex.hpp"
#include "storage/bank_file.hpp"

namespace vornix {

inline constexpr int NumExportableIrs = storage::BankIrCount;
inline constexpr std::size_t BulkBufferCapacity = storage::BankFileCapacity;

class BankExport {
  public:
    explicit BankExport(Link& link) : link_(link) {}

    bool active() const { return active_; }
    // The export's request in flight is for this preset.
    bool awaitsPreset(int number) const {
        return active_ && asked_ == Asked::Preset && askedNumber_ == number;
    }
    // Checks that the file can be written, then starts; a file that cannot
    // be written ends the export before anything is asked of the device.
    void start(const std::filesystem::path& target);
    // The device tick's turn; `online` false ends the export unwritten.
    void step(bool online);
    // A preset dump, or an IR chunk, that arrived during the export.
    void receivePreset(sysex::ByteSpan message, const sysex::BlockView& dump);
    void receiveIrChunk(sysex::ByteSpan message);
    // Ended from outside (RECONNECT) without a file.
    void cancel() { active_ = false; }

  private:
    enum class Asked { Nothing, Preset, Ir };

    void requestNext();
    void ask();
    void askAgain(const char* why);
    void irStreamEnded(sysex::ByteSpan last);
    void answered();
    void finish();
    void fail();
    bool append(sysex::ByteSpan message);
    std::string askedText() const;

    Link& link_;
    std::filesystem::path target_;
    bool active_ = false;
    Asked asked_ = Asked::Nothing;  // the request in flight
    int askedNumber_ = 0;
    int retries_ = 0;
    int nextPreset_ = 0;
    int nextIr_ = 0;
    std::array<bool, NumExportableIrs> irReferenced_{};
    std::vector<std::uint8_t> buffer_;
    std::size_t mark_ = 0;         // the buffer's size before the request in flight
    bool irStream_ = false;        // the first chunk of the asked IR arrived
    unsigned irSum_ = 0;           // its running stream checksum
    std::size_t irAnnounced_ = 0;  // the stream length its first chunk gave
    std::size_t irCarried_ = 0;    // the stream bytes its chunks carried
    IrAnswers irAnswers_;          // its earlier answers that did not add up
    int waitTicks_ = 0;            // ticks since the last answer to the request in flight
};

}  // namespace vornix
