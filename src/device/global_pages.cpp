#include "device/global_pages.hpp"

#include <algorithm>

namespace vornix::sysex {

namespace {

constexpr std::size_t ParameterChangedSize = 10;
constexpr std::size_t ReportedIndexAt = 7;
constexpr std::size_t ReportedValueAt = 8;

std::uint8_t seven(int value) {
    return static_cast<std::uint8_t>(value & 0x7F);
}

}  // namespace

int pageByteOf(std::span<const PageField> fields, int parameter) {
    for (const PageField& field : fields)
        if (field.parameter == parameter) return static_cast<int>(field.byte);
    return -1;
}

std::uint8_t fieldValue(ByteSpan block, const PageField& field) {
    const std::uint8_t b = block[field.byte];
    if (field.parameter == param::EditPotDisplayMode && b != 0) return 1;
    return b;
}

PageBlock buildSettingsPage(int currentPreset, const ValueOf& valueOf) {
    PageBlock block{};
    block[settingspage::CurrentPreset] = seven(currentPreset);
    for (const PageField& field : SettingsPageFields)
        block[field.byte] = field.parameter == param::EditPotDisplayMode
                                ? settingspage::EditPotModeWritten
                                : static_cast<std::uint8_t>(valueOf(field.parameter));
    return block;
}

PageBlock buildMidiAssignPage(const ValueOf& valueOf) {
    PageBlock block{};
    for (int i = 0; i < MidiAssignWrittenCount; ++i) {
        const PageField field = midiAssignField(i);
        block[field.byte] = static_cast<std::uint8_t>(valueOf(field.parameter));
    }
    return block;
}

PageBlock buildProgramMapPage(std::span<const int, NumPresets> programMap) {
    PageBlock block{};
    std::transform(programMap.begin(), programMap.end(), block.begin(), seven);
    return block;
}

PresetChecksums readChecksumPage(ByteSpan block) {
    PresetChecksums sums{};
    for (std::size_t s = 0; s < sums.size(); ++s) sums[s] = {block[2 * s], block[2 * s + 1]};
    return sums;
}

PageBlock buildChecksumPage(const PresetChecksums& checksums) {
    PageBlock block{};
    for (std::size_t s = 0; s < checksums.size(); ++s) {
        block[2 * s] = checksums[s].high;
        block[2 * s + 1] = checksums[s].low;
    }
    return block;
}

Identification readIdentification(const BlockView& reply) {
    Identification id;
    id.versionTimesTen = reply.deviceByte;
    const ByteSpan serial = reply.block.subspan(SerialOffsetInBlock, NameBytes);
    id.serial.assign(serial.begin(), std::find(serial.begin(), serial.end(), 0));
    return id;
}

std::optional<ParameterReport> parseParameterChanged(ByteSpan m) {
    if (m.size() != ParameterChangedSize) return std::nullopt;
    return ParameterReport{m[ReportedIndexAt], m[ReportedValueAt]};
}

}  // namespace vornix::sysex
