#pragma once
// The number by which one control of a window is found. It is a type of its
// own, made from an int only on purpose, so that a parameter index, a row or
// a count cannot be passed where a tag is meant, nor a tag where they are.
#include <compare>

namespace igraphics {

class ControlTag {
  public:
    constexpr explicit ControlTag(int value) : value_(value) {}
    // Only an int makes a tag: a type that merely reads as an int (the
    // editor's parameter index) does not, even when the tag is spelled out.
    template <typename Other>
    ControlTag(Other) = delete;

    constexpr int value() const { return value_; }
    // Negative tags name nothing: any number of controls may carry one.
    constexpr bool namesAControl() const { return value_ >= 0; }

    friend constexpr auto operator<=>(ControlTag, ControlTag) = default;

  private:
    int value_;
};

inline constexpr ControlTag kNoTag{-1};

}  // namespace igraphics
