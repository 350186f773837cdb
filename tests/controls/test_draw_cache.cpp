// Kept pictures of controls: they must look like drawing, be used while
// nothing changed, and give way to a fresh drawing after every change.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "controls/controls.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

std::vector<std::uint8_t> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A thick-tracked vector knob that counts how often it is really drawn.
class CountingKnob : public IVKnobControl {
  public:
    explicit CountingKnob(const IRECT& r)
        : IVKnobControl(r, kNoParameter, {},
                        DEFAULT_STYLE.withShowLabel(false).withShowValue(false), false, false,
                        -135.f, 135.f, -135.f, EDirection::Vertical, 4.0, 18.f) {}
    void draw(Painter& p) override {
        ++draws;
        IVKnobControl::draw(p);
    }
    int draws = 0;
};

// The knob is 100 x 100 at the corner: its 18-pixel track passes (91, 50) at three o'clock.
constexpr int kTrackX = 91;
constexpr int kTrackY = 50;

struct KnobWindow : Context {
    CountingKnob* knob;
    KnobWindow() {
        ui.setBackgroundColor(COLOR_WHITE);
        knob = &ui.attach(std::make_unique<CountingKnob>(IRECT(0, 0, 100, 100)));
    }
    // Draws until the knob's picture is kept, so that what follows tests the kept one.
    void settle(double scale = 1.0) {
        for (int i = 0; i < 3; ++i) pixelAt(ui, 0, 0, scale);
    }
    bool trackIsFilled(double scale = 1.0) {
        return pixelAt(ui, kTrackX, kTrackY, scale) == COLOR_BLACK;
    }
};

TEST(DrawCache, UnchangedControlIsPaintedFromItsPictureUntilAFontArrives) {
    KnobWindow w;
    w.settle();
    const int draws = w.knob->draws;
    for (int i = 0; i < 5; ++i) pixelAt(w.ui, 0, 0);
    EXPECT_EQ(w.knob->draws, draws);

    const auto roboto =
        readFile("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf");
    if (roboto.empty()) GTEST_SKIP() << "fonts-roboto is not installed";
    ASSERT_TRUE(w.ui.loadFont("Roboto-Regular", roboto));
    pixelAt(w.ui, 0, 0);
    EXPECT_GT(w.knob->draws, draws);
}

TEST(DrawCache, ShowsTheNewValueAfterSetValueAndAfterAScaleChange) {
    KnobWindow w;
    w.knob->setValueFromEditor(0.0);
    w.settle();
    EXPECT_FALSE(w.trackIsFilled());
    w.knob->setValueFromEditor(1.0);
    EXPECT_TRUE(w.trackIsFilled());
    w.settle();
    EXPECT_TRUE(w.trackIsFilled());

    w.ui.setDrawScale(1920, 1200, 0.5f);
    const int draws = w.knob->draws;
    EXPECT_TRUE(w.trackIsFilled(0.5));
    EXPECT_GT(w.knob->draws, draws);  // a picture at scale 1 is no picture at 0.5
    w.settle(0.5);
    w.knob->setValueFromEditor(0.0);
    EXPECT_FALSE(w.trackIsFilled(0.5));
}

// Shown again (a page switch), a control is painted from its kept picture;
// greyed, from the same picture at a quarter; pressed, it is drawn anew.
TEST(DrawCache, HiddenShownDisabledOrPressedControlIsDrawnAgain) {
    KnobWindow w;
    w.knob->setValueFromEditor(1.0);
    w.settle();
    w.knob->hide(true);
    EXPECT_EQ(pixelAt(w.ui, kTrackX, kTrackY), COLOR_WHITE);
    w.knob->hide(false);
    int draws = w.knob->draws;
    EXPECT_TRUE(w.trackIsFilled());
    EXPECT_EQ(w.knob->draws, draws);
    w.knob->hide(true);
    w.knob->setValueFromEditor(0.0);  // changed while hidden: the kept picture is gone
    w.knob->hide(false);
    EXPECT_FALSE(w.trackIsFilled());
    w.knob->setValueFromEditor(1.0);

    w.settle();
    w.knob->disable(true);
    EXPECT_NEAR(pixelAt(w.ui, kTrackX, kTrackY).R, 191, 1);  // black at a quarter over white
    w.settle();
    EXPECT_NEAR(pixelAt(w.ui, kTrackX, kTrackY).R, 191, 1);  // and the same from the picture
    w.knob->disable(false);
    EXPECT_TRUE(w.trackIsFilled());

    // The dial turns to the pressed colour without any value change.
    w.settle();
    draws = w.knob->draws;
    w.ui.onMouseDown(50, 50, {});
    pixelAt(w.ui, 0, 0);
    EXPECT_GT(w.knob->draws, draws);
    w.ui.onMouseUp(50, 50, {});
}

