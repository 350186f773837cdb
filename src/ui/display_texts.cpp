#include "ui/display_texts.hpp"

#include <cstdio>

namespace vornix::ui {

namespace {

template <typename T>
std::string formatted(const char* format, T value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::string versionText(double version) {
    return formatted("VERSION: %.1f", version);
}

std::string serialText(const std::string& serial) {
    return "SERIAL: " + serial;
}

std::string backupAgeText(int days) {
    if (days < 0) return "No backup yet";
    return formatted("Last backup %d days ago", days);
}

std::string readoutText(int displayNumber) {
    return formatted("%02d", displayNumber);
}

std::string percentText(double fraction) {
    return formatted("%d %%", static_cast<int>(fraction * 100.0));
}

std::string roundedPercentText(double fraction) {
    return formatted("%.0f %%", fraction * 100.0);
}

}  // namespace vornix::ui
