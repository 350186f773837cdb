// The pages laid over the main page, built for real and clicked at their
// places: the global settings page and its MIDI pages, the About page, the
// firmware page, the status lines and the progress overlay. Each test compares
// the page it opened with its reference picture (tests/data/golden/).
#include <gtest/gtest.h>

#include <fstream>

#include "controls/controls.hpp"
#include "editor_harness.hpp"
#include "golden_page.hpp"
#include "resources/resources.hpp"
#include "ui/pages/secondary_pages.hpp"
#include "ui/registry.hpp"
#include "ui/window_content.hpp"

namespace vornix::ui {
namespace {

using igraphics::IControl;
using igraphics::IMouseMod;
using igraphics::IRECT;
using testing::EditorHarness;

constexpr IRECT Window{0, 0, 1920, 1200};

// Opened links, for the firmware page's.
class UrlRecorder : public igraphics::IPlatform {
  public:
    igraphics::EMsgBoxResult showMessageBox(std::string_view, std::string_view,
                                            igraphics::EMsgBoxType) override {
        return igraphics::EMsgBoxResult::OK;
    }
    void promptForFile(std::string& fileName, std::string&, igraphics::EFileAction,
                       std::string_view) override {
        fileName.clear();
    }
    bool openURL(std::string_view url) override {
        urls.emplace_back(url);
        return true;
    }
    std::vector<std::string> urls;
};

struct Point {
    float x;
    float y;
};
constexpr Point EmptyArea{300, 1000};  // on the settings picture, clear of every control
constexpr Point SettingsClose{1470, 240};
constexpr Point PatchOffsetCaption{860, 300};
constexpr Point ProgramMapSetup{1250, 303};
constexpr Point MidiCcSetup{1250, 503};
constexpr Point Back{1100, 275};
constexpr Point ResetSettings{1300, 825};
constexpr Point FirmwareClose{1535, 330};
constexpr Point FirmwareLink{848, 361};
constexpr Point FirmwareUpdate{1100, 682};

class OverlayPages : public ::testing::Test {
  protected:
    OverlayPages() : window(h.editor, h.loop, resources::find, &urls) {
        h.goOnlineWithPreset(0, 64);
        settle();
    }

    igraphics::IGraphics& g() { return window.graphics(); }
    // A button acts when its press animation ends.
    void settle(int ms = 200) { h.loop.advance(ms); }
    void click(Point p) {
        g().onMouseDown(p.x, p.y, IMouseMod{});
        g().onMouseUp(p.x, p.y, IMouseMod{});
    }
    int shownIn(const char* group) {
        int shown = 0;
        g().forGroup(group, [&](IControl& c) { shown += c.isHidden() ? 0 : 1; });
        return shown;
    }
    bool pageShown(const char* group) { return shownIn(group) > 0; }
    std::vector<IControl*> controlsOf(const char* group) {
        std::vector<IControl*> out;
        g().forGroup(group, [&](IControl& c) { out.push_back(&c); });
        return out;
    }
    std::vector<sysex::Bytes> pageWrites(int page) {
        std::vector<sysex::Bytes> out;
        for (const auto& m : h.sentWith(sysex::cmd::GlobalPage))
            if (sysex::parseBlockMessage(m).view.number == page) out.push_back(m);
        return out;
    }
    std::vector<sysex::Bytes> pageRequests(int page) {
        std::vector<sysex::Bytes> out;
        for (const auto& m : h.sentWith(sysex::cmd::Request))
            if (m == sysex::requestPage(static_cast<std::uint8_t>(page))) out.push_back(m);
        return out;
    }
    void openSettings() {
        h.editor.menuCommand(MenuCommand::GlobalSettings);
        settle();
    }
    void matchesGolden(const char* name) {
        settle();
        EXPECT_TRUE(testing::matchesGoldenPage(g(), name));
    }

