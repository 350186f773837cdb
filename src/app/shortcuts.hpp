#pragma once
// The window's keyboard shortcuts, one table for the GTK window and for the
// script's "key": a new accelerator is one line here. A chord is an X key
// name ("F1", "Escape", "comma"), with "ctrl+" and then "shift+" in front
// when Control and Shift are held, as xdotool writes it. Keys reach an open
// text entry or menu first; only what it leaves reaches these. A command with
// several chords shows the first beside its menu item.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vornix::app {

enum class WindowCommand {
    Preferences,  // File > MIDI Settings...
    Quit,         // File > Quit
    ClosePage,    // the X or BACK of the page on top
    Manual,       // Help > Read Manual
    Monitor,      // View > MIDI Monitor
    Undo,         // Edit > Undo
    Redo,         // Edit > Redo
    Compare,      // Preset > Compare With Stored
    Library,      // Library > Show Library
};
inline constexpr std::size_t WindowCommandCount = 9;

struct Shortcut {
    std::string_view chord;
    WindowCommand command;
};

inline constexpr std::array<Shortcut, 10> Shortcuts{{
    {"ctrl+comma", WindowCommand::Preferences},
    {"ctrl+q", WindowCommand::Quit},
    {"Escape", WindowCommand::ClosePage},
    {"F1", WindowCommand::Manual},
    {"ctrl+m", WindowCommand::Monitor},
    {"ctrl+z", WindowCommand::Undo},
    {"ctrl+shift+z", WindowCommand::Redo},
    {"ctrl+y", WindowCommand::Redo},
    {"ctrl+b", WindowCommand::Compare},
    {"ctrl+l", WindowCommand::Library},
}};

// A chord taken apart: whether Control and Shift are held, and the key's X name.
struct Chord {
    bool control = false;
    bool shift = false;
    std::string_view key;
};

// Undo, Redo and Compare belong to the sound: while a text entry is open they do nothing.
bool editsTheSound(WindowCommand command);

Chord splitChord(std::string_view chord);
std::optional<WindowCommand> shortcutFor(std::string_view chord);
// The chord of a command, for its menu item's accelerator.
std::optional<std::string_view> chordOf(WindowCommand command);
// "ctrl+comma, ctrl+q, Escape, F1, ctrl+m", for messages.
std::string shortcutNames();

}  // namespace vornix::app
