#include "app/launch_options.hpp"

#include <charconv>
#include <cmath>

namespace vornix::app {

namespace {

bool parseScale(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value) && value >= MinRenderScale &&
           value <= MaxRenderScale;
}

bool isGtkOption(const std::string& arg) {
    return arg.rfind("--display", 0) == 0 || arg.rfind("--gtk-", 0) == 0 ||
           arg.rfind("--g-fatal-warnings", 0) == 0;
}

// What cannot go together, or nothing.
std::string conflictOf(const Options& options) {
    const bool ports = !options.inPort.empty() || !options.outPort.empty();
    if (options.scale && options.renderTo.empty())
        return "--scale applies to --render-to; the window keeps the scale it last closed with "
               "(resize it from its edges)";
    if (options.headless && !options.renderTo.empty()) return "choose --headless or --render-to";
    if (options.headless && options.script.empty()) return "--headless needs --script FILE";
    if (!options.headless && !options.script.empty()) return "--script needs --headless";
    if (ports && options.simulator)
        return "choose one device: --simulator, --port NAME, or --in NAME --out NAME";
    if (ports && (options.inPort.empty() || options.outPort.empty()))
        return "--in and --out go together";
    if (ports && !options.headless && options.renderTo.empty())
        return "--port, --in and --out apply to --headless and --render-to; the window uses the "
               "ports chosen in File > MIDI Settings...";
    return {};
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
        auto given = [&](std::string& out, const char* what) {
            if (!value(out)) return false;
            if (out.empty()) {
                error = arg + " needs " + what;
                return false;
            }
            return true;
        };
        if (arg == "--simulator") {
            options.simulator = true;
        } else if (const auto trace = host::traceOption(arg)) {
            options.trace = *trace;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--script") {
            if (!given(options.script, "a file name (- for standard input)")) return std::nullopt;
        } else if (arg == "--data-dir") {
            if (!given(options.dataDir, "a folder")) return std::nullopt;
        } else if (arg == "--port") {
            if (!given(options.inPort, "a port name")) return std::nullopt;
            options.outPort = options.inPort;
        } else if (arg == "--in") {
            if (!given(options.inPort, "a port name")) return std::nullopt;
        } else if (arg == "--out") {
            if (!given(options.outPort, "a port name")) return std::nullopt;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--render-to") {
            if (!given(options.renderTo, "a file name")) return std::nullopt;
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
    error = conflictOf(options);
    if (!error.empty()) return std::nullopt;
    return options;
}

storage::DataFolder dataFolderOf(const Options& options) {
    return options.dataDir.empty() ? storage::DataFolder::fromEnvironment()
                                   : storage::DataFolder(options.dataDir);
}

std::string usageText() {
    return "Usage: vornix-control [--simulator] [--data-dir DIR] [--trace]\n"
           "  or:  vornix-control --render-to FILE.png [--scale S] [DEVICE] [OPTION]...\n"
           "  or:  vornix-control --headless --script FILE [DEVICE] [OPTION]...\n"
           "\n"
           "Editor for the Vornix bass preamp pedal.\n"
           "\n"
           "  --simulator         run against the built-in simulated pedal instead of the\n"
           "                      MIDI ports chosen in File > MIDI Settings...\n"
           "  --render-to FILE    draw the window content into a PNG file without a display\n"
           "                      and exit (after giving the pedal a moment to connect)\n"
           "  --scale S           draw scale for --render-to (default: the window's saved\n"
           "                      scale, 0.5 at first: 960 x 600)\n"
           "  --headless          no display: the window content is driven by the commands\n"
           "                      of --script\n"
           "  --script FILE       the commands of FILE (- for standard input), one a line:\n"
           "                      click X Y, drag, wheel, key, type, wait MS, until online,\n"
           "                      answer, file, menu, print TAG, param INDEX, group NAME,\n"
           "                      edit-menu, render (see README.md); exit 1 at a bad line\n"
           "  --port NAME         with --render-to or --headless: one MIDI port for both\n"
           "                      directions instead of the stored ones (a port's name or\n"
           "                      the start of one; see vornixctl ports)\n"
           "  --in NAME           with --out: the MIDI input port, and the output port,\n"
           "  --out NAME          each chosen as for --port\n"
           "  --data-dir DIR      the data folder (settings, cache, manual)\n"
           "  --trace             print every SysEx message on stderr: \"> \" and the hex\n"
           "                      bytes for sent, \"< \" for received\n"
           "  --trace=decoded     the same with the time and each message in words:\n"
           "                      \"12.345 > request preset 12  F0 00 51 ...\"\n"
           "  --version           print the version and exit\n"
           "  --help              print this text and exit\n"
           "\n"
           "DEVICE is --simulator, --port NAME or --in NAME --out NAME; OPTION is --data-dir\n"
           "DIR or --trace[=decoded]. Without --data-dir\n"
           "the data folder is $VORNIX_DATA_DIR, else $XDG_DATA_HOME/VornixControl\n"
           "(~/.local/share/VornixControl).\n"
           "\n"
           "Keys:\n"
           "  Ctrl+Q              quit (File > Quit)\n"
           "  Ctrl+,              the MIDI ports (File > MIDI Settings...)\n"
           "  Escape              close the page on top, as its X or BACK does\n"
           "  Ctrl+M              the MIDI monitor (View > MIDI Monitor)\n"
           "  F1                  the manual (Help > Read Manual)\n";
}

std::string versionText() {
    return "vornix-control " VORNIX_VERSION "\n";
}

}  // namespace vornix::app
