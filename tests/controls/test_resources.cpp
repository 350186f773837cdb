// Pictures, SVGs and fonts from the resource table, and the gallery of every
// control class written as PNG files for review.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "controls/controls.hpp"
#include "temp_dir.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

using Table = std::map<std::string, std::vector<std::uint8_t>, std::less<>>;

ResourceLookup lookupIn(const Table& table) {
    return [&table](std::string_view name) -> std::span<const std::uint8_t> {
        auto it = table.find(name);
        if (it == table.end()) return {};
        return it->second;
    };
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kSvgKnob =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="60" height="60" viewBox="0 0 60 60">)"
    R"(<circle cx="30" cy="30" r="27" fill="#303030" stroke="#d0d0d0" stroke-width="3"/>)"
    R"(<rect x="28" y="5" width="4" height="18" fill="#ff8000"/></svg>)";

TEST(BitmapResource, PrefersTheDoubleSizePictureAtScaleTwo) {
    Context c;
    Table table{{"KNOB.PNG", makePng(10, 40, COLOR_RED)},
                {"KNOB@2X.PNG", makePng(20, 80, COLOR_BLUE)},
                {"PLAIN.PNG", makePng(8, 8, COLOR_WHITE)}};
    c.ui.setResourceLookup(lookupIn(table));
    IBitmap one = c.ui.bitmapResource("knob.png", 4);
    EXPECT_EQ(one.scale(), 1);
    EXPECT_EQ(one.frameHeight(), 10.f);
    c.ui.setDrawScale(1920, 1200, 2.f);
    IBitmap two = c.ui.bitmapResource("knob.png", 4);
    EXPECT_EQ(two.scale(), 2);
    EXPECT_EQ(two.frameHeight(), 10.f);                      // the same logical size
    EXPECT_EQ(c.ui.bitmapResource("plain.png").scale(), 1);  // falls back to the plain name
    c.ui.setDrawScale(1920, 1200, 1.f);
    c.ui.setScreenScale(2.0);
    EXPECT_EQ(c.ui.bitmapResource("knob.png", 4).scale(), 2);
}

// A page that is never shown costs no decoding; a picture whose pixels are
// broken behind a good header draws nothing.
TEST(BitmapResource, PixelsAreDecodedWhenFirstDrawn) {
    Context c;
    std::vector<std::uint8_t> broken = makePng(6, 6, COLOR_RED);
    broken.resize(40);  // the header and size survive, the pixel data does not
    const std::vector<std::uint8_t> dial(kSvgKnob, kSvgKnob + std::strlen(kSvgKnob));
    Table table{{"SHOWN.PNG", makePng(6, 6, COLOR_RED)},
                {"HIDDEN.PNG", makePng(6, 6, COLOR_BLUE)},
                {"BROKEN.PNG", broken},
                {"SHOWN.SVG", dial},
                {"HIDDEN.SVG", dial}};
    c.ui.setResourceLookup(lookupIn(table));
    const IBitmap shown = c.ui.bitmapResource("shown.png");
    const IBitmap hidden = c.ui.bitmapResource("hidden.png");
    const IBitmap bad = c.ui.bitmapResource("broken.png");
    EXPECT_EQ(bad.width(), 6.f);
    c.ui.attach(std::make_unique<IBitmapControl>(0, 0, shown));
    c.ui.attach(std::make_unique<IBitmapControl>(10, 0, hidden)).hide(true);
    c.ui.attach(std::make_unique<IBitmapControl>(20, 0, bad));
    const ISVG shownDial = c.ui.svgResource("shown.svg");
    const ISVG hiddenDial = c.ui.svgResource("hidden.svg");
    c.ui.attach(std::make_unique<ISVGKnobControl>(IRECT(40, 0, 80, 40), shownDial, kGain));
    c.ui.attach(std::make_unique<ISVGKnobControl>(IRECT(80, 0, 120, 40), hiddenDial, kGain))
        .hide(true);
    EXPECT_FALSE(shown.data()->isDecoded());
    EXPECT_FALSE(shownDial.document()->isParsed());
    EXPECT_EQ(pixelAt(c.ui, 3, 3).R, 255);
    EXPECT_TRUE(shown.data()->isDecoded());
    EXPECT_TRUE(shownDial.document()->isParsed());
    EXPECT_TRUE(shownDial.isValid());
    EXPECT_FALSE(hidden.data()->isDecoded());
    EXPECT_FALSE(hiddenDial.document()->isParsed());
    EXPECT_FALSE(bad.data()->isDecoded());
}

