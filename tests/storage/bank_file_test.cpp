// Splitting a bank file into its messages: the committed banks and the edge
// cases of where a message may start and end; and whether a bank is whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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

// ---- whole banks ---------------------------------------------------------------------------

std::string wholeBankError(const Bytes& bytes) {
    const BankFileSplit split = splitBankFile(bytes);
    return split.ok() ? checkWholeBank(bytes, split) : split.error;
}

TEST(WholeBank, CommittedBanks) {
    struct Case {
        const char* file;
        const char* error;
    };
    const Case cases[] = {
        {"whole_bank.kvb", ""},
        {"cut_after_20_presets.kvb", "Not a whole bank file: 20 of 128 presets."},
        {"two_presets.kvb", "Not a whole bank file: 2 of 128 presets."},
        {"preset_with_ir.kvb", "Not a whole bank file: 0 of 128 presets."},
        {"ir_130_missing.kvb", "Not a whole bank file: IR 130 is missing."},
        {"ir_130_cut.kvb", "Not a whole bank file: IR 130 is cut short."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wholeBankError(readFile(testing::testDataPath("banks/") / c.file)), c.error)
            << c.file;
}

// The messages of whole_bank.kvb: presets 0-127, IR 5 (128-138), IR 130 (139-149).
struct Messages {
    std::vector<Bytes> list;
    Messages() {
        const Bytes bank = readFile(testing::testDataPath("banks/whole_bank.kvb"));
        const BankFileSplit split = splitBankFile(bank);
        for (std::size_t k = 0; k < split.starts.size(); ++k) {
            const std::size_t end = k + 1 < split.starts.size() ? split.starts[k + 1] : bank.size();
            list.emplace_back(bank.begin() + static_cast<std::ptrdiff_t>(split.starts[k]),
                              bank.begin() + static_cast<std::ptrdiff_t>(end));
        }
    }
    Bytes joined() const {
        Bytes out;
        for (const Bytes& m : list) out.insert(out.end(), m.begin(), m.end());
        return out;
    }
    void erase(std::size_t from, std::size_t count) {
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(from),
                   list.begin() + static_cast<std::ptrdiff_t>(from + count));
    }
};

constexpr std::size_t Ir5 = 128;
constexpr std::size_t Ir130 = 139;
constexpr std::size_t IrMessages = 11;
// Slot 9 plays IR 130 in position 8; its record's bytes in the dump.
constexpr std::size_t Slot9 = 9;
constexpr std::size_t Ir8Mode = 8 + 34 + 41;
constexpr std::size_t Ir8Bank = 8 + 34 + 55;

TEST(WholeBank, WhatThePresetsPlayDecidesWhichIrsMustFollow) {
    struct Case {
        const char* what;
        std::function<void(Messages&)> change;
        std::string error;
    };
    const Case cases[] = {
        {"IRs in the other order",
         [](Messages& m) {
             std::rotate(m.list.begin() + Ir5, m.list.begin() + Ir130, m.list.end());
         },
         ""},
        {"another message between two IRs",
         [](Messages& m) {
             m.list.insert(m.list.begin() + Ir130,
                           {0xF0, 0x00, 0x51, 0x21, 0x05, 0x5B, 0x0A, 0xF7});
         },
         ""},
        {"a 129th preset after the IRs", [](Messages& m) { m.list.push_back(m.list[3]); }, ""},
        {"IR 130 left out, slot 9 plays a cabinet",
         [](Messages& m) {
             m.erase(Ir130, IrMessages);
             m.list[Slot9][Ir8Mode] = 0;
         },
         ""},
        {"IR 130 left out, slot 9 plays the factory bank",
         [](Messages& m) {
             m.erase(Ir130, IrMessages);
             m.list[Slot9][Ir8Bank] = 2;
         },
         ""},
        {"a data chunk of IR 5 left out", [](Messages& m) { m.erase(Ir5 + 4, 1); },
         "Not a whole bank file: IR 5 is cut short."},
        {"a message inside IR 5",
         [](Messages& m) {
             m.list.insert(m.list.begin() + Ir5 + 3,
                           {0xF0, 0x00, 0x51, 0x21, 0x05, 0x5B, 0x0A, 0xF7});
         },
         "Not a whole bank file: IR 5 is cut short."},
        {"both IRs left out", [](Messages& m) { m.erase(Ir5, 2 * IrMessages); },
         "Not a whole bank file: IR 5 is missing."},
        {"slot 8 in place of slot 7", [](Messages& m) { m.list[7] = m.list[8]; },
         "Not a whole bank file: 7 of 128 presets."},
        {"a preset of the sibling command in slot 0", [](Messages& m) { m.list[0][5] = 0x7F; },
         "Not a whole bank file: 0 of 128 presets."},
    };
    for (const Case& c : cases) {
        Messages bank;
        c.change(bank);
        EXPECT_EQ(wholeBankError(bank.joined()), c.error) << c.what;
    }
}

}  // namespace
}  // namespace vornix::storage
