#include "cli/library_support.hpp"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "cli/session.hpp"
#include "storage/file_io.hpp"

namespace vornix::cli {

namespace {

// A JSON string: quotes, backslashes and control bytes escaped.
std::string json(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void printJson(const library::EntrySummary& row, std::ostream& out) {
    out << "{\"id\": " << row.id << ", \"name\": " << json(row.name)
        << ", \"amp\": " << json(row.ampModel) << ", \"ambience\": " << json(row.ambience)
        << ", \"cabinet\": " << json(row.cabinet) << ", \"ir7\": " << json(row.ir7Name)
        << ", \"ir8\": " << json(row.ir8Name)
        << ", \"source\": " << json(library::describeSource(row.source, row.added))
        << ", \"added\": " << json(row.added)
        << ", \"favourite\": " << (row.favourite ? "true" : "false")
        << ", \"tags\": " << json(row.tags) << ", \"notes\": " << json(row.notes)
        << ", \"fingerprint\": " << json(row.fingerprint) << ", \"duplicate_of\": ";
    if (row.duplicateOf != 0)
        out << row.duplicateOf;
    else
        out << "null";
    out << '}';
}

}  // namespace

std::unique_ptr<library::PresetLibrary> openLibrary(Session& session, const std::string& now) {
    const std::filesystem::path root = session.editor().cache().folder().root();
    storage::ensureFolder(root);
    library::PresetLibrary::Opened opened =
        library::PresetLibrary::open(root / library::LibraryFileName, now);
    if (!opened.message.empty()) session.human() << "vornixctl: " << opened.message << '\n';
    return std::move(opened.library);
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void printSummaries(const std::vector<library::EntrySummary>& rows, bool asJson,
                    std::ostream& out) {
    if (asJson) {
        out << '[';
        for (std::size_t k = 0; k < rows.size(); ++k) {
            out << (k == 0 ? "\n  " : ",\n  ");
            printJson(rows[k], out);
        }
        out << (rows.empty() ? "]\n" : "\n]\n");
        return;
    }
    for (const library::EntrySummary& row : rows) {
        out << row.id << (row.favourite ? " * " : "   ") << quoted(row.name) << "  " << row.ampModel
            << ", " << row.ambience << ", " << row.cabinet;
        if (!row.tags.empty()) out << "  [" << row.tags << ']';
        if (row.duplicateOf != 0) out << "  duplicate of " << row.duplicateOf;
        out << '\n';
    }
}

void printEntry(const library::LibraryEntry& entry, std::ostream& out) {
    const library::EntrySummary& row = entry.summary;
    out << "id: " << row.id << "\nname: " << quoted(row.name)
        << "\namplifier model: " << row.ampModel << "\nambience: " << row.ambience
        << "\ncabinet: " << row.cabinet << '\n';
    if (!row.ir7Name.empty())
        out << "user IR 7: " << quoted(row.ir7Name) << (entry.content.ir7 ? "" : " (not carried)")
            << '\n';
    if (!row.ir8Name.empty())
        out << "user IR 8: " << quoted(row.ir8Name) << (entry.content.ir8 ? "" : " (not carried)")
            << '\n';
    out << "from: " << library::describeSource(row.source, row.added) << "\nadded: " << row.added
        << " UTC\nfavourite: " << (row.favourite ? "yes" : "no") << "\ntags: " << row.tags
        << "\nnotes: " << row.notes << "\nfingerprint: " << row.fingerprint << '\n';
    if (row.duplicateOf != 0) out << "duplicate of: " << row.duplicateOf << '\n';
}

}  // namespace vornix::cli
