// vornixctl setlist ...: ordered lists of library entries, a song each.
#include <iostream>

#include "cli/commands.hpp"
#include "cli/library_support.hpp"
#include "cli/session.hpp"

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

}  // namespace

namespace command {

CommandResult setlist(Session& session, const Args& args, std::ostream& data) {
    const auto library = openLibrary(session, utcNow());
    if (!library) return failed("the library cannot be used");
    return runSetlist(*library, args, data);
}

}  // namespace command

}  // namespace vornix::cli
