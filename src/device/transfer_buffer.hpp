#pragma once
// The packed 7-bit image of an IR slot file or a firmware file on its way to
// the device, with the counts the device tick advances chunk by chunk.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/sysex.hpp"

namespace vornix::sysex {

class TransferBuffer {
  public:
    // Room for the image of the largest firmware file the size check admits
    // (65,535 bytes pack to 74,898 image bytes).
    static constexpr std::size_t Capacity = 74898;

    // Packs data into the image: sent = 0, remaining = total = image length.
    // False (and nothing changed) when the image would not fit.
    bool load(ByteSpan data);
    void clear();

    std::size_t total() const { return image_.size(); }
    std::size_t sent() const { return sent_; }
    std::size_t remaining() const { return image_.size() - sent_; }
    bool empty() const { return image_.empty(); }
    Checksum checksum() const { return checksum_; }
    const std::vector<std::uint8_t>& image() const { return image_; }

    // The next `count` image bytes (fewer at the end), advancing the position.
    ByteSpan take(std::size_t count);

  private:
    std::vector<std::uint8_t> image_;
    std::size_t sent_ = 0;
    Checksum checksum_;
};

}  // namespace vornix::sysex
