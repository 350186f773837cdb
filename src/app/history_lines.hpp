#pragma once
// The slot history as the History window lists it and a headless script
// prints it: newest first, one version a line.
#include <iosfwd>
#include <string>
#include <vector>

#include "core/vornix_control.hpp"

namespace vornix::app {

struct HistoryRow {
    int slot = 0;
    int index = 0;     // within its slot, 0 the newest: what Put Back takes
    std::string time;  // "2026-12-10 15:36:22" (UTC)
    std::string reason;
    std::string name;
};

// Every kept version, newest first; `slot` -1 for every slot.
std::vector<HistoryRow> historyRows(const VornixControl& editor, int slot = -1);
// history SLOT TIME REASON "NAME", one line a version (TIME as YYYYMMDD-HHMMSS).
void printHistory(const VornixControl& editor, std::ostream& out);

}  // namespace vornix::app
