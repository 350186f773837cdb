#include "library/search_query.hpp"

#include <cctype>

namespace vornix::library {

namespace {

// Splits at spaces outside double quotes; the quotes themselves are dropped.
std::vector<std::string> tokens(std::string_view text) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            if (any) out.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) out.push_back(current);
    return out;
}

bool takeFilter(const std::string& token, std::string_view prefix, std::string& value) {
    if (token.size() <= prefix.size() || token.compare(0, prefix.size(), prefix) != 0) return false;
    value = token.substr(prefix.size());
    return true;
}

}  // namespace

SearchQuery parseSearchQuery(std::string_view text) {
    SearchQuery query;
    for (const std::string& token : tokens(text)) {
        if (token == "fav") {
            query.favouritesOnly = true;
        } else if (!takeFilter(token, "amp:", query.amp) &&
                   !takeFilter(token, "ambience:", query.ambience) &&
                   !takeFilter(token, "ir:", query.ir) && !token.empty()) {
            query.words.push_back(token);
        }
    }
    return query;
}

std::string fullTextExpression(const std::vector<std::string>& words) {
    std::string expression;
    for (const std::string& word : words) {
        if (!expression.empty()) expression += ' ';
        expression += '"';
        for (char c : word) expression += c == '"' ? std::string("\"\"") : std::string(1, c);
        expression += "\"*";
    }
    return expression;
}

}  // namespace vornix::library
