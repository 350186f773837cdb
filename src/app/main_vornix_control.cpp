// vornix-control: the desktop editor, --render-to for a picture of it, or
// --headless to drive it from a script.
#include <iostream>
#include <string>
#include <vector>

#include "app/application.hpp"
#include "app/launch_options.hpp"
#include "app/render.hpp"
#include "app/script_runner.hpp"

int main(int argc, char** argv) {
    using namespace vornix::app;
    std::string error;
    const auto options = parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "vornix-control: " << error << '\n';
        return 2;
    }
    if (options->help) {
        std::cout << usageText();
        return 0;
    }
    if (options->version) {
        std::cout << versionText();
        return 0;
    }
    if (!options->renderTo.empty()) return renderToPng(*options);
    if (options->headless) return runScript(*options);
    return runApplication(*options, argc, argv);
}