    EditorHarness h;
    UrlRecorder urls;
    WindowContent window;
};

// ---- the global settings page ----------------------------------------------------------

TEST_F(OverlayPages, SettingsPageHasItsControlsInOrderAndAllStartHidden) {
    const auto controls = controlsOf(group::GlobalSettings);
    ASSERT_EQ(controls.size(), 32u);
    for (IControl* c : controls) EXPECT_TRUE(c->isHidden());
    EXPECT_EQ(controls[0]->bounds(), Window) << "the click catcher lies under the page";
    EXPECT_NE(dynamic_cast<igraphics::IBitmapControl*>(controls[1]), nullptr);
    EXPECT_EQ(controls[2]->bounds(), (IRECT{1444, 220, 1499, 260}));
    // Label above caption, left column then middle, then the right column's bypass.
    const struct {
        std::size_t at;
        int param;
        IRECT caption;
    } captions[] = {
        {4, param::PatchOffset, {760, 280, 960, 320}},
        {12, param::TunerFrequency, {760, 680, 960, 720}},
        {14, param::DefineMidiMapping, {980, 280, 1180, 320}},
        {22, param::TunerDetune, {980, 680, 1180, 720}},
        {26, param::CabinetBypass, {1200, 680, 1400, 720}},
    };
    for (const auto& c : captions) {
        auto* caption = dynamic_cast<igraphics::ICaptionControl*>(controls[c.at]);
        ASSERT_NE(caption, nullptr) << c.at;
        EXPECT_EQ(caption->paramIdx(), c.param);
        EXPECT_EQ(caption->bounds(), c.caption);
        EXPECT_EQ(controls[c.at - 1]->bounds(), c.caption.translated(0, -30).fromTop(30));
    }
    EXPECT_EQ(controls[30]->bounds(), (IRECT{1200, 800, 1400, 850}));
    EXPECT_EQ(dynamic_cast<igraphics::IVButtonControl*>(controls[30])->label(), "SETTINGS");
    // The divider above the resets is the page's own: the MIDI pages share the picture.
    EXPECT_EQ(controls[31]->bounds(), (IRECT{740, 735, 1480, 736}));
}

TEST_F(OverlayPages, SettingsPageOpensWithTheDevicesValuesAndClosesOnTheEmptyArea) {
    openSettings();
    EXPECT_EQ(shownIn(group::GlobalSettings), 32);
    EXPECT_FALSE(h.editor.connection().keepAliveEnabled());
    EXPECT_EQ(pageRequests(sysex::page::Settings).size(), 1u);
    auto* tuner = dynamic_cast<igraphics::ICaptionControl*>(controlsOf(group::GlobalSettings)[12]);
    EXPECT_EQ(tuner->captionText(), "440Hz");
    matchesGolden("global-settings");

    // The picture above the catcher lets the click through; the page goes
    // once the catcher's press has shown.
    click(EmptyArea);
    EXPECT_TRUE(pageShown(group::GlobalSettings));
    settle();
    EXPECT_FALSE(pageShown(group::GlobalSettings));
    EXPECT_TRUE(h.editor.connection().keepAliveEnabled());

    openSettings();
    click(SettingsClose);
    settle();
    EXPECT_FALSE(pageShown(group::GlobalSettings));
}

TEST_F(OverlayPages, ACaptionOffersItsValuesAndEveryChoiceSendsPageZero) {
    openSettings();
    h.sent.clear();
    click(PatchOffsetCaption);
    ASSERT_TRUE(g().popupMenu().isOpen());
    const auto& items = g().popupMenu().menu().items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "0-127");
    EXPECT_TRUE(items[0].checked);
    g().popupMenu().choose(0);  // the value already shown
    EXPECT_EQ(pageWrites(sysex::page::Settings).size(), 1u);

