#pragma once
// The preset library: one SQLite file in the data folder, "library.sqlite3",
// holding any number of presets beyond the pedal's 128 slots, and setlists
// of them. Opening it migrates an older schema; a file SQLite cannot read is
// moved aside under its time and a new library started, never emptied.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/library_entry.hpp"
#include "library/search_query.hpp"

namespace vornix::library {

class Database;

inline constexpr const char* LibraryFileName = "library.sqlite3";

// The time entries and setlists are stamped with, now: UTC, "YYYY-MM-DD HH:MM:SS".
std::string utcNow();

class PresetLibrary {
  public:
    struct Opened {
        std::unique_ptr<PresetLibrary> library;  // null when it could not be opened
        // Why it could not be opened, or what happened on the way: the
        // damaged file moved aside.
        std::string message;
    };
    // `now` gives the UTC time for the name of a file moved aside.
    static Opened open(const std::filesystem::path& file, const std::string& now);
    ~PresetLibrary();

    int schemaVersion() const;

    struct Added {
        EntryId id = 0;
        EntryId duplicateOf = 0;
    };
    // One transaction for all of them: a kill leaves none or all added.
    std::optional<std::vector<Added>> add(const std::vector<NewEntry>& entries);
    bool remove(EntryId id);
    bool setFavourite(EntryId id, bool favourite);
    bool setTags(EntryId id, const std::string& tags);
    bool setNotes(EntryId id, const std::string& notes);

    std::optional<LibraryEntry> find(EntryId id);
    int count();
    // Newest last; `limit` 0 for every entry.
    std::vector<EntrySummary> list(int limit = 0);
    std::vector<EntrySummary> search(const SearchQuery& query);

    // ---- setlists ----
    struct Song {
        EntryId entry = 0;
        std::string note;
        EntrySummary summary;
    };
    bool createSetlist(const std::string& name, const std::string& now);
    bool deleteSetlist(const std::string& name);
    std::vector<std::string> setlistNames();
    // Nullopt when there is no setlist of that name.
    std::optional<std::vector<Song>> setlist(const std::string& name);
    // Appends the entries in order; false (nothing changed) when the
    // setlist or one of the entries does not exist.
    bool appendToSetlist(const std::string& name, const std::vector<EntryId>& entries,
                         const std::string& note = {});
    bool removeFromSetlist(const std::string& name, int position);
    bool moveInSetlist(const std::string& name, int from, int to);

    // The last failure's text, for the message the user sees.
    const std::string& error() const;

  private:
    explicit PresetLibrary(std::unique_ptr<Database> db);
    bool writeSongs(std::int64_t setlistId, const std::vector<Song>& songs);
    std::optional<std::int64_t> setlistId(const std::string& name);

    std::unique_ptr<Database> db_;
};

}  // namespace vornix::library
