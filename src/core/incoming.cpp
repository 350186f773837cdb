// Every message the device sends, routed to the part of the link it belongs to.
#include <algorithm>

#include "core/vornix_control.hpp"
#include "device/sysex.hpp"

namespace vornix {

namespace {

using sysex::ByteSpan;

constexpr int PagesPerBank = 4;
constexpr int NamesPerPage = 8;

bool isWholeSevenBitMessage(ByteSpan m) {
    return m.size() >= 6 && m.front() == sysex::Start && m.back() == sysex::End &&
           std::all_of(m.begin() + 1, m.end() - 1, [](auto b) { return b < 0x80; });
}

bool isDeviceMessage(ByteSpan m) {
    return std::equal(sysex::Manufacturer.begin(), sysex::Manufacturer.end(), m.begin() + 1);
}

}  // namespace

// Every message is dispatched on its total length first, as the device's
// replies of different kinds can share a command byte. Only whole 7-bit
// SysEx messages are looked at: a stray byte above 0x7F could otherwise
// index past the preset and IR tables.
void VornixControl::sysExReceived(ByteSpan message) {
    link_.events().emit(&TrafficEvents::messageReceived, message);
    if (!isWholeSevenBitMessage(message)) return;
    const std::size_t length = message.size();
    if (length == sysex::BlockMessageSize)
        receiveBlock(message);
    else if (length <= sysex::ShortMessageMax)
        receiveShort(message);
    else if (length == sysex::TextMessageSize && !firmware_.uploading())
        applyDeviceText(message);
    else
        receiveIrChunk(message);
}

void VornixControl::receiveBlock(ByteSpan message) {
    const sysex::BlockParse parsed = sysex::parseBlockMessage(message);
    if (parsed.error != sysex::ParseError::None) return;
    switch (parsed.view.command) {
        case sysex::cmd::PresetDump:
            receivePreset(message, parsed.view);
            break;
        case sysex::cmd::GlobalPage:
            receiveGlobalPage(parsed.view);
            break;
        case sysex::cmd::IrNamePage:
            receiveIrNamePage(parsed.view);
            break;
        default:
            break;
    }
}

// A preset is the export's when it asked for it, else the sync's, the
// export's (to be refused), or the device's current sound. A backup started
// while the sync is under way takes the tick from it, and only the answers to
// its own requests.
void VornixControl::receivePreset(ByteSpan message, const sysex::BlockView& dump) {
    if (!online()) return;
    link_.presetAnswered();
    if (slotWrite_.awaitsReadBack(dump.number)) {
        finishSlotWrite(dump);
        return;
    }
    const bool exports =
        bankExport_.awaitsPreset(dump.number) || (bankExport_.active() && !bulkRead_.active());
    if (exports) {
        bankExport_.receivePreset(message, dump);
    } else if (bulkRead_.active()) {
        sound_.BulkUpdate = true;
        if (bulkRead_.receive(dump, intValue(param::PatchOffset))) sound_.BulkUpdate = false;
    } else {
        applyCurrentPreset(dump);
    }
}

// Offline, a global page is the device identifying itself. Online, pages
// answer the editor's requests; the checksum page and the settings page are
// steps of the start-up sequence.
void VornixControl::receiveGlobalPage(const sysex::BlockView& page) {
    if (!online()) {
        if (connection_.receiveWhileOffline(page) == Connection::OfflineReply::SettingsPage) {
            sound_.BulkUpdate = true;
            applyPageFields(page.block, sysex::AnalogOptionFields);
            sound_.BulkUpdate = false;
        }
        return;
    }
    if (!page.checksumOk) return;
    const bool awaited = link_.pageAnswered(page.number);
    switch (page.number) {
        case sysex::page::Settings:
            applySettingsPage(page.block);
            break;
        case sysex::page::MidiAssign:
            applyMidiAssignPage(page.block);
            break;
        case sysex::page::ProgramMap:
            applyProgramMapPage(page.block);
            break;
        case sysex::page::Checksums:
            receiveChecksumPage(sysex::readChecksumPage(page.block), awaited);
            break;
        default:
            break;
    }
}

// The checksums confirm a restore, or start the synchronisation: a read of
// every preset that differs from the cache, or at once the settings page. A
// repeated answer (to a request asked again) does not restart a running read.
void VornixControl::receiveChecksumPage(const sysex::PresetChecksums& device, bool awaited) {
    if (backups_.verifying())
        backups_.verify(device);
    else if (bankImport_.verifying())
        bankImport_.verify(device);
    else if (bulkRead_.active() && !awaited)
        link_.events().emit(&MessageEvents::note,
                            "ignored a checksum page during the synchronisation");
    else if (bulkRead_.armFrom(device))
        tickAtOnce();
    else
        requestGlobalPage(sysex::page::Settings);
}

// Eight user IR names per page, four pages per bank; each page asks for the
// next one of its bank.
void VornixControl::receiveIrNamePage(const sysex::BlockView& page) {
    if (!online() || page.deviceByte != sysex::DeviceCode || !page.checksumOk) return;
    const int number = page.number;
    const int firstRow = NamesPerPage * (number & (PagesPerBank - 1));
    for (int i = 0; i < NamesPerPage; ++i) {
        std::string name = sysex::trimDeviceName(
            page.block.subspan(sysex::NameBytes * static_cast<std::size_t>(i), sysex::NameBytes));
        if (name == std::string(sysex::NameBytes, ' '))
            name = ir::emptySlotName(static_cast<unsigned>(firstRow + i));
        const int row = firstRow + i;
        userIrRows_[static_cast<std::size_t>(row)] = name;
        link_.events().emit(&ListEvents::userIrRowChanged, row, name);
    }
    if (((number + 1) & (PagesPerBank - 1)) != 0)
        link_.send(sysex::requestIrNames(static_cast<std::uint8_t>(number + 1)));
}

void VornixControl::receiveShort(ByteSpan m) {
    if (!isDeviceMessage(m)) return;
    const std::uint8_t family = m[sysex::at::Family];
    const std::uint8_t command = m[sysex::at::Command];
    if (family == sysex::family::Firmware) {
        firmware_.receiveStatus(command);
        return;
    }
    if (family != sysex::family::Editor) return;
    const bool carriesDeviceCode =
        m.size() > sysex::at::Device && m[sysex::at::Device] == sysex::DeviceCode;
    if (!carriesDeviceCode)
        receiveStatus(command);
    else if (command == sysex::cmd::ParameterChanged)
        applyParameterReport(m);
}

void VornixControl::receiveStatus(std::uint8_t command) {
    switch (command) {
        case sysex::cmd::Completion:
            factoryResetCompleted_ = true;
            break;
        case sysex::cmd::IrStored:
        case sysex::cmd::IrError:
            receiveIrUploadAnswer(command == sysex::cmd::IrStored);
            break;
        case sysex::cmd::IrHeaderAccepted:
            if (!irUpload_.headerAccepted())
                link_.events().emit(&MessageEvents::note,
                                    "ignored an IR header acknowledgement nothing was waiting for");
            break;
        case sysex::cmd::RestoreContinue:
        case sysex::cmd::RestoreAck:
        case sysex::cmd::RestoreAckAlt:
            bankImport_.acknowledged();
            break;
        case sysex::cmd::RestoreRefused:
        case sysex::cmd::RestoreRefusedAlt:
            bankImport_.refused();
            break;
        case sysex::cmd::ParameterAck:
            sendUserIrLowHalf();
            break;
        default:
            break;
    }
}

// The chain of a preset file import goes on with the window closed too:
// otherwise the device never gets the preset. Only the answer to an upload
// in flight drives it.
void VornixControl::receiveIrUploadAnswer(bool stored) {
    const bool awaited = irUpload_.answered(stored);
    if (!awaited)
        link_.events().emit(&MessageEvents::note, "an IR upload answer nothing was waiting for");
    link_.events().emit(&TransferEvents::irUploadAnswered, stored);
    if (!stored) {
        if (awaited) presetFileImport_.irFailed("ERROR!");
        link_.showMessage("ERROR!");
    } else if (!awaited || !presetFileImport_.irStored()) {
        refreshIrDisplay();
    }
}

void VornixControl::receiveIrChunk(ByteSpan m) {
    if (!online() || !sysex::hasHeader(m, sysex::family::Editor)) return;
    if (bankExport_.active()) {
        bankExport_.receiveIrChunk(m);
        return;
    }
    irDownload_.receive(m);
    reportSynchronisedWhenDone();
}

}  // namespace vornix
