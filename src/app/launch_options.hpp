#pragma once
// The command line of vornix-control.
#include <optional>
#include <string>
#include <vector>

#include "host/trace_writer.hpp"
#include "storage/data_folder.hpp"

namespace vornix::app {

inline constexpr double DefaultRenderScale = 0.5;
// The draw scales a picture may be rendered at (--scale, the script's render).
inline constexpr double MinRenderScale = 0.1;
inline constexpr double MaxRenderScale = 4.0;

struct Options {
    bool simulator = false;
    bool help = false;
    bool version = false;
    // --trace (plain) or --trace=decoded: every SysEx message both ways on stderr
    host::TraceMode trace = host::TraceMode::Off;
    std::string renderTo;              // --render-to FILE.png: draw without a display
    std::optional<double> scale;       // --scale S, for --render-to
    bool headless = false;             // --headless: no display, driven by --script
    std::string script;                // --script FILE ("-": standard input)
    std::string inPort;                // --port NAME or --in NAME --out NAME, without the
    std::string outPort;               // window; empty: the ports stored in settings.ini
    std::string dataDir;               // --data-dir DIR; empty: VORNIX_DATA_DIR or XDG
    std::vector<std::string> gtkArgs;  // left for GTK (--display, --gtk-...)
};

// Nothing and a reason in `error` when the line cannot be understood.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);
// --data-dir, else $VORNIX_DATA_DIR, else $XDG_DATA_HOME/VornixControl.
storage::DataFolder dataFolderOf(const Options& options);
std::string usageText();
std::string versionText();

}  // namespace vornix::app
