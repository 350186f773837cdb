// vornixctl setlist ...: ordered lists of library entries, a song each.
#include <iostream>

#include "cli/command_support.hpp"
#include "cli/commands.hpp"
#include "cli/library_support.hpp"
#include "cli/session.hpp"
#include "core/vornix_control.hpp"
#include "library/setlist_writer.hpp"

namespace vornix::cli {

namespace {

using library::PresetLibrary;

std::string flagValue(const Args& args, const std::string& flag) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == flag) return args[i + 1];
    return {};
}

// "01  Name of the song's preset" from program `first` (1-based, as a
// controller shows it) on; without a first program, the list's positions.
void printSongs(const std::vector<PresetLibrary::Song>& songs, int first, std::ostream& out) {
    for (std::size_t k = 0; k < songs.size(); ++k) {
        const int number = (first >= 0 ? first : 0) + static_cast<int>(k) + 1;
        out << (number < 10 ? "0" : "") << number << "  " << songs[k].summary.name << "  (entry "
            << songs[k].entry << ')';
        if (!songs[k].note.empty()) out << "  " << songs[k].note;
        out << '\n';
    }
}

CommandResult runSetlist(PresetLibrary& library, const Args& args, std::ostream& data) {
    if (args.empty()) {
        for (const std::string& name : library.setlistNames()) data << name << '\n';
        return {};
    }
    const std::string& verb = args[0];
    if (args.size() < 2) return failed("usage: setlist " + verb + " NAME ...");
    const std::string& name = args[1];
    if (verb == "create") {
        if (!library.createSetlist(name, utcNow()))
            return failed("setlist '" + name + "' could not be created: " + library.error());
        data << "setlist " << quoted(name) << " created\n";
        return {};
    }
    if (verb == "delete") {
        if (!library.deleteSetlist(name)) return failed("there is no setlist '" + name + "'");
        data << "setlist " << quoted(name) << " deleted\n";
        return {};
    }
    if (verb == "show") {
        const auto songs = library.setlist(name);
        if (!songs) return failed("there is no setlist '" + name + "'");
        int from = -1;
        if (const std::string slot = flagValue(args, "--from");
            !slot.empty() && !parseNumber(slot, from))
            return failed("--from needs a slot number");
        printSongs(*songs, from, data);
        return {};
    }
    if (verb == "add") {
        std::vector<library::EntryId> ids;
        const std::string note = flagValue(args, "--note");
        for (auto it = args.begin() + 2; it != args.end(); ++it) {
            if (*it == "--note") {
                ++it;
                if (it == args.end()) break;
                continue;
            }
            int id = 0;
            if (!parseNumber(*it, id) || !library.find(id))
                return failed("the library holds no entry " + *it);
            ids.push_back(id);
        }
        if (ids.empty()) return failed("usage: setlist add NAME ID... [--note TEXT]");
        if (!library.appendToSetlist(name, ids, note))
            return failed("there is no setlist '" + name + "'");
        data << ids.size() << " added to " << quoted(name) << '\n';
        return {};
    }
    int from = 0;
    int to = 0;
    if (verb == "remove" && args.size() == 3 && parseNumber(args[2], from)) {
        if (!library.removeFromSetlist(name, from - 1))
            return failed("no song " + args[2] + " in '" + name + "'");
        data << "song " << from << " removed from " << quoted(name) << '\n';
        return {};
    }
    if (verb == "move" && args.size() == 4 && parseNumber(args[2], from) &&
        parseNumber(args[3], to)) {
        if (!library.moveInSetlist(name, from - 1, to - 1))
            return failed("no song " + args[2] + " or " + args[3] + " in '" + name + "'");
        data << "song " << from << " moved to " << to << " in " << quoted(name) << '\n';
        return {};
    }
    return failed("unknown setlist command '" + verb + "' (see --help)");
}

// Song k into slot FROM + k: the slots that change are listed, the pedal
// backed up, then each changed slot written and read back.
CommandResult writeSetlist(Session& session, PresetLibrary& library, const Args& args,
                           std::ostream& data) {
    int from = 0;
    if (!parseNumber(flagValue(args, "--from"), from))
        return failed("usage: setlist write NAME --from SLOT (SLOT from 0 to 127)");
    const auto songs = library.setlist(args[1]);
    if (!songs) return failed("there is no setlist '" + args[1] + "'");
    if (!session.synchronise()) return deviceFailure(session);
    VornixControl& editor = session.editor();
    library::SetlistPlan plan =
        library::planSetlistWrite(library, *songs, from, editor.cache().folder());
    if (!plan.refusal.empty()) return failed(plan.refusal);
    for (const std::string& line : library::describePlan(plan)) session.human() << line << '\n';
    if (plan.toWrite() > 0) {
        if (!session.platform().confirm("This operation will overwrite " +
                                        std::to_string(plan.toWrite()) + " presets! Continue?"))
            return failed("setlist write cancelled");
        if (CommandResult backedUp = backUpFirst(session); !backedUp.ok) return backedUp;
    }
    library::SetlistWriter writer(editor);
    std::optional<library::SetlistWriter::Outcome> outcome;
    std::string why;
    if (!writer.start(
            std::move(plan), [&](const auto& done) { outcome = done; }, why))
        return failed(why);
    if (!session.waitFor([&] { return outcome.has_value(); })) return deviceFailure(session);
    data << library::summarise(*outcome) << '\n';
    if (!outcome->failures.empty()) return failed("the setlist was not written whole");
    return {};
}

}  // namespace

namespace command {

// A write without its slot is refused for its usage before any port is opened.
Needs setlistNeeds(const Args& args) {
    const bool writes = !args.empty() && args[0] == "write" && !flagValue(args, "--from").empty();
    return writes ? Needs::Device : Needs::CacheOnly;
}

CommandResult setlist(Session& session, const Args& args, std::ostream& data) {
    const auto library = openLibrary(session, utcNow());
    if (!library) return failed("the library cannot be used");
    if (args.size() >= 2 && args[0] == "write") return writeSetlist(session, *library, args, data);
    return runSetlist(*library, args, data);
}

}  // namespace command

}  // namespace vornix::cli
