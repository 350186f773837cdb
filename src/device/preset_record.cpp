#include "device/preset_record.hpp"

namespace vornix::sysex {

int recordIrNumber(std::span<const std::uint8_t> rec, int position) {
    const bool seven = position == 7;
    if (rec.size() < RecordSize || rec[seven ? record::Ir7Mode : record::Ir8Mode] == 0) return -1;
    return static_cast<int>(join14(rec[seven ? record::Ir7Bank : record::Ir8Bank],
                                   rec[seven ? record::Ir7Number : record::Ir8Number]));
}

}  // namespace vornix::sysex
