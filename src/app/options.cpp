#include "app/options.hpp"

#include <charconv>
#include <cmath>

namespace vornix::app {

namespace {

constexpr double MinScale = 0.1;
constexpr double MaxScale = 4.0;

bool parseScale(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value) && value >= MinScale &&
           value <= MaxScale;
}

bool isGtkOption(const std::string& arg) {
    return arg.rfind("--display", 0) == 0 || arg.rfind("--gtk-", 0) == 0 ||
           arg.rfind("--g-fatal-warnings", 0) == 0;
}

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        if (arg == "--simulator") {
            options.simulator = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--render-to") {
            if (!value(options.renderTo)) return std::nullopt;
            if (options.renderTo.empty()) {
                error = "--render-to needs a file name";
                return std::nullopt;
            }
        } else if (arg == "--scale") {
            std::string text;
            if (!value(text)) return std::nullopt;
            double scale = 0.0;
            if (!parseScale(text, scale)) {
                error = "--scale takes a number from 0.1 to 4, not \"" + text + "\"";
                return std::nullopt;
            }
            options.scale = scale;
        } else if (isGtkOption(arg)) {
            options.gtkArgs.push_back(arg);
            if (arg == "--display" && i + 1 < args.size()) options.gtkArgs.push_back(args[++i]);
        } else {
            error = "unknown option \"" + arg + "\" (see --help)";
            return std::nullopt;
        }
    }
    if (options.scale && options.renderTo.empty()) {
        error =
            "--scale applies to --render-to; the window keeps the scale it was given with its "
            "corner grip";
        return std::nullopt;
    }
    return options;
}

std::string usageText() {
    return "Usage: vornix-control [--simulator]\n"
           "       vornix-control --render-to FILE.png [--scale S] [--simulator]\n"
           "\n"
           "Editor for the Vornix bass preamp pedal.\n"
           "\n"
           "  --simulator         run against the built-in simulated pedal instead of the\n"
           "                      MIDI ports chosen in File > MIDI Settings...\n"
           "  --render-to FILE    draw the window content into a PNG file without a display\n"
           "                      and exit (after giving the pedal a moment to connect)\n"
           "  --scale S           draw scale for --render-to (default: the window's saved\n"
           "                      scale, 0.5 at first: 960 x 600)\n"
           "  --version           print the version and exit\n"
           "  --help              print this text and exit\n"
           "\n"
           "Settings, cache and the manual live in $VORNIX_DATA_DIR, else\n"
           "$XDG_DATA_HOME/VornixControl (~/.local/share/VornixControl).\n";
}

std::string versionText() {
    return "vornix-control " VORNIX_VERSION "\n";
}

}  // namespace vornix::app
