// Finding a Japanese font, decoding UTF-8 and drawing lines of text with FreeType.
#include "platform/box/box_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform::box {
namespace {

constexpr char32_t REPLACEMENT_CHARACTER = 0xFFFD;
constexpr char32_t LARGEST_CODE_POINT = 0x10FFFF;
constexpr char32_t FIRST_SURROGATE = 0xD800;
constexpr char32_t LAST_SURROGATE = 0xDFFF;
// A character every Japanese font has: the katakana "ge" that begins the quit question.
constexpr char32_t JAPANESE_PROBE = 0x30B2;
// FreeType measures in 1/64 pixel.
constexpr int SUBPIXELS = 64;

// Debian's Japanese font packages: fonts-ipafont-gothic first, then the alternatives.
const char* const KNOWN_FONT_FILES[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/truetype/takao-gothic/TakaoPGothic.ttf",
    "/usr/share/fonts/truetype/vlgothic/VL-Gothic-Regular.ttf",
    "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
};

bool HasJapanese(FT_Library library, const std::string& file) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0) {
        return false;
    }
    bool found = FT_Get_Char_Index(face, JAPANESE_PROBE) != 0;
    FT_Done_Face(face);
    return found;
}

std::string AskFontconfig() {
    if (!FcInit()) {
        return {};
    }
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
    if (pattern == nullptr) {
        return {};
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

}  // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> codePoints;
    size_t index = 0;
    while (index < text.size()) {
        auto lead = static_cast<unsigned char>(text[index]);
        int continuation = lead < 0x80    ? 0
                           : lead >= 0xF0 ? 3
                           : lead >= 0xE0 ? 2
                           : lead >= 0xC0 ? 1
                                          : -1;
        char32_t codePoint = continuation == 0   ? lead
                             : continuation == 1 ? lead & 0x1Fu
                             : continuation == 2 ? lead & 0x0Fu
                                                 : lead & 0x07u;
        bool valid = continuation >= 0 && lead < 0xF8 && index + continuation < text.size();
        for (int next = 1; valid && next <= continuation; ++next) {
            auto byte = static_cast<unsigned char>(text[index + next]);
            valid = (byte & 0xC0) == 0x80;
            codePoint = codePoint << 6 | (byte & 0x3Fu);
        }
        // Overlong forms and surrogates are as invalid as broken sequences.
        constexpr char32_t SMALLEST[] = {0, 0x80, 0x800, 0x10000};
        if (valid && (codePoint < SMALLEST[continuation] || codePoint > LARGEST_CODE_POINT ||
                      (codePoint >= FIRST_SURROGATE && codePoint <= LAST_SURROGATE))) {
            valid = false;
        }
        if (valid) {
            codePoints.push_back(codePoint);
            index += continuation + 1;
        } else {
            codePoints.push_back(REPLACEMENT_CHARACTER);
            ++index;
        }
    }
    return codePoints;
}

std::string FindJapaneseFontFile() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return {};
    }
    std::string found;
    std::string asked = AskFontconfig();
    if (!asked.empty() && HasJapanese(library, asked)) {
        found = asked;
    }
    for (const char* file : KNOWN_FONT_FILES) {
        if (found.empty() && HasJapanese(library, file)) {
            found = file;
        }
    }
    FT_Done_FreeType(library);
    return found;
}

struct BoxFont::Faces {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Faces() {
        if (face != nullptr) {
            FT_Done_Face(face);
        }
        if (library != nullptr) {
            FT_Done_FreeType(library);
        }
    }
};

BoxFont::BoxFont(std::unique_ptr<Faces> faces) : faces(std::move(faces)) {
    const FT_Size_Metrics& metrics = this->faces->face->size->metrics;
    ascent = static_cast<int>(metrics.ascender / SUBPIXELS);
    lineHeight = static_cast<int>(metrics.height / SUBPIXELS);
}

BoxFont::~BoxFont() = default;

std::unique_ptr<BoxFont> BoxFont::Load(const std::string& fontFile, int pixelSize) {
    auto faces = std::make_unique<Faces>();
    if (fontFile.empty() || FT_Init_FreeType(&faces->library) != 0 ||
        FT_New_Face(faces->library, fontFile.c_str(), 0, &faces->face) != 0 ||
        FT_Set_Pixel_Sizes(faces->face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        return nullptr;
    }
    return std::unique_ptr<BoxFont>(new BoxFont(std::move(faces)));
}

int BoxFont::TextWidth(std::string_view utf8) {
    int width = 0;
    for (char32_t codePoint : DecodeUtf8(utf8)) {
        if (FT_Load_Char(faces->face, codePoint, FT_LOAD_DEFAULT) == 0) {
            width += static_cast<int>(faces->face->glyph->advance.x / SUBPIXELS);
        }
    }
    return width;
}

void BoxFont::Draw(Canvas& canvas, int left, int top, std::string_view utf8, uint32_t rgb) {
    int penX = left;
    int baseline = top + ascent;
    for (char32_t codePoint : DecodeUtf8(utf8)) {
        if (FT_Load_Char(faces->face, codePoint, FT_LOAD_RENDER) != 0) {
            continue;
        }
        FT_GlyphSlot glyph = faces->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        // Anything but 8-bit coverage (a bitmap-only face) is drawn as full coverage per bit.
        bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                int coverage =
                    gray ? line[column] : ((line[column / 8] >> (7 - column % 8)) & 1) * 255;
                canvas.Blend(penX + glyph->bitmap_left + static_cast<int>(column),
                             baseline - glyph->bitmap_top + static_cast<int>(row), rgb, coverage);
            }
        }
        penX += static_cast<int>(glyph->advance.x / SUBPIXELS);
    }
}

}  // namespace platform::box
