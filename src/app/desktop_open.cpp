#include "app/desktop_open.hpp"

#include <filesystem>

namespace vornix::app {

namespace {

bool isAddress(const std::string& target) {
    return target.starts_with("http://") || target.starts_with("https://");
}

}  // namespace

std::string cannotOpenText(const std::string& target) {
    if (isAddress(target))
        return "No web browser could be started.\nThe page's address is:\n" + target;
    std::error_code ignored;
    if (std::filesystem::is_directory(target, ignored))
        return "No file manager could be started.\nThe folder is:\n" + target;
    return "No program could open " + std::filesystem::path(target).filename().string() +
           ".\nThe file is:\n" + target;
}

bool openOrExplain(const std::string& target, const Launcher& launch, Platform& platform) {
    if (launch && launch(target)) return true;
    platform.messageBox(cannotOpenText(target), "", Buttons::Ok, {});
    return false;
}

}  // namespace vornix::app
