#include "app/script_runner.hpp"

#include <fstream>
#include <iostream>
#include <sstream>

#include "app/about.hpp"
#include "app/compare_actions.hpp"
#include "app/edit_menu.hpp"
#include "app/headless_editor.hpp"
#include "app/history_lines.hpp"
#include "app/manual.hpp"
#include "app/png_file.hpp"
#include "app/script.hpp"
#include "app/script_input.hpp"
#include "app/script_platform.hpp"
#include "app/script_readback.hpp"
#include "app/script_words.hpp"
#include "app/shortcuts.hpp"
#include "library/librarian.hpp"
#include "library/setlist_writer.hpp"
#include "storage/file_io.hpp"
#include "ui/top_page.hpp"

namespace vornix::app {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr const char* Program = "vornix-control: ";
// A setlist of 128 songs with both user IRs each takes minutes; longer is a fault.
constexpr int SetlistWriteLimitMs = 600000;

bool readSource(const std::string& name, std::string& source) {
    std::ostringstream text;
    if (name == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(name, std::ios::binary);
        if (!file) return false;
        text << file.rdbuf();
    }
    source = text.str();
    return true;
}

// The host menu's commands, as the GTK menu bar calls them; false for Quit.
bool runMenu(HeadlessEditor& headless, ScriptPlatform& platform, const storage::DataFolder& folder,
             script::MenuItem item) {
    VornixControl& editor = headless.editor();
    switch (item) {
        case script::MenuItem::Firmware:
            editor.menuCommand(MenuCommand::FirmwareUpdate);
            break;
        case script::MenuItem::GlobalSettings:
            editor.menuCommand(MenuCommand::GlobalSettings);
            break;
        case script::MenuItem::ClearCache:
            editor.menuCommand(MenuCommand::ClearCache);
            break;
        case script::MenuItem::ImportBank:
            editor.menuCommand(MenuCommand::ImportBank);
            break;
        case script::MenuItem::ExportBank:
            editor.menuCommand(MenuCommand::ExportBank);
            break;
        case script::MenuItem::About:
            showAbout(editor, &headless.window().view(), platform);
            break;
        case script::MenuItem::Manual:
            openManual(folder, platform);
            break;
        // The script prints these lists itself.
        case script::MenuItem::Monitor:
        case script::MenuItem::History:
        case script::MenuItem::Library:
        case script::MenuItem::Quit:
            break;
        case script::MenuItem::Undo:
            runEditAction(editor, EditAction::Undo);
            break;
        case script::MenuItem::Redo:
            runEditAction(editor, EditAction::Redo);
            break;
        case script::MenuItem::BringBack:
            runEditAction(editor, EditAction::BringBack);
            break;
        case script::MenuItem::Compare:
            editor.toggleComparison();
            break;
        case script::MenuItem::CopyAsText:
            platform.setClipboardText(presetAsClipboardText(editor));
            break;
        case script::MenuItem::BackUpNow:
            editor.menuCommand(MenuCommand::BackUpNow);
            break;
    }
    return item != script::MenuItem::Quit;
}

// menu undo|redo|bring-back enabled=0|1 text="...", one line per item.
void printEditMenu(const VornixControl& editor, std::ostream& out) {
    for (const EditMenuItem& item : editMenuItems(editor)) {
        const char* name = item.action == EditAction::Undo   ? "undo"
                           : item.action == EditAction::Redo ? "redo"
                                                             : "bring-back";
        out << "menu " << name << " enabled=" << item.enabled
            << " text=" << script::quoted(item.text) << std::endl;
    }
}

class Runner {
  public:
    Runner(HeadlessEditor& headless, ScriptPlatform& platform, storage::DataFolder folder,
           std::ostream& out)
        : headless_(headless),
          platform_(platform),
          folder_(std::move(folder)),
          out_(out),
          pointer_(headless.graphics(), [&headless] { headless.settle(); }) {}

    // False and the reason when the line fails; `quit` after "menu quit".
    bool run(const script::Command& c, bool& quit, std::string& error);

  private:
    bool print(const Reading& reading, std::string& error);
    void key(const script::Command& c, bool& quit);
    // False for Quit.
    bool runShortcut(WindowCommand command);
    bool monitor(const script::Command& c, std::string& error);
    bool compare(const script::Command& c, std::string& error);
    // The data folder's library, opened at its first use; null after saying why.
    library::Librarian* librarian(std::string& error);
    bool audition(const script::Command& c, std::string& error);
    // setlist-write NAME SLOT: `setlist-slot SLOT "OLD" "NEW" write|same` lines,
    // then the write (without the backup question, as every headless step),
    // then the summary.
    bool writeSetlist(const script::Command& c, std::string& error);
    // Library > Show Library without a window: `library ID "NAME" AMP AMBIENCE` lines.
    void printLibrary();
    // The window's monitor shows every message; a script sees the lines it has not printed yet.
    void printMonitor();

