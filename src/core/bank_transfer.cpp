// Whole-device backups: the export gathers the device's own preset and IR
// dumps into the bulk buffer and writes them as a bank file; the import sends
// a bank file back, each dump rewritten into the matching restore message.
#include <algorithm>
#include <numeric>

#include "core/ui_names.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"
#include "storage/file_io.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr const char* DefaultBankName = "Vornix_Presets_and_IRs";
constexpr unsigned FourteenBits = 0x3FFF;

unsigned sumOf(ByteSpan bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), 0u);
}

}  // namespace

bool VornixControl::appendToBulkBuffer(ByteSpan message) {
    // The buffer has a fixed budget; a message that would not fit ends the
    // export instead of growing without bound.
    if (link_.bulkBuffer.size() + message.size() > BulkBufferCapacity) {
        link_.exportActive = false;
        events().bankExportFinished(false);
        if (view_) view_->hideGroup(group::Progress);
        showMessage("Communication error!");
        return false;
    }
    link_.bulkBuffer.insert(link_.bulkBuffer.end(), message.begin(), message.end());
    link_.exportCount = static_cast<int>(link_.bulkBuffer.size());
    return true;
}

// ---- export ------------------------------------------------------------------------

bool VornixControl::chooseBankExportFile() {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.extension = "kvb";
    request.initialName = storedBankPath.empty() ? DefaultBankName : storedBankPath;
    request.initialFolder = dataFolder_.root().string();
    const auto path = platform_.chooseFile(request);
    if (!path || path->empty()) return false;
    storedBankPath = *path;
    exportTarget_ = *path;
    return true;
}

void VornixControl::startBankExport() {
    link_.exportActive = link_.exportReady = true;
    link_.exportPreset = link_.exportIr = link_.exportCount = 0;
    link_.irReferenced.fill(false);
    link_.bulkBuffer.clear();
    link_.transferWaitTicks = 0;
}

void VornixControl::exportStep() {
    link_.transferWaitTicks = 0;
    if (link_.exportPreset < NumPresets) {
        requestPreset(link_.exportPreset++);
        link_.exportReady = false;
        return;
    }
    for (int k = link_.exportIr; k < NumExportableIrs; ++k) {
        if (!link_.irReferenced[static_cast<std::size_t>(k)]) continue;
        link_.irReferenced[static_cast<std::size_t>(k)] = false;
        link_.exportIr = k + 1;
        requestIr(static_cast<unsigned>(k));
        link_.exportReady = false;
        return;
    }
    link_.exportIr = NumExportableIrs;
    finishBankExport();
}

// The file is written before the user is told it worked, and a file that
// cannot be written is reported as such.
void VornixControl::finishBankExport() {
    link_.exportActive = link_.exportReady = false;
    if (view_) view_->hideGroup(group::Progress);
    const bool written = storage::writeFile(
        exportTarget_,
        ByteSpan(link_.bulkBuffer).first(static_cast<std::size_t>(link_.exportCount)),
        storage::Durability::Durable);
    events().bankExportFinished(written);
    showMessage(written ? "Finished successfully!"
                        : "Could not write the bank file " + exportTarget_.string());
}

void VornixControl::abandonBankExport() {
    link_.exportActive = link_.exportReady = false;
    events().bankExportFinished(false);
    if (view_) view_->hideGroup(group::Progress);
    showMessage("Communication error!");
}

// ---- import ------------------------------------------------------------------------

void VornixControl::importBank() {
    platform_.messageBox(
        "This operation will overwrite the current Presets!\nAre you sure to continue?", "",
        Buttons::OkCancel, [this](Answer answer) {
            if (answer != Answer::Ok) return;
            FileRequest request;
            request.extension = "kvb";
            request.initialName = storedBankPath;
            const auto path = platform_.chooseFile(request);
            if (!path || path->empty()) return;
            storedBankPath = *path;
            std::string error;
            if (!startBankImport(*path, error)) showMessage(error);
        });
}

bool VornixControl::startBankImport(const std::filesystem::path& path, std::string& error) {
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
    link_.bulkBuffer = std::move(bytes);
    bankMessageStarts_ = std::move(starts);
    link_.importTotal = static_cast<int>(bankMessageStarts_.size());
    link_.importSent = 0;
    link_.importActive = link_.importReady = link_.lockPending = true;
    link_.transferWaitTicks = 0;
    setProgress(0.0);
    if (view_) view_->showGroup(group::Progress);
    return true;
}

// Every message must run from its F0 to its own F7: a file whose last
// message is cut short is refused rather than read past its end.
bool VornixControl::splitBankMessages(ByteSpan bytes, std::vector<std::size_t>& starts,
                                      std::string& error) {
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

void VornixControl::importStep() {
    link_.importReady = false;
    link_.transferWaitTicks = 0;
    const std::size_t index = static_cast<std::size_t>(link_.importSent);
    const std::size_t begin = bankMessageStarts_[index];
    const std::size_t end = index + 1 < bankMessageStarts_.size() ? bankMessageStarts_[index + 1]
                                                                  : link_.bulkBuffer.size();
    std::vector<std::uint8_t> message(link_.bulkBuffer.begin() + static_cast<std::ptrdiff_t>(begin),
                                      link_.bulkBuffer.begin() + static_cast<std::ptrdiff_t>(end));
    const std::uint8_t sent = rewriteForRestore(message);
    sendToDevice(message);
    setProgress((link_.importSent + 1) / double(link_.importTotal));
    if (sent == sysex::cmd::RestoreIrMiddle) {
        // IR data messages are not acknowledged one by one.
        ++link_.importSent;
        link_.importReady = link_.importSent < link_.importTotal;
    }
}

// Turns a stored dump into its restore message and keeps the IR's running
// checksum, which replaces the one of the IR's end message. Returns the
// command sent.
std::uint8_t VornixControl::rewriteForRestore(std::vector<std::uint8_t>& m) {
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
            if (length >= sysex::at::IrChunkData + 3) {
                restoreChecksum_ += sumOf(
                    bytes.subspan(sysex::at::IrChunkData, length - 3 - sysex::at::IrChunkData));
                restoreChecksum_ &= FourteenBits;
                m[length - 3] = static_cast<std::uint8_t>(restoreChecksum_ >> 7);
                m[length - 2] = static_cast<std::uint8_t>(restoreChecksum_ & 0x7F);
            }
            break;
        default:
            break;
    }
    return command;
}

}  // namespace vornix
