#pragma once
// The plain text work behind the file dialogs and the shell-open, kept free
// of GTK so that it can be checked on its own.
#include <string>
#include <string_view>
#include <vector>

namespace vornix::app {

// "wav kvp" -> {"*.wav", "*.kvp"}; a leading dot or star is tolerated.
std::vector<std::string> filterPatterns(std::string_view extensions);
// The first extension of the list, without a dot; empty when there is none.
std::string defaultExtension(std::string_view extensions);
// Appends ".ext" when the file name has no extension of its own.
std::string withDefaultExtension(const std::string& path, std::string_view extension);
// An address with a scheme stays as it is; a path becomes a file:// URI.
// Relative paths are taken from the current folder.
std::string uriFor(const std::string& addressOrPath);

}  // namespace vornix::app
