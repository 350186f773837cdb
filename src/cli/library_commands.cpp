// vornixctl library ... and setlist ...: the preset library in the data folder.
#include <filesystem>
#include <iostream>
#include <set>
#include <sstream>

#include "cli/commands.hpp"
#include "cli/library_support.hpp"
#include "cli/session.hpp"
#include "cli/waiters.hpp"
#include "library/librarian.hpp"
#include "library/preset_content.hpp"
#include "library/preset_library.hpp"
#include "storage/file_io.hpp"
#include "storage/preset_slot_files.hpp"

namespace vornix::cli {

namespace {

using library::EntryId;
using library::NewEntry;
using library::PresetLibrary;

// A slot number, `all` or `edit`: the sources read from the pedal.
bool isPedalSource(const std::string& source) {
    int slot = 0;
    return source == "all" || source == "edit" ||
           (parseNumber(source, slot) && slot >= 0 && slot < NumPresets);
}

// A refusal as one line of a list, without what only a single import says.
std::string oneLine(std::string text) {
    std::erase(text, '\n');
    if (const auto at = text.find(" Nothing was changed."); at != std::string::npos) text.erase(at);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

bool hasFlag(const Args& args, const std::string& flag) {
    return std::find(args.begin(), args.end(), flag) != args.end();
}

// The arguments without `--format X`.
Args withoutFormat(const Args& args) {
    Args rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            ++i;
            continue;
        }
        rest.push_back(args[i]);
    }
    return rest;
}

bool wantsJson(const Args& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--format") return args[i + 1] == "json";
    return false;
}

class LibraryCommand {
  public:
    LibraryCommand(Session& session, std::ostream& data) : session_(session), data_(data) {}

    CommandResult run(const Args& args);

  private:
    CommandResult add(const Args& sources);
    CommandResult addFrom(const std::string& source, std::vector<NewEntry>& entries);
    CommandResult addFromPedal(const std::string& source, std::vector<NewEntry>& entries);
    CommandResult addFolder(const std::filesystem::path& folder, std::vector<NewEntry>& entries);
    CommandResult show(const Args& args);
    CommandResult exportEntry(const Args& args);
    CommandResult remove(const Args& args);
    CommandResult tag(const Args& args);
    CommandResult favourite(const Args& args);
    CommandResult audition(const Args& args);
    CommandResult store(const Args& args);
    // The entry an argument names, or a failure that says why not.
    std::optional<library::LibraryEntry> entryNamed(const std::string& text, CommandResult& why);

