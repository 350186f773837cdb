#pragma once
// An IR dump whose stream checksum does not add up was either damaged on the
// way or made by a device that computes the checksum its own way. Damage in
// transit does not repeat itself, a device's convention does: such an IR is
// asked for again, and the same bytes twice are the device's own and kept.
// Answers that keep differing are damage; after the fifth the IR is given up.
#include <cstdint>
#include <vector>

namespace vornix {

class IrAnswers {
  public:
    enum class Verdict { Keep, AskAgain, GiveUp };

    // A new IR is asked for: earlier answers no longer count.
    void clear() { answers_.clear(); }
    // An answer whose checksum does not add up: its messages, byte for byte
    // as they arrived one after another.
    Verdict judge(std::vector<std::uint8_t> answer);

  private:
    std::vector<std::vector<std::uint8_t>> answers_;
};

}  // namespace vornix
