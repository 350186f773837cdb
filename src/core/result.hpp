#pragma once
// The outcome of an operation that can fail: done, or why not, in words the
// user may read ("not a WAV file: no 'data' chunk").
#include <string>
#include <utility>

namespace vornix {

class Result {
  public:
    static Result done() { return Result(); }
    static Result failed(std::string why) { return Result(std::move(why)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // Empty when the operation was done.
    const std::string& error() const { return error_; }

  private:
    Result() = default;
    explicit Result(std::string why) : failed_(true), error_(std::move(why)) {}

    bool failed_ = false;
    std::string error_;
};

}  // namespace vornix
