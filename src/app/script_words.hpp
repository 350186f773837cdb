#pragma once
// One line of a script split into words: white space separates them, a word
// in double quotes may hold spaces and '#' (\" and \\ stand for the quote and
// the backslash), and a '#' that starts a word starts a comment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::app::script {

struct Word {
    std::string text;       // without the quotes and escapes
    std::size_t begin = 0;  // where it is written in the line, quotes included
    std::size_t end = 0;
    bool quoted = false;
};

struct Line {
    std::string text;  // the line as written
    std::vector<Word> words;
};

// Nothing, and the reason in `error`, when a quote is left open or a quoted
// word runs into the next.
std::optional<Line> splitWords(std::string_view text, std::string& error);

// The text in double quotes with '"', '\' and line breaks escaped, as the
// script's output shows texts.
std::string quoted(std::string_view text);

}  // namespace vornix::app::script
