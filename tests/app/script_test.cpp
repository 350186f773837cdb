// The script language of --headless: what each line becomes, and which line
// is reported for each kind of mistake.
#include "app/script.hpp"

#include <gtest/gtest.h>

#include "app/script_words.hpp"

namespace vornix::app::script {
namespace {

Command only(std::string_view line) {
    const Script script = parse(line);
    EXPECT_EQ(script.errorLine, 0) << line << ": " << script.error;
    EXPECT_EQ(script.commands.size(), 1u) << line;
    return script.commands.empty() ? Command{} : script.commands.front();
}

TEST(ScriptLanguage, PointerCommandsTakeLogicalCoordinatesWithFractions) {
    struct Case {
        const char* line;
        Kind kind;
        Point at;
    };
    for (const Case& c : {
             Case{"click 1500 900", Kind::Click, {1500.f, 900.f}},
             Case{"press 0 0", Kind::Press, {0.f, 0.f}},
             Case{"release 1920 1200", Kind::Release, {1920.f, 1200.f}},
             Case{"move 10.5 20.25", Kind::Move, {10.5f, 20.25f}},
             Case{"  dblclick\t3 4   # twice", Kind::DoubleClick, {3.f, 4.f}},
         }) {
        const Command command = only(c.line);
        EXPECT_EQ(command.kind, c.kind) << c.line;
        EXPECT_EQ(command.at, c.at) << c.line;
    }
}

TEST(ScriptLanguage, OptionalArgumentsHaveTheirDefaults) {
    const Command drag = only("drag 1 2 3 4");
    EXPECT_EQ(drag.at, (Point{1.f, 2.f}));
    EXPECT_EQ(drag.to, (Point{3.f, 4.f}));
    EXPECT_EQ(drag.number, DefaultDragSteps);
    EXPECT_EQ(only("drag 1 2 3 4 25").number, 25);

    const Command wheel = only("wheel 5 6 -3");
    EXPECT_EQ(wheel.number, -3);
    EXPECT_EQ(wheel.modifier, Modifier::None);
    EXPECT_EQ(only("wheel 5 6 2 shift").modifier, Modifier::Shift);
    EXPECT_EQ(only("wheel 5 6 2 ctrl").modifier, Modifier::Ctrl);

    EXPECT_EQ(only("until online").number, DefaultOnlineLimitMs);
    EXPECT_EQ(only("until online 2500").number, 2500);
    EXPECT_FALSE(only("render out.png").scale);
    EXPECT_DOUBLE_EQ(only("render out.png 1.5").scale.value(), 1.5);
}

TEST(ScriptLanguage, NamedArguments) {
    EXPECT_EQ(only("key Return").key, Key::Return);
    EXPECT_EQ(only("key BackSpace").key, Key::BackSpace);
    EXPECT_EQ(only("key Tab").key, Key::Tab);
    EXPECT_EQ(only("menu global-settings").menu, MenuItem::GlobalSettings);
    EXPECT_EQ(only("menu quit").menu, MenuItem::Quit);
    EXPECT_TRUE(only("answer ok").ok);
    EXPECT_FALSE(only("answer cancel").ok);
    EXPECT_EQ(only("print 152").number, 152);
    EXPECT_EQ(only("param 0").number, 0);
    EXPECT_EQ(only("group drivecontrols").text, "drivecontrols");
    EXPECT_EQ(only("wait 0").number, 0);
}

TEST(ScriptLanguage, TextsAreTheRestOfTheLineOrOneQuotedWord) {
    EXPECT_EQ(only("type My  Preset").text, "My  Preset");
    EXPECT_EQ(only("type My Preset # a comment").text, "My Preset");
    EXPECT_EQ(only(R"(type "  # not a comment \"quoted\" ")").text,
              R"(  # not a comment "quoted" )");
    EXPECT_EQ(only(R"(type "")").text, "");
    EXPECT_EQ(only("type a#b").text, "a#b");

    const Command path = only("file /tmp/my bank.kvb");
    EXPECT_TRUE(path.ok);
    EXPECT_EQ(path.text, "/tmp/my bank.kvb");
    const Command cancel = only("file cancel");
    EXPECT_FALSE(cancel.ok);
    const Command named = only(R"(file "cancel")");
    EXPECT_TRUE(named.ok);
    EXPECT_EQ(named.text, "cancel");
    EXPECT_EQ(only(R"(render "my picture.png" 0.25)").text, "my picture.png");
}

TEST(ScriptLanguage, CommentsBlankLinesAndLineEndsCarryNoCommand) {
    const Script script = parse("# header\n\n   \nclick 1 2\r\n  # indented\nwait 5 # trailing\n");
    ASSERT_EQ(script.errorLine, 0) << script.error;
    ASSERT_EQ(script.commands.size(), 2u);
    EXPECT_EQ(script.commands[0].line, 4);
    EXPECT_EQ(script.commands[1].line, 6);
    EXPECT_EQ(script.commands[1].number, 5);
    EXPECT_TRUE(parse("").commands.empty());
}

TEST(ScriptLanguage, EachKindOfMistakeNamesItsLine) {
    struct Case {
        const char* line;
        const char* error;  // the start of the reason
    };
    for (const Case& c : {
             Case{"clik 1 2", "unknown command \"clik\""},
             Case{"click 1", "usage: click X Y"},
             Case{"click 1 2 3", "usage: click X Y"},
             Case{"click one 2", "X \"one\" is not a number"},
             Case{"click 1 nan", "Y \"nan\" is not a number"},
             Case{"click 1921 2", "X 1921 is outside the window"},
             Case{"move 1 -0.5", "Y -0.5 is outside the window"},
             Case{"drag 1 2 3 4 0", "STEPS 0 is below 1"},
             Case{"drag 1 2 3 4 2.5", "STEPS \"2.5\" is not a whole number"},
             Case{"wheel 1 2 0", "N is the number of notches"},
             Case{"wheel 1 2 1 alt", "unknown modifier \"alt\" (shift, ctrl)"},
             Case{"key Enter", "unknown key \"Enter\" (Return, Escape, Tab, BackSpace"},
             Case{"type", "usage: type TEXT"},
             Case{R"(type "a" b)", "text after the quoted text"},
             Case{R"(type "open)", "the quoted text has no closing quote"},
             Case{R"(type "a"b)", "a space must follow the closing quote"},
             Case{"wait -1", "MS -1 is below 0"},
             Case{"wait 1s", "MS \"1s\" is not a whole number"},
             Case{"until offline", "until knows only \"online\""},
             Case{"until online 0", "MS 0 is below 1"},
             Case{"answer yes", "unknown answer \"yes\" (ok, cancel)"},
             Case{"menu save", "unknown menu \"save\""},
             Case{"print -1", "TAG -1 is below 0"},
             Case{"param x", "INDEX \"x\" is not a whole number"},
             Case{"group", "usage: group NAME"},
             Case{"render a.png 5", "SCALE 5 is outside 0.1 to 4"},
             Case{R"(render "")", "render needs a file name"},
         }) {
        const Script script = parse(std::string("wait 1\n# fine so far\n") + c.line + "\nwait 2");
        EXPECT_EQ(script.errorLine, 3) << c.line;
        EXPECT_EQ(script.error.rfind(c.error, 0), 0u) << c.line << " gave: " << script.error;
        EXPECT_TRUE(script.commands.empty()) << c.line;
    }
}

TEST(ScriptLanguage, PrintedTextsAreQuotedSoThatEachStaysOnOneLine) {
    EXPECT_EQ(quoted("plain"), "\"plain\"");
    EXPECT_EQ(quoted("two\nlines"), "\"two\\nlines\"");
    EXPECT_EQ(quoted(R"(say "hi" \o/)"), R"("say \"hi\" \\o/")");
}

}  // namespace
}  // namespace vornix::app::script