    click(PatchOffsetCaption);
    g().popupMenu().choose(1);
    EXPECT_EQ(h.editor.intValue(param::PatchOffset), 1);
    const auto writes = pageWrites(sysex::page::Settings);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(sysex::parseBlockMessage(writes[1]).view.block[3], 1) << "PATCH OFFSET's byte";
    EXPECT_TRUE(pageShown(group::GlobalSettings)) << "a choice does not close the page";
}

TEST_F(OverlayPages, TheSettingsResetAsksFirstAndCancelSendsNothing) {
    openSettings();
    h.platform.answers = {Answer::Cancel, Answer::Ok};
    click(ResetSettings);
    settle();
    EXPECT_TRUE(h.sentWith(sysex::cmd::FactoryReset).empty());
    click(ResetSettings);
    settle();
    EXPECT_EQ(h.platform.texts(), (std::vector<std::string>{"Are you sure?", "Are you sure?"}));
    EXPECT_EQ(h.sentWith(sysex::cmd::FactoryReset),
              (std::vector<sysex::Bytes>{sysex::factoryReset(sysex::reset::Settings)}));
}

// ---- the MIDI pages ------------------------------------------------------------------

TEST_F(OverlayPages, SetupLeadsToTheCcPageWhoseBackSendsTheAssignments) {
    openSettings();
    click(MidiCcSetup);
    settle();
    EXPECT_TRUE(pageShown(group::MidiCc));
    EXPECT_FALSE(pageShown(group::GlobalSettings));
    EXPECT_EQ(pageRequests(sysex::page::MidiAssign).size(), 1u);
    matchesGolden("midi-cc");

    // The third box (MID): nothing goes before BACK.
    const IRECT mid = IRECT{1100, 350, 1220, 750}.row(2, 8).shrunk(3);
    g().onMouseDblClick(mid.MW(), mid.MH(), IMouseMod{});
    ASSERT_TRUE(g().textEntry().isOpen());
    for (int i = 0; i < 4; ++i) g().onKey(igraphics::EKey::Backspace);
    g().textEntry().insert("99");
    g().textEntry().commit();
    EXPECT_TRUE(pageWrites(sysex::page::MidiAssign).empty());

    click(Back);
    settle();
    EXPECT_FALSE(pageShown(group::MidiCc));
    EXPECT_TRUE(pageShown(group::GlobalSettings));
    const auto writes = pageWrites(sysex::page::MidiAssign);
    ASSERT_EQ(writes.size(), 1u);
    const auto block = sysex::parseBlockMessage(writes[0]).view.block;
    EXPECT_EQ((std::vector<int>(block.begin(), block.begin() + 8)),
              (std::vector<int>{0, 1, 99, 3, 4, 5, 6, 7}));
}

TEST_F(OverlayPages, TheProgramMapPageShowsTheBoxesOfThePresetNumbering) {
    openSettings();
    click(ProgramMapSetup);
    settle();
    EXPECT_TRUE(pageShown(group::ProgramMap));
    EXPECT_TRUE(pageShown(group::ProgramMapFrom0));
    EXPECT_FALSE(pageShown(group::ProgramMapFrom1));
    EXPECT_EQ(pageRequests(sysex::page::ProgramMap).size(), 1u);
    click(Back);
    settle();
    EXPECT_FALSE(pageShown(group::ProgramMap));
    EXPECT_FALSE(pageShown(group::ProgramMapFrom0));
    EXPECT_EQ(pageWrites(sysex::page::ProgramMap).size(), 1u);

    h.editor.setParameterFromUser(param::PatchOffset, 1);
    click(ProgramMapSetup);
    settle();
    EXPECT_FALSE(pageShown(group::ProgramMapFrom0));
    EXPECT_TRUE(pageShown(group::ProgramMapFrom1));
    matchesGolden("program-map");
}

TEST_F(OverlayPages, EveryWindowStartsFromTheIdentityProgramMap) {
    h.editor.setParameterFromUser(param::ControllerProgram, 9);
    h.editor.setParameterFromUser(param::DeviceProgram, 100);
    ASSERT_EQ(h.editor.programMap()[9], 100);
    WindowContent again(h.editor, h.loop, resources::find);
    for (int c = 0; c < NumPresets; ++c) ASSERT_EQ(h.editor.programMap()[c], c) << c;
}

// ---- About, status, progress, firmware -------------------------------------------------

TEST_F(OverlayPages, AboutShowsTheVersionAndAClickAnywhereClosesIt) {
    EXPECT_TRUE(h.editor.aboutRequested());
    EXPECT_TRUE(pageShown(group::About));
    bool versionShown = false;
    g().forGroup(group::About, [&](IControl& c) {
        if (auto* t = dynamic_cast<igraphics::ITextControl*>(&c))
            versionShown |= t->text() == "v1.0.0";
    });
    EXPECT_TRUE(versionShown);
    matchesGolden("about");
    click(Point{1500, 900});
    settle();
    EXPECT_FALSE(pageShown(group::About));
    EXPECT_TRUE(h.editor.aboutRequested()) << "a second Help > About opens it again";
}

TEST_F(OverlayPages, TheProgressOverlayShieldsThePageBelow) {
    window.view().transferStarted(Transfer::BulkRead);
    window.view().transferProgress(Transfer::BulkRead, 0.42);
    EXPECT_EQ(window.view().text(tag::ProgressText), "42 %");
    // The faceplate's knobs lie under the panel.
    IControl* top = g().controlAt(1050, 600);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->group(), group::Progress);
    matchesGolden("progress");
    window.view().transferEnded(Transfer::BulkRead, true);
    EXPECT_FALSE(pageShown(group::Progress));
    EXPECT_NE(g().controlAt(1050, 600)->group(), group::Progress);
}

