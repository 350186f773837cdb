#include "app/script_words.hpp"

namespace vornix::app::script {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<Line> splitWords(std::string_view text, std::string& error) {
    Line line;
    line.text = std::string(text);
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && isSpace(text[i])) ++i;
        if (i >= text.size() || text[i] == '#') return line;
        Word word;
        word.begin = i;
        if (text[i] == '"') {
            word.quoted = true;
            bool closed = false;
            for (++i; i < text.size() && !closed; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) {
                    word.text += text[++i];
                } else if (text[i] == '"') {
                    closed = true;
                } else {
                    word.text += text[i];
                }
            }
            if (!closed) {
                error = "the quoted text has no closing quote";
                return std::nullopt;
            }
            if (i < text.size() && !isSpace(text[i])) {
                error = "a space must follow the closing quote";
                return std::nullopt;
            }
        } else {
            while (i < text.size() && !isSpace(text[i])) word.text += text[i++];
        }
        word.end = i;
        line.words.push_back(std::move(word));
    }
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

}  // namespace vornix::app::script
