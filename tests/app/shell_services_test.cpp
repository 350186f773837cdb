// The shell's services that work without a display: the command line, file
// dialog names, the manual copy and the single-instance lock.
#include <glib.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/application.hpp"
#include "app/file_names.hpp"
#include "app/launch_options.hpp"
#include "app/manual.hpp"
#include "app/single_instance.hpp"
#include "temp_dir.hpp"

namespace vornix::app {
namespace {

std::optional<Options> parse(std::vector<std::string> args) {
    std::string error;
    return parseOptions(args, error);
}

TEST(CommandLine, AcceptsTheDocumentedOptions) {
    const auto render = parse({"--render-to", "out.png", "--scale", "1.5", "--simulator"});
    ASSERT_TRUE(render);
    EXPECT_EQ(render->renderTo, "out.png");
    EXPECT_DOUBLE_EQ(render->scale.value(), 1.5);
    EXPECT_TRUE(render->simulator);
    EXPECT_TRUE(parse({"--help"})->help);
    EXPECT_TRUE(parse({"--version"})->version);
    EXPECT_EQ(parse({"--display", ":1"})->gtkArgs.size(), 2u);
}

TEST(CommandLine, RejectsWhatWouldDrawNothingUsable) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--render-to"},
             {"--render-to", "x.png", "--scale"},
             {"--render-to", "x.png", "--scale", "0"},
             {"--render-to", "x.png", "--scale", "-1"},
             {"--render-to", "x.png", "--scale", "nan"},
             {"--render-to", "x.png", "--scale", "1x"},
             {"--render-to", "x.png", "--scale", "1e9"},
             {"--scale", "1"},
             {"--bogus"},
         }) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(parse(args)) << joined;
    }
}

TEST(CommandLine, HeadlessTakesAScriptADeviceAndADataFolder) {
    const auto ports = parse({"--headless", "--script", "-", "--in", "A", "--out", "B",
                              "--data-dir", "/tmp/d", "--trace"});
    ASSERT_TRUE(ports);
    EXPECT_TRUE(ports->headless);
    EXPECT_EQ(ports->script, "-");
    EXPECT_EQ(ports->inPort, "A");
    EXPECT_EQ(ports->outPort, "B");
    EXPECT_EQ(dataFolderOf(*ports).root(), "/tmp/d");
    EXPECT_EQ(ports->trace, host::TraceMode::Plain);
    const auto one = parse({"--render-to", "x.png", "--port", "Pedal"});
    ASSERT_TRUE(one);
    EXPECT_EQ(one->inPort, "Pedal");
    EXPECT_EQ(one->outPort, "Pedal");
    // The window takes a data folder and --trace too.
    EXPECT_TRUE(parse({"--data-dir", "/tmp/d", "--trace", "--simulator"}));
    const auto decoded = parse({"--simulator", "--trace=decoded"});
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->trace, host::TraceMode::Decoded);
    EXPECT_FALSE(parse({"--simulator", "--trace=hex"}));
}

TEST(CommandLine, RejectsOptionsThatDoNotGoTogether) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--headless"},
             {"--script", "s.txt"},
             {"--headless", "--script", ""},
             {"--headless", "--script", "s.txt", "--render-to", "x.png"},
             {"--headless", "--script", "s.txt", "--simulator", "--port", "P"},
             {"--headless", "--script", "s.txt", "--in", "P"},
             {"--headless", "--script", "s.txt", "--out", "P"},
             {"--port", "P"},
             {"--data-dir"},
             {"--data-dir", ""},
         }) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(parse(args)) << joined;
    }
}

TEST(FileDialogNames, ExtensionListsBecomeFiltersAndDefaults) {
    EXPECT_EQ(filterPatterns("wav"), std::vector<std::string>{"*.wav"});
    EXPECT_EQ(filterPatterns(" kvp  .kvb *.bin"),
              (std::vector<std::string>{"*.kvp", "*.kvb", "*.bin"}));
    EXPECT_TRUE(filterPatterns("").empty());
    EXPECT_EQ(defaultExtension("kvb wav"), "kvb");
    EXPECT_EQ(defaultExtension(""), "");
}