TEST_F(OverlayPages, TheFirmwarePageOpensItsLinkAndClosesWithX) {
    h.editor.menuCommand(MenuCommand::FirmwareUpdate);
    settle();
    EXPECT_TRUE(pageShown(group::FirmwareBackground));
    EXPECT_TRUE(pageShown(group::FirmwareUpdate));
    EXPECT_FALSE(pageShown(group::Firmware));
    matchesGolden("firmware");

    click(FirmwareLink);
    EXPECT_EQ(urls.urls, (std::vector<std::string>{FirmwareDownloadsUrl}));
    click(FirmwareClose);
    settle();
    EXPECT_FALSE(pageShown(group::FirmwareBackground));
    EXPECT_FALSE(pageShown(group::FirmwareUpdate));
    EXPECT_FALSE(h.editor.connection().online()) << "the editor looks for the device again";
    EXPECT_TRUE(h.editor.connection().keepAliveEnabled());
}

TEST_F(OverlayPages, AFailedUpdateReturnsToTheMainPageWithTheFaceplateGreyed) {
    const auto image = h.dir.path() / "vornix.bin";
    {
        std::ofstream out(image, std::ios::binary);
        out << std::string(1000, '\x5A');
    }
    h.editor.menuCommand(MenuCommand::FirmwareUpdate);
    h.platform.files = {image.string()};
    click(FirmwareUpdate);
    settle();
    ASSERT_EQ(h.sentWith(0x100 + sysex::fwcmd::EnterUpdate).size(), 1u);
    h.receive(sysex::firmwareStatus(sysex::fwcmd::Ready));
    settle(300);
    EXPECT_TRUE(pageShown(group::Firmware));
    EXPECT_NE(window.view().text(tag::FirmwareText), "0 %");
    matchesGolden("firmware-progress");

    h.receive(sysex::firmwareStatus(sysex::fwcmd::Failed));
    settle();
    EXPECT_EQ(h.platform.texts().back(), "Error in update!");
    for (const char* page : {group::Firmware, group::FirmwareBackground, group::FirmwareUpdate})
        EXPECT_FALSE(pageShown(page)) << page;
    bool mainEnabled = true, faceplateEnabled = false;
    g().forGroup(group::Main, [&](IControl& c) { mainEnabled &= !c.isDisabled(); });
    g().forGroup(group::Faceplate, [&](IControl& c) { faceplateEnabled |= !c.isDisabled(); });
    EXPECT_TRUE(mainEnabled);
    EXPECT_FALSE(faceplateEnabled) << "greyed until the device is back";

    settle(3400);  // the editor looks for the device again
    EXPECT_FALSE(h.sentWith(sysex::cmd::Request).empty());
    h.goOnline();
    g().forGroup(group::Faceplate, [&](IControl& c) { EXPECT_FALSE(c.isDisabled()); });
}

}  // namespace
}  // namespace vornix::ui
