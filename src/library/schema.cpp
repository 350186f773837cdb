#include "library/schema.hpp"

#include <array>

namespace vornix::library {

namespace {

// Version 1: the entries and their full-text index over name, tags and notes.
// Tags are kept as one space-separated text so the index sees them as words.
constexpr std::string_view Entries = R"sql(
CREATE TABLE entries(
  id INTEGER PRIMARY KEY,
  record BLOB NOT NULL,
  ir7 BLOB,
  ir8 BLOB,
  name TEXT NOT NULL,
  amp_model TEXT NOT NULL,
  ambience TEXT NOT NULL,
  cabinet TEXT NOT NULL,
  ir7_name TEXT NOT NULL,
  ir8_name TEXT NOT NULL,
  source_kind TEXT NOT NULL,
  source_path TEXT NOT NULL,
  source_slot INTEGER NOT NULL,
  source_serial TEXT NOT NULL,
  added TEXT NOT NULL,
  favourite INTEGER NOT NULL DEFAULT 0,
  tags TEXT NOT NULL DEFAULT '',
  notes TEXT NOT NULL DEFAULT '',
  fingerprint TEXT NOT NULL
);
CREATE INDEX entries_by_fingerprint ON entries(fingerprint, id);
CREATE VIRTUAL TABLE entry_words USING fts5(name, tags, notes, content='entries', content_rowid='id');
CREATE TRIGGER entries_ai AFTER INSERT ON entries BEGIN
  INSERT INTO entry_words(rowid, name, tags, notes) VALUES (new.id, new.name, new.tags, new.notes);
END;
CREATE TRIGGER entries_ad AFTER DELETE ON entries BEGIN
  INSERT INTO entry_words(entry_words, rowid, name, tags, notes)
    VALUES ('delete', old.id, old.name, old.tags, old.notes);
END;
CREATE TRIGGER entries_au AFTER UPDATE OF name, tags, notes ON entries BEGIN
  INSERT INTO entry_words(entry_words, rowid, name, tags, notes)
    VALUES ('delete', old.id, old.name, old.tags, old.notes);
  INSERT INTO entry_words(rowid, name, tags, notes) VALUES (new.id, new.name, new.tags, new.notes);
END;
)sql";

// Version 2: setlists, an ordered list of entries each. An entry that is
// part of a setlist cannot be deleted from under it.
constexpr std::string_view Setlists = R"sql(
CREATE TABLE setlists(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE,
  created TEXT NOT NULL
);
CREATE TABLE setlist_songs(
  setlist INTEGER NOT NULL REFERENCES setlists(id) ON DELETE CASCADE,
  position INTEGER NOT NULL,
  entry INTEGER NOT NULL REFERENCES entries(id) ON DELETE RESTRICT,
  note TEXT NOT NULL DEFAULT '',
  PRIMARY KEY(setlist, position)
);
CREATE INDEX setlist_songs_by_entry ON setlist_songs(entry);
)sql";

constexpr std::array<std::string_view, 2> Migrations{Entries, Setlists};

}  // namespace

std::span<const std::string_view> schemaMigrations() {
    return Migrations;
}

}  // namespace vornix::library
