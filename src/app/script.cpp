#include "app/script.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "app/launch_options.hpp"
#include "app/script_words.hpp"
#include "app/shortcuts.hpp"

namespace vornix::app::script {

namespace {

constexpr std::array<std::pair<std::string_view, Key>, 19> KeyNames{{
    {"Return", Key::Return},
    {"Escape", Key::Escape},
    {"Tab", Key::Tab},
    {"BackSpace", Key::BackSpace},
    {"Up", Key::Up},
    {"Down", Key::Down},
    {"Left", Key::Left},
    {"Right", Key::Right},
    {"Home", Key::Home},
    {"End", Key::End},
    {"Delete", Key::Delete},
    {"shift+Left", Key::ShiftLeft},
    {"shift+Right", Key::ShiftRight},
    {"shift+Home", Key::ShiftHome},
    {"shift+End", Key::ShiftEnd},
    {"ctrl+a", Key::CtrlA},
    {"ctrl+x", Key::CtrlX},
    {"ctrl+c", Key::CtrlC},
    {"ctrl+v", Key::CtrlV},
}};

constexpr std::array<std::pair<std::string_view, MenuItem>, 17> MenuNames{{
    {"firmware", MenuItem::Firmware},
    {"global-settings", MenuItem::GlobalSettings},
    {"clear-cache", MenuItem::ClearCache},
    {"import-bank", MenuItem::ImportBank},
    {"export-bank", MenuItem::ExportBank},
    {"about", MenuItem::About},
    {"manual", MenuItem::Manual},
    {"monitor", MenuItem::Monitor},
    {"quit", MenuItem::Quit},
    {"undo", MenuItem::Undo},
    {"redo", MenuItem::Redo},
    {"bring-back", MenuItem::BringBack},
    {"compare", MenuItem::Compare},
    {"copy-as-text", MenuItem::CopyAsText},
    {"history", MenuItem::History},
    {"back-up-now", MenuItem::BackUpNow},
    {"library", MenuItem::Library},
}};

template <typename T, std::size_t N>
std::string namesOf(const std::array<std::pair<std::string_view, T>, N>& table) {
    std::string names;
    for (const auto& [name, value] : table)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

std::string size(float length) {
    return std::to_string(static_cast<int>(length));
}

// The arguments of one line, read with the reason kept when one is wrong.
class Args {
  public:
    Args(const Line& line, std::string& error) : line_(line), error_(error) {}

    std::size_t count() const { return line_.words.size() - 1; }
    const std::string& word(std::size_t i) const { return line_.words[i + 1].text; }
    bool quoted(std::size_t i) const { return line_.words[i + 1].quoted; }

    bool number(std::size_t i, const char* what, double& out) {
        const std::string& text = word(i);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
        if (ec == std::errc() && end == text.data() + text.size() && std::isfinite(out))
            return true;
        return fail(std::string(what) + " \"" + text + "\" is not a number");
    }

    bool integer(std::size_t i, const char* what, int min, int& out) {
        const std::string& text = word(i);
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
        if (ec != std::errc() || end != text.data() + text.size())
            return fail(std::string(what) + " \"" + text + "\" is not a whole number");
        if (out < min)
            return fail(std::string(what) + " " + text + " is below " + std::to_string(min));
        return true;
    }

    bool point(std::size_t i, Point& out) {
        double x = 0.0, y = 0.0;
        if (!number(i, "X", x) || !number(i + 1, "Y", y)) return false;
        if (x < 0.0 || x > WindowWidth)
            return fail("X " + word(i) + " is outside the window (0 to " + size(WindowWidth) + ")");
        if (y < 0.0 || y > WindowHeight)
            return fail("Y " + word(i + 1) + " is outside the window (0 to " + size(WindowHeight) +
                        ")");
        out = {static_cast<float>(x), static_cast<float>(y)};
        return true;
    }

    template <typename T, std::size_t N>
    bool name(std::size_t i, const char* what,
              const std::array<std::pair<std::string_view, T>, N>& table, T& out) {
        for (const auto& [name, value] : table) {
            if (name != word(i)) continue;
            out = value;
            return true;
        }
        return fail("unknown " + std::string(what) + " \"" + word(i) + "\" (" + namesOf(table) +
                    ")");
    }

    // The rest of the line as written, or the one quoted word that holds it.
    bool rest(std::string& out) {
        const auto& words = line_.words;
        if (words[1].quoted && words.size() > 2) return fail("text after the quoted text");
        if (words[1].quoted) {
            out = words[1].text;
            return true;
        }
        out = line_.text.substr(words[1].begin, words.back().end - words[1].begin);
        return true;
    }

    bool fail(std::string reason) {
        error_ = std::move(reason);
        return false;
    }

  private:
    const Line& line_;
    std::string& error_;
};

using Reader = bool (*)(Args&, Command&);

bool readPoint(Args& a, Command& c) {
    return a.point(0, c.at);
}

bool readDrag(Args& a, Command& c) {
    c.number = DefaultDragSteps;
    return a.point(0, c.at) && a.point(2, c.to) &&
           (a.count() < 5 || a.integer(4, "STEPS", 1, c.number));
}

bool readWheel(Args& a, Command& c) {
    if (!a.point(0, c.at) || !a.integer(2, "N", -1000000, c.number)) return false;
    if (c.number == 0) return a.fail("N is the number of notches and cannot be 0");
    if (a.count() < 4) return true;
    constexpr std::array<std::pair<std::string_view, Modifier>, 2> Modifiers{{
        {"shift", Modifier::Shift},
        {"ctrl", Modifier::Ctrl},
    }};
    return a.name(3, "modifier", Modifiers, c.modifier);
}

// A key for the open text entry or menu, a window shortcut (app/shortcuts),
// or both (Escape).
bool readKey(Args& a, Command& c) {
    c.text = a.word(0);
    for (const auto& [name, key] : KeyNames) {
        if (name != c.text) continue;
        c.key = key;
        return true;
    }
    c.editingKey = false;
    if (shortcutFor(c.text)) return true;
    return a.fail("unknown key \"" + c.text + "\" (" + namesOf(KeyNames) +
                  "; shortcuts: " + shortcutNames() + ")");
}

bool readText(Args& a, Command& c) {
    return a.rest(c.text);
}

bool readWait(Args& a, Command& c) {
    return a.integer(0, "MS", 0, c.number);
}

bool readUntil(Args& a, Command& c) {
    if (a.word(0) != "online") return a.fail("until knows only \"online\"");
    c.number = DefaultOnlineLimitMs;
    return a.count() < 2 || a.integer(1, "MS", 1, c.number);
}

bool readAnswer(Args& a, Command& c) {
    constexpr std::array<std::pair<std::string_view, bool>, 2> Answers{{
        {"ok", true},
        {"cancel", false},
    }};
    return a.name(0, "answer", Answers, c.ok);
}

bool readFile(Args& a, Command& c) {
    if (!a.rest(c.text)) return false;
    // A file really named "cancel" is chosen in quotes.
    c.ok = !(a.count() == 1 && !a.quoted(0) && a.word(0) == "cancel");
    if (!c.ok) c.text.clear();
    return true;
}

bool readMenu(Args& a, Command& c) {
    return a.name(0, "menu", MenuNames, c.menu);
}

bool readTag(Args& a, Command& c) {
    return a.integer(0, "TAG", 0, c.number);
}

bool readParam(Args& a, Command& c) {
    return a.integer(0, "INDEX", 0, c.number);
}

bool readGroup(Args& a, Command& c) {
    c.text = a.word(0);
    return true;
}

bool readRender(Args& a, Command& c) {
    c.text = a.word(0);
    if (c.text.empty()) return a.fail("render needs a file name");
    if (a.count() < 2) return true;
    double scale = 0.0;
    if (!a.number(1, "SCALE", scale)) return false;
    if (scale < MinRenderScale || scale > MaxRenderScale)
        return a.fail("SCALE " + a.word(1) + " is outside 0.1 to 4");
    c.scale = scale;
    return true;
}

bool readMonitor(Args& a, Command& c) {
    constexpr std::array<std::pair<std::string_view, MonitorAction>, 3> Actions{{
        {"print", MonitorAction::Print},
        {"clear", MonitorAction::Clear},
        {"save", MonitorAction::Save},
    }};
    if (!a.name(0, "monitor action", Actions, c.monitor)) return false;
    const bool named = a.count() == 2;
    if (c.monitor == MonitorAction::Save && !named) return a.fail("monitor save needs a file name");
    if (c.monitor != MonitorAction::Save && named) return a.fail("usage: monitor print|clear");
    if (named) c.text = a.word(1);
    return true;
}

bool readPutBack(Args& a, Command& c) {
    if (!a.integer(0, "SLOT", 0, c.number) || !a.integer(1, "INDEX", 0, c.index)) return false;
    if (c.number > 127) return a.fail("SLOT " + a.word(0) + " is outside 0 to 127");
    return true;
}

bool readEntryId(Args& a, Command& c) {
    return a.integer(0, "ID", 1, c.number);
}

bool readSetlistWrite(Args& a, Command& c) {
    c.text = a.word(0);
    if (!a.integer(1, "SLOT", 0, c.index)) return false;
    if (c.index > 127) return a.fail("SLOT " + a.word(1) + " is outside 0 to 127");
    return true;
}

bool readNothing(Args&, Command&) {
    return true;
}

bool readWord(Args& a, Command& c) {
    c.text = a.word(0);
    return true;
}

// A parameter index, or -1 for every row.
bool readTakeFromB(Args& a, Command& c) {
    if (a.word(0) == "all") {
        c.number = -1;
        return true;
    }
    return a.integer(0, "INDEX", 0, c.number);
}

struct Grammar {
    std::string_view name;
    Kind kind;
    std::size_t minArgs;
    std::size_t maxArgs;
    std::string_view usage;
    Reader read;
};

constexpr Grammar Commands[] = {
    {"click", Kind::Click, 2, 2, "click X Y", readPoint},
    {"press", Kind::Press, 2, 2, "press X Y", readPoint},
    {"release", Kind::Release, 2, 2, "release X Y", readPoint},
    {"move", Kind::Move, 2, 2, "move X Y", readPoint},
    {"dblclick", Kind::DoubleClick, 2, 2, "dblclick X Y", readPoint},
    {"drag", Kind::Drag, 4, 5, "drag X1 Y1 X2 Y2 [STEPS]", readDrag},
    {"wheel", Kind::Wheel, 3, 4, "wheel X Y N [shift|ctrl]", readWheel},
    {"key", Kind::Key, 1, 1, "key NAME", readKey},
    {"type", Kind::Type, 1, SIZE_MAX, "type TEXT", readText},
    {"wait", Kind::Wait, 1, 1, "wait MS", readWait},
    {"until", Kind::UntilOnline, 1, 2, "until online [MS]", readUntil},
    {"answer", Kind::Answer, 1, 1, "answer ok|cancel", readAnswer},
    {"file", Kind::File, 1, SIZE_MAX, "file PATH|cancel", readFile},
    {"menu", Kind::Menu, 1, 1, "menu NAME", readMenu},
    {"print", Kind::Print, 1, 1, "print TAG", readTag},
    {"param", Kind::Param, 1, 1, "param INDEX", readParam},
    {"group", Kind::Group, 1, 1, "group NAME", readGroup},
    {"render", Kind::Render, 1, 2, "render FILE.png [SCALE]", readRender},
    {"monitor", Kind::Monitor, 1, 2, "monitor print|clear|save FILE", readMonitor},
    {"edit-menu", Kind::EditMenu, 0, 0, "edit-menu", readNothing},
    {"compare-with", Kind::CompareWith, 1, 1, "compare-with SOURCE", readWord},
    {"differences", Kind::Differences, 0, 0, "differences", readNothing},
    {"take-from-b", Kind::TakeFromB, 1, 1, "take-from-b INDEX|all", readTakeFromB},
    {"clipboard", Kind::Clipboard, 0, 0, "clipboard", readNothing},
    {"history-put-back", Kind::HistoryPutBack, 2, 2, "history-put-back SLOT INDEX", readPutBack},
    {"library-audition", Kind::LibraryAudition, 1, 1, "library-audition ID", readEntryId},
    {"library-escape", Kind::LibraryEscape, 0, 0, "library-escape", readNothing},
    {"setlist-write", Kind::SetlistWrite, 2, 2, "setlist-write NAME SLOT", readSetlistWrite},
};

// Nothing (and a reason) when the line is not a command; empty lines are
// commands of no kind and are dropped by the caller.
std::optional<Command> parseLine(const Line& line, std::string& error) {
    const std::string& name = line.words.front().text;
    for (const Grammar& grammar : Commands) {
        if (grammar.name != name) continue;
        Args args(line, error);
        const std::size_t count = args.count();
        if (count < grammar.minArgs || count > grammar.maxArgs) {
            error = "usage: " + std::string(grammar.usage);
            return std::nullopt;
        }
        Command command;
        command.kind = grammar.kind;
        if (!grammar.read(args, command)) return std::nullopt;
        return command;
    }
    error = "unknown command \"" + name + "\"";
    return std::nullopt;
}

}  // namespace

Script parse(std::string_view source) {
    Script script;
    int number = 0;
    std::size_t start = 0;
    while (start < source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string_view::npos) end = source.size();
        std::string_view text = source.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        start = end + 1;
        ++number;

        std::string error;
        const std::optional<Line> line = splitWords(text, error);
        std::optional<Command> command;
        if (line && line->words.empty()) continue;
        if (line) command = parseLine(*line, error);
        if (!command) {
            script.errorLine = number;
            script.error = error;
            script.commands.clear();
            return script;
        }
        command->line = number;
        script.commands.push_back(std::move(*command));
    }
    return script;
}

}  // namespace vornix::app::script
