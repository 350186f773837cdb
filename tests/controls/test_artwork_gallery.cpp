// Every picture the program carries, drawn through the toolkit at scale 1
// and 2 into PNG files for review, and checked to draw something.
#ifdef VORNIX_HAVE_RESOURCES
#include <cairo.h>
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "controls/bitmap_controls.hpp"
#include "resources/resources.hpp"
#include "temp_dir.hpp"
#include "test_support.hpp"

namespace igraphics::testing {
namespace {

bool isPicture(std::string_view name) {
    return name.ends_with(".PNG") && name.find("@2X") == std::string_view::npos;
}

// The share of pixels that are not fully transparent.
double coverage(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface),
              h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    long drawn = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) drawn += data[y * stride + 4 * x + 3] != 0;
    return double(drawn) / (double(w) * h);
}

TEST(ArtworkGallery, EveryPictureDrawsThroughTheToolkitAtBothScales) {
    const auto dir =
        std::filesystem::path(vornix::testing::besideTestProgram(VORNIX_CONTROLS_GALLERY_DIR)) /
        "artwork";
    std::filesystem::create_directories(dir);
    int pictures = 0;
    for (const std::string_view name : vornix::resources::names()) {
        if (!isPicture(name)) continue;
        for (const float scale : {1.f, 2.f}) {
            Context c;
            c.ui.setResourceLookup(
                [](std::string_view n) { return vornix::resources::find(std::string(n)); });
            const IBitmap bitmap = c.ui.bitmapResource(std::string(name));
            ASSERT_GT(bitmap.width(), 0) << name;
            c.ui.setDrawScale(c.ui.width(), c.ui.height(), scale);
            c.ui.attach(std::make_unique<IBitmapControl>(0.f, 0.f, bitmap));
            const int w = static_cast<int>(bitmap.width() * scale);
            const int h = static_cast<int>(bitmap.height() * scale);
            cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
            cairo_t* cr = cairo_create(surface);
            c.ui.draw(cr, IRECT(0, 0, bitmap.width(), bitmap.height()));
            cairo_destroy(cr);
            EXPECT_GT(coverage(surface), 0.05)
                << name << " at scale " << scale << " is (nearly) empty";
            std::string file(name.substr(0, name.size() - 4));
            for (char& ch : file)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            file += scale > 1 ? "@2x.png" : ".png";
            cairo_surface_write_to_png(surface, (dir / file).c_str());
            cairo_surface_destroy(surface);
        }
        ++pictures;
    }
    EXPECT_GE(pictures, 30) << "the pages name more pictures than were embedded";
}

}  // namespace
}  // namespace igraphics::testing
#endif
