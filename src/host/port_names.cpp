#include "host/port_names.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace vornix::host {

namespace {

constexpr std::string_view A2jClient = "a2j:";
constexpr std::string_view PipeWireClient = "Midi-Bridge:";
constexpr std::array<std::string_view, 2> A2jDirections{" (capture): ", " (playback): "};
constexpr std::array<std::string_view, 2> PipeWireDirections{"(capture_", "(playback_"};
constexpr std::string_view ThroughClient = "Midi Through";
// The client names this program's MIDI objects take (JACK adds "-01" to a
// second client of the same name, hence prefixes).
constexpr std::array<std::string_view, 5> OwnClients{"RtMidi Input Client", "RtMidi Output Client",
                                                     "Vornix Finder", "Vornix Port Listing",
                                                     "Vornix Probe"};

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

PortIdentity splitAtColon(std::string_view name) {
    const auto colon = name.find(':');
    if (colon == std::string_view::npos) return {{}, std::string(name)};
    return {std::string(name.substr(0, colon)), std::string(name.substr(colon + 1))};
}

// "Vornix:Vornix MIDI 1 24:0": the client and port numbers follow the last space.
std::string_view withoutAlsaAddress(std::string_view name) {
    const auto space = name.rfind(' ');
    if (space == std::string_view::npos) return name;
    const std::string_view address = name.substr(space + 1);
    const auto colon = address.find(':');
    if (colon == std::string_view::npos || !allDigits(address.substr(0, colon)) ||
        !allDigits(address.substr(colon + 1)))
        return name;
    return name.substr(0, space);
}

// "Vornix [24] (capture): Vornix MIDI 1" after "a2j:".
std::optional<PortIdentity> a2jIdentity(std::string_view rest) {
    for (std::string_view direction : A2jDirections) {
        const auto at = rest.find(direction);
        if (at == std::string_view::npos) continue;
        std::string_view client = rest.substr(0, at);
        const auto bracket = client.rfind(" [");
        if (bracket != std::string_view::npos && client.ends_with(']') &&
            allDigits(client.substr(bracket + 2, client.size() - bracket - 3)))
            client = client.substr(0, bracket);
        return PortIdentity{std::string(client), std::string(rest.substr(at + direction.size()))};
    }
    return std::nullopt;
}

// "Vornix:(capture_0) Vornix MIDI 1" after "Midi-Bridge:".
std::optional<PortIdentity> pipeWireIdentity(std::string_view rest) {
    for (std::string_view direction : PipeWireDirections) {
        const auto at = rest.find(":" + std::string(direction));
        if (at == std::string_view::npos) continue;
        const auto close = rest.find(") ", at);
        if (close == std::string_view::npos) continue;
        return PortIdentity{std::string(rest.substr(0, at)), std::string(rest.substr(close + 2))};
    }
    return std::nullopt;
}

}  // namespace

PortIdentity identityOf(std::string_view name) {
    if (name.starts_with(A2jClient))
        if (auto bridged = a2jIdentity(name.substr(A2jClient.size()))) return *bridged;
    if (name.starts_with(PipeWireClient))
        if (auto bridged = pipeWireIdentity(name.substr(PipeWireClient.size()))) return *bridged;
    return splitAtColon(withoutAlsaAddress(name));
}

PortMatch matchStoredPort(const std::vector<std::string>& listed, std::string_view stored) {
    if (stored.empty()) return {};
    if (std::find(listed.begin(), listed.end(), stored) != listed.end())
        return {std::string(stored), 1};
    const std::string key = identityOf(stored).key();
    PortMatch match;
    for (const std::string& name : listed) {
        if (identityOf(name).key() != key) continue;
        if (match.count++ == 0) match.name = name;
    }
    return match;
}

bool isThroughPort(std::string_view name) {
    return identityOf(name).client.starts_with(ThroughClient);
}

bool isOwnPort(std::string_view name) {
    const std::string client = identityOf(name).client;
    return std::any_of(OwnClients.begin(), OwnClients.end(),
                       [&](std::string_view own) { return client.starts_with(own); });
}

}  // namespace vornix::host
