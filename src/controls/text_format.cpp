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

namespace {

constexpr char Replacement = '?';
constexpr unsigned char AsciiEnd = 0x80;
constexpr unsigned char ContinuationFirst = 0x80;
constexpr unsigned char ContinuationLast = 0xBF;

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
// Overlong forms, surrogates and code points past U+10FFFF are not well formed.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < AsciiEnd) return 1;
    struct Form {
        unsigned char leadFirst, leadLast, secondFirst, secondLast;
        std::size_t length;
    };
    // The well-formed byte sequences of Unicode's table 3-7.
    static constexpr Form Forms[] = {
        {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
        {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
        {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    for (const Form& form : Forms) {
        if (lead < form.leadFirst || lead > form.leadLast) continue;
        if (text.size() < form.length) return 0;
        if (byte(1) < form.secondFirst || byte(1) > form.secondLast) return 0;
        for (std::size_t i = 2; i < form.length; ++i)
            if (byte(i) < ContinuationFirst || byte(i) > ContinuationLast) return 0;
        return form.length;
    }
    return 0;
}

}  // namespace

std::string validUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        if (length == 0) {
            out += Replacement;
            text.remove_prefix(1);
            continue;
        }
        out.append(text.substr(0, length));
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace igraphics
