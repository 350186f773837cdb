#pragma once
// TrueType fonts registered from memory under the ids the pages use
// ("Roboto-Regular", "Font7Seg", ...), turned into cairo font faces.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

typedef struct _cairo_font_face cairo_font_face_t;

namespace igraphics {

class FontRegistry {
  public:
    FontRegistry() = default;
    ~FontRegistry();
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    // Copies the bytes; false when FreeType cannot read them. A second load
    // under the same id replaces the first.
    bool load(const std::string& id, std::span<const std::uint8_t> bytes);
    bool has(std::string_view id) const;
    // The face for id, else the default font, else the first font loaded;
    // null when nothing is loaded (the caller then uses cairo's own sans face).
    cairo_font_face_t* face(std::string_view id) const;
    void setDefault(std::string id) { default_ = std::move(id); }

  private:
    std::map<std::string, cairo_font_face_t*, std::less<>> faces_;
    std::string default_;
    std::string first_;
};

}  // namespace igraphics
