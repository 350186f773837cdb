#pragma once
// What the library and setlist commands share: the library of the session's
// data folder, the time entries are stamped with, and how entries print.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "library/library_entry.hpp"
#include "library/preset_library.hpp"

namespace vornix::cli {

class Session;

using library::utcNow;
// The data folder's library; null after saying why on the session's stderr.
std::unique_ptr<library::PresetLibrary> openLibrary(Session& session, const std::string& now);

// "NAME" with quotes and backslashes escaped.
std::string quoted(const std::string& text);
// One line an entry: ID, favourite mark, name, model, ambience, cabinet,
// tags, and "duplicate of N"; or a JSON array of objects.
void printSummaries(const std::vector<library::EntrySummary>& rows, bool json, std::ostream& out);
// Every field of one entry, one per line.
void printEntry(const library::LibraryEntry& entry, std::ostream& out);

}  // namespace vornix::cli
