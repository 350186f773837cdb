#pragma once
// The state of the link to the device. The incoming handler and the device
// tick hand work to each other through the flags below: one side sets a flag
// and the other clears it when it acts on it. Both run on the editor thread.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/parameters.hpp"
#include "device/sysex.hpp"

namespace vornix {

inline constexpr int NumExportableIrs = 256;
inline constexpr std::size_t BulkBufferCapacity = 1048576;
inline constexpr std::size_t IrDecodeCapacity = 4096;

// A user IR whose slot number travels in two halves with an acknowledgement
// (0x5F) in between: the parameter of the half in flight.
enum class IrSelectState { Idle = 0, HighSent7 = 53, LowSent7 = 54, HighSent8 = 55, LowSent8 = 56 };

enum class UserIrTarget { None, Ir7, Ir8 };

// The IR stream being received from the device, chunk by chunk.
struct IrReceiveState {
    unsigned number = 0;
    unsigned streamLength = 0;
    std::size_t expected = 0;
    std::vector<std::uint8_t> decoded;
    unsigned runningSum = 0;
    bool active = false;  // a first chunk was accepted
    sysex::StreamUnpacker unpacker;
};

struct DeviceLink {
    bool online = false;
    bool keepAliveEnabled = true;
    int keepAliveCounter = 0;
    bool lockPending = false;
    bool firmwareUploadActive = false;
    bool presetDownloadActive = false;
    int presetDownloadSlot = 0;
    std::array<sysex::Checksum, NumPresets> presetChecksums{};
    std::array<bool, NumPresets> presetPending = [] {
        std::array<bool, NumPresets> pending{};
        pending[0] = true;
        return pending;
    }();
    int bulkReadRetries = 0;  // requests repeated for the slot being read
    int downloadTotal = 0;
    int downloadDone = 0;
    bool progressHideArmed = false;
    int progressHideCounter = 0;
    int currentPreset = 0;
    int selectedRow = 0;
    int topRow = 0;

    bool messagePending = false;
    std::string pendingMessage;

    bool irUploadReady = false;
    bool irRequestPending = false;

    bool importActive = false;
    bool importReady = false;
    int importSent = 0;
    int importTotal = 0;
    bool exportActive = false;
    bool exportReady = false;
    int exportPreset = 0;
    int exportIr = 0;
    std::array<bool, NumExportableIrs> irReferenced{};
    int exportCount = 0;
    bool completionReported = false;
    bool importDone = false;
    // Ticks a bank transfer has waited for the device's next answer.
    int transferWaitTicks = 0;

    // Concatenated SysEx messages of a bank export or import.
    std::vector<std::uint8_t> bulkBuffer;

    IrReceiveState irReceive;
    // IR downloads asked for (outside a bank export) and not yet ended.
    int irDownloadsPending = 0;
    std::array<int, NumPresets> programMap{};

    IrSelectState irSelectState = IrSelectState::Idle;
    int ir7Slot = 0;
    int ir8Slot = 0;
    UserIrTarget userIrTarget = UserIrTarget::None;
    bool savePending = false;
};

}  // namespace vornix
