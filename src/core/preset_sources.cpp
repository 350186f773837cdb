#include "core/preset_sources.hpp"

#include <charconv>

#include "core/preset_file_import.hpp"
#include "core/vornix_control.hpp"
#include "device/sysex.hpp"
#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_file.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix {

namespace {

namespace pf = storage::presetfile;

constexpr std::string_view SlotRange = "a slot number from 0 to 127";

std::optional<int> slotNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 0 ||
        value >= NumPresets)
        return std::nullopt;
    return value;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

SourceRead fromRecord(const sysex::PresetRecord& record, std::optional<int> slot) {
    SourceRead read;
    read.record = record;
    read.preset = snapshotOfRecord(record);
    read.preset.slot = slot;
    return read;
}

SourceRead failedRead(std::string error) {
    SourceRead read;
    read.error = std::move(error);
    return read;
}

std::string nameIn(std::span<const std::uint8_t> bytes, std::size_t at) {
    return sysex::trimDeviceName(bytes.subspan(at, sysex::NameBytes));
}

}  // namespace

PresetSource slotSource(int slot) {
    PresetSource source;
    source.kind = PresetSource::Kind::Slot;
    source.slot = slot;
    return source;
}

PresetSource editSource() {
    return PresetSource{};
}

PresetSource presetFileSource(std::filesystem::path path) {
    PresetSource source;
    source.kind = PresetSource::Kind::PresetFile;
    source.path = std::move(path);
    return source;
}

PresetSource bankSlotSource(std::filesystem::path path, int slot) {
    PresetSource source = presetFileSource(std::move(path));
    source.kind = PresetSource::Kind::BankSlot;
    source.slot = slot;
    return source;
}

SourceParse parsePresetSource(std::string_view word) {
    SourceParse parse;
    if (word == "edit") {
        parse.source = editSource();
    } else if (const auto slot = slotNumber(word)) {
        parse.source = slotSource(*slot);
    } else if (const auto colon = word.rfind(':');
               colon != std::string_view::npos && endsWith(word.substr(0, colon), ".kvb")) {
        const auto bankSlot = slotNumber(word.substr(colon + 1));
        if (!bankSlot)
            parse.error =
                std::string(word) + ": after the bank file comes " + std::string(SlotRange);
        else
            parse.source = bankSlotSource(std::string(word.substr(0, colon)), *bankSlot);
    } else if (endsWith(word, ".kvb")) {
        parse.error = std::string(word) + ": name the bank file's slot (FILE.kvb:SLOT)";
    } else if (endsWith(word, ".kvp")) {
        parse.source = presetFileSource(std::string(word));
    } else {
        parse.error = "'" + std::string(word) + "' is no preset: give " + std::string(SlotRange) +
                      ", edit, FILE.kvp or FILE.kvb:SLOT";
    }
    return parse;
}

SourceRead readPresetFileSource(const std::filesystem::path& path) {
    const PresetFileImport::FileCheck check = PresetFileImport::read(path);
    if (!check.refusal.empty()) return failedRead(path.string() + ": " + check.refusal);
    std::array<int, NumPresetParams> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = check.bytes[pf::Params + i];
    const auto record = storage::buildPresetRecord(values, nameIn(check.bytes, pf::Name),
                                                   nameIn(check.bytes, pf::Ir7Name),
                                                   nameIn(check.bytes, pf::Ir8Name));
    return fromRecord(record, std::nullopt);
}

BankRead readBankRecords(const std::filesystem::path& path) {
    BankRead bank;
    storage::LoadedBank loaded = storage::loadBankFile(path);
    if (!loaded.ok()) {
        bank.error = path.string() + ": " + loaded.error;
        return bank;
    }
    bank.records.resize(NumPresets);
    for (std::size_t i = 0; i < loaded.starts.size(); ++i) {
        const std::size_t end =
            i + 1 < loaded.starts.size() ? loaded.starts[i + 1] : loaded.bytes.size();
        const auto message =
            std::span(loaded.bytes).subspan(loaded.starts[i], end - loaded.starts[i]);
        const auto parsed = sysex::parseBlockMessage(message);
        if (parsed.error != sysex::ParseError::None || !parsed.view.checksumOk ||
            parsed.view.command != sysex::cmd::PresetDump || parsed.view.number >= NumPresets)
            continue;
        sysex::PresetRecord record{};
        std::copy_n(parsed.view.block.begin(), record.size(), record.begin());
        bank.records[parsed.view.number] = record;
    }
    return bank;
}

SourceRead readBankSlotSource(const std::filesystem::path& path, int slot) {
    BankRead bank = readBankRecords(path);
    if (!bank.error.empty()) return failedRead(bank.error);
    const auto& record = bank.records[static_cast<std::size_t>(slot)];
    if (!record)
        return failedRead(path.string() + ": slot " + std::to_string(slot) + " is damaged");
    return fromRecord(*record, slot);
}

SourceRead readCachedSlot(const storage::DataFolder& folder, int slot) {
    const auto bytes = storage::readFile(folder.presetSlotFile(slot), sysex::RecordSize);
    if (bytes.size() != sysex::RecordSize)
        return failedRead("slot " + std::to_string(slot) + " is not in the cache (run sync)");
    sysex::PresetRecord record{};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return fromRecord(record, slot);
}

PresetSnapshot snapshotOfEdit(const VornixControl& editor) {
    PresetSnapshot preset;
    // Online, the values as the device holds them: a switch the edit rule
    // derives from its level (auto filter, chorus) included.
    const bool online = editor.connection().online();
    for (int i = 0; i < NumPresetParams; ++i)
        preset.values[static_cast<std::size_t>(i)] =
            online ? editor.sound().EditValues[static_cast<std::size_t>(i)] : editor.intValue(i);
    preset.name = plainName(sysex::padName(editor.sound().presetName));
    const auto& irs = const_cast<VornixControl&>(editor).userIrs();
    if (preset.values[param::Ir7Mode] != 0) preset.ir7Name = irs.userIrName(7);
    if (preset.values[param::Ir8Mode] != 0) preset.ir8Name = irs.userIrName(8);
    preset.slot = editor.sound().currentPreset;
    return preset;
}

SourceRead readPresetSource(const PresetSource& source, const VornixControl& editor) {
    switch (source.kind) {
        case PresetSource::Kind::Slot:
            return readCachedSlot(editor.cache().folder(), source.slot);
        case PresetSource::Kind::PresetFile:
            return readPresetFileSource(source.path);
        case PresetSource::Kind::BankSlot:
            return readBankSlotSource(source.path, source.slot);
        case PresetSource::Kind::Edit:
            break;
    }
    SourceRead read;
    read.preset = snapshotOfEdit(editor);
    read.record = storage::buildPresetRecord(read.preset.values, editor.sound().presetName,
                                             read.preset.ir7Name, read.preset.ir8Name);
    return read;
}

}  // namespace vornix
