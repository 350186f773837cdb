#pragma once
// The command line of vornix-control.
#include <optional>
#include <string>
#include <vector>

namespace vornix::app {

inline constexpr double DefaultRenderScale = 0.5;

struct Options {
    bool simulator = false;
    bool help = false;
    bool version = false;
    std::string renderTo;              // --render-to FILE.png: draw without a display
    std::optional<double> scale;       // --scale S, for --render-to
    std::vector<std::string> gtkArgs;  // left for GTK (--display, --gtk-...)
};

// Nothing and a reason in `error` when the line cannot be understood.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
std::string usageText();
std::string versionText();

}  // namespace vornix::app