// Drawn at another scale, only the resized copy stays in memory; going back
// to the picture's own scale decodes it again and draws the same pixels.
TEST(BitmapResource, KeepsOnlyThePixelsItDraws) {
    Context c;
    Table table{{"BIG.PNG", makePng(200, 100, COLOR_RED)}};
    c.ui.setResourceLookup(lookupIn(table));
    const IBitmap big = c.ui.bitmapResource("big.png");
    c.ui.attach(std::make_unique<IBitmapControl>(0, 0, big));
    c.ui.setDrawScale(1920, 1200, 0.5f);
    EXPECT_EQ(pixelAt(c.ui, 50, 25, 0.5).R, 255);
    EXPECT_EQ(big.data()->heldPixelBytes(), 100u * 50u * 4u);
    c.ui.setDrawScale(1920, 1200, 1.0f);
    EXPECT_EQ(pixelAt(c.ui, 150, 75).R, 255);
    EXPECT_EQ(big.data()->heldPixelBytes(), 200u * 100u * 4u);
}

TEST(BitmapResource, ControlsFetchTheirPicturesAgainWhenTheScaleChanges) {
    Context c;
    Table table{{"BG.PNG", makePng(4, 4, COLOR_RED)}, {"BG@2X.PNG", makePng(8, 8, COLOR_BLUE)}};
    c.ui.setResourceLookup(lookupIn(table));
    auto* pic = &c.ui.attach(std::make_unique<IBitmapControl>(0, 0, c.ui.bitmapResource("bg.png")));
    EXPECT_EQ(pixelAt(c.ui, 1, 1).R, 255);
    c.ui.setDrawScale(1920, 1200, 2.f);
    EXPECT_EQ(pic->bitmap().scale(), 2);
    EXPECT_EQ(pixelAt(c.ui, 1, 1, 2.0).B, 220);
}

// GTK's surfaces at scale factor 2 scale below cairo's device space; the
// shell undoes that scale and the context draws at twice the draw scale. A
// picture must land where and as large as on a plain surface of twice the size.
TEST(BitmapResource, APictureOnAHiDpiSurfaceKeepsItsPlaceAndSize) {
    Context c;
    Table table{{"RED.PNG", makePng(10, 10, COLOR_RED)}};
    c.ui.setResourceLookup(lookupIn(table));
    c.ui.setBackgroundColor(COLOR_BLACK);
    c.ui.setScreenScale(2.0);
    c.ui.attach(std::make_unique<IBitmapControl>(20, 20, c.ui.bitmapResource("red.png")));
    constexpr int Logical = 50, Factor = 2;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Logical * Factor, Logical * Factor);
    cairo_surface_set_device_scale(surface, Factor, Factor);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 1.0 / Factor, 1.0 / Factor);
    c.ui.draw(cr, IRECT(0, 0, Logical, Logical));
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    // The picture's middle: its scaled edges blend into the background.
    auto redAt = [&](int logicalX, int logicalY) {  // ARGB32: red is byte 2
        const int device = (logicalY * Factor + 1) * stride + (logicalX * Factor + 1) * 4;
        return pixels[device + 2] > 200;
    };
    EXPECT_FALSE(redAt(19, 19));
    EXPECT_TRUE(redAt(21, 21));
    EXPECT_TRUE(redAt(28, 28));
    EXPECT_FALSE(redAt(30, 30));
    EXPECT_FALSE(redAt(45, 25));
    cairo_surface_destroy(surface);
}

