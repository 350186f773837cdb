#include "controls/resources.hpp"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

namespace igraphics {

namespace {

constexpr int kRgbaChannels = 4;
constexpr double kSvgDpi = 72.0;

// stb gives straight RGBA bytes; cairo wants native-endian premultiplied ARGB.
std::uint32_t premultiplied(const unsigned char* rgba) {
    const std::uint32_t a = rgba[3];
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul(rgba[0]) << 16) | (mul(rgba[1]) << 8) | mul(rgba[2]);
}

const cairo_user_data_key_t kDecodedPixels{};

// stb's pixels, premultiplied where they lie, become the surface's own: a
// full-window picture is decoded without a second 9 MB buffer to fault in
// and copy. Rows of 4-byte pixels are the stride cairo asks for at any width.
// Takes the pixels; null (with the pixels freed) when cairo cannot wrap them.
cairo_surface_t* surfaceOverPixels(unsigned char* rgba, int w, int h) {
    for (std::size_t i = 0, n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h); i < n;
         ++i) {
        const std::uint32_t pixel = premultiplied(rgba + i * kRgbaChannels);
        std::memcpy(rgba + i * kRgbaChannels, &pixel, sizeof pixel);
    }
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(rgba, CAIRO_FORMAT_ARGB32, w, h, w * kRgbaChannels);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_set_user_data(surface, &kDecodedPixels, rgba, stbi_image_free) !=
            CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        stbi_image_free(rgba);
        return nullptr;
    }
    return surface;
}

}  // namespace

// ---------------------------------------------------------------- BitmapData

BitmapData::BitmapData(cairo_surface_t* decoded, int resourceScale)
    : decoded_(decoded),
      width_(cairo_image_surface_get_width(decoded)),
      height_(cairo_image_surface_get_height(decoded)),
      scale_(resourceScale) {}

BitmapData::BitmapData(std::vector<std::uint8_t> encoded, int width, int height, int resourceScale)
    : encoded_(std::move(encoded)), width_(width), height_(height), scale_(resourceScale) {}

std::shared_ptr<BitmapData> BitmapData::encoded(std::span<const std::uint8_t> bytes, int scale) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels) ||
        w <= 0 || h <= 0)
        return nullptr;
    return std::shared_ptr<BitmapData>(
        new BitmapData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), w, h, scale));
}

BitmapData::~BitmapData() {
    if (scaled_) cairo_surface_destroy(scaled_);
    if (decoded_) cairo_surface_destroy(decoded_);
}

// A picture whose pixels turn out broken stays empty rather than being tried
// again every frame.
bool BitmapData::decode() const {
    if (decoded_) return true;
    if (encoded_.empty() || broken_) return false;
    const auto picture = ResourceCache::decode(encoded_, scale_);
    // The header promised this size; pixels of another size are not the picture laid out.
    if (!picture || picture->width_ != width_ || picture->height_ != height_) {
        broken_ = true;
        std::vector<std::uint8_t>().swap(encoded_);
        return false;
    }
    std::swap(decoded_, picture->decoded_);
    return true;
}

std::size_t BitmapData::heldPixelBytes() const {
    std::size_t bytes = 0;
    for (cairo_surface_t* s : {decoded_, scaled_})
        if (s)
            bytes += static_cast<std::size_t>(cairo_image_surface_get_stride(s)) *
                     static_cast<std::size_t>(cairo_image_surface_get_height(s));
    return bytes;
}

void BitmapData::releaseDecodedIfReproducible() const {
    if (encoded_.empty() || !decoded_) return;
    cairo_surface_destroy(decoded_);
    decoded_ = nullptr;
}

void BitmapData::releaseScaled() const {
    if (scaled_) cairo_surface_destroy(scaled_);
    scaled_ = nullptr;
    cachedScale_ = 0.0;
}

