#include "library/preset_library.hpp"

#include <sqlite3.h>

#include <ctime>

#include "library/preset_content.hpp"
#include "library/schema.hpp"
#include "library/sqlite.hpp"

namespace vornix::library {

namespace {

// Every summary column, and the oldest entry with the same sound: derived,
// so deleting the original makes the next one the original.
constexpr std::string_view SummarySelect =
    "SELECT e.id, e.name, e.amp_model, e.ambience, e.cabinet, e.ir7_name, e.ir8_name, "
    "e.source_kind, e.source_path, e.source_slot, e.source_serial, e.added, e.favourite, e.tags, "
    "e.notes, e.fingerprint, "
    "(SELECT MIN(d.id) FROM entries d WHERE d.fingerprint = e.fingerprint AND d.id < e.id) "
    "FROM entries e";

constexpr std::string_view KindNames[] = {"pedal", "edit", "file", "bank"};

std::string_view kindName(EntrySource::Kind kind) {
    return KindNames[static_cast<int>(kind)];
}

EntrySource::Kind kindOf(const std::string& name) {
    for (int k = 0; k < 4; ++k)
        if (KindNames[k] == name) return static_cast<EntrySource::Kind>(k);
    return EntrySource::Kind::PresetFile;
}

EntrySummary summaryAt(const Statement& row) {
    EntrySummary s;
    s.id = row.integer(0);
    s.name = row.text(1);
    s.ampModel = row.text(2);
    s.ambience = row.text(3);
    s.cabinet = row.text(4);
    s.ir7Name = row.text(5);
    s.ir8Name = row.text(6);
    s.source = {kindOf(row.text(7)), row.text(8), static_cast<int>(row.integer(9)), row.text(10)};
    s.added = row.text(11);
    s.favourite = row.integer(12) != 0;
    s.tags = row.text(13);
    s.notes = row.text(14);
    s.fingerprint = row.text(15);
    s.duplicateOf = row.isNull(16) ? 0 : row.integer(16);
    return s;
}

std::vector<EntrySummary> summaries(Statement& query) {
    std::vector<EntrySummary> rows;
    while (query.step()) rows.push_back(summaryAt(query));
    return rows;
}

// A LIKE pattern that finds the text anywhere, its wildcards taken literally.
std::string containing(const std::string& text) {
    std::string pattern = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

enum class Prepared { Ready, Damaged, Newer, Failed };

bool isDamage(int code) {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

Prepared migrate(Database& db) {
    Statement version(db, "PRAGMA user_version");
    if (!version.step()) return isDamage(db.errorCode()) ? Prepared::Damaged : Prepared::Failed;
    const auto from = static_cast<std::size_t>(version.integer(0));
    const auto migrations = schemaMigrations();
    if (from > migrations.size()) return Prepared::Newer;
    for (std::size_t k = from; k < migrations.size(); ++k) {
        Transaction step(db);
        if (!step.begun() || !db.exec(migrations[k]) ||
            !db.exec("PRAGMA user_version = " + std::to_string(k + 1)) || !step.commit())
            return isDamage(db.errorCode()) ? Prepared::Damaged : Prepared::Failed;
    }
    return Prepared::Ready;
}

Prepared prepare(Database& db) {
    // WAL: the window and vornixctl may read while the other writes, and a
    // killed writer leaves the last committed state.
    if (!db.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; "
                 "PRAGMA foreign_keys = ON"))
        return isDamage(db.errorCode()) ? Prepared::Damaged : Prepared::Failed;
    const Prepared migrated = migrate(db);
    if (migrated != Prepared::Ready) return migrated;
    Statement check(db, "PRAGMA quick_check");
    if (!check.step()) return isDamage(db.errorCode()) ? Prepared::Damaged : Prepared::Failed;
    return check.text(0) == "ok" ? Prepared::Ready : Prepared::Damaged;
}

// "library-damaged-20261210-153000.sqlite3" beside the file, with its
// journal files; the digits of `now` name it.
std::filesystem::path moveAside(const std::filesystem::path& file, const std::string& now) {
    std::string stamp;
    for (char c : now) {
        if (c >= '0' && c <= '9') stamp += c;
        if (stamp.size() == 8 && c == ' ') stamp += '-';
    }
    auto aside = file.parent_path() /
                 (file.stem().string() + "-damaged-" + stamp + file.extension().string());
    std::error_code ignored;
    std::filesystem::rename(file, aside, ignored);
    for (const char* suffix : {"-wal", "-shm"})
        std::filesystem::rename(file.string() + suffix, aside.string() + suffix, ignored);
    return aside;
}

}  // namespace

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

std::string describeSource(const EntrySource& source, const std::string& added) {
    const std::string day = added.substr(0, 10);
    switch (source.kind) {
        case EntrySource::Kind::Pedal:
            return "slot " + std::to_string(source.slot) + " of pedal " + source.serial + " (" +
                   day + ")";
        case EntrySource::Kind::EditedSound:
            return "edited sound of pedal " + source.serial + " (" + day + ")";
        case EntrySource::Kind::BankFile:
            return "slot " + std::to_string(source.slot) + " of bank file " + source.path;
        case EntrySource::Kind::PresetFile:
            break;
    }
    return "preset file " + source.path;
}

PresetLibrary::Opened PresetLibrary::open(const std::filesystem::path& file,
                                          const std::string& now) {
    Opened opened;
    std::string error;
    auto db = Database::open(file, error);
    if (!db) return {nullptr, "Cannot open the library " + file.string() + ": " + error};
    Prepared state = prepare(*db);
    if (state == Prepared::Damaged) {
        db.reset();
        const auto aside = moveAside(file, now);
        opened.message = "The library " + file.string() + " was damaged. It was moved to " +
                         aside.filename().string() + " and a new library was started.";
        db = Database::open(file, error);
        if (!db) return {nullptr, "Cannot open the library " + file.string() + ": " + error};
        state = prepare(*db);
    }
    switch (state) {
        case Prepared::Ready:
            opened.library.reset(new PresetLibrary(std::move(db)));
            break;
        case Prepared::Newer:
            opened.message = "The library " + file.string() +
                             " was written by a newer VornixControl; it is left as it is.";
            break;
        case Prepared::Damaged:
        case Prepared::Failed:
            opened.message = "Cannot open the library " + file.string() + ": " + db->error();
            break;
    }
    return opened;
}

PresetLibrary::PresetLibrary(std::unique_ptr<Database> db) : db_(std::move(db)) {}
PresetLibrary::~PresetLibrary() = default;

const std::string& PresetLibrary::error() const {
    return db_->error();
}

int PresetLibrary::schemaVersion() const {
    Statement version(*db_, "PRAGMA user_version");
    return version.step() ? static_cast<int>(version.integer(0)) : 0;
}

std::optional<std::vector<PresetLibrary::Added>> PresetLibrary::add(
    const std::vector<NewEntry>& entries) {
    Transaction transaction(*db_);
    if (!transaction.begun()) return std::nullopt;
    Statement original(*db_, "SELECT MIN(id) FROM entries WHERE fingerprint = ?");
    Statement insert(*db_,
                     "INSERT INTO entries(record, ir7, ir8, name, amp_model, ambience, cabinet, "
                     "ir7_name, ir8_name, source_kind, source_path, source_slot, source_serial, "
                     "added, fingerprint) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    std::vector<Added> added;
    for (const NewEntry& entry : entries) {
        const std::string fingerprint = fingerprintOf(entry.content);
        original.reset();
        original.bind(1, fingerprint);
        Added row;
        if (original.step() && !original.isNull(0)) row.duplicateOf = original.integer(0);
        const Recognised names = recognise(entry.content.record);
        insert.reset();
        insert.bind(1, std::span<const std::uint8_t>(entry.content.record))
            .bind(2, entry.content.ir7)
            .bind(3, entry.content.ir8)
            .bind(4, names.name)
            .bind(5, names.ampModel)
            .bind(6, names.ambience)
            .bind(7, names.cabinet)
            .bind(8, names.ir7Name)
            .bind(9, names.ir8Name)
            .bind(10, kindName(entry.source.kind))
            .bind(11, entry.source.path)
            .bind(12, std::int64_t{entry.source.slot})
            .bind(13, entry.source.serial)
            .bind(14, entry.added)
            .bind(15, fingerprint);
        if (original.failed() || !insert.run()) return std::nullopt;
        row.id = db_->lastInsertId();
        added.push_back(row);
    }
    if (!transaction.commit()) return std::nullopt;
    return added;
}

bool PresetLibrary::remove(EntryId id) {
    Statement erase(*db_, "DELETE FROM entries WHERE id = ?");
    erase.bind(1, id);
    return erase.run() && db_->changes() == 1;
}

bool PresetLibrary::setFavourite(EntryId id, bool favourite) {
    Statement update(*db_, "UPDATE entries SET favourite = ? WHERE id = ?");
    update.bind(1, std::int64_t{favourite ? 1 : 0}).bind(2, id);
    return update.run() && db_->changes() == 1;
}

bool PresetLibrary::setTags(EntryId id, const std::string& tags) {
    Statement update(*db_, "UPDATE entries SET tags = ? WHERE id = ?");
    update.bind(1, tags).bind(2, id);
    return update.run() && db_->changes() == 1;
}

bool PresetLibrary::setNotes(EntryId id, const std::string& notes) {
    Statement update(*db_, "UPDATE entries SET notes = ? WHERE id = ?");
    update.bind(1, notes).bind(2, id);
    return update.run() && db_->changes() == 1;
}

std::optional<LibraryEntry> PresetLibrary::find(EntryId id) {
    Statement query(*db_, std::string(SummarySelect) + " WHERE e.id = ?");
    query.bind(1, id);
    if (!query.step()) return std::nullopt;
    LibraryEntry entry;
    entry.summary = summaryAt(query);
    Statement content(*db_, "SELECT record, ir7, ir8 FROM entries WHERE id = ?");
    content.bind(1, id);
    if (!content.step()) return std::nullopt;
    const auto record = content.blob(0);
    std::copy_n(record.begin(), std::min(record.size(), entry.content.record.size()),
                entry.content.record.begin());
    entry.content.ir7 = content.optionalBlob(1);
    entry.content.ir8 = content.optionalBlob(2);
    return entry;
}

int PresetLibrary::count() {
    Statement query(*db_, "SELECT COUNT(*) FROM entries");
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

std::vector<EntrySummary> PresetLibrary::list(int limit) {
    Statement query(*db_, std::string(SummarySelect) + " ORDER BY e.id LIMIT ?");
    query.bind(1, std::int64_t{limit > 0 ? limit : -1});
    return summaries(query);
}

std::vector<EntrySummary> PresetLibrary::search(const SearchQuery& search) {
    std::string sql = std::string(SummarySelect) + " WHERE 1";
    if (!search.words.empty())
        sql += " AND e.id IN (SELECT rowid FROM entry_words WHERE entry_words MATCH ?1)";
    if (!search.amp.empty()) sql += " AND e.amp_model LIKE ?2 ESCAPE '\\'";
    if (!search.ambience.empty()) sql += " AND e.ambience LIKE ?3 ESCAPE '\\'";
    if (!search.ir.empty())
        sql +=
            " AND (e.cabinet LIKE ?4 ESCAPE '\\' OR e.ir7_name LIKE ?4 ESCAPE '\\' OR e.ir8_name "
            "LIKE ?4 ESCAPE '\\')";
    if (search.favouritesOnly) sql += " AND e.favourite = 1";
    sql += " ORDER BY e.id";
    Statement query(*db_, sql);
    if (!search.words.empty()) query.bind(1, fullTextExpression(search.words));
    if (!search.amp.empty()) query.bind(2, containing(search.amp));
    if (!search.ambience.empty()) query.bind(3, containing(search.ambience));
    if (!search.ir.empty()) query.bind(4, containing(search.ir));
    return summaries(query);
}

// ---- setlists ---------------------------------------------------------------------

std::optional<std::int64_t> PresetLibrary::setlistId(const std::string& name) {
    Statement query(*db_, "SELECT id FROM setlists WHERE name = ?");
    query.bind(1, name);
    if (!query.step()) return std::nullopt;
    return query.integer(0);
}

bool PresetLibrary::createSetlist(const std::string& name, const std::string& now) {
    Statement insert(*db_, "INSERT INTO setlists(name, created) VALUES (?, ?)");
    insert.bind(1, name).bind(2, now);
    return insert.run();
}

bool PresetLibrary::deleteSetlist(const std::string& name) {
    Statement erase(*db_, "DELETE FROM setlists WHERE name = ?");
    erase.bind(1, name);
    return erase.run() && db_->changes() == 1;
}

std::vector<std::string> PresetLibrary::setlistNames() {
    Statement query(*db_, "SELECT name FROM setlists ORDER BY name");
    std::vector<std::string> names;
    while (query.step()) names.push_back(query.text(0));
    return names;
}

std::optional<std::vector<PresetLibrary::Song>> PresetLibrary::setlist(const std::string& name) {
    const auto id = setlistId(name);
    if (!id) return std::nullopt;
    Statement songs(*db_,
                    "SELECT entry, note FROM setlist_songs WHERE setlist = ? ORDER BY position");
    songs.bind(1, *id);
    std::vector<Song> list;
    while (songs.step()) list.push_back({songs.integer(0), songs.text(1), {}});
    for (Song& song : list) {
        Statement one(*db_, std::string(SummarySelect) + " WHERE e.id = ?");
        one.bind(1, song.entry);
        if (one.step()) song.summary = summaryAt(one);
    }
    return list;
}

bool PresetLibrary::writeSongs(std::int64_t setlistId, const std::vector<Song>& songs) {
    Transaction transaction(*db_);
    Statement clear(*db_, "DELETE FROM setlist_songs WHERE setlist = ?");
    clear.bind(1, setlistId);
    if (!transaction.begun() || !clear.run()) return false;
    Statement insert(*db_,
                     "INSERT INTO setlist_songs(setlist, position, entry, note) VALUES (?,?,?,?)");
    for (std::size_t k = 0; k < songs.size(); ++k) {
        insert.reset();
        insert.bind(1, setlistId)
            .bind(2, static_cast<std::int64_t>(k))
            .bind(3, songs[k].entry)
            .bind(4, songs[k].note);
        if (!insert.run()) return false;
    }
    return transaction.commit();
}

bool PresetLibrary::appendToSetlist(const std::string& name, const std::vector<EntryId>& entries,
                                    const std::string& note) {
    const auto id = setlistId(name);
    auto songs = setlist(name);
    if (!id || !songs) return false;
    for (EntryId entry : entries) songs->push_back({entry, note, {}});
    return writeSongs(*id, *songs);
}

bool PresetLibrary::removeFromSetlist(const std::string& name, int position) {
    const auto id = setlistId(name);
    auto songs = setlist(name);
    if (!id || !songs || position < 0 || position >= static_cast<int>(songs->size())) return false;
    songs->erase(songs->begin() + position);
    return writeSongs(*id, *songs);
}

bool PresetLibrary::moveInSetlist(const std::string& name, int from, int to) {
    const auto id = setlistId(name);
    auto songs = setlist(name);
    const int size = songs ? static_cast<int>(songs->size()) : 0;
    if (!id || from < 0 || from >= size || to < 0 || to >= size) return false;
    const Song moved = (*songs)[static_cast<std::size_t>(from)];
    songs->erase(songs->begin() + from);
    songs->insert(songs->begin() + to, moved);
    return writeSongs(*id, *songs);
}

}  // namespace vornix::library
