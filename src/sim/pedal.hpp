#pragma once
// The simulated pedal: a model of the device that answers every message the
// editor sends, independent of how messages travel. A transport hands it one
// complete message at a time through receive() and delivers what it emits.
//
// Sections of the implementation:
//   pedal.cpp              dispatch, replies and fault handling, state access
//   pedal_presets.cpp      presets, edit buffer, parameters, global pages, resets
//   pedal_transfers.cpp    IR upload and download, IR names, bank restore, firmware
//   pedal_state_files.cpp  saveState / loadState
#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include "device/sysex.hpp"
#include "sim/fault_plan.hpp"
#include "sim/ir_memory.hpp"
#include "sim/parameter_ranges.hpp"
#include "sim/stream_receiver.hpp"

namespace vornix::sim {

struct PedalOptions {
    std::uint8_t firmwareVersionTimesTen = 13;  // reply offset 6: 13 shows as "1.3"
    std::string serialNumber = "VX1-000417";
    // Added to the stream checksum of every IR it sends (modulo 0x4000): a
    // device whose dumps follow a checksum convention of its own. What it
    // takes in (uploads, restores) it checks with the plain sum either way.
    unsigned irDumpChecksumOffset = 0;
};

class Pedal {
  public:
    // Called for every message the pedal sends; delayMs > 0 asks the transport
    // to deliver it later. The emitter may call receive() again: replies keep
    // their order either way.
    using Emitter = std::function<void(sysex::Bytes message, int delayMs)>;

    explicit Pedal(PedalOptions options = {});
    void setEmitter(Emitter emitter);
    // One complete message from the editor. Malformed messages are ignored;
    // nothing throws out of here.
    void receive(sysex::ByteSpan message);
    FaultPlan& faults() { return faults_; }

    // State, for tests and for --state persistence.
    // Slots outside 0-127 read as an all-zero record and are not written.
    const std::array<std::uint8_t, 256>& preset(int slot) const;
    void setPreset(int slot, const std::array<std::uint8_t, 256>& record);
    const std::array<std::uint8_t, 256>& editBuffer() const { return editBuffer_; }
    int currentPreset() const { return currentPreset_; }
    // The 2,436-byte IR slot file stored under the number, or nullptr.
    const sysex::Bytes* ir(unsigned number) const { return irs_.find(number); }
    // Ignored for numbers outside 0-287 and 384-391 and for files not 2,436 bytes long.
    void setIr(unsigned number, sysex::Bytes slotFile);
    // Pages 0-2 as the device holds them (page 0 byte 0 = current preset),
    // page 3 the preset checksums; any other page is all zero.
    std::array<std::uint8_t, 256> globalPage(int page) const;
    // Back to the 128 built-in presets and the IR library they come with.
    void resetPresetsToFactory();
    // Presets, IRs, global pages and current preset, each file written to a
    // temporary name and renamed over the old one.
    bool saveState(const std::filesystem::path& folder) const;
    // False on a missing or malformed file; the pedal then keeps what it had.
    bool loadState(const std::filesystem::path& folder);
    const sysex::Bytes& lastFirmwareImage() const { return lastFirmwareImage_; }
    bool layerB() const { return layerB_; }

  private:
    enum class Loader { Idle, Ready, Receiving };
    enum class IrMode { Upload, Restore };

    // pedal.cpp
    void handle(sysex::ByteSpan message);
    void handleEditorMessage(sysex::ByteSpan message);
    void reply(sysex::Bytes message);
    void flush();
    void deliver(sysex::Bytes message);
    PageBlock checksumPage() const;

    // pedal_presets.cpp
    void answerPageRequest(sysex::ByteSpan message);
    void sendPreset(std::uint8_t slot);
    void selectPreset(std::uint8_t slot);
    void takeEditBuffer(sysex::ByteSpan message);
    void setParameter(std::uint8_t deviceNumber, std::uint8_t value);
    void storeEditBuffer(std::uint8_t slot);
    void writeGlobalPage(sysex::ByteSpan message);
    void factoryReset(std::uint8_t target);
    void resetSettingsToFactory();

    // pedal_transfers.cpp
    void sendIr(unsigned number);
    void sendIrNames(std::uint8_t page);
    void irFirstChunk(sysex::ByteSpan message, IrMode mode);
    void irMiddleChunk(sysex::ByteSpan message, IrMode mode);
    void irLastChunk(sysex::ByteSpan message, IrMode mode);
    bool finishIr(sysex::ByteSpan message, IrMode mode);
    void restorePreset(sysex::ByteSpan message);
    void answerRestore(bool accepted);
    void handleFirmwareMessage(sysex::ByteSpan message);
    void firmwareFirstChunk(sysex::ByteSpan message);
    void firmwareChunk(sysex::ByteSpan message);
    void endFirmware(bool success);

    PedalOptions options_;
    Emitter emitter_;
    FaultPlan faults_;

    std::array<PresetRecord, NumPresets> presets_{};
    PresetRecord editBuffer_{};
    int currentPreset_ = 0;
    bool layerB_ = false;
    std::array<PageBlock, 3> globals_{};
    IrLibrary irs_;

    StreamReceiver irStream_;
    unsigned irNumber_ = 0;
    IrMode irMode_ = IrMode::Upload;

    Loader loader_ = Loader::Idle;
    StreamReceiver firmwareStream_;
    sysex::Bytes lastFirmwareImage_;

    std::deque<sysex::Bytes> outbox_;
    bool flushing_ = false;
};

}  // namespace vornix::sim