TEST(FileDialogNames, SavedNamesGetTheDefaultExtensionOnlyWhenTheyHaveNone) {
    EXPECT_EQ(withDefaultExtension("/home/u/bank", "kvb"), "/home/u/bank.kvb");
    EXPECT_EQ(withDefaultExtension("/home/u/bank.kvb", "kvb"), "/home/u/bank.kvb");
    EXPECT_EQ(withDefaultExtension("/home/u/bank.old", "kvb"), "/home/u/bank.old");
    EXPECT_EQ(withDefaultExtension("/home/u.d/bank", "kvb"), "/home/u.d/bank.kvb");
    EXPECT_EQ(withDefaultExtension("/home/u/bank", ""), "/home/u/bank");
}

TEST(FileDialogNames, PathsBecomeEscapedFileUrisAndAddressesStay) {
    EXPECT_EQ(uriFor("https://example.org/a b"), "https://example.org/a b");
    EXPECT_EQ(uriFor("/data/Vornix Control/manual #1.pdf"),
              "file:///data/Vornix%20Control/manual%20%231.pdf");
    EXPECT_EQ(uriFor("/tmp/a:b"), "file:///tmp/a%3Ab") << "a colon in a path is not a scheme";
}

TEST(AboutBox, SecondLineIsTheBuildDate) {
    const std::string text = aboutText();
    const auto newline = text.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_EQ(text.substr(newline + 1), std::string("Built on ") + __DATE__);
    EXPECT_EQ(text.find('\n', newline + 1), std::string::npos);
}

// ---- manual ----

std::vector<std::uint8_t> readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ManualCopy, WrittenOnceThenLeftAlone) {
    testing::TempDir dir;
    const auto path = dir.path() / "sub" / "manual.pdf";
    const std::vector<std::uint8_t> manual{'%', 'P', 'D', 'F', '-', '1'};
    ASSERT_TRUE(ensureManualCopy(path, manual));
    EXPECT_EQ(readAll(path), manual);
    const auto written = std::filesystem::last_write_time(path);
    std::filesystem::last_write_time(path, written - std::chrono::hours(1));
    ASSERT_TRUE(ensureManualCopy(path, manual));
    EXPECT_EQ(std::filesystem::last_write_time(path), written - std::chrono::hours(1));
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        EXPECT_EQ(entry.path().filename(), "manual.pdf") << "no temporary file left behind";
}

TEST(ManualCopy, TruncatedCopyIsReplaced) {
    testing::TempDir dir;
    const auto path = dir.path() / "manual.pdf";
    const std::vector<std::uint8_t> manual(4096, 'x');
    std::ofstream(path, std::ios::binary) << "%PDF";
    ASSERT_TRUE(ensureManualCopy(path, manual));
    EXPECT_EQ(readAll(path), manual);
}

// ---- single instance ----

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
    testing::TempDir dir;
    auto first = std::make_unique<SingleInstance>(dir.path());
    ASSERT_TRUE(first->acquire());
    SingleInstance second(dir.path());
    EXPECT_FALSE(second.acquire());
    first.reset();
    SingleInstance third(dir.path());
    EXPECT_TRUE(third.acquire()) << "the lock goes with the process that held it";
}

TEST(SingleInstance, SecondStartRaisesTheFirst) {
    testing::TempDir dir;
    SingleInstance first(dir.path());
    ASSERT_TRUE(first.acquire());
    int raised = 0;
    ASSERT_TRUE(first.listen([&raised] { ++raised; }));
    SingleInstance second(dir.path());
    ASSERT_FALSE(second.acquire());
    ASSERT_TRUE(second.askFirstToRaise());
    for (int i = 0; i < 100 && raised == 0; ++i) g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(raised, 1);
}

TEST(SingleInstance, NobodyToRaiseIsReportedNotFatal) {
    testing::TempDir dir;
    SingleInstance lone(dir.path());
    EXPECT_FALSE(lone.askFirstToRaise());
}

}  // namespace
}  // namespace vornix::app
