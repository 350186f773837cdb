#include "core/step_titles.hpp"

#include <algorithm>
#include <array>

#include "core/preset_text.hpp"
#include "device/preset_record.hpp"
#include "device/voicing.hpp"

namespace vornix {

namespace {

constexpr std::string_view Arrow = " \u2192 ";

std::string raw(int v) {
    return std::to_string(v);
}

std::string fromTo(std::string_view title, const std::string& before, const std::string& after) {
    return std::string(title) + " " + before + std::string(Arrow) + after;
}

}  // namespace

std::string valueStepTitle(int index, int before, int after, std::span<const int> sound,
                           std::string_view fallbackName) {
    std::array<int, NumPresetParams> values{};
    std::copy_n(sound.begin(), std::min(sound.size(), values.size()), values.begin());
    const auto at = static_cast<std::size_t>(index);
    if (index < 0 || at >= values.size()) return fromTo(fallbackName, raw(before), raw(after));
    values[at] = before;
    const auto from = captionedValue(index, values);
    if (!from) return fromTo(fallbackName, raw(before), raw(after));
    values[at] = after;
    return fromTo(from->title, from->text, captionedValue(index, values)->text);
}

std::string ampModelStepTitle(int model) {
    if (model < 0 || model >= NumAmpModels) return "Amplifier Model";
    return "Amplifier Model " + std::string(AmpModelNames[static_cast<std::size_t>(model)]);
}

std::string ambienceTypeStepTitle(int type) {
    if (type < 0 || type >= NumAmbienceTypes) return "Ambience Type";
    return "Ambience Type " + std::string(AmbienceTypeNames[static_cast<std::size_t>(type)]);
}

std::string renameStepTitle() {
    return "Rename";
}

std::string valuesStepTitle() {
    return "Edit";
}

}  // namespace vornix
