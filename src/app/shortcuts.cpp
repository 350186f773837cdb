#include "app/shortcuts.hpp"

namespace vornix::app {

namespace {

constexpr std::string_view ControlPrefix = "ctrl+";
constexpr std::string_view ShiftPrefix = "shift+";

bool take(std::string_view& chord, std::string_view prefix) {
    if (!chord.starts_with(prefix)) return false;
    chord.remove_prefix(prefix.size());
    return true;
}

}  // namespace

Chord splitChord(std::string_view chord) {
    Chord parts;
    parts.control = take(chord, ControlPrefix);
    parts.shift = take(chord, ShiftPrefix);
    parts.key = chord;
    return parts;
}

bool editsTheSound(WindowCommand command) {
    return command == WindowCommand::Undo || command == WindowCommand::Redo ||
           command == WindowCommand::Compare;
}

std::optional<WindowCommand> shortcutFor(std::string_view chord) {
    for (const Shortcut& shortcut : Shortcuts)
        if (shortcut.chord == chord) return shortcut.command;
    return std::nullopt;
}

std::optional<std::string_view> chordOf(WindowCommand command) {
    for (const Shortcut& shortcut : Shortcuts)
        if (shortcut.command == command) return shortcut.chord;
    return std::nullopt;
}

std::string shortcutNames() {
    std::string names;
    for (const Shortcut& shortcut : Shortcuts)
        names += (names.empty() ? "" : ", ") + std::string(shortcut.chord);
    return names;
}

}  // namespace vornix::app
