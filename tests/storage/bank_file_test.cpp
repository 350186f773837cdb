// Splitting a bank file into its messages: the committed banks and the edge
// cases of where a message may start and end.
#include <gtest/gtest.h>

#include "storage/bank_file.hpp"
#include "storage/file_io.hpp"
#include "temp_dir.hpp"

namespace vornix::storage {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Starts = std::vector<std::size_t>;

constexpr const char* Outside = "Not a bank file: data outside a SysEx message";
constexpr const char* NoEnd = "Not a bank file: the last message has no end";
constexpr const char* Empty = "Not a bank file: it holds no messages";

TEST(SplitBankFile, CommittedBanks) {
    struct Case {
        const char* file;
        Starts starts;
        const char* error;
    };
    const Case cases[] = {
        {"two_presets.kvb", {0, 267}, ""},
        {"preset_with_ir.kvb",
         {0, 267, 536, 800, 1064, 1328, 1592, 1856, 2120, 2384, 2648, 2912},
         ""},
        {"data_between.kvb", {}, Outside},
        {"last_message_cut.kvb", {}, NoEnd},
    };
    for (const Case& c : cases) {
        const auto split = splitBankFile(readFile(testing::testDataPath("banks/") / c.file));
        EXPECT_EQ(split.starts, c.starts) << c.file;
        EXPECT_EQ(split.error, c.error) << c.file;
        EXPECT_EQ(split.ok(), split.error.empty()) << c.file;
    }
}

TEST(SplitBankFile, WhereMessagesStartAndEnd) {
    struct Case {
        const char* what;
        Bytes bytes;
        Starts starts;
        const char* error;
    };
    const Case cases[] = {
        {"empty file", {}, {}, Empty},
        {"the shortest message", {0xF0, 0xF7}, {0}, ""},
        {"F0 inside a message is data", {0xF0, 0xF0, 0x01, 0xF7, 0xF0, 0xF7}, {0, 4}, ""},
        {"a byte before the first F0", {0x00, 0xF0, 0xF7}, {}, Outside},
        {"a byte after the last F7", {0xF0, 0x01, 0xF7, 0x00}, {}, Outside},
        {"F7 without its F0", {0xF7}, {}, Outside},
        {"a lone F0", {0xF0}, {}, NoEnd},
        {"second message cut", {0xF0, 0xF7, 0xF0, 0x01}, {}, NoEnd},
    };
    for (const Case& c : cases) {
        const auto split = splitBankFile(c.bytes);
        EXPECT_EQ(split.starts, c.starts) << c.what;
        EXPECT_EQ(split.error, c.error) << c.what;
    }
}

}  // namespace
}  // namespace vornix::storage
