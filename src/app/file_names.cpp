#include "app/file_names.hpp"

#include <cctype>
#include <filesystem>
#include <sstream>

namespace vornix::app {

namespace {

std::string_view stripPrefix(std::string_view extension) {
    while (!extension.empty() && (extension.front() == '*' || extension.front() == '.'))
        extension.remove_prefix(1);
    return extension;
}

bool hasScheme(const std::string& text) {
    const auto colon = text.find("://");
    if (colon == std::string::npos || colon == 0) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

// RFC 3986 unreserved characters and the path separator stay; the rest is escaped.
std::string percentEncodePath(const std::string& path) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 0x0F];
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> filterPatterns(std::string_view extensions) {
    std::vector<std::string> patterns;
    std::istringstream words{std::string(extensions)};
    std::string word;
    while (words >> word) {
        const std::string_view bare = stripPrefix(word);
        if (!bare.empty()) patterns.push_back("*." + std::string(bare));
    }
    return patterns;
}

std::string defaultExtension(std::string_view extensions) {
    const auto patterns = filterPatterns(extensions);
    return patterns.empty() ? std::string() : patterns.front().substr(2);
}

std::string withDefaultExtension(const std::string& path, std::string_view extension) {
    if (extension.empty() || path.empty()) return path;
    if (std::filesystem::path(path).has_extension()) return path;
    return path + "." + std::string(extension);
}

std::string uriFor(const std::string& addressOrPath) {
    if (hasScheme(addressOrPath)) return addressOrPath;
    std::error_code ignored;
    const auto absolute = std::filesystem::absolute(addressOrPath, ignored);
    return "file://" + percentEncodePath(absolute.string());
}

}  // namespace vornix::app