TEST(DrawCache, TextAndColourChangesReachTheScreen) {
    Context c;
    c.ui.setBackgroundColor(COLOR_WHITE);
    auto* text = &c.ui.attach(std::make_unique<ITextControl>(IRECT(0, 0, 40, 40), "",
                                                             IText(40, COLOR_BLACK), COLOR_WHITE));
    auto inkOf = [&] {
        int dark = 0;
        for (int y = 5; y < 35; y += 3)
            for (int x = 5; x < 35; x += 3) dark += pixelAt(c.ui, x, y).R < 128;
        return dark;
    };
    for (int i = 0; i < 3; ++i) pixelAt(c.ui, 0, 0);
    EXPECT_EQ(inkOf(), 0);
    text->setText("M");
    const int ink = inkOf();
    EXPECT_GT(ink, 0);
    text->setColor(COLOR_WHITE);
    EXPECT_EQ(inkOf(), 0);
    text->setColor(COLOR_BLACK);
    EXPECT_EQ(inkOf(), ink);
}

TEST(DrawCache, DraggedKnobIsDrawnOncePerFrameWithoutBuildingPictures) {
    KnobWindow w;
    w.settle();
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1920, 1200);
    cairo_t* cr = cairo_create(s);
    w.ui.onMouseDown(50, 50, {});
    for (int frame = 0; frame < 10; ++frame) {
        const int draws = w.knob->draws;
        w.ui.onMouseDrag(50, 50, 0.f, frame % 2 ? 20.f : -20.f, {});
        IRECT dirty;
        ASSERT_TRUE(w.ui.isDirty(dirty));
        w.ui.draw(cr, dirty);
        EXPECT_EQ(w.knob->draws, draws + 1);
    }
    w.ui.onMouseUp(50, 50, {});
    cairo_destroy(cr);
    cairo_surface_destroy(s);
}

// ---------------------------------------------------------------- fidelity

using Table = std::map<std::string, std::vector<std::uint8_t>, std::less<>>;

// As GTK draws on a HiDPI screen: the surface has a device scale, which the
// context's own scale includes and the shell undoes first.
// repaint false copies what the window kept from its last drawing, and draws
// only what changed since.
cairo_surface_t* drawWindow(IGraphics& ui, double scale, double shiftX, double shiftY,
                            double deviceScale = 1.0, bool repaint = true) {
    const int w = static_cast<int>(ui.width() * scale * deviceScale);
    const int h = static_cast<int>(ui.height() * scale * deviceScale);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_set_device_scale(s, deviceScale, deviceScale);
    cairo_t* cr = cairo_create(s);
    cairo_translate(cr, shiftX, shiftY);
    cairo_scale(cr, 1.0 / deviceScale, 1.0 / deviceScale);
    if (repaint) ui.setAllDirty();
    ui.draw(cr, ui.bounds());
    cairo_destroy(cr);
    cairo_surface_flush(s);
    return s;
}

// The largest difference of any channel of any pixel.
int largestDifference(cairo_surface_t* a, cairo_surface_t* b) {
    const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    const int stride = cairo_image_surface_get_stride(a);
    const unsigned char* pa = cairo_image_surface_get_data(a);
    const unsigned char* pb = cairo_image_surface_get_data(b);
    int largest = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 4; ++x) {
            const std::ptrdiff_t i = static_cast<std::ptrdiff_t>(y) * stride + x;
            largest = std::max(largest, std::abs(pa[i] - pb[i]));
        }
    return largest;
}