    HeadlessEditor& headless_;
    ScriptPlatform& platform_;
    storage::DataFolder folder_;
    std::ostream& out_;
    ScriptPointer pointer_;
    std::uint64_t monitorPrinted_ = 0;  // the sequence after the last line printed
    std::unique_ptr<library::PresetLibrary> library_;
    std::unique_ptr<library::Librarian> librarian_;
};

bool Runner::run(const script::Command& c, bool& quit, std::string& error) {
    using script::Kind;
    igraphics::IGraphics& graphics = headless_.graphics();
    switch (c.kind) {
        case Kind::Click:
            pointer_.click(c.at);
            return true;
        case Kind::Press:
            pointer_.press(c.at);
            return true;
        case Kind::Release:
            pointer_.release(c.at);
            return true;
        case Kind::Move:
            pointer_.move(c.at);
            return true;
        case Kind::DoubleClick:
            pointer_.doubleClick(c.at);
            return true;
        case Kind::Drag:
            pointer_.drag(c.at, c.to, c.number);
            return true;
        case Kind::Wheel:
            pointer_.wheel(c.at, c.number, c.modifier);
            return true;
        case Kind::Key:
            key(c, quit);
            headless_.settle();
            return true;
        case Kind::Type:
            error = typeText(graphics, c.text);
            headless_.settle();
            return error.empty();
        case Kind::Wait:
            headless_.runUntil([] { return false; }, c.number);
            return true;
        case Kind::UntilOnline:
            if (headless_.runUntil([this] { return headless_.editor().connection().online(); },
                                   c.number))
                return true;
            error = "the device did not come online within " + std::to_string(c.number) + " ms";
            return false;
        case Kind::Answer:
            platform_.queueAnswer(c.ok);
            return true;
        case Kind::File:
            platform_.queueFile(c.ok ? std::optional<std::string>(c.text) : std::nullopt);
            return true;
        case Kind::Menu:
            if (c.menu == script::MenuItem::Monitor) printMonitor();
            if (c.menu == script::MenuItem::Library) printLibrary();
            if (c.menu == script::MenuItem::History) printHistory(headless_.editor(), out_);
            quit = !runMenu(headless_, platform_, folder_, c.menu);
            headless_.settle();
            return true;
        case Kind::Monitor:
            return monitor(c, error);
        case Kind::Print:
            return print(readTag(headless_.window(), ui::ControlTag{c.number}), error);
        case Kind::Param:
            return print(readParam(headless_.window(), headless_.editor(), ParamIndex{c.number}),
                         error);
        case Kind::Group:
            return print(readGroup(headless_.window(), c.text), error);
        case Kind::EditMenu:
            printEditMenu(headless_.editor(), out_);
            return true;
        case Kind::LibraryAudition:
        case Kind::LibraryEscape:
            return audition(c, error);
        case Kind::SetlistWrite:
            return writeSetlist(c, error);
        case Kind::HistoryPutBack:
            if (const Result started = headless_.editor().putBack(c.number, c.index); !started) {
                error = started.error();
                return false;
            }
            headless_.settle();
            return true;
        case Kind::Render:
            if (writePng(graphics, c.scale.value_or(graphics.drawScale()), c.text)) return true;
            error = "cannot write " + c.text;
            return false;
        case Kind::CompareWith:
        case Kind::Differences:
        case Kind::TakeFromB:
        case Kind::Clipboard:
            return compare(c, error);
    }
    return true;
}

// As the window has it: the open text entry or menu takes the key first;
// what it leaves goes to the window's shortcuts, and anything else is dropped.
void Runner::key(const script::Command& c, bool& quit) {
    if (c.editingKey && pressKey(headless_.graphics(), c.key)) return;
    const auto command = shortcutFor(c.text);
    if (!command) return;
    if (editsTheSound(*command) && headless_.graphics().textEntry().isOpen()) return;
    quit = !runShortcut(*command);
}

bool Runner::runShortcut(WindowCommand command) {
    switch (command) {
        case WindowCommand::Preferences:
            std::cerr << Program << "MIDI Settings... needs the window (see vornixctl ports)\n";
            return true;
        case WindowCommand::Quit:
            return false;
        case WindowCommand::ClosePage:
            ui::closeTopPage(headless_.graphics());
            return true;
        case WindowCommand::Manual:
            openManual(folder_, platform_);
            return true;
        case WindowCommand::Monitor:
            printMonitor();
            return true;
        case WindowCommand::Undo:
            runEditAction(headless_.editor(), EditAction::Undo);
            return true;
        case WindowCommand::Redo:
            runEditAction(headless_.editor(), EditAction::Redo);
            return true;
        case WindowCommand::Compare:
            headless_.editor().toggleComparison();
            return true;
        case WindowCommand::Library:
            printLibrary();
            return true;
    }
    return true;
}

bool Runner::compare(const script::Command& c, std::string& error) {
    VornixControl& editor = headless_.editor();
    switch (c.kind) {
        case script::Kind::CompareWith:
            error = compareWithWord(editor, c.text).error();
            headless_.settle();
            return error.empty();
        case script::Kind::TakeFromB:
            if (c.number < 0) {
                std::vector<ParamValue> all;
                for (const DifferenceRow& row : differencesOfEdit(editor).differences.rows)
                    all.push_back({row.index, row.rawB});
                editor.takeFromB(all);
            } else {
                takeParameterFromB(editor, c.number);
            }
            headless_.settle();
            return true;
        case script::Kind::Clipboard:
            out_ << platform_.clipboardText() << std::flush;
            return true;
        default:
            out_ << differencesText(differencesOfEdit(editor)) << std::flush;
            return true;
    }
}

library::Librarian* Runner::librarian(std::string& error) {
    if (librarian_) return librarian_.get();
    storage::ensureFolder(folder_.root());
    auto opened =
        library::PresetLibrary::open(folder_.root() / library::LibraryFileName, library::utcNow());
    if (!opened.message.empty()) std::cerr << Program << opened.message << '\n';
    if (!opened.library) {
        error = "the library cannot be used";
        return nullptr;
    }
    library_ = std::move(opened.library);
    librarian_ = std::make_unique<library::Librarian>(headless_.editor(), *library_);
    return librarian_.get();
}

bool Runner::audition(const script::Command& c, std::string& error) {
    library::Librarian* desk = librarian(error);
    if (!desk) return false;
    if (c.kind == script::Kind::LibraryEscape) {
        desk->cancelAudition();
    } else if (!desk->audition(c.number)) {
        error = "the library holds no entry " + std::to_string(c.number);
        return false;
    }
    headless_.settle();
    return true;
}

bool Runner::writeSetlist(const script::Command& c, std::string& error) {
    library::Librarian* desk = librarian(error);
    if (!desk) return false;
    const auto songs = desk->library().setlist(c.text);
    if (!songs) {
        error = "there is no setlist '" + c.text + "'";
        return false;
    }
    VornixControl& editor = headless_.editor();
    library::SetlistPlan plan =
        library::planSetlistWrite(desk->library(), *songs, c.index, editor.cache().folder());
    for (const library::SlotChange& change : plan.changes)
        out_ << "setlist-slot " << change.slot << ' ' << script::quoted(change.oldName) << ' '
             << script::quoted(change.newName) << (change.differs ? " write" : " same") << '\n';
    library::SetlistWriter writer(editor);
    std::optional<library::SetlistWriter::Outcome> outcome;
    if (!writer.start(
            std::move(plan), [&](const auto& done) { outcome = done; }, error))
        return false;
    headless_.runUntil([&] { return outcome.has_value(); }, SetlistWriteLimitMs);
    if (!outcome) {
        error = "the setlist was still being written after " +
                std::to_string(SetlistWriteLimitMs / 1000) + " s";
        return false;
    }
    out_ << library::summarise(*outcome) << std::endl;
    if (outcome->failures.empty()) return true;
    error = "the setlist was not written whole";
    return false;
}

void Runner::printLibrary() {
    std::string error;
    library::Librarian* desk = librarian(error);
    if (!desk) return;
    for (const library::EntrySummary& row : desk->library().list())
        out_ << "library " << row.id << ' ' << script::quoted(row.name) << ' '
             << script::quoted(row.ampModel) << ' ' << script::quoted(row.ambience)
             << (row.favourite ? " fav" : "") << std::endl;
}

bool Runner::monitor(const script::Command& c, std::string& error) {
    TrafficCapture& capture = headless_.capture();
    switch (c.monitor) {
        case script::MonitorAction::Print:
            printMonitor();
            return true;
        case script::MonitorAction::Clear:
            capture.clear();
            return true;
        case script::MonitorAction::Save: {
            const Result saved = saveCapture(c.text, capture.all());
            error = saved.error();
            return saved.ok();
        }
    }
    return true;
}

void Runner::printMonitor() {
    const TrafficCapture& capture = headless_.capture();
    for (const CapturedMessage* message : capture.from(monitorPrinted_))
        out_ << message->line() << '\n';
    out_.flush();
    monitorPrinted_ = capture.nextSequence();
}

bool Runner::print(const Reading& reading, std::string& error) {
    if (!reading.ok) {
        error = reading.text;
        return false;
    }
    out_ << reading.text << std::endl;
    return true;
}

}  // namespace

int runScript(const Options& options) {
    std::string source;
    if (!readSource(options.script, source)) {
        std::cerr << Program << "cannot read the script " << options.script << '\n';
        return ExitFailed;
    }
    return runScript(options, source, std::cout, std::cerr);
}

int runScript(const Options& options, std::string_view source, std::ostream& out,
              std::ostream& err) {
    const script::Script parsed = script::parse(source);
    if (parsed.errorLine != 0) {
        err << Program << "script line " << parsed.errorLine << ": " << parsed.error << '\n';
        return ExitFailed;
    }
    try {
        ScriptPlatform platform(out);
        HeadlessEditor headless(options, platform, &platform);
        headless.settle();
        Runner runner(headless, platform, dataFolderOf(options), out);
        for (const script::Command& command : parsed.commands) {
            bool quit = false;
            std::string error;
            if (!runner.run(command, quit, error)) {
                err << Program << "script line " << command.line << ": " << error << '\n';
                return ExitFailed;
            }
            if (quit) break;
        }
    } catch (const std::exception& e) {
        err << Program << e.what() << '\n';
        return ExitFailed;
    }
    return ExitOk;
}

}  // namespace vornix::app
