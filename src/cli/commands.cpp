#include "cli/commands.hpp"

#include <algorithm>
#include <array>
#include <iostream>

#include "cli/session.hpp"

namespace vornix::cli {

namespace {

constexpr std::array Commands{
    CommandSpec{.name = "sync", .run = command::sync},
    CommandSpec{.name = "presets", .needs = Needs::CacheOnly, .run = command::presets},
    CommandSpec{.name = "get", .run = command::get},
    CommandSpec{.name = "set", .run = command::set},
    CommandSpec{.name = "select", .run = command::select},
    CommandSpec{.name = "store", .run = command::store},
    CommandSpec{.name = "monitor", .watchesTraffic = true, .run = command::monitor},
    CommandSpec{.name = "backup", .run = command::backup},
    CommandSpec{.name = "restore", .run = command::restore},
    CommandSpec{.name = "reset", .run = command::reset},
    CommandSpec{.name = "firmware", .run = command::firmware},
    CommandSpec{.name = "preset-export", .run = command::presetExport},
    CommandSpec{.name = "preset-import", .run = command::presetImport},
    CommandSpec{.name = "ir-upload", .run = command::irUpload},
    CommandSpec{.name = "ir-convert", .needs = Needs::Nothing, .plain = command::irConvert},
    CommandSpec{.name = "ports", .needs = Needs::Nothing, .plain = command::ports},
    CommandSpec{.name = "library", .run = command::library, .needsFor = command::libraryNeeds},
    CommandSpec{.name = "setlist", .run = command::setlist, .needsFor = command::setlistNeeds},
    CommandSpec{.name = "show", .needs = Needs::Nothing, .plain = command::show},
    CommandSpec{.name = "diff", .needs = Needs::Nothing, .plain = command::diff},
    CommandSpec{.name = "history", .run = command::history, .needsFor = command::historyNeeds},
    CommandSpec{.name = "backups", .needs = Needs::CacheOnly, .run = command::backups},
};

}  // namespace

std::span<const CommandSpec> commandTable() {
    return Commands;
}

const CommandSpec* findCommand(std::string_view name) {
    const auto it = std::find_if(Commands.begin(), Commands.end(),
                                 [name](const CommandSpec& entry) { return entry.name == name; });
    return it == Commands.end() ? nullptr : &*it;
}

int runCommand(const Options& options) {
    const CommandSpec* entry = findCommand(options.command);
    if (!entry) {
        std::cerr << "vornixctl: unknown command '" << options.command << "' (see --help)\n";
        return ExitFailure;
    }
    const Needs needs = entry->needsFor ? entry->needsFor(options.args) : entry->needs;
    if (needs == Needs::Nothing) return entry->plain(options);
    std::ostream& data = options.transport == Transport::Stdio ? std::cerr : std::cout;
    Options effective = options;
    if (needs == Needs::CacheOnly) effective.transport = Transport::None;
    std::string error;
    Session session(effective, SessionMode{.watchesTraffic = entry->watchesTraffic}, std::cerr,
                    error);
    if (!error.empty()) {
        std::cerr << "vornixctl: " << error << '\n';
        return ExitFailure;
    }
    const CommandResult result = entry->run(session, options.args, data);
    if (!result.ok) {
        std::cerr << "vornixctl: " << result.error << '\n';
        return result.code;
    }
    return ExitOk;
}

}  // namespace vornix::cli
