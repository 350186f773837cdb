#pragma once
// What the library's search box and `vornixctl library search` understand:
// words searched in the name, tags and notes (as prefixes), and filters
// `amp:NAME`, `ambience:NAME`, `ir:NAME` (the cabinet or a user IR) and
// `fav`. A value with spaces goes in double quotes: ir:"Dalvin 8x10".
#include <string>
#include <string_view>
#include <vector>

namespace vornix::library {

struct SearchQuery {
    std::vector<std::string> words;
    std::string amp;
    std::string ambience;
    std::string ir;
    bool favouritesOnly = false;

    bool empty() const {
        return words.empty() && amp.empty() && ambience.empty() && ir.empty() && !favouritesOnly;
    }
};

SearchQuery parseSearchQuery(std::string_view text);

// The words as an FTS5 expression: each one quoted (so nothing in it is
// syntax) and matched as a prefix, all of them required.
std::string fullTextExpression(const std::vector<std::string>& words);

}  // namespace vornix::library
