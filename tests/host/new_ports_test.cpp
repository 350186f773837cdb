// When a search that found nothing is followed by another, and what it
// leaves out: each case is the looks at the port lists after a search, and
// what the last look decides.
#include "host/new_ports.hpp"

#include <gtest/gtest.h>

namespace vornix::host {
namespace {

using Names = std::vector<std::string>;
using Skip = std::optional<std::set<std::string>>;

// A first search asked the keyboard's output and listened to its input.
NewPorts afterAFirstSearch() {
    NewPorts rule;
    rule.searched({"Keys In:Keys"}, {"Keys In:Keys"}, {"Keys Out:Keys"});
    return rule;
}

const Names KeysIn{"Keys Out:Keys"};
const Names KeysOut{"Keys In:Keys"};
const Names WithPedalIn{"Keys Out:Keys", "Pedal Out:Pedal"};
const Names WithPedalOut{"Keys In:Keys", "Pedal In:Pedal"};

TEST(NewPorts, DecidesFromSettledLists) {
    struct Look {
        Names inputs;
        Names outputs;
    };
    struct Case {
        const char* what;
        std::vector<Look> looks;
        Skip decided;  // after the last look
    };
    const std::vector<Case> cases{
        {"nothing new", {{KeysIn, KeysOut}, {KeysIn, KeysOut}}, std::nullopt},
        {"a new output is asked only once the lists stay the same",
         {{KeysIn, KeysOut}, {WithPedalIn, WithPedalOut}},
         std::nullopt},
        {"a new output, settled: the old ones are left out",
         {{KeysIn, WithPedalOut}, {KeysIn, WithPedalOut}},
         std::set<std::string>{"Keys In:Keys"}},
        {"a new output and a new input: the last search's outputs are asked again too",
         {{WithPedalIn, WithPedalOut}, {WithPedalIn, WithPedalOut}},
         std::set<std::string>{}},
        {"a new input alone: the outputs of the last search are asked again",
         {{WithPedalIn, KeysOut}, {WithPedalIn, KeysOut}},
         std::set<std::string>{}},
        {"through ports and the editor's own are no news",
         {{{"Keys Out:Keys", "Midi Through:Midi Through Port-0"},
           {"Keys In:Keys", "RtMidi Output Client:RtMidi Output"}},
          {{"Keys Out:Keys", "Midi Through:Midi Through Port-0"},
           {"Keys In:Keys", "RtMidi Output Client:RtMidi Output"}}},
         std::nullopt},
        {"a port that went is no news", {{{}, {}}, {{}, {}}}, std::nullopt},
    };
    for (const Case& c : cases) {
        NewPorts rule = afterAFirstSearch();
        Skip decided;
        for (const Look& look : c.looks) decided = rule.look(look.inputs, look.outputs);
        EXPECT_EQ(decided, c.decided) << c.what;
    }
}

// The pedal's input to the editor appeared only after its output was asked:
// the output is asked again once, then nothing more is due.
TEST(NewPorts, AnOutputAskedWhileItsAnswerHadNoWayBackIsAskedAgainOnce) {
    NewPorts rule = afterAFirstSearch();
    rule.look(KeysIn, WithPedalOut);
    ASSERT_EQ(rule.look(KeysIn, WithPedalOut), std::set<std::string>{"Keys In:Keys"});
    rule.searched({"Keys In:Keys", "Pedal In:Pedal"}, {"Pedal In:Pedal"}, {"Keys Out:Keys"});

    rule.look(WithPedalIn, WithPedalOut);
    EXPECT_EQ(rule.look(WithPedalIn, WithPedalOut), std::set<std::string>{"Keys In:Keys"})
        << "the pedal's output is asked again";
    rule.searched({"Keys In:Keys", "Pedal In:Pedal"}, {"Pedal In:Pedal"},
                  {"Keys Out:Keys", "Pedal Out:Pedal"});
    rule.look(WithPedalIn, WithPedalOut);
    EXPECT_EQ(rule.look(WithPedalIn, WithPedalOut), std::nullopt);
}

}  // namespace
}  // namespace vornix::host