// The decoder's straight RGBA becomes cairo's premultiplied native ARGB in
// place, at any width.
TEST(BitmapResource, DecodedPixelsArePremultipliedAtAnyWidth) {
    struct Case {
        int width;
        IColor colour;
        std::uint32_t pixel;
    };
    const Case cases[] = {
        {1, IColor{255, 200, 100, 50}, 0xFFC86432},
        {3, IColor{128, 200, 100, 50}, 0x80643219},
        {7, IColor{0, 200, 100, 50}, 0x00000000},
        {1000, IColor{64, 255, 255, 255}, 0x40404040},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const auto data = ResourceCache::decode(makePng(c.width, 2, c.colour), 1);
        ASSERT_NE(data, nullptr);
        cairo_surface_t* s = data->surfaceFor(1.0);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(cairo_image_surface_get_width(s), c.width);
        const auto* last = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(s) + cairo_image_surface_get_stride(s));
        EXPECT_EQ(last[c.width - 1], c.pixel);
    }
}

TEST(BitmapResource, MissingOrBrokenResourceDrawsNothingAndFailsNothing) {
    Context c;
    Table table{{"BROKEN.PNG", {1, 2, 3}}};
    c.ui.setResourceLookup(lookupIn(table));
    c.ui.setBackgroundColor(COLOR_BLACK);
    for (const char* name : {"nosuch.png", "broken.png"}) {
        IBitmap b = c.ui.bitmapResource(name, 3);
        EXPECT_FALSE(b.isValid());
        EXPECT_EQ(b.name(), name);
        c.ui.attach(std::make_unique<IBitmapControl>(0, 0, b));
        c.ui.attach(std::make_unique<IBKnobRotaterControl>(IRECT(0, 0, 50, 50), b, kGain));
    }
    ISVG svg = c.ui.svgResource("micbg.svg");
    EXPECT_FALSE(svg.isValid());
    c.ui.attach(std::make_unique<ISVGKnobControl>(IRECT(0, 0, 50, 50), svg, kGain));
    EXPECT_EQ(pixelAt(c.ui, 10, 10), COLOR_BLACK);
    c.ui.setResourceLookup(nullptr);
    EXPECT_FALSE(c.ui.bitmapResource("bg.png").isValid());
}

TEST(BitmapResource, FramesAreCutFromAStripAndRotationNeverDecodesAgain) {
    Context c;
    // Two frames stacked: red on top, blue below.
    std::vector<std::uint8_t> strip;
    {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 20);
        cairo_t* cr = cairo_create(s);
        cairo_set_source_rgb(cr, 1, 0, 0);
        cairo_rectangle(cr, 0, 0, 10, 10);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0, 0, 1);
        cairo_rectangle(cr, 0, 10, 10, 10);
        cairo_fill(cr);
        cairo_destroy(cr);
        cairo_surface_write_to_png_stream(
            s,
            [](void* out, const unsigned char* d, unsigned int n) {
                auto* v = static_cast<std::vector<std::uint8_t>*>(out);
                v->insert(v->end(), d, d + n);
                return CAIRO_STATUS_SUCCESS;
            },
            &strip);
        cairo_surface_destroy(s);
    }
    Table table{{"SWITCH.PNG", strip}, {"ROT.PNG", makePng(30, 30, COLOR_WHITE)}};
    c.ui.setResourceLookup(lookupIn(table));
    auto* sw = &c.ui.attach(
        std::make_unique<IBitmapControl>(100, 100, c.ui.bitmapResource("switch.png", 2), kSteps));
    EXPECT_EQ(sw->bounds(), IRECT(100, 100, 110, 110));
    sw->setValueFromEditor(0.0);
    EXPECT_EQ(pixelAt(c.ui, 105, 105).R, 255);
    sw->setValueFromEditor(1.0);
    EXPECT_EQ(pixelAt(c.ui, 105, 105).B, 255);

    auto* rot = &c.ui.attach(std::make_unique<IBKnobRotaterControl>(
        IRECT(200, 200, 300, 300), c.ui.bitmapResource("rot.png"), kGain));
    EXPECT_EQ(rot->bounds(), IRECT(235, 235, 265, 265));  // one frame centred in the rectangle
    const int decoded = c.ui.resources().decodeCount();
    for (double v : {0.0, 0.3, 0.7, 1.0}) {
        rot->setValueFromEditor(v);
        pixelAt(c.ui, 250, 250);
    }
    c.ui.setDrawScale(1920, 1200, 0.5f);
    pixelAt(c.ui, 250, 250, 0.5);
    pixelAt(c.ui, 250, 250, 0.5);
    EXPECT_EQ(c.ui.resources().decodeCount(), decoded);
}

