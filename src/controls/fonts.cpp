#include "controls/fonts.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <vector>

namespace igraphics {

namespace {

// cairo keeps font faces in its own caches after we release them, so the
// FreeType library must outlive every face: one per process, never freed.
FT_Library freeTypeLibrary() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

// The face and the bytes it reads from, released when cairo drops the face.
struct FaceOwner {
    std::vector<std::uint8_t> bytes;
    FT_Face face = nullptr;
    ~FaceOwner() {
        if (face) FT_Done_Face(face);
    }
};

const cairo_user_data_key_t kFaceOwnerKey{};

}  // namespace

FontRegistry::~FontRegistry() {
    for (auto& [id, face] : faces_) cairo_font_face_destroy(face);
}

bool FontRegistry::load(const std::string& id, std::span<const std::uint8_t> bytes) {
    FT_Library lib = freeTypeLibrary();
    if (!lib || bytes.empty()) return false;
    auto owner = std::make_unique<FaceOwner>();
    owner->bytes.assign(bytes.begin(), bytes.end());
    if (FT_New_Memory_Face(lib, owner->bytes.data(), static_cast<FT_Long>(owner->bytes.size()), 0,
                           &owner->face) != 0) {
        owner->face = nullptr;
        return false;
    }
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(owner->face, 0);
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        return false;
    }
    FaceOwner* raw = owner.release();
    if (cairo_font_face_set_user_data(face, &kFaceOwnerKey, raw, [](void* p) {
            delete static_cast<FaceOwner*>(p);
        }) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        delete raw;
        return false;
    }
    if (auto it = faces_.find(id); it != faces_.end()) {
        cairo_font_face_destroy(it->second);
        it->second = face;
    } else {
        faces_.emplace(id, face);
    }
    if (first_.empty()) first_ = id;
    return true;
}

bool FontRegistry::has(std::string_view id) const {
    return faces_.find(id) != faces_.end();
}

cairo_font_face_t* FontRegistry::face(std::string_view id) const {
    for (std::string_view candidate : {id, std::string_view(default_), std::string_view(first_)}) {
        if (candidate.empty()) continue;
        if (auto it = faces_.find(candidate); it != faces_.end()) return it->second;
    }
    return nullptr;
}

}  // namespace igraphics
