#pragma once
// Whole-device backup: the device's 128 presets, then every user IR they
// play, requested one at a time and gathered as the device sent them; the
// bank file is written once the last one arrived.
#include <array>
#include <filesystem>
#include <vector>

#include "core/link.hpp"
#include "device/sysex.hpp"

namespace vornix {

inline constexpr int NumExportableIrs = 256;
inline constexpr std::size_t BulkBufferCapacity = 1048576;

class BankExport {
  public:
    explicit BankExport(Link& link) : link_(link) {}

    bool active() const { return active_; }
    void start(const std::filesystem::path& target);
    // The device tick's turn; `online` false ends the export unwritten.
    void step(bool online);
    // A preset dump, or an IR chunk, sent for the export.
    void receivePreset(sysex::ByteSpan message, const sysex::BlockView& dump);
    void receiveIrChunk(sysex::ByteSpan message);
    // Ended from outside (RECONNECT) without a file.
    void cancel() { active_ = ready_ = false; }

  private:
    void requestNext();
    void finish();
    void fail();
    bool append(sysex::ByteSpan message);

    Link& link_;
    std::filesystem::path target_;
    bool active_ = false;
    bool ready_ = false;  // the next request may go out
    int nextPreset_ = 0;
    int nextIr_ = 0;
    std::array<bool, NumExportableIrs> irReferenced_{};
    std::vector<std::uint8_t> buffer_;
    int waitTicks_ = 0;  // ticks the export has waited for the device's next answer
};

}  // namespace vornix
