// The tables of every command, one per direction, and the words for each.
//
// Sections: words shared by several commands; block messages (presets,
// global pages, IR names); short commands; IR and firmware chunks; statuses;
// the two tables.
#include <algorithm>
#include <array>
#include <cstdio>

#include "device/global_pages.hpp"
#include "device/message_decoder.hpp"
#include "device/message_words.hpp"
#include "device/preset_record.hpp"

namespace vornix::sysex {

namespace {

constexpr std::size_t IrLastOverhead = 10;  // header, checksum and F7 around k stream bytes
constexpr std::size_t FirmwareLastOverhead = 9;
constexpr LengthRange Block{BlockMessageSize, BlockMessageSize};
constexpr LengthRange OneByte{9, 9};
constexpr LengthRange Bare{8, 8};
constexpr LengthRange Status{7, ShortMessageMax};
constexpr LengthRange IrFirst{IrFirstSize, IrFirstSize};
constexpr LengthRange IrMiddle{IrMiddleSize, IrMiddleSize};
constexpr LengthRange IrLast{IrLastOverhead, IrLastOverhead + IrChunkBytes};
// Up to ten bytes the device's status is read as a short message: a last
// chunk that short is never taken for one.
constexpr LengthRange DeviceIrLast{ShortMessageMax + 1, IrLastOverhead + IrChunkBytes};

// ---- words ---------------------------------------------------------------------------

std::string number(unsigned value) {
    return std::to_string(value);
}

}  // namespace

std::string hex14(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string hexByte(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

namespace {

// A name as the monitor shows it: printable, without the padding.
std::string shownName(std::string_view name) {
    std::string text = printableName(name);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string quotedName(ByteSpan name32) {
    return "\"" +
           shownName(
               std::string_view(reinterpret_cast<const char*>(name32.data()), name32.size())) +
           "\"";
}

std::string nameOf(const DecodeContext& context, int index) {
    return context.names && *context.names ? (*context.names)(index) : std::string();
}

std::string parameterWord(const DecodeContext& context, int index) {
    const std::string name = nameOf(context, index);
    return name.empty() ? "parameter " + number(unsigned(index)) : name;
}

// "parameter Drive (index 5" with the catalogue's name, else "parameter 5 (".
std::string parameterOpening(const DecodeContext& context, int index) {
    const std::string name = nameOf(context, index);
    if (name.empty()) return "parameter " + number(unsigned(index)) + " (";
    return "parameter " + name + " (index " + number(unsigned(index)) + ", ";
}

Decoded withChecksum(std::string name, bool ok) {
    if (ok) return {std::move(name), Verdict::Ok};
    return {std::move(name) + ", bad checksum", Verdict::BadChecksum};
}

BlockView blockOf(ByteSpan message) {
    return parseBlockMessage(message).view;
}

std::uint8_t at(ByteSpan message, std::size_t offset) {
    return offset < message.size() ? message[offset] : 0;
}

// ---- block messages --------------------------------------------------------------------

Decoded presetBlock(const char* prefix, ByteSpan message) {
    const BlockView view = blockOf(message);
    const std::string name = quotedName(view.block.subspan(record::Name, NameBytes));
    return withChecksum(prefix + number(view.number) + " " + name, view.checksumOk);
}

Decoded currentSound(ByteSpan m, const DecodeContext&) {
    return presetBlock("current sound for preset ", m);
}
Decoded presetDump(ByteSpan m, const DecodeContext&) {
    return presetBlock("preset ", m);
}
Decoded restorePreset(ByteSpan m, const DecodeContext&) {
    return presetBlock("restore preset ", m);
}

std::string fieldList(ByteSpan block, std::span<const PageField> fields,
                      const DecodeContext& context) {
    std::string text;
    for (const PageField& field : fields)
        text +=
            ", " + parameterWord(context, field.parameter) + " " + number(fieldValue(block, field));
    return text;
}

std::string pageContent(const BlockView& view, const DecodeContext& context, int assignFields) {
    switch (view.number) {
        case page::Settings:
            return ": preset " + number(view.block[settingspage::CurrentPreset]) +
                   fieldList(view.block, SettingsPageFields, context);
        case page::MidiAssign: {
            std::array<PageField, MidiAssignFieldCount> fields{};
            for (int i = 0; i < MidiAssignFieldCount; ++i)
                fields[std::size_t(i)] = midiAssignField(i);
            const auto shown = std::span(fields).first(std::size_t(assignFields));
            return ": MIDI assignment" + fieldList(view.block, shown, context);
        }
        case page::ProgramMap: {
            int moved = 0;
            for (int program = 0; program < NumPresets; ++program)
                if (view.block[std::size_t(program)] != program) ++moved;
            return ": program map, " + number(unsigned(moved)) +
                   " of 128 programs select another preset";
        }
        case page::Checksums:
            return ": preset checksums";
    }
    return "";
}

Decoded writePage(ByteSpan message, const DecodeContext& context) {
    const BlockView view = blockOf(message);
    const std::string name = "write global page " + number(view.number);
    if (view.number > page::ProgramMap) return {name + " (no such page)", Verdict::Unknown};
    return withChecksum(name + pageContent(view, context, MidiAssignWrittenCount), view.checksumOk);
}

Decoded devicePage(ByteSpan message, const DecodeContext& context) {
    const BlockView view = blockOf(message);
    if (view.number == page::Identify) {
        const Identification id = readIdentification(view);
        char version[16];
        std::snprintf(version, sizeof version, "%.1f", id.version());
        return withChecksum(
            "identification: firmware " + std::string(version) + ", serial " + shownName(id.serial),
            view.checksumOk);
    }
    const std::string name = "global page " + number(view.number);
    if (view.number > page::Checksums) return {name + " (no such page)", Verdict::Unknown};
    return withChecksum(name + pageContent(view, context, MidiAssignFieldCount), view.checksumOk);
}

Decoded irNames(ByteSpan message, const DecodeContext&) {
    constexpr unsigned PagesPerBank = 4, NamesPerPage = 8;
    const BlockView view = blockOf(message);
    const unsigned first = NamesPerPage * (view.number % PagesPerBank);
    return withChecksum("IR names page " + number(view.number) + ": bank " +
                            number(view.number / PagesPerBank) + ", positions " + number(first) +
                            "-" + number(first + NamesPerPage - 1),
                        view.checksumOk);
}

Decoded text(ByteSpan message, const DecodeContext&) {
    return {"text " + quotedName(message.subspan(at::TextData, TextBytes))};
}

// ---- short commands ------------------------------------------------------------------

Decoded selectPreset(ByteSpan m, const DecodeContext&) {
    return {"select preset " + number(at(m, at::Number))};
}
Decoded requestPreset(ByteSpan m, const DecodeContext&) {
    return {"request preset " + number(at(m, at::Number))};
}

Decoded setParameter(ByteSpan m, const DecodeContext& context) {
    const int device = at(m, at::Number);
    const unsigned value = at(m, at::Number + 1);
    if (device == devnum::StorePreset) return {"store into " + number(value)};
    if (device == devnum::LayerSwitch) return {value ? "layer B on" : "layer B off"};
    const int index = parameterOfDeviceNumber(device);
    if (index < 0)
        return {"set unknown device number " + number(unsigned(device)) + " = " + number(value),
                Verdict::Unknown};
    return {parameterOpening(context, index) + "device " + number(unsigned(device)) +
            ") = " + number(value)};
}

Decoded parameterChanged(ByteSpan m, const DecodeContext& context) {
    if (at(m, at::Device) != DeviceCode)
        return {"malformed: parameter report without the device code", Verdict::Malformed};
    const int index = at(m, at::Number);
    const unsigned value = at(m, at::Number + 1);
    if (index == LayerBReportNumber) return {value ? "layer B on" : "layer B off"};
    if (index >= NumParams)
        return {"parameter report for index " + number(unsigned(index)) + " (no such parameter)",
                Verdict::Unknown};
    const std::string name = nameOf(context, index);
    const std::string subject =
        name.empty() ? number(unsigned(index)) : name + " (index " + number(unsigned(index)) + ")";
    return {"parameter " + subject + " changed to " + number(value)};
}

Decoded request(ByteSpan m, const DecodeContext&) {
    const std::uint8_t n = at(m, at::Number);
    if (n == page::Identify) return {"identify"};
    if (n == page::Checksums) return {"request preset checksums"};
    if (n <= page::ProgramMap) return {"request global page " + number(n)};
    return {"request global page " + number(n) + " (no such page)", Verdict::Unknown};
}

Decoded factoryReset(ByteSpan m, const DecodeContext&) {
    switch (at(m, at::Number)) {
        case reset::All:
            return {"factory reset: everything"};
        case reset::Presets:
            return {"factory reset: presets"};
        case reset::Settings:
            return {"factory reset: settings"};
    }
    return {"factory reset of unknown target " + number(at(m, at::Number)), Verdict::Unknown};
}

Decoded fixed(const char* name) {
    return {name};
}
Decoded beginTransfer(ByteSpan, const DecodeContext&) {
    return fixed("begin transfer");
}
Decoded endTransfer(ByteSpan, const DecodeContext&) {
    return fixed("end transfer");
}
Decoded editorClosed(ByteSpan, const DecodeContext&) {
    return fixed("editor closed");
}
Decoded requestIr(ByteSpan m, const DecodeContext&) {
    return {"request IR " + number(read14(m, at::IrNumber))};
}
Decoded requestIrNames(ByteSpan m, const DecodeContext&) {
    return {"request IR names page " + number(at(m, at::Number))};
}
Decoded enterFirmwareUpdate(ByteSpan, const DecodeContext&) {
    return fixed("enter firmware update");
}

using family::Editor;
using family::Firmware;

constexpr std::array EditorTable{
    CommandEntry{Editor, cmd::EditBuffer, "current sound", Block, currentSound},
    CommandEntry{Editor, cmd::SelectPreset, "select preset", OneByte, selectPreset},
    CommandEntry{Editor, cmd::RequestPreset, "request preset", OneByte, requestPreset},
    CommandEntry{Editor, cmd::SetParameter, "set parameter", {10, 10}, setParameter},
    CommandEntry{Editor, cmd::GlobalPage, "write global page", Block, writePage},
    CommandEntry{Editor, cmd::Request, "request", OneByte, request},
    CommandEntry{Editor, cmd::FactoryReset, "factory reset", OneByte, factoryReset},
    CommandEntry{Editor, cmd::BeginTransfer, "begin transfer", Bare, beginTransfer},
    CommandEntry{Editor, cmd::EndTransfer, "end transfer", Bare, endTransfer},
    CommandEntry{Editor, cmd::EditorClosed, "editor closed", Bare, editorClosed},
    CommandEntry{Editor, cmd::IrFirst, "IR first chunk", IrFirst, describeIrFirst},
    CommandEntry{Editor, cmd::IrMiddle, "IR middle chunk", IrMiddle, describeIrMiddle},
    CommandEntry{Editor, cmd::IrLast, "IR last chunk", IrLast, describeIrLast},
    CommandEntry{Editor, cmd::RequestIr, "request IR", {10, 10}, requestIr},
    CommandEntry{Editor, cmd::RequestIrNames, "request IR names", OneByte, requestIrNames},
    CommandEntry{Editor, cmd::RestorePreset, "restore preset", Block, restorePreset},
    CommandEntry{Editor, cmd::RestoreIrFirst, "restore IR first chunk", IrFirst, describeIrFirst},
    CommandEntry{Editor, cmd::RestoreIrMiddle, "restore IR middle chunk", IrMiddle,
                 describeIrMiddle},
    CommandEntry{Editor, cmd::RestoreIrLast, "restore IR last chunk", IrLast, describeIrLast},
    CommandEntry{
        Firmware, fwcmd::EnterUpdate, "enter firmware update", {7, 7}, enterFirmwareUpdate},
    CommandEntry{Firmware,
                 fwcmd::FirstChunk,
                 "firmware first chunk",
                 {FirmwareFirstSize, FirmwareFirstSize},
                 describeFirmwareFirst},
    CommandEntry{Firmware,
                 fwcmd::Chunk,
                 "firmware chunk",
                 {FirmwareLastOverhead, FirmwareLastOverhead + FirmwareChunkBytes},
                 describeFirmwareChunk},
};

constexpr std::array DeviceTable{
    CommandEntry{Editor, cmd::PresetDump, "preset", Block, presetDump},
    CommandEntry{Editor, cmd::GlobalPage, "global page", Block, devicePage},
    CommandEntry{Editor, cmd::IrNamePage, "IR names", Block, irNames},
    CommandEntry{Editor, cmd::Text, "text", {TextMessageSize, TextMessageSize}, text},
    CommandEntry{Editor, cmd::ParameterChanged, "parameter changed", {10, 10}, parameterChanged},
    CommandEntry{Editor, cmd::Completion, "completion", Status, describeStatus},
    CommandEntry{Editor, cmd::IrStored, "IR stored", Status, describeStatus},
    CommandEntry{Editor, cmd::IrError, "error", Status, describeStatus},
    CommandEntry{Editor, cmd::IrHeaderAccepted, "IR header accepted", Status, describeStatus},
    CommandEntry{Editor, cmd::RestoreContinue, "acknowledge, continue", Status, describeStatus},
    CommandEntry{Editor, cmd::ParameterAck, "acknowledge parameter", Status, describeStatus},
    CommandEntry{Editor, cmd::RestoreAck, "acknowledge", Status, describeStatus},
    CommandEntry{Editor, cmd::RestoreAckAlt, "acknowledge", Status, describeStatus},
    CommandEntry{Editor, cmd::RestoreRefused, "refuse", Status, describeStatus},
    CommandEntry{Editor, cmd::RestoreRefusedAlt, "refuse", Status, describeStatus},
    CommandEntry{Editor, cmd::IrFirst, "IR first chunk", IrFirst, describeIrFirst},
    CommandEntry{Editor, cmd::IrMiddle, "IR middle chunk", IrMiddle, describeIrMiddle},
    CommandEntry{Editor, cmd::IrLast, "IR last chunk", DeviceIrLast, describeIrLast},
    CommandEntry{Firmware, fwcmd::Ready, "ready for firmware", Status, describeFirmwareStatus},
    CommandEntry{Firmware, fwcmd::Finished, "firmware update finished", Status,
                 describeFirmwareStatus},
    CommandEntry{Firmware, fwcmd::Failed, "firmware update failed", Status, describeFirmwareStatus},
};

}  // namespace

std::span<const CommandEntry> editorCommands() {
    return EditorTable;
}

std::span<const CommandEntry> deviceCommands() {
    return DeviceTable;
}

std::span<const CommandEntry> commandsOf(Sender sender) {
    return sender == Sender::Editor ? editorCommands() : deviceCommands();
}

const CommandEntry* findCommand(Sender sender, std::uint8_t familyByte, std::uint8_t command) {
    const auto table = commandsOf(sender);
    const auto found = std::find_if(table.begin(), table.end(), [&](const CommandEntry& entry) {
        return entry.family == familyByte && entry.command == command;
    });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace vornix::sysex
