#include <gtest/gtest.h>

#include "cli/command_line.hpp"
#include "cli/commands.hpp"

namespace vornix::cli {
namespace {

TEST(Options, TransportCommandAndArguments) {
    const auto parsed =
        parseOptions({"--simulator", "--data-dir", "/d", "set", "5", "64", "--yes"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->transport, Transport::Simulator);
    EXPECT_EQ(parsed.options->dataDir, "/d");
    EXPECT_EQ(parsed.options->command, "set");
    EXPECT_EQ(parsed.options->args, (std::vector<std::string>{"5", "64"}));
    EXPECT_TRUE(parsed.options->yes);
    EXPECT_EQ(parsed.options->trace, host::TraceMode::Off);

    const auto port = parseOptions({"--port", "Pedal", "sync"});
    ASSERT_TRUE(port.options);
    EXPECT_EQ(port.options->inPort, "Pedal");
    EXPECT_EQ(port.options->outPort, "Pedal");
    // Options after the command belong to it.
    const auto after = parseOptions({"ir-convert", "a.wav", "b.dat", "--name", "X"});
    ASSERT_TRUE(after.options);
    EXPECT_EQ(after.options->args.size(), 4u);
}

TEST(Options, RefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"--simulator"},
        {"--simulator", "--stdio", "sync"},
        {"--in", "A", "sync"},
        {"--port"},
        {"--data-dir"},
        {"--bogus", "sync"},
        {"--trace=hex", "sync"},
    };
    for (const auto& arguments : bad) {
        const auto parsed = parseOptions(arguments);
        EXPECT_FALSE(parsed.options);
        EXPECT_FALSE(parsed.error.empty());
    }
    EXPECT_TRUE(parseOptions({"--help"}).help);
}

TEST(Options, TraceIsPlainOrDecoded) {
    const auto plain = parseOptions({"--simulator", "--trace", "sync"});
    ASSERT_TRUE(plain.options);
    EXPECT_EQ(plain.options->trace, host::TraceMode::Plain);
    const auto decoded = parseOptions({"--simulator", "sync", "--trace=decoded"});
    ASSERT_TRUE(decoded.options);
    EXPECT_EQ(decoded.options->trace, host::TraceMode::Decoded);
    EXPECT_TRUE(decoded.options->args.empty());
}

// --version answers before a command is needed; after the command it is the
// command's argument.
TEST(Options, VersionNeedsNoCommand) {
    const auto version = parseOptions({"--version"});
    EXPECT_TRUE(version.version);
    EXPECT_FALSE(version.options);
    EXPECT_FALSE(parseOptions({"sync", "--version"}).version);
    EXPECT_EQ(versionText().rfind("vornixctl ", 0), 0u);
}

// A command added to the table without a line in --help would be one users
// cannot find.
TEST(CommandTable, EveryCommandIsInTheHelpAndFoundByName) {
    const std::string help = usageText();
    for (const CommandSpec& entry : commandTable()) {
        SCOPED_TRACE(std::string(entry.name));
        EXPECT_NE(help.find("  " + std::string(entry.name)), std::string::npos);
        EXPECT_EQ(findCommand(entry.name), &entry);
        EXPECT_EQ(entry.needs == Needs::Nothing, entry.plain != nullptr);
        EXPECT_EQ(entry.needs == Needs::Nothing, entry.run == nullptr);
    }
    EXPECT_EQ(findCommand("sink"), nullptr);
}

}  // namespace
}  // namespace vornix::cli
