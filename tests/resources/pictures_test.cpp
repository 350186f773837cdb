// The pictures the pages ask for: present, decodable, at the sizes and frame layouts the
// controls rely on, at 1x and at exactly twice the pixels for "@2x".

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "resources/resources.hpp"

namespace vornix::resources {
namespace {

struct Image {
    int width = 0, height = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels{nullptr, stbi_image_free};
    const stbi_uc* at(int x, int y) const { return pixels.get() + 4 * (y * width + x); }
};

Image decode(std::string_view name) {
    Image img;
    const auto bytes = find(name);
    if (bytes.empty()) return img;
    int channels = 0;
    img.pixels.reset(stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &img.width,
                                           &img.height, &channels, 4));
    if (!img.pixels) img.width = img.height = 0;
    return img;
}

std::string twoX(const std::string& name) {
    const auto dot = name.rfind('.');
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}

struct Expected {
    const char* name;
    int frameWidth, frameHeight, frames;  // frames stacked vertically
    bool hasTwoX;
};

constexpr Expected kPictures[] = {
    {"background.png", 1920, 1200, 1, true},
    {"backgroundred.png", 1920, 1200, 1, true},
    {"about.png", 1920, 1200, 1, true},
    {"globalbg.png", 1920, 1200, 1, true},
    {"fwbg.png", 1920, 1200, 1, true},
    {"irbg.png", 630, 460, 1, true},
    {"mic.png", 50, 30, 1, true},
    {"micbg.png", 50, 432, 1, true},
    {"midiferrok.png", 512, 120, 1, true},
    {"knobrotate.png", 106, 106, 1, true},
    {"knobrotatebig.png", 136, 136, 1, true},
    {"led.png", 25, 25, 1, true},
    {"fswitch.png", 74, 74, 2, true},
    {"save.png", 48, 48, 2, true},
    {"amp-orvel.png", 163, 71, 2, true},
    {"amp-kestrin.png", 140, 71, 2, true},
    {"amp-palomir.png", 140, 71, 2, true},
    {"amp-tessaly.png", 140, 71, 2, true},
    {"amp-vindro.png", 140, 71, 2, true},
    {"amp-marrock.png", 163, 71, 2, true},
    {"amp-belvane.png", 140, 71, 2, true},
    {"amp-corvash.png", 140, 71, 2, true},
    {"amp-drennic.png", 140, 71, 2, true},
    {"amp-halcyra.png", 140, 71, 2, true},
    {"radio-room.png", 163, 71, 2, true},
    {"radio-hall.png", 140, 71, 2, true},
    {"radio-spring.png", 140, 71, 2, true},
    {"radio-plate.png", 140, 71, 2, true},
    {"radio-chorus.png", 140, 71, 2, true},
    {"radio-echo.png", 163, 71, 2, true},
    {"radio-echoverb.png", 140, 71, 2, false},
};

TEST(Pictures, DecodeAtTheirSizeAndTwiceThatForTwoX) {
    for (const Expected& e : kPictures) {
        SCOPED_TRACE(e.name);
        const Image one = decode(e.name);
        EXPECT_EQ(one.width, e.frameWidth);
        EXPECT_EQ(one.height, e.frameHeight * e.frames);
        const Image two = decode(twoX(e.name));
        if (e.hasTwoX) {
            EXPECT_EQ(two.width, 2 * e.frameWidth);
            EXPECT_EQ(two.height, 2 * e.frameHeight * e.frames);
        } else {
            EXPECT_TRUE(find(twoX(e.name)).empty()) << "must fall back to the 1x picture";
        }
    }
}

// Brightest value of one channel (0 red .. 3 alpha) over a rectangle.
int brightest(const Image& img, int x0, int y0, int x1, int y1, int channel) {
    int best = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) best = std::max<int>(best, img.at(x, y)[channel]);
    return best;
}

// Mean of one channel over a rectangle.
double mean(const Image& img, int x0, int y0, int x1, int y1, int channel) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) sum += img.at(x, y)[channel];
    return sum / ((x1 - x0) * (y1 - y0));
}

double frameDifference(const Image& img, int frameHeight) {
    double diff = 0;
    for (int y = 0; y < frameHeight; ++y)
        for (int x = 0; x < img.width; ++x)
            for (int c = 0; c < 4; ++c)
                diff += std::abs(img.at(x, y)[c] - img.at(x, y + frameHeight)[c]);
    return diff / (img.width * frameHeight);
}

TEST(Pictures, SecondFrameLooksDifferentFromTheFirst) {
    for (const Expected& e : kPictures) {
        if (e.frames != 2) continue;
        SCOPED_TRACE(e.name);
        const Image img = decode(e.name);
        ASSERT_EQ(img.height, 2 * e.frameHeight);
        EXPECT_GT(frameDifference(img, e.frameHeight), 2.0);
    }
}

TEST(Pictures, KnobsPointStraightUp) {
    // The rotater turns the picture by value x 300 - 150 degrees, so value 0.5 must read as
    // "up": the bright indicator sits above the centre, not below or beside it.
    for (const char* name : {"KNOBROTATE.PNG", "KNOBROTATEBIG.PNG", "KNOBROTATE@2X.PNG"}) {
        SCOPED_TRACE(name);
        const Image k = decode(name);
        ASSERT_GT(k.width, 0);
        const int c = k.width / 2, band = k.width / 20 + 1, reach = k.width * 2 / 5;
        const int up = brightest(k, c - band, c - reach, c + band, c - reach / 2, 1);
        const int down = brightest(k, c - band, c + reach / 2, c + band, c + reach, 1);
        const int side = brightest(k, c + reach / 2, c - band, c + reach, c + band, 1);
        EXPECT_GT(up, down + 80);
        EXPECT_GT(up, side + 80);
        // Transparent corners: the control rotates the picture over the faceplate.
        EXPECT_EQ(k.at(0, 0)[3], 0);
    }
}

TEST(Pictures, WindowBackgroundsAreOpaque) {
    for (const char* name : {"BACKGROUND.PNG", "BACKGROUNDRED.PNG", "BACKGROUND@2X.PNG"}) {
        SCOPED_TRACE(name);
        const Image img = decode(name);
        ASSERT_GT(img.width, 0);
        EXPECT_EQ(mean(img, 0, 0, img.width, img.height, 3), 255.0);
    }
}

TEST(Pictures, LayerBBackgroundLightsTheRedLegendsOnly) {
    const Image a = decode("background.png");
    const Image b = decode("backgroundred.png");
    ASSERT_EQ(a.width, b.width);
    // Below the DRIVE knob (centre 769.5, 189) sits its red second-function legend.
    EXPECT_GT(mean(b, 730, 254, 810, 272, 0), mean(a, 730, 254, 810, 272, 0) + 10);
    // The preset column is the same in both.
    EXPECT_EQ(mean(a, 0, 300, 250, 1100, 1), mean(b, 0, 300, 250, 1100, 1));
}

TEST(Pictures, LampIsLitRed) {
    const Image led = decode("led.png");
    ASSERT_EQ(led.width, 25);
    const stbi_uc* centre = led.at(12, 12);
    EXPECT_GT(centre[0], 200);
    EXPECT_GT(centre[0], centre[1] + 60);
}

}  // namespace
}  // namespace vornix::resources
