#include "resources/resources.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "resources/entry_table.hpp"

namespace vornix::resources {
namespace {

constexpr std::array<std::string_view, kFactoryWavCount> kFactoryWavNames = {
    "01-Tarmilo.wav",     "02-Brannow.wav",     "03-Dalvin 8x10.wav", "04-Eskar 2x15.wav",
    "05-Fennow 2x15.wav", "06-Gorlan 4x10.wav", "07-Hestry 12L.wav",  "08-Aldric V30.wav",
};

constexpr std::string_view kManualName = "Quellix_TRDV_VX_OM1.pdf";

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

}  // namespace

std::span<const std::uint8_t> find(std::string_view upperCaseName) {
    const std::string key = upper(upperCaseName);
    for (std::size_t i = 0; i < detail::kEntryCount; ++i) {
        const detail::Entry& e = detail::kEntries[i];
        if (key == e.name) return {e.data, e.size};
    }
    return {};
}

std::vector<std::string_view> names() {
    std::vector<std::string_view> out;
    out.reserve(detail::kEntryCount);
    for (std::size_t i = 0; i < detail::kEntryCount; ++i)
        out.emplace_back(detail::kEntries[i].name);
    return out;
}

std::span<const std::uint8_t> factoryWav(int index) {
    if (index < 0 || index >= kFactoryWavCount) return {};
    return find(kFactoryWavNames[static_cast<std::size_t>(index)]);
}

std::string_view factoryWavFileName(int index) {
    if (index < 0 || index >= kFactoryWavCount) return {};
    return kFactoryWavNames[static_cast<std::size_t>(index)];
}

std::span<const std::uint8_t> manualPdf() {
    return find(kManualName);
}

std::string_view manualFileName() {
    return kManualName;
}

std::span<const std::uint8_t> font(std::string_view fontId) {
    if (fontId.empty()) return {};
    return find(std::string(fontId) + ".ttf");
}

}  // namespace vornix::resources
