#include "host/host_settings.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "temp_dir.hpp"

namespace vornix::host {
namespace {

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST(HostSettingsFile, FirstStartCreatesTheFolderAndAFileWithTheDefaults) {
    testing::TempDir temp;
    const auto folder = temp.path() / "share" / "VornixControl";
    SettingsFile file(folder);
    EXPECT_EQ(file.load(), HostSettings{});
    ASSERT_TRUE(std::filesystem::exists(file.path()));
    const std::string text = contentsOf(file.path());
    for (const char* line :
         {"[audio]", "driver=0", "indev=Built-in Input", "outdev=Built-in Output", "in1=1", "in2=2",
          "out1=1", "out2=2", "buffer=512", "sr=44100", "[midi]", "indev=no input",
          "outdev=no output", "inchan=0", "outchan=0"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("[GUI]"), std::string::npos);
}

TEST(HostSettingsFile, ExistingFolderWithoutFileGetsTheDefaultsWritten) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    EXPECT_EQ(file.load(), HostSettings{});
    EXPECT_EQ(file.read(), HostSettings{});
    EXPECT_TRUE(std::filesystem::exists(file.path()));
}

TEST(HostSettingsFile, RoundTripsEveryKey) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    HostSettings s;
    s.driver = 1;
    s.audioInput = "system:capture";
    s.audioOutput = "Dummy = out; #1";
    s.in1 = 3, s.in2 = 4, s.out1 = 5, s.out2 = 6;
    s.bufferFrames = 64;
    s.sampleRate = 48000;
    s.midiInput = "Vornix Simulator:out";
    s.midiOutput = "a2j:Midi Through [14] (playback): Midi Through Port-0";
    s.inChannel = 2, s.outChannel = 15;
    ASSERT_TRUE(file.save(s));
    EXPECT_EQ(file.read(), s);
    EXPECT_EQ(file.load(), s);
}

TEST(HostSettingsFile, MatchesSectionsAndKeysWithoutRegardToCase) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    writeText(file.path(),
              "[AUDIO]\nSR=96000\nDriver=1\n[Midi]\nInDev=My Port\n[gui]\nScale=1.5\n");
    const HostSettings s = file.read();
    EXPECT_EQ(s.sampleRate, 96000);
    EXPECT_EQ(s.driver, 1u);
    EXPECT_EQ(s.midiInput, "My Port");
    EXPECT_EQ(s.midiOutput, "no output");
    EXPECT_EQ(file.scaleText(), "1.5");
}

TEST(HostSettingsFile, DamagedNumbersKeepTheirDefaults) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    writeText(file.path(), "[audio]\nsr=fast\nbuffer=\ndriver=-1\nin1=7x\n");
    const HostSettings s = file.read();
    EXPECT_EQ(s.sampleRate, 44100);
    EXPECT_EQ(s.bufferFrames, 512);
    EXPECT_EQ(s.driver, 0u);
    EXPECT_EQ(s.in1, 1u);
}

TEST(HostSettingsFile, TextValuesAreCutToTheReadBuffer) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    HostSettings s;
    s.midiInput = std::string(150, 'p');
    file.save(s);
    EXPECT_EQ(file.read().midiInput, std::string(99, 'p'));
}

TEST(HostSettingsScale, DefaultsToHalfAndSurvivesSavesOfTheOtherKeys) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    EXPECT_EQ(file.scaleText(), "0.5");
    EXPECT_DOUBLE_EQ(file.scale(), 0.5);
    ASSERT_TRUE(file.saveScale(1.25));
    EXPECT_EQ(file.scaleText(), "1.250000");
    HostSettings s;
    s.midiInput = PortOff;
    ASSERT_TRUE(file.save(s));
    file.load();
    EXPECT_DOUBLE_EQ(file.scale(), 1.25);
    EXPECT_EQ(file.read().midiInput, "off");
}

TEST(HostSettingsScale, UnusableScaleReadsAsHalf) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    for (const char* text : {"abc", "0", "-2", "nan"}) {
        writeText(file.path(), std::string("[GUI]\nscale=") + text + "\n");
        EXPECT_DOUBLE_EQ(file.scale(), 0.5) << text;
    }
}

// The window fits a first start to the monitor; a scale it saved, even the
// default, is kept.
TEST(HostSettingsScale, OnlyAUsableSavedScaleCountsAsStored) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    EXPECT_FALSE(file.hasScale());
    file.load();
    EXPECT_FALSE(file.hasScale()) << "the first start's file has no scale";
    for (const char* text : {"abc", "0", "-2", "nan", ""}) {
        writeText(file.path(), std::string("[GUI]\nscale=") + text + "\n");
        EXPECT_FALSE(file.hasScale()) << text;
    }
    ASSERT_TRUE(file.saveScale(0.5));
    EXPECT_TRUE(file.hasScale());
}

TEST(HostSettingsFile, KeepsSectionsItDoesNotOwn) {
    testing::TempDir temp;
    SettingsFile file(temp.path());
    writeText(file.path(), "[extra]\nkey=value\n");
    file.save(HostSettings{});
    EXPECT_NE(contentsOf(file.path()).find("key=value"), std::string::npos);
}

// A file from before the audio choice names the default device and was never
// a choice: it reads as no audio device. The reported failure is kept only
// while there is one.
TEST(HostSettingsFile, AudioChoiceAndItsReportedFailure) {
    EXPECT_FALSE(parseSettings("[audio]\ndriver=0\noutdev=Built-in Output\n").audioEnabled);
    EXPECT_TRUE(parseSettings("[audio]\nenabled=1\n").audioEnabled);
    EXPECT_FALSE(parseSettings("[audio]\nenabled=yes\n").audioEnabled);

    testing::TempDir temp;
    SettingsFile file(temp.path());
    HostSettings s;
    s.audioEnabled = true;
    s.audioOutput = "system";
    s.audioFailed = "system";
    ASSERT_TRUE(file.save(s));
    EXPECT_EQ(file.read(), s);
    EXPECT_NE(contentsOf(file.path()).find("enabled=1"), std::string::npos);
    ASSERT_TRUE(file.saveAudioFailed(""));
    EXPECT_EQ(contentsOf(file.path()).find("failed="), std::string::npos);
    s.audioFailed.clear();
    EXPECT_EQ(file.read(), s);
}

}  // namespace
}  // namespace vornix::host
