#include "app/window_title.hpp"

#include <cstdio>

#include "app/about.hpp"

namespace vornix::app {

namespace {

constexpr const char* PedalName = "Vornix";

}  // namespace

std::string windowTitle(std::optional<double> firmwareVersion) {
    if (!firmwareVersion) return ProgramName;
    char text[96];
    std::snprintf(text, sizeof text, "%s - %s %.1f", ProgramName, PedalName, *firmwareVersion);
    return text;
}

void TitleFollower::identified(double version, const std::string&) {
    if (show_) show_(windowTitle(version));
}

void TitleFollower::onlineChanged(bool online) {
    if (!online && show_) show_(windowTitle(std::nullopt));
}

}  // namespace vornix::app