TEST(DrawCache, PicturesLookLikeDrawingAtEveryScaleAndOffset) {
    Context c;
    const auto roboto =
        readFile("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf");
    if (!roboto.empty()) c.ui.loadFont("Roboto-Regular", roboto);
    Table table{{"ROT.PNG", makePng(50, 50, IColor(255, 200, 120, 40))}};
    c.ui.setResourceLookup([&table](std::string_view name) -> std::span<const std::uint8_t> {
        auto it = table.find(name);
        return it == table.end() ? std::span<const std::uint8_t>{} : it->second;
    });
    c.ui.setBackgroundColor(IColor(255, 225, 225, 225));
    const IVStyle style = DEFAULT_STYLE.withRoundness(0.3f).withColor(kX1, COLOR_ORANGE);
    const IText text(22, COLOR_BLACK, "Roboto-Regular");
    // Fractional bounds and a rotated square whose corners leave its bounds.
    c.ui.attach(std::make_unique<IBKnobRotaterControl>(IRECT(10.5f, 10.25f, 110.5f, 110.25f),
                                                       c.ui.bitmapResource("rot.png"), kGain))
        .setValueFromEditor(0.35);
    c.ui.attach(
        std::make_unique<IVKnobControl>(IRECT(130.3f, 10, 230.3f, 130), kGain, "GAIN", style));
    c.ui.attach(
        std::make_unique<IVSliderControl>(IRECT(250, 10, 300, 130), kSteps, "STEPS", style));
    c.ui.attach(std::make_unique<IVButtonControl>(IRECT(320, 20, 450, 60), nullptr, "OK", style));
    c.ui.attach(
        std::make_unique<IVSlideSwitchControl>(IRECT(320, 80, 470, 130), kChoice, "TYPE", style));
    c.ui.attach(std::make_unique<ITextControl>(IRECT(10, 150, 300, 190), "Connecting...", text,
                                               COLOR_WHITE));
    c.ui.attach(std::make_unique<ICaptionControl>(IRECT(320, 150, 470, 190), kChoice, text));
    c.ui.attach(std::make_unique<IVKnobControl>(IRECT(500, 10, 600, 130), kMidi, "OFF", style))
        .disable(true);

    struct Case {
        double scale, screen, dx, dy;
    };
    for (const auto& [scale, screen, dx, dy] :
         {Case{1, 1, 0, 0}, Case{1, 1, 3, 0.5}, Case{0.5, 1, 0, 0}, Case{0.5, 1, 3, 0.5},
          Case{2, 1, 0, 0}, Case{1, 2, 0, 0}, Case{0.5, 2, 1, 0}}) {
        SCOPED_TRACE(::testing::Message()
                     << "scale " << scale << " screen " << screen << " shift " << dx << "," << dy);
        c.ui.setDrawScale(1920, 1200, static_cast<float>(scale));
        c.ui.setScreenScale(screen);
        {
            // Marked changed, the first drawing is a real one.
            c.ui.forAllControls([](IControl& control) { control.markDirty(); });
            cairo_surface_t* drawn = drawWindow(c.ui, scale, dx, dy, screen);
            cairo_surface_t* built = drawWindow(c.ui, scale, dx, dy, screen);
            cairo_surface_t* kept = drawWindow(c.ui, scale, dx, dy, screen);
            // Two compositing steps instead of one round differently by a level or two.
            EXPECT_LE(largestDifference(drawn, built), 2);
            EXPECT_EQ(largestDifference(built, kept), 0);
            cairo_surface_destroy(drawn);
            cairo_surface_destroy(built);
            cairo_surface_destroy(kept);
        }
    }
}

// ---------------------------------------------------------------- the window's kept frame

// A full repaint copies the window's kept frame. Whatever happened since the
// frame was last drawn whole (a change drawn only where the shell asked, a
// change not drawn yet, another scale or target) shows exactly as a drawing
// of everything would show it.
TEST(KeptFrame, ACopiedWindowLooksLikeAWindowDrawnAnew) {
    Context c;
    c.ui.setBackgroundColor(IColor(255, 225, 225, 225));
    auto* near = &c.ui.attach(std::make_unique<ITextControl>(IRECT(10, 10, 200, 50), "near"));
    auto* far = &c.ui.attach(std::make_unique<ITextControl>(IRECT(1500, 1000, 1700, 1040), "far"));
    auto* knob = &c.ui.attach(std::make_unique<CountingKnob>(IRECT(300.5f, 10, 400.5f, 110)));
    struct Case {
        const char* what;
        std::function<void()> change;
        double scale = 1, screen = 1, dx = 0, dy = 0;
    };
    const auto drawOnly = [&](const IRECT& area) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1920, 1200);
        cairo_t* cr = cairo_create(s);
        c.ui.draw(cr, area);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    };
    const Case cases[] = {
        {"nothing changed", [] {}},
        {"one change drawn alone, one not drawn",
         [&] {
             near->setText("NEAR");
             far->setText("FAR");
             drawOnly(near->bounds());
         }},
        {"a control hidden and a knob turned",
         [&] {
             far->hide(true);
             knob->setValueFromEditor(0.8);
         }},
        {"half scale", [] {}, 0.5},
        {"a shifted HiDPI target", [&] { knob->setValueFromEditor(0.3); }, 0.5, 2, 1, 0},
        {"a half-pixel shift", [&] { far->hide(false); }, 1, 1, 3, 0.5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        c.ui.setDrawScale(1920, 1200, static_cast<float>(k.scale));
        c.ui.setScreenScale(k.screen);
        cairo_surface_t* before = drawWindow(c.ui, k.scale, k.dx, k.dy, k.screen, false);
        k.change();
        cairo_surface_t* copied = drawWindow(c.ui, k.scale, k.dx, k.dy, k.screen, false);
        cairo_surface_t* anew = drawWindow(c.ui, k.scale, k.dx, k.dy, k.screen, true);
        // A knob painted from its kept picture rounds a level or two apart.
        EXPECT_LE(largestDifference(copied, anew), 2);
        cairo_surface_destroy(before);
        cairo_surface_destroy(copied);
        cairo_surface_destroy(anew);
    }
}

}  // namespace
}  // namespace igraphics::testing
