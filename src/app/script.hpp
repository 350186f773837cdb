#pragma once
// The language of --headless --script: one command a line, '#' starts a
// comment, coordinates are logical (1920 x 1200) and may have a fraction.
// Parsing needs no window: the whole script is read before anything runs, so
// a mistake on the last line stops the script before the first click.
//
//   click|press|release|move|dblclick X Y    drag X1 Y1 X2 Y2 [STEPS]
//   wheel X Y N [shift|ctrl]                 key NAME|CHORD    type TEXT
//   wait MS    until online [MS]             answer ok|cancel    file PATH|cancel
//   menu NAME  print TAG    param INDEX      group NAME  render FILE.png [SCALE]
//   monitor print|clear|save FILE
//   edit-menu
//   compare-with SOURCE    differences    take-from-b INDEX|all    clipboard
//   history-put-back SLOT INDEX    library-audition ID    library-escape
//
// A word in double quotes may hold spaces and '#' (\" and \\ inside).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornix::app::script {

enum class Kind {
    Click,
    Press,
    Release,
    Move,
    DoubleClick,
    Drag,
    Wheel,
    Key,
    Type,
    Wait,
    UntilOnline,
    Answer,
    File,
    Menu,
    Print,
    Param,
    Group,
    Render,
    Monitor,
    EditMenu,
    // A/B and the differences (SOURCE as for vornixctl show).
    CompareWith,
    Differences,
    TakeFromB,
    Clipboard,
    HistoryPutBack,
    // The preset library: an entry played on the pedal, and the sound before back.
    LibraryAudition,
    LibraryEscape,
    SetlistWrite,
};

enum class Key {
    Return,
    Escape,
    Tab,
    BackSpace,
    Up,
    Down,
    Left,
    Right,
    // The text entry's own keys.
    Home,
    End,
    Delete,
    ShiftLeft,
    ShiftRight,
    ShiftHome,
    ShiftEnd,
    CtrlA,
    CtrlX,
    CtrlC,
    CtrlV
};
enum class Modifier { None, Shift, Ctrl };
enum class MenuItem {
    Firmware,
    GlobalSettings,
    ClearCache,
    ImportBank,
    ExportBank,
    About,
    Manual,
    Monitor,
    Quit,
    Undo,
    Redo,
    BringBack,
    Compare,
    CopyAsText,
    History,
    BackUpNow,
    Library,
};
// The MIDI monitor's capture: its new lines on stdout, emptied, or saved
// (.syx: the raw messages, else one decoded line each).
enum class MonitorAction { Print, Clear, Save };

// The logical window the coordinates are in (the drawing context's).
inline constexpr float WindowWidth = 1920.f;
inline constexpr float WindowHeight = 1200.f;
inline constexpr int DefaultDragSteps = 10;
inline constexpr int DefaultOnlineLimitMs = 10000;

struct Point {
    float x = 0.f;
    float y = 0.f;
    bool operator==(const Point&) const = default;
};

struct Command {
    Kind kind = Kind::Click;
    int line = 0;
    Point at;        // the pointer; where a drag starts
    Point to;        // where a drag ends
    int number = 0;  // drag steps, wheel notches, milliseconds, tag, parameter index
    Modifier modifier = Modifier::None;
    Key key = Key::Return;
    // key: false for a window shortcut that no text entry or menu takes
    // (the key's name is then in `text`, as it is for every key).
    bool editingKey = true;
    MenuItem menu = MenuItem::About;
    MonitorAction monitor = MonitorAction::Print;
    bool ok = true;    // answer ok; for file, false means cancel
    std::string text;  // typed text, file path, group name, picture file
    std::optional<double> scale;
    int index = 0;  // history-put-back: the version, 0 the newest; setlist-write: the slot
};

struct Script {
    std::vector<Command> commands;
    int errorLine = 0;  // the first bad line (1-based), 0 when there is none
    std::string error;  // what is wrong with it
};

Script parse(std::string_view source);

}  // namespace vornix::app::script
