#pragma once
// The commands of vornixctl as one table: a name, what the command needs
// (a device, the cache alone, or nothing of the editor) and the function.
// A new command is one line here and its function in a command file.
#include <iosfwd>
#include <span>
#include <string_view>

#include "cli/command_line.hpp"
#include "cli/command_support.hpp"

namespace vornix::cli {

// Reaches the device, or only the cache (no port opened).
using SessionCommand = CommandResult (*)(Session&, const Args& args, std::ostream& data);
// Needs no editor at all; returns the exit code.
using PlainCommand = int (*)(const Options& options);

enum class Needs { Device, CacheOnly, Nothing };

struct CommandSpec {
    std::string_view name;
    Needs needs = Needs::Device;
    // The traffic is the command's data (on stdout), it carries on when the
    // ports go away, and it waits for stored ports that are not there yet.
    bool watchesTraffic = false;
    SessionCommand run = nullptr;
    PlainCommand plain = nullptr;
    // What the command needs when that depends on its arguments (library add
    // of a slot reaches the device, library list only the data folder).
    Needs (*needsFor)(const Args& args) = nullptr;
};

std::span<const CommandSpec> commandTable();
const CommandSpec* findCommand(std::string_view name);

// Runs one command; returns the process exit code. Data goes to stdout
// (stderr in --stdio mode, where stdout carries the protocol), progress and
// errors to stderr.
int runCommand(const Options& options);

// The command files' functions.
namespace command {
CommandResult sync(Session&, const Args&, std::ostream&);
CommandResult presets(Session&, const Args&, std::ostream&);
CommandResult get(Session&, const Args&, std::ostream&);
CommandResult set(Session&, const Args&, std::ostream&);
CommandResult select(Session&, const Args&, std::ostream&);
CommandResult store(Session&, const Args&, std::ostream&);
CommandResult monitor(Session&, const Args&, std::ostream&);
CommandResult backup(Session&, const Args&, std::ostream&);
CommandResult restore(Session&, const Args&, std::ostream&);
CommandResult reset(Session&, const Args&, std::ostream&);
CommandResult firmware(Session&, const Args&, std::ostream&);
CommandResult presetExport(Session&, const Args&, std::ostream&);
CommandResult presetImport(Session&, const Args&, std::ostream&);
CommandResult irUpload(Session&, const Args&, std::ostream&);
CommandResult history(Session&, const Args&, std::ostream&);
Needs historyNeeds(const Args&);
CommandResult backups(Session&, const Args&, std::ostream&);
int irConvert(const Options&);
CommandResult library(Session&, const Args&, std::ostream&);
Needs libraryNeeds(const Args&);
CommandResult setlist(Session&, const Args&, std::ostream&);
Needs setlistNeeds(const Args& args);
int ports(const Options&);
int show(const Options&);
int diff(const Options&);
}  // namespace command

}  // namespace vornix::cli
