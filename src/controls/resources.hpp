#pragma once
// Pictures and SVGs from the program's embedded resources.
//
// A picture is decoded once per (name, resource scale) and shared by every
// control that asks for it; drawing at another scale uses a copy resized once
// for that scale, so a frame never rescales or re-decodes a picture. Only the
// pixels that are drawn are kept: once the resized copy exists, the picture's
// own pixels are let go (a full-window background is 9 MB) and decoded again
// from its bytes if the scale ever changes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _RsvgHandle RsvgHandle;

namespace igraphics {

// Returns the bytes of the resource with this upper-case name, or an empty span.
using ResourceLookup = std::function<std::span<const std::uint8_t>(std::string_view upperCaseName)>;

// A picture with its pre-scaled copy; shared between bitmaps. Made from its
// encoded bytes, it knows its size at once and decodes its pixels when first
// drawn, so pictures of pages that are never shown cost nothing at start.
class BitmapData {
  public:
    BitmapData(cairo_surface_t* decoded, int resourceScale);
    // Null when the bytes do not start like a picture.
    static std::shared_ptr<BitmapData> encoded(std::span<const std::uint8_t> bytes, int scale);
    ~BitmapData();
    BitmapData(const BitmapData&) = delete;
    BitmapData& operator=(const BitmapData&) = delete;

    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    int resourceScale() const { return scale_; }
    bool isDecoded() const { return decoded_ != nullptr || scaled_ != nullptr; }
    // The bytes of pixels kept: the picture's own or its resized copy, not both.
    std::size_t heldPixelBytes() const;
    // The picture at drawScale device pixels per logical pixel; null when its
    // pixels cannot be decoded.
    cairo_surface_t* surfaceFor(double drawScale) const;

  private:
    BitmapData(std::vector<std::uint8_t> encoded, int width, int height, int resourceScale);
    bool decode() const;
    void releaseDecodedIfReproducible() const;
    void releaseScaled() const;

    mutable std::vector<std::uint8_t> encoded_;
    mutable bool broken_ = false;
    mutable cairo_surface_t* decoded_ = nullptr;
    int width_;
    int height_;
    int scale_;
    mutable double cachedScale_ = 0.0;
    mutable cairo_surface_t* scaled_ = nullptr;
};

class IBitmap {
  public:
    IBitmap() = default;
    IBitmap(std::shared_ptr<BitmapData> data, std::string name, int frames, bool framesHorizontal);

    bool isValid() const { return data_ != nullptr; }
    const std::string& name() const { return name_; }
    int frames() const { return frames_; }
    bool framesAreHorizontal() const { return horizontal_; }
    // 1 for a plain picture, 2 for an "@2x" one.
    int scale() const { return data_ ? data_->resourceScale() : 1; }
    // Sizes in logical pixels.
    float width() const;
    float height() const;
    float frameWidth() const { return horizontal_ ? width() / frames_ : width(); }
    float frameHeight() const { return horizontal_ ? height() : height() / frames_; }
    const BitmapData* data() const { return data_.get(); }

  private:
    std::shared_ptr<BitmapData> data_;
    std::string name_;
    int frames_ = 1;
    bool horizontal_ = false;
};

// An SVG document parsed when first drawn: the parser's code and the parsed
// document cost nothing until a page that shows the picture is drawn.
class SvgDocument {
  public:
    explicit SvgDocument(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    ~SvgDocument();
    SvgDocument(const SvgDocument&) = delete;
    SvgDocument& operator=(const SvgDocument&) = delete;

    // Null when the bytes are no SVG.
    RsvgHandle* handle() const;
    bool isParsed() const { return parsed_; }
    double width() const;
    double height() const;

  private:
    void parse() const;

    mutable std::vector<std::uint8_t> bytes_;
    mutable RsvgHandle* handle_ = nullptr;
    mutable bool parsed_ = false;
    mutable double width_ = 0.0;
    mutable double height_ = 0.0;
};

class ISVG {
  public:
    ISVG() = default;
    ISVG(std::shared_ptr<const SvgDocument> document, std::string name)
        : document_(std::move(document)), name_(std::move(name)) {}

    bool isValid() const { return handle() != nullptr; }
    const std::string& name() const { return name_; }
    RsvgHandle* handle() const { return document_ ? document_->handle() : nullptr; }
    const SvgDocument* document() const { return document_.get(); }
    double width() const { return document_ ? document_->width() : 0.0; }
    double height() const { return document_ ? document_->height() : 0.0; }

  private:
    std::shared_ptr<const SvgDocument> document_;
    std::string name_;
};

class ResourceCache {
  public:
    void setLookup(ResourceLookup lookup) { lookup_ = std::move(lookup); }
    // The bytes of a resource by any-case name; empty when absent.
    std::span<const std::uint8_t> find(std::string_view name) const;

    // Prefers "NAME@2X.EXT" when preferDouble; an unknown or undecodable name
    // gives an invalid bitmap that remembers the name.
    IBitmap bitmap(std::string_view name, int frames, bool framesHorizontal, bool preferDouble);
    ISVG svg(std::string_view name);
    // Decodes a PNG (or any stb_image format) from memory; null when not a picture.
    static std::shared_ptr<BitmapData> decode(std::span<const std::uint8_t> bytes, int scale);

    // Pictures looked up (each once); their pixels wait until they are drawn.
    int decodeCount() const { return decodeCount_; }

  private:
    std::shared_ptr<BitmapData> loadOnce(const std::string& upperName, int scale);

    ResourceLookup lookup_;
    std::map<std::string, std::shared_ptr<BitmapData>> decoded_;
    std::map<std::string, ISVG> svgs_;
    int decodeCount_ = 0;
};

std::string toUpper(std::string_view s);
// "KNOB.PNG" -> "KNOB@2X.PNG"; a name without an extension gets the suffix at the end.
std::string doubleScaleName(std::string_view upperName);

}  // namespace igraphics
