#include "framework/iplug/iparam.hpp"

#include <algorithm>
#include <cmath>

namespace iplug {

void IParam::initInt(std::string_view name, int defaultValue, int minimum, int maximum,
                     std::string_view label) {
    kind_ = ParamKind::Int;
    name_ = name;
    label_ = label;
    min_ = minimum;
    max_ = maximum;
    default_ = defaultValue;
    value_ = defaultValue;
    texts_.clear();
}

void IParam::initEnum(std::string_view name, int defaultValue, std::vector<std::string> texts,
                      std::string_view label) {
    initInt(name, defaultValue, 0, texts.empty() ? 0 : static_cast<int>(texts.size()) - 1, label);
    kind_ = ParamKind::Enum;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts_.emplace_back(static_cast<double>(i), std::move(texts[i]));
}

void IParam::initDouble(std::string_view name, double defaultValue, double minimum, double maximum,
                        std::string_view label) {
    kind_ = ParamKind::Double;
    name_ = name;
    label_ = label;
    min_ = minimum;
    max_ = maximum;
    default_ = defaultValue;
    value_ = defaultValue;
    texts_.clear();
}

void IParam::setDisplayText(double value, std::string text) {
    for (auto& entry : texts_) {
        if (entry.first == value) {
            entry.second = std::move(text);
            return;
        }
    }
    texts_.emplace_back(value, std::move(text));
}

double IParam::constrain(double value) const {
    if (std::isnan(value)) value = min_;
    if (stepped()) value = std::round(value);
    return std::clamp(value, min_, max_);
}

void IParam::set(double value) {
    value_ = constrain(value);
}

double IParam::toNormalised(double value) const {
    if (max_ <= min_) return 0.0;
    return std::clamp((value - min_) / (max_ - min_), 0.0, 1.0);
}

double IParam::fromNormalised(double normalised) const {
    if (std::isnan(normalised)) normalised = 0.0;
    return constrain(min_ + normalised * (max_ - min_));
}

const std::string* IParam::displayTextFor(double value) const {
    for (const auto& entry : texts_)
        if (entry.first == value) return &entry.second;
    return nullptr;
}

}  // namespace iplug
