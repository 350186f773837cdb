#pragma once
// Pictures that are checked: the whole window drawn at half scale and compared
// with its reference in tests/data/golden/. Every run writes what it drew to
// golden/NAME.png under the test's working folder; a difference also writes
// golden/NAME.diff.png (the differing pixels in red over a faded copy).
// scripts/accept-golden copies the drawn pictures over the references once
// someone has looked at them.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "controls/igraphics.hpp"
#include "temp_dir.hpp"

namespace vornix::testing {

namespace golden {

// Anti-aliased edges may land a little differently with another compiler's
// rounding; a channel that differs by more than this is a real difference.
inline constexpr int ChannelTolerance = 24;
// A label cut in half or an undimmed strip differs in hundreds of pixels.
inline constexpr long MaxDifferentPixels = 24;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

inline Surface loadPng(const std::filesystem::path& file) {
    return Surface(cairo_image_surface_create_from_png(file.string().c_str()),
                   cairo_surface_destroy);
}

inline std::uint32_t pixelAt(cairo_surface_t* surface, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

inline bool samePixel(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - ((b >> shift) & 0xFF);
        if (std::abs(difference) > ChannelTolerance) return false;
    }
    return true;
}

// Counts the differing pixels and writes the difference picture when any differ.
inline long compare(cairo_surface_t* drawn, cairo_surface_t* reference,
                    const std::filesystem::path& diffFile) {
    const int width = cairo_image_surface_get_width(drawn);
    const int height = cairo_image_surface_get_height(drawn);
    Surface diff(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height),
                 cairo_surface_destroy);
    cairo_t* cr = cairo_create(diff.get());
    cairo_set_source_surface(cr, drawn, 0, 0);
    cairo_paint_with_alpha(cr, 0.25);
    cairo_set_source_rgb(cr, 1, 0, 0);
    long different = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!samePixel(pixelAt(drawn, x, y), pixelAt(reference, x, y))) {
                ++different;
                cairo_rectangle(cr, x, y, 1, 1);
            }
    cairo_fill(cr);
    cairo_destroy(cr);
    if (different > 0) cairo_surface_write_to_png(diff.get(), diffFile.string().c_str());
    return different;
}

inline ::testing::AssertionResult matches(cairo_surface_t* drawn, const std::string& name) {
    const std::filesystem::path out = std::filesystem::path("golden") / (name + ".png");
    const std::filesystem::path diffFile = std::filesystem::path("golden") / (name + ".diff.png");
    std::filesystem::create_directories(out.parent_path());
    std::filesystem::remove(diffFile);
    if (cairo_surface_write_to_png(drawn, out.string().c_str()) != CAIRO_STATUS_SUCCESS)
        return ::testing::AssertionFailure() << "could not write " << out;
    const auto where = std::filesystem::absolute(out).string();
    const auto referenceFile = testDataPath("golden/" + name + ".png");
    Surface reference = loadPng(referenceFile);
    if (cairo_surface_status(reference.get()) != CAIRO_STATUS_SUCCESS)
        return ::testing::AssertionFailure()
               << "no reference picture " << referenceFile << ": look at " << where
               << ", then scripts/accept-golden " << name;
    if (cairo_image_surface_get_width(reference.get()) != cairo_image_surface_get_width(drawn) ||
        cairo_image_surface_get_height(reference.get()) != cairo_image_surface_get_height(drawn))
        return ::testing::AssertionFailure() << name << ": the reference has another size";
    // The reference comes back from the PNG as ARGB32; draw ours into the same format.
    const long different = compare(drawn, reference.get(), diffFile);
    if (different > MaxDifferentPixels)
        return ::testing::AssertionFailure()
               << name << ": " << different << " pixels differ from the reference (see "
               << std::filesystem::absolute(diffFile).string() << "; drawn: " << where
               << "; scripts/accept-golden " << name << " takes it once looked at)";
    return ::testing::AssertionSuccess();
}

}  // namespace golden

// The window at half scale compared with tests/data/golden/NAME.png.
inline ::testing::AssertionResult matchesGoldenPage(igraphics::IGraphics& g,
                                                    const std::string& name) {
    golden::Surface surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, igraphics::kLogicalWidth / 2,
                                   igraphics::kLogicalHeight / 2),
        cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    g.setDrawScale(igraphics::kLogicalWidth, igraphics::kLogicalHeight, 0.5f);
    g.setAllDirty();
    g.draw(cr, g.bounds());
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    return golden::matches(surface.get(), name);
}

}  // namespace vornix::testing
