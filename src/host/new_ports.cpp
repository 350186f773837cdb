#include "host/new_ports.hpp"

#include <algorithm>

#include "host/port_names.hpp"

namespace vornix::host {
namespace {

std::set<std::string> askable(const std::vector<std::string>& names) {
    std::set<std::string> kept;
    for (const std::string& name : names)
        if (!isThroughPort(name) && !isOwnPort(name)) kept.insert(name);
    return kept;
}

bool anyMissingFrom(const std::set<std::string>& names, const std::set<std::string>& known) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return !known.contains(name); });
}

}  // namespace

void NewPorts::searched(const std::set<std::string>& seen, const std::set<std::string>& asked,
                        const std::set<std::string>& heard) {
    asked_.insert(seen.begin(), seen.end());
    asked_.insert(asked.begin(), asked.end());
    lastAsked_ = asked;
    heard_.insert(heard.begin(), heard.end());
    previous_.reset();
}

std::optional<std::set<std::string>> NewPorts::look(const std::vector<std::string>& inputs,
                                                    const std::vector<std::string>& outputs) {
    Lists now{askable(inputs), askable(outputs)};
    const bool settled = previous_ == now;
    previous_ = now;
    if (!settled) return std::nullopt;
    const bool newInput = anyMissingFrom(now.inputs, heard_);
    if (!newInput && !anyMissingFrom(now.outputs, asked_)) return std::nullopt;
    std::set<std::string> skip = asked_;
    if (newInput)
        for (const std::string& output : lastAsked_) skip.erase(output);
    return skip;
}

}  // namespace vornix::host