TEST(Fonts, LoadFromMemoryAndRefuseBytesThatAreNoFont) {
    Context c;
    const std::vector<std::uint8_t> junk{0, 1, 2, 3};
    EXPECT_FALSE(c.ui.loadFont("Junk", junk));
    EXPECT_FALSE(c.ui.loadFont("Empty", {}));
    const auto roboto =
        readFile("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf");
    if (roboto.empty()) GTEST_SKIP() << "fonts-roboto is not installed";
    EXPECT_TRUE(c.ui.loadFont("Roboto-Regular", roboto));
    EXPECT_TRUE(c.ui.fonts().has("Roboto-Regular"));
    EXPECT_FALSE(c.ui.fonts().has("Font7Seg"));
    // An unknown id falls back to a loaded face rather than to nothing.
    EXPECT_NE(c.ui.fonts().face("Font7Seg"), nullptr);
}

// ---------------------------------------------------------------- gallery

void writeWindow(IGraphics& ui, const std::string& name, double scale) {
    const auto dir =
        std::filesystem::path(vornix::testing::besideTestProgram(VORNIX_CONTROLS_GALLERY_DIR));
    std::filesystem::create_directories(dir);
    const int w = static_cast<int>(ui.width() * scale), h = static_cast<int>(ui.height() * scale);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    ui.draw(cr, ui.bounds());
    cairo_destroy(cr);
    EXPECT_EQ(cairo_surface_write_to_png(s, (dir / name).c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(s);
}

TEST(Gallery, EveryControlClassDrawsToAPng) {
    Context c;
    const auto roboto =
        readFile("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf");
    const auto seg = readFile("/usr/share/fonts/truetype/dseg/DSEG7Classic-Regular.ttf");
    c.ui.loadFont("Roboto-Regular", roboto);
    c.ui.loadFont("Font7Seg", seg);
    c.ui.setDefaultFont("Roboto-Regular");

    Table table{
        {"FRAMES.PNG", makePng(40, 40, IColor(255, 40, 160, 90))},
        {"ROT.PNG", makePng(50, 50, IColor(255, 200, 120, 40))},
        {"KNOB.SVG", std::vector<std::uint8_t>(kSvgKnob, kSvgKnob + std::strlen(kSvgKnob))}};
    c.ui.setResourceLookup(lookupIn(table));
    c.ui.setBackgroundColor(IColor(255, 225, 225, 225));
    c.ui.attachCornerResizer();

    const IRECT area(20, 20, 1900, 500);
    auto cell = [&](int i) { return area.row(i / 6, 2).column(i % 6, 6).shrunk(15); };
    const IVStyle style = DEFAULT_STYLE.withRoundness(0.3f).withColor(kX1, COLOR_ORANGE);
    const IText big(22, COLOR_BLACK, "Roboto-Regular");

    c.ui.attach(
        std::make_unique<IBitmapControl>(cell(0).L, cell(0).T, c.ui.bitmapResource("frames.png")));
    c.ui.attach(std::make_unique<IBButtonControl>(cell(1).L, cell(1).T,
                                                  c.ui.bitmapResource("frames.png"), nullptr));
    c.ui.attach(
            std::make_unique<IBKnobRotaterControl>(cell(2), c.ui.bitmapResource("rot.png"), kGain))
        .setValueFromEditor(0.8);
    c.ui.attach(std::make_unique<ISVGKnobControl>(cell(3), c.ui.svgResource("knob.svg"), kGain));
    c.ui.attach(std::make_unique<IVKnobControl>(cell(4), kGain, "GAIN", style));
    c.ui.attach(std::make_unique<IVKnobControl>(cell(5), kNoParameter, "PRESET",
                                                style.withShowLabel(false).withShowValue(false),
                                                false, false, -135.f, 135.f, -135.f,
                                                EDirection::Vertical, 4.0, 18.f))
        .setValueFromEditor(0.4);
    c.ui.attach(std::make_unique<IVSliderControl>(cell(6), kSteps, "STEPS", style));
    c.ui.attach(std::make_unique<IVButtonControl>(cell(7).centred(150, 50), splashClickActionFunc,
                                                  "RECONNECT", style.withLabelText(big)));
    c.ui.attach(
        std::make_unique<IVSlideSwitchControl>(cell(8).centred(160, 60), kChoice, "TYPE", style));
    c.ui.attach(std::make_unique<ITextControl>(cell(9).fromTop(40), "Connecting to the device...",
                                               big.withAlign(EAlign::Near), COLOR_WHITE));
    c.ui.attach(std::make_unique<ITextControl>(cell(9).fromBottom(60), "88",
                                               IText(48, COLOR_RED, "Font7Seg"), COLOR_BLACK));
    c.ui.attach(std::make_unique<ICaptionControl>(cell(10).fromTop(30), kChoice, big, COLOR_WHITE));
    c.ui.attach(std::make_unique<IURLControl>(cell(10).fromBottom(30), "example.org",
                                              "https://example.org", big));
    c.ui.attach(std::make_unique<IPanelControl>(cell(11), IColor(208, 32, 32, 32)));
    c.ui.attach(std::make_unique<IVNumberBoxControl>(IRECT(40, 560, 160, 620), kMidi, nullptr, "CC",
                                                     style));
    c.ui.attach(std::make_unique<IVLabelControl>(IRECT(200, 560, 360, 600), "label", style));
    c.ui.attach(
        std::make_unique<IEditableTextControl>(IRECT(400, 560, 700, 600), "Preset name", big));
    c.ui.attach(std::make_unique<IInvisibleSelectControl3>(IRECT(750, 560, 900, 700), kSelect));
    auto* greyed = &c.ui.attach(
        std::make_unique<IVKnobControl>(IRECT(950, 540, 1100, 720), kMidi, "DISABLED", style));
    greyed->disable(true);
    auto* pressed = &c.ui.attach(std::make_unique<IVButtonControl>(
        IRECT(1150, 560, 1300, 610), splashClickActionFunc, "SPLASH"));
    c.ui.onMouseDown(1180, 585, {});
    c.loop.advance(48);
    c.ui.createPopupMenu(PopupMenu{{{"Room"}, {"Hall", true}, {"Spring"}}},
                         IRECT(1400, 560, 1600, 590), nullptr);

    writeWindow(c.ui, "controls_1x.png", 1.0);
    writeWindow(c.ui, "controls_half.png", 0.5);
    c.ui.setDrawScale(1920, 1200, 0.5f);
    writeWindow(c.ui, "controls_scaled_half.png", 0.5);
    EXPECT_TRUE(pressed->isAnimating());
}

}  // namespace
}  // namespace igraphics::testing
