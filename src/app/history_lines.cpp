#include "app/history_lines.hpp"

#include <map>
#include <ostream>

#include "app/script_words.hpp"

namespace vornix::app {

namespace {

std::string readable(const std::string& stamp) {
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " +
           stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

}  // namespace

std::vector<HistoryRow> historyRows(const VornixControl& editor, int slot) {
    const storage::SlotHistory& history = editor.slotHistory().history();
    const auto versions = slot < 0 ? history.listAll() : history.list(slot);
    std::map<int, int> seen;
    std::vector<HistoryRow> rows;
    rows.reserve(versions.size());
    for (const storage::KeptVersion& version : versions)
        rows.push_back({.slot = version.slot,
                        .index = seen[version.slot]++,
                        .time = readable(storage::utcStamp(version.time)),
                        .reason = std::string(reasonWord(version.reason)),
                        .name = version.name});
    return rows;
}

void printHistory(const VornixControl& editor, std::ostream& out) {
    for (const storage::KeptVersion& version : editor.slotHistory().history().listAll())
        out << "history " << version.slot << ' ' << storage::utcStamp(version.time) << ' '
            << reasonWord(version.reason) << ' ' << script::quoted(version.name) << std::endl;
}

}  // namespace vornix::app
