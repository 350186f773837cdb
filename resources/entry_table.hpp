#pragma once
// The table written by the build's embedding step; only resources.cpp reads it.

#include <cstddef>
#include <cstdint>

namespace vornix::resources::detail {

struct Entry {
    const char* name;  // upper-case
    const std::uint8_t* data;
    std::size_t size;
};

extern const Entry kEntries[];
extern const std::size_t kEntryCount;

}  // namespace vornix::resources::detail
