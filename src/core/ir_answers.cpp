#include "core/ir_answers.hpp"

#include <algorithm>

namespace vornix {

namespace {

// The first answer, the one asked for once more, and three more after two
// that differ.
constexpr std::size_t MaxDifferingAnswers = 5;

}  // namespace

IrAnswers::Verdict IrAnswers::judge(std::vector<std::uint8_t> answer) {
    if (std::find(answers_.begin(), answers_.end(), answer) != answers_.end()) {
        answers_.clear();
        return Verdict::Keep;
    }
    answers_.push_back(std::move(answer));
    if (answers_.size() < MaxDifferingAnswers) return Verdict::AskAgain;
    answers_.clear();
    return Verdict::GiveUp;
}

}  // namespace vornix
