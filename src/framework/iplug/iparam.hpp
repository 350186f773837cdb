#pragma once
// One parameter slot of the plug-in: name, kind, range, default, label and
// value texts, and the current value, always inside its range.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace iplug {

enum class ParamKind { Unset, Int, Enum, Double };

class IParam {
  public:
    void initInt(std::string_view name, int defaultValue, int minimum, int maximum,
                 std::string_view label = {});
    // Enumerated: the value is the index of its text, 0 .. texts.size() - 1.
    void initEnum(std::string_view name, int defaultValue, std::vector<std::string> texts,
                  std::string_view label = {});
    void initDouble(std::string_view name, double defaultValue, double minimum, double maximum,
                    std::string_view label = {});
    void setDisplayText(double value, std::string text);

    bool initialised() const { return kind_ != ParamKind::Unset; }
    ParamKind kind() const { return kind_; }
    bool stepped() const { return kind_ == ParamKind::Int || kind_ == ParamKind::Enum; }
    const std::string& name() const { return name_; }
    const std::string& label() const { return label_; }
    double minimum() const { return min_; }
    double maximum() const { return max_; }
    double step() const { return 1.0; }
    double defaultValue() const { return default_; }

    double value() const { return value_; }
    // The integer value: the value truncated toward zero.
    int intValue() const { return static_cast<int>(value_); }
    // Clamps to the range and rounds stepped kinds to a whole number.
    void set(double value);
    void setToDefault() { value_ = default_; }

    double normalised() const { return toNormalised(value_); }
    void setNormalised(double normalised) { set(fromNormalised(normalised)); }
    double toNormalised(double value) const;
    // Maps onto the range, rounds stepped kinds and clamps.
    double fromNormalised(double normalised) const;
    double constrain(double value) const;

    // The value text of an enumerated value, or nullptr.
    const std::string* displayTextFor(double value) const;
    const std::vector<std::pair<double, std::string>>& displayTexts() const { return texts_; }

  private:
    ParamKind kind_ = ParamKind::Unset;
    std::string name_;
    std::string label_;
    double min_ = 0.0;
    double max_ = 1.0;
    double default_ = 0.0;
    double value_ = 0.0;
    std::vector<std::pair<double, std::string>> texts_;
};

}  // namespace iplug