    Session& session_;
    std::ostream& data_;
    std::unique_ptr<PresetLibrary> library_;
    std::string added_ = utcNow();
    bool synchronised_ = false;
};

CommandResult LibraryCommand::run(const Args& args) {
    library_ = openLibrary(session_, added_);
    if (!library_) return failed("the library cannot be used");

    const std::string verb = args.empty() ? "list" : args[0];
    const Args rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (verb == "add") return add(rest);
    if (verb == "list") {
        printSummaries(library_->list(), wantsJson(rest), data_);
        return {};
    }
    if (verb == "search") {
        std::string query;
        for (const std::string& word : withoutFormat(rest))
            query += (query.empty() ? "" : " ") + word;
        printSummaries(library_->search(library::parseSearchQuery(query)), wantsJson(rest), data_);
        return {};
    }
    if (verb == "show") return show(rest);
    if (verb == "export") return exportEntry(rest);
    if (verb == "delete") return remove(rest);
    if (verb == "tag") return tag(rest);
    if (verb == "fav") return favourite(rest);
    if (verb == "audition") return audition(rest);
    if (verb == "store") return store(rest);
    return failed("unknown library command '" + verb + "' (see --help)");
}

CommandResult LibraryCommand::add(const Args& sources) {
    if (sources.empty())
        return failed("library add needs a SOURCE (slot, all, edit, file or folder)");
    std::vector<NewEntry> entries;
    for (const std::string& source : sources)
        if (CommandResult read = addFrom(source, entries); !read.ok) return read;
    const auto added = library_->add(entries);
    if (!added) return failed("the library could not be written: " + library_->error());
    for (std::size_t k = 0; k < added->size(); ++k) {
        const auto& row = (*added)[k];
        data_ << row.id << ' ' << quoted(library::recognise(entries[k].content.record).name);
        if (row.duplicateOf != 0) data_ << " duplicate of " << row.duplicateOf;
        data_ << '\n';
    }
    return {};
}

CommandResult LibraryCommand::addFrom(const std::string& source, std::vector<NewEntry>& entries) {
    if (isPedalSource(source)) return addFromPedal(source, entries);
    const std::filesystem::path path(source);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return addFolder(path, entries);
    if (path.extension() == ".kvb") {
        const library::BankContent bank = library::contentOfBankFile(path);
        if (!bank.refusal.empty()) return failed(source + ": " + bank.refusal);
        for (int slot = 0; slot < NumPresets; ++slot)
            entries.push_back({bank.slots[static_cast<std::size_t>(slot)],
                               {library::EntrySource::Kind::BankFile, source, slot, {}},
                               added_});
        return {};
    }
    const library::FileContent file = library::contentOfPresetFile(path);
    if (!file.refusal.empty()) return failed(source + ": " + file.refusal);
    entries.push_back(
        {file.content, {library::EntrySource::Kind::PresetFile, source, -1, {}}, added_});
    return {};
}

// Hostile or damaged files are refused one by one; the rest are added.
CommandResult LibraryCommand::addFolder(const std::filesystem::path& folder,
                                        std::vector<NewEntry>& entries) {
    for (const auto& path : library::presetFilesUnder(folder)) {
        const library::FileContent file = library::contentOfPresetFile(path);
        if (!file.refusal.empty()) {
            session_.human() << "vornixctl: " << path.string() << ": " << oneLine(file.refusal)
                             << " Not added.\n";
            continue;
        }
        entries.push_back({file.content,
                           {library::EntrySource::Kind::PresetFile, path.string(), -1, {}},
                           added_});
    }
    return {};
}

CommandResult LibraryCommand::addFromPedal(const std::string& source,
                                           std::vector<NewEntry>& entries) {
    // One sync serves every pedal source of the command.
    if (!synchronised_ && !session_.synchronise()) return deviceFailure(session_);
    synchronised_ = true;
    VornixControl& editor = session_.editor();
    const storage::DataFolder& folder = editor.cache().folder();
    const std::string serial = library::pedalSerial(editor);
    if (source == "edit") {
        const auto record = library::editedRecord(editor);
        entries.push_back({library::contentWithCachedIrs(folder, record),
                           {library::EntrySource::Kind::EditedSound, {}, -1, serial},
                           added_});
        return {};
    }
    int first = 0;
    int last = NumPresets - 1;
    if (source != "all") parseNumber(source, first), last = first;
    for (int slot = first; slot <= last; ++slot)
        entries.push_back({library::contentOfCachedSlot(folder, slot),
                           {library::EntrySource::Kind::Pedal, {}, slot, serial},
                           added_});
    return {};
}

std::optional<library::LibraryEntry> LibraryCommand::entryNamed(const std::string& text,
                                                                CommandResult& why) {
    int id = 0;
    if (!parseNumber(text, id) || id <= 0) {
        why = failed("'" + text + "' is not an entry's ID");
        return std::nullopt;
    }
    auto entry = library_->find(id);
    if (!entry) why = failed("the library holds no entry " + text);
    return entry;
}

CommandResult LibraryCommand::show(const Args& args) {
    if (args.empty()) return failed("usage: library show ID");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    printEntry(*entry, data_);
    return {};
}

CommandResult LibraryCommand::exportEntry(const Args& args) {
    if (args.size() < 2) return failed("usage: library export ID FILE.kvp");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    if (!storage::writeFile(args[1], library::presetFileOf(entry->content),
                            storage::Durability::Durable))
        return failed("could not write " + args[1]);
    data_ << "entry " << entry->summary.id << " written to " << args[1] << '\n';
    return {};
}

CommandResult LibraryCommand::remove(const Args& args) {
    if (args.empty()) return failed("usage: library delete ID");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    if (!library_->remove(entry->summary.id))
        return failed("entry " + args[0] + " is part of a setlist; remove it there first");
    data_ << "deleted " << args[0] << ' ' << quoted(entry->summary.name) << '\n';
    return {};
}

// TAG adds a tag, -TAG takes one away.
CommandResult LibraryCommand::tag(const Args& args) {
    if (args.empty()) return failed("usage: library tag ID TAG... (-TAG removes one)");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    std::vector<std::string> tags;
    std::istringstream words(entry->summary.tags);
    for (std::string word; words >> word;) tags.push_back(word);
    for (auto it = args.begin() + 1; it != args.end(); ++it) {
        const bool removing = it->size() > 1 && it->front() == '-';
        const std::string tag = removing ? it->substr(1) : *it;
        if (tag.find_first_of(" \t\n") != std::string::npos || tag.empty())
            return failed("a tag is one word: '" + *it + "'");
        std::erase(tags, tag);
        if (!removing) tags.push_back(tag);
    }
    std::string joined;
    for (const std::string& t : tags) joined += (joined.empty() ? "" : " ") + t;
    if (!library_->setTags(entry->summary.id, joined)) return failed(library_->error());
    data_ << entry->summary.id << " tags: " << joined << '\n';
    return {};
}

CommandResult LibraryCommand::favourite(const Args& args) {
    if (args.empty()) return failed("usage: library fav ID [off]");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    const bool on = !hasFlag(args, "off");
    if (!library_->setFavourite(entry->summary.id, on)) return failed(library_->error());
    data_ << entry->summary.id << (on ? " is a favourite\n" : " is no longer a favourite\n");
    return {};
}

// The entry plays on the pedal as the current sound, not stored; its user
// IRs are not uploaded, and the output says where the pedal's differ.
CommandResult LibraryCommand::audition(const Args& args) {
    if (args.empty()) return failed("usage: library audition ID");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    if (!session_.synchronise()) return deviceFailure(session_);
    library::Librarian librarian(session_.editor(), *library_);
    librarian.audition(entry->summary.id);
    librarian.keepAudition();
    data_ << "playing " << entry->summary.id << ' ' << quoted(entry->summary.name)
          << " (not stored: use 'store N')";
    if (const std::string differs = librarian.irDifference(entry->content); !differs.empty())
        data_ << "; " << differs;
    data_ << '\n';
    return {};
}

CommandResult LibraryCommand::store(const Args& args) {
    int slot = 0;
    if (args.size() < 2 || !parseNumber(args[1], slot) || slot < 0 || slot >= NumPresets)
        return failed("usage: library store ID SLOT (SLOT from 0 to 127)");
    CommandResult why;
    const auto entry = entryNamed(args[0], why);
    if (!entry) return why;
    if (!session_.synchronise()) return deviceFailure(session_);
    library::Librarian librarian(session_.editor(), *library_);
    PresetImportWaiter imported(session_.editor().link().events());
    std::string refusal;
    if (!librarian.storeIntoSlot(entry->summary.id, slot, refusal)) return failed(refusal);
    if (!session_.waitFor([&] { return imported.ended(); })) return deviceFailure(session_);
    if (!imported.succeeded()) return failed(imported.reason());
    // The import's end stored the sound; the device then applies it again.
    PresetWaiter applied(session_.editor().link().events());
    if (!session_.waitFor([&] { return applied.applied(); })) return deviceFailure(session_);
    data_ << "stored " << entry->summary.id << ' ' << quoted(entry->summary.name) << " into "
          << slot << '\n';
    return {};
}

}  // namespace

namespace command {

Needs libraryNeeds(const Args& args) {
    if (!args.empty() && (args[0] == "audition" || args[0] == "store")) return Needs::Device;
    if (args.empty() || args[0] != "add") return Needs::CacheOnly;
    for (auto it = args.begin() + 1; it != args.end(); ++it)
        if (isPedalSource(*it)) return Needs::Device;
    return Needs::CacheOnly;
}

CommandResult library(Session& session, const Args& args, std::ostream& data) {
    return LibraryCommand(session, data).run(args);
}

}  // namespace command

}  // namespace vornix::cli
