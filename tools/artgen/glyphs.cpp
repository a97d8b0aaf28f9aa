// FreeType rendering of short ASCII texts and the outlined lettering style of the game's art.
#include "tools/artgen/glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int FIXED_SHIFT = 6;  // FreeType's 26.6 fixed point
constexpr int LARGEST_EM = 200;

FT_Face FaceOf(void* face) {
    return static_cast<FT_Face>(face);
}

// Grey-scale dilation with a round brush: the outline's coverage.
Coverage Dilate(const Coverage& ink, int radius) {
    Coverage grown(ink.width + 2 * radius, ink.height + 2 * radius);
    for (int y = 0; y < grown.height; ++y) {
        for (int x = 0; x < grown.width; ++x) {
            float best = 0.0f;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    // a soft rim: the brush reaches half a pixel beyond the radius
                    const float reach = static_cast<float>(radius) + 0.5f -
                                        std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    if (reach <= 0.0f) {
                        continue;
                    }
                    const float value =
                        ink.At(x - radius + dx, y - radius + dy) * std::min(reach, 1.0f);
                    best = std::max(best, value);
                }
            }
            grown.Ref(x, y) = best;
        }
    }
    return grown;
}

}  // namespace

struct Font::Library {
    Library() { FT_Init_FreeType(&handle); }
    ~Library() { FT_Done_FreeType(handle); }
    FT_Library handle = nullptr;
};

Font::Font(const std::string& path) {
    static std::weak_ptr<Library> shared;
    library = shared.lock();
    if (!library) {
        library = std::make_shared<Library>();
        shared = library;
    }
    FT_Face opened = nullptr;
    if (library->handle != nullptr && FT_New_Face(library->handle, path.c_str(), 0, &opened) == 0) {
        face = opened;
    }
}

Font::~Font() {
    if (face != nullptr) {
        FT_Done_Face(FaceOf(face));
    }
}

TextInk Font::Render(const std::string& text, int pixelWidth, int pixelHeight, int tracking) const {
    TextInk result;
    if (face == nullptr) {
        return result;
    }
    FT_Face ft = FaceOf(face);
    FT_Set_Pixel_Sizes(ft, static_cast<FT_UInt>(pixelWidth), static_cast<FT_UInt>(pixelHeight));

    // First pass: where each glyph lands; second: copy the bitmaps into one map.
    struct Placed {
        int left, top, width, height;
        std::vector<float> values;
    };
    std::vector<Placed> glyphs;
    long penX = 0;
    FT_UInt previous = 0;
    for (char character : text) {
        const FT_UInt index = FT_Get_Char_Index(ft, static_cast<unsigned char>(character));
        if (previous != 0 && FT_HAS_KERNING(ft)) {
            FT_Vector kerning;
            FT_Get_Kerning(ft, previous, index, FT_KERNING_DEFAULT, &kerning);
            penX += kerning.x;
        }
        if (FT_Load_Glyph(ft, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            continue;
        }
        const FT_GlyphSlot slot = ft->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        Placed placed{static_cast<int>(penX >> FIXED_SHIFT) + slot->bitmap_left,
                      -slot->bitmap_top,
                      static_cast<int>(bitmap.width),
                      static_cast<int>(bitmap.rows),
                      {}};
        for (int y = 0; y < placed.height; ++y) {
            for (int x = 0; x < placed.width; ++x) {
                placed.values.push_back(bitmap.buffer[y * bitmap.pitch + x] / 255.0f);
            }
        }
        if (placed.width > 0 && placed.height > 0) {
            glyphs.push_back(std::move(placed));
        }
        penX += slot->advance.x + (static_cast<long>(tracking) << FIXED_SHIFT);
        previous = index;
    }
    if (glyphs.empty()) {
        return result;
    }
    int left = glyphs[0].left, top = glyphs[0].top, right = left, bottom = top;
    for (const Placed& glyph : glyphs) {
        left = std::min(left, glyph.left);
        top = std::min(top, glyph.top);
        right = std::max(right, glyph.left + glyph.width);
        bottom = std::max(bottom, glyph.top + glyph.height);
    }
    Coverage full(right - left, bottom - top);
    for (const Placed& glyph : glyphs) {
        for (int y = 0; y < glyph.height; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                float& target = full.Ref(glyph.left - left + x, glyph.top - top + y);
                target = std::min(1.0f, target + glyph.values[y * glyph.width + x]);
            }
        }
    }
    // Trim rows and columns without ink (glyph boxes may carry empty margins).
    int inkLeft = full.width, inkRight = -1, inkTop = full.height, inkBottom = -1;
    for (int y = 0; y < full.height; ++y) {
        for (int x = 0; x < full.width; ++x) {
            if (full.At(x, y) > 0.0f) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    }
    if (inkRight < 0) {
        return result;
    }
    result.ink = Coverage(inkRight - inkLeft + 1, inkBottom - inkTop + 1);
    for (int y = 0; y < result.ink.height; ++y) {
        for (int x = 0; x < result.ink.width; ++x) {
            result.ink.Ref(x, y) = full.At(inkLeft + x, inkTop + y);
        }
    }
    result.inkLeft = left + inkLeft;
    result.inkTop = top + inkTop;
    return result;
}

TextGroup::TextGroup(const Font& font, std::vector<std::string> texts, float aspect, int maxWidth,
                     int maxHeight, int outlineRadius, int tracking)
    : TextGroup(font, texts, aspect, std::vector<int>(texts.size(), maxWidth), maxHeight,
                outlineRadius, tracking) {}

TextGroup::TextGroup(const Font& font, std::vector<std::string> texts, float aspect,
                     const std::vector<int>& maxWidths, int maxHeight, int outlineRadius,
                     int tracking)
    : texts(std::move(texts)) {
    for (int candidate = std::min(LARGEST_EM, 3 * maxHeight); candidate > 1 && em == 0;
         --candidate) {
        const int emWidth = std::max(1, static_cast<int>(std::lround(candidate * aspect)));
        inks.clear();
        bool fits = true;
        top = 0;
        bottom = 0;
        for (size_t index = 0; index < this->texts.size(); ++index) {
            inks.push_back(font.Render(this->texts[index], emWidth, candidate, tracking));
            fits = fits && inks.back().ink.width + 2 * outlineRadius <= maxWidths[index];
            top = std::min(top, inks.back().inkTop);
            bottom = std::max(bottom, inks.back().inkTop + inks.back().ink.height);
        }
        if (fits && bottom - top + 2 * outlineRadius <= maxHeight) {
            em = candidate;
        }
    }
}

void PaintLettering(Image& image, int x, int y, const Coverage& ink, const LetterStyle& style) {
    const int radius = style.outlineRadius;
    const Coverage rim = Dilate(ink, radius);
    for (int row = 0; row < rim.height; ++row) {
        for (int column = 0; column < rim.width; ++column) {
            image.BlendOver(x - radius + column, y - radius + row, style.outline,
                            rim.At(column, row));
        }
    }
    for (int row = 0; row < ink.height; ++row) {
        const float along =
            ink.height > 1 ? static_cast<float>(row) / static_cast<float>(ink.height - 1) : 0.0f;
        const Colour fill = Mix(style.top, style.bottom, along);
        for (int column = 0; column < ink.width; ++column) {
            image.BlendOver(x + column, y + row, fill, ink.At(column, row));
        }
    }
}

void PaintOnBaseline(Image& image, const Rect& rect, const TextInk& text, const LetterStyle& style,
                     int baselineY) {
    PaintLettering(image, rect.x + (rect.width - text.ink.width) / 2, baselineY + text.inkTop,
                   text.ink, style);
}

}  // namespace artgen