cairo_surface_t* BitmapData::surfaceFor(double drawScale) const {
    const double factor = drawScale / scale_;
    if (std::abs(factor - 1.0) < 1e-9) {
        if (!decode()) return nullptr;
        releaseScaled();
        return decoded_;
    }
    if (scaled_ && cachedScale_ == drawScale) return scaled_;
    if (!decode()) return nullptr;
    releaseScaled();
    const int w = std::max(1, static_cast<int>(std::lround(width_ * factor)));
    const int h = std::max(1, static_cast<int>(std::lround(height_ * factor)));
    scaled_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(scaled_);
    cairo_scale(cr, static_cast<double>(w) / width_, static_cast<double>(h) / height_);
    cairo_set_source_surface(cr, decoded_, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(scaled_);
    cachedScale_ = drawScale;
    releaseDecodedIfReproducible();
    return scaled_;
}

// ---------------------------------------------------------------- IBitmap, ISVG

IBitmap::IBitmap(std::shared_ptr<BitmapData> data, std::string name, int frames,
                 bool framesHorizontal)
    : data_(std::move(data)),
      name_(std::move(name)),
      frames_(std::max(1, frames)),
      horizontal_(framesHorizontal) {}

float IBitmap::width() const {
    return data_ ? static_cast<float>(data_->pixelWidth()) / data_->resourceScale() : 0.f;
}

float IBitmap::height() const {
    return data_ ? static_cast<float>(data_->pixelHeight()) / data_->resourceScale() : 0.f;
}

SvgDocument::~SvgDocument() {
    if (handle_) g_object_unref(handle_);
}

void SvgDocument::parse() const {
    if (parsed_) return;
    parsed_ = true;
    if (bytes_.empty()) return;
    GError* error = nullptr;
    handle_ = rsvg_handle_new_from_data(bytes_.data(), bytes_.size(), &error);
    if (error) g_error_free(error);
    std::vector<std::uint8_t>().swap(bytes_);
    if (!handle_) return;
    rsvg_handle_set_dpi(handle_, kSvgDpi);
    gdouble w = 0, h = 0;
    if (rsvg_handle_get_intrinsic_size_in_pixels(handle_, &w, &h)) {
        width_ = w;
        height_ = h;
    }
}

RsvgHandle* SvgDocument::handle() const {
    parse();
    return handle_;
}

double SvgDocument::width() const {
    parse();
    return width_;
}

double SvgDocument::height() const {
    parse();
    return height_;
}

// ---------------------------------------------------------------- names

std::string toUpper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string doubleScaleName(std::string_view upperName) {
    const auto dot = upperName.rfind('.');
    if (dot == std::string_view::npos) return std::string(upperName) + "@2X";
    return std::string(upperName.substr(0, dot)) + "@2X" + std::string(upperName.substr(dot));
}

// ---------------------------------------------------------------- ResourceCache

std::span<const std::uint8_t> ResourceCache::find(std::string_view name) const {
    if (!lookup_ || name.empty()) return {};
    return lookup_(toUpper(name));
}

std::shared_ptr<BitmapData> ResourceCache::decode(std::span<const std::uint8_t> bytes, int scale) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
    int w = 0, h = 0, channels = 0;
    unsigned char* rgba = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w,
                                                &h, &channels, kRgbaChannels);
    if (!rgba) return nullptr;
    cairo_surface_t* surface = surfaceOverPixels(rgba, w, h);
    if (!surface) return nullptr;
    return std::make_shared<BitmapData>(surface, scale);
}

std::shared_ptr<BitmapData> ResourceCache::loadOnce(const std::string& upperName, int scale) {
    if (auto it = decoded_.find(upperName); it != decoded_.end()) return it->second;
    const auto bytes = find(upperName);
    if (bytes.empty()) return nullptr;
    ++decodeCount_;
    auto data = BitmapData::encoded(bytes, scale);
    // Undecodable bytes are remembered too, so a broken picture is not retried every frame.
    decoded_[upperName] = data;
    return data;
}

IBitmap ResourceCache::bitmap(std::string_view name, int frames, bool framesHorizontal,
                              bool preferDouble) {
    const std::string upper = toUpper(name);
    std::shared_ptr<BitmapData> data;
    if (preferDouble) data = loadOnce(doubleScaleName(upper), 2);
    if (!data) data = loadOnce(upper, 1);
    return IBitmap(std::move(data), std::string(name), frames, framesHorizontal);
}

ISVG ResourceCache::svg(std::string_view name) {
    const std::string upper = toUpper(name);
    if (auto it = svgs_.find(upper); it != svgs_.end()) return it->second;
    ISVG result;
    if (const auto bytes = find(upper); !bytes.empty())
        result = ISVG(std::make_shared<const SvgDocument>(
                          std::vector<std::uint8_t>(bytes.begin(), bytes.end())),
                      std::string(name));
    svgs_[upper] = result;
    return result;
}

}  // namespace igraphics
