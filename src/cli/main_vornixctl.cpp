// vornixctl: the editor's core on the command line, for scripted work.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "cli/commands.hpp"
#include "host/timing_stamps.hpp"

int main(int argc, char** argv) {
    using namespace vornix::cli;
    vornix::host::startTimingStamps();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedOptions parsed = parseOptions(arguments);
    if (parsed.help) {
        std::cout << usageText();
        return 0;
    }
    if (parsed.version) {
        std::cout << versionText();
        return 0;
    }
    if (!parsed.options) {
        std::cerr << "vornixctl: " << parsed.error << "\n" << usageText();
        return 1;
    }
    try {
        return runCommand(*parsed.options);
    } catch (const std::exception& e) {
        std::cerr << "vornixctl: " << e.what() << '\n';
        return 1;
    }
}
