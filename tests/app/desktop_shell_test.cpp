// The desktop shell's decisions that need no display: the window's sizes,
// its title, the shortcut table and the message when nothing can open a
// file or an address.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/desktop_open.hpp"
#include "app/shortcuts.hpp"
#include "app/window_geometry.hpp"
#include "app/window_title.hpp"
#include "editor_harness.hpp"

namespace vornix::app {
namespace {

TEST(WindowSize, TheContentFillsTheAreaInOneDirectionAndFitsTheOther) {
    struct Case {
        Size area;
        double current;
        double expected;
    };
    for (const Case& c : {
             Case{{1400, 1000}, 0.5, 1400.0 / 1920},  // wider than tall: the width decides
             Case{{1920, 500}, 0.5, 500.0 / 1200},    // very wide: the height decides
             Case{{960, 700}, 0.7, 0.5},              // smaller than the content
             Case{{100, 100}, 0.5, MinWindowScale},   // never below the grip's smallest
             Case{{20000, 12000}, 1.0, MaxWindowScale},
         }) {
        const auto scale = scaleForArea(c.area, c.current);
        ASSERT_TRUE(scale) << c.area.width << " x " << c.area.height;
        EXPECT_DOUBLE_EQ(*scale, c.expected) << c.area.width << " x " << c.area.height;
    }
}

TEST(WindowSize, AWindowThatHoldsTheContentKeepsItsScale) {
    EXPECT_FALSE(scaleForArea({960, 600}, 0.5));
    EXPECT_FALSE(scaleForArea({961, 600}, 0.5));   // a pixel of rounding
    EXPECT_FALSE(scaleForArea({960, 640}, 0.5));   // fills the width
    EXPECT_FALSE(scaleForArea({1000, 600}, 0.5));  // fills the height
}

// Snapping the window to the content and reading the scale back from it
// must stand still, or every resize would shrink the window a little more.
TEST(WindowSize, SnappingToTheContentNeverCreeps) {
    for (double scale = MinWindowScale; scale <= 2.0; scale += 0.0013) {
        const Size content = contentSize(scale);
        EXPECT_FALSE(scaleForArea(content, scale)) << scale;
    }
}

TEST(WindowSize, TheFirstWindowFitsTheWorkArea) {
    constexpr int Bar = 25;
    struct Case {
        Size workArea;
        double expected;
    };
    for (const Case& c : {
             Case{{1920, 1200}, 0.85},  // 1632 x 1020 and the bar
             Case{{1920, 1080}, 0.75}, Case{{1366, 768}, 0.55},
             Case{{960, 600}, 0.40},                          // 1920 x 1200 at GDK scale 2
             Case{{3840, 2160}, 1.0},                         // never above 1
             Case{{640, 480}, 0.30}, Case{{400, 300}, 0.25},  // never below the smallest
         }) {
        const double scale = firstScale(c.workArea, Bar);
        EXPECT_NEAR(scale, c.expected, 1e-9) << c.workArea.width << " x " << c.workArea.height;
        const Size content = contentSize(scale);
        if (scale > MinWindowScale) {
            EXPECT_LE(content.width, c.workArea.width);
            EXPECT_LE(content.height + Bar, c.workArea.height);
        }
    }
}

TEST(WindowSize, AStoredScaleShrinksOnlyToFitASmallerMonitor) {
    EXPECT_DOUBLE_EQ(scaleThatFits(0.7291, {1920, 1200}, 25), 0.7291);
    EXPECT_DOUBLE_EQ(scaleThatFits(1.2, {1920, 1080}, 30), 1050.0 / 1200);
    EXPECT_DOUBLE_EQ(scaleThatFits(0.6, {1024, 768}, 25), 1024.0 / 1920);
}

TEST(WindowTitle, NamesThePedalAndItsFirmwareWhileOnline) {
    EXPECT_EQ(windowTitle(std::nullopt), "VornixControl");
    EXPECT_EQ(windowTitle(1.3), "VornixControl - Vornix 1.3");
    EXPECT_EQ(windowTitle(2.0), "VornixControl - Vornix 2.0");
}

TEST(WindowTitle, FollowsTheLinkOnlineAndOffline) {
    testing::EditorHarness h;
    std::vector<std::string> titles;
    TitleFollower follower([&titles](const std::string& title) { titles.push_back(title); });
    h.editor.link().events().add(follower);
    h.goOnline(13);
    h.editor.reconnect();
    h.goOnline(14);
    h.editor.link().events().remove(follower);
    EXPECT_EQ(titles, (std::vector<std::string>{"VornixControl - Vornix 1.3", "VornixControl",
                                                "VornixControl - Vornix 1.4"}));
}

TEST(Shortcuts, EveryChordNamesAKeyGdkKnows) {
    for (const Shortcut& shortcut : Shortcuts) {
        const std::string key(splitChord(shortcut.chord).key);
        EXPECT_NE(gdk_keyval_from_name(key.c_str()), guint(GDK_KEY_VoidSymbol)) << shortcut.chord;
        EXPECT_EQ(shortcutFor(shortcut.chord), shortcut.command);
    }
}

TEST(Shortcuts, ChordsReadAsXdotoolWritesThem) {
    EXPECT_EQ(shortcutFor("ctrl+q"), WindowCommand::Quit);
    EXPECT_EQ(shortcutFor("ctrl+comma"), WindowCommand::Preferences);
    EXPECT_EQ(shortcutFor("Escape"), WindowCommand::ClosePage);
    EXPECT_EQ(shortcutFor("F1"), WindowCommand::Manual);
    EXPECT_FALSE(shortcutFor("ctrl+e"));  // the removed debug commands stay unbound
    EXPECT_FALSE(shortcutFor("q"));
    EXPECT_EQ(chordOf(WindowCommand::Quit), "ctrl+q");
    const Chord chord = splitChord("ctrl+comma");
    EXPECT_TRUE(chord.control);
    EXPECT_EQ(chord.key, "comma");
}

TEST(DesktopOpen, SaysWhatCouldNotBeOpenedAndWhereItIs) {
    testing::TempDir dir;
    const std::string pdf = (dir.path() / "Manual.pdf").string();
    EXPECT_EQ(cannotOpenText(pdf), "No program could open Manual.pdf.\nThe file is:\n" + pdf);
    EXPECT_EQ(cannotOpenText(dir.path().string()),
              "No file manager could be started.\nThe folder is:\n" + dir.path().string());
    EXPECT_EQ(cannotOpenText("https://www.quellix.example/downloads/"),
              "No web browser could be started.\nThe page's address is:\n"
              "https://www.quellix.example/downloads/");
}

TEST(DesktopOpen, ShowsTheMessageOnlyWhenNothingOpenedIt) {
    testing::ScriptedPlatform platform;
    std::vector<std::string> launched;
    const Launcher works = [&](const std::string& target) {
        launched.push_back(target);
        return true;
    };
    const Launcher noViewer = [&](const std::string& target) {
        launched.push_back(target);
        return false;
    };
    EXPECT_TRUE(openOrExplain("/tmp/a.pdf", works, platform));
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_FALSE(openOrExplain("/tmp/b.pdf", noViewer, platform));
    EXPECT_EQ(launched, (std::vector<std::string>{"/tmp/a.pdf", "/tmp/b.pdf"}));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, cannotOpenText("/tmp/b.pdf"));
    EXPECT_EQ(platform.boxes[0].buttons, Buttons::Ok);
}

}  // namespace
}  // namespace vornix::app
