#include "app/shortcuts.hpp"

namespace vornix::app {

namespace {

constexpr std::string_view ControlPrefix = "ctrl+";

}  // namespace

Chord splitChord(std::string_view chord) {
    if (chord.starts_with(ControlPrefix)) return {true, chord.substr(ControlPrefix.size())};
    return {false, chord};
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
