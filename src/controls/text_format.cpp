#include "controls/text_format.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "framework/iplug/iparam.hpp"

namespace igraphics {

namespace {
constexpr std::size_t kNumberBufferSize = 64;
}

std::string paramDisplayText(const iplug::IParam& param, double normalised) {
    const double value = param.fromNormalised(normalised);
    if (const std::string* listed = param.displayTextFor(value)) return *listed;
    std::string text =
        param.stepped() ? std::to_string(static_cast<int>(value)) : formatNumber("%.2f", value);
    if (!param.label().empty()) text += " " + param.label();
    return text;
}

double parseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to hold is 0; too large keeps its sign and the clamp decides.
        const auto e = text.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < text.size() && text[e + 1] == '-') return 0.0;
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    if (result.ec != std::errc() || std::isnan(value)) return 0.0;
    return value;
}

std::string formatNumber(const char* format, double value) {
    char buffer[kNumberBufferSize];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n < 0) return {};
    return std::string(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
}

}  // namespace igraphics
