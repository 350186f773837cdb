#pragma once
// Value texts and typed numbers, shared by the controls that show or accept them.
#include <string>
#include <string_view>

namespace iplug {
class IParam;
}

namespace igraphics {

// The parameter's text for a normalised value: its listed text when it has
// one, else the number (whole for stepped kinds) and its label.
std::string paramDisplayText(const iplug::IParam& param, double normalised);

// A typed decimal number. Surrounding spaces and a leading '+' are allowed and
// the decimal point is always '.', whatever the desktop's locale; text that
// does not start with a number, and "nan", give 0. Infinities are kept, so the
// caller's clamp turns them into the nearest end of the range.
double parseNumber(std::string_view text);

// The text with every byte that is not part of a well-formed UTF-8 sequence
// replaced by '?'. Texts come from files and from the device whatever their
// bytes, and cairo puts a drawing context into an error state at the first
// invalid string: everything drawn after it on that frame would be lost.
std::string validUtf8(std::string_view text);

// printf-style formatting of one double, e.g. formatNumber("%0.0f", 12.4) == "12".
std::string formatNumber(const char* format, double value);

}  // namespace igraphics
