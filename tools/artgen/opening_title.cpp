// Paints the opening picture (emblem above, name below) and the row of hopping letters.
#include "tools/artgen/opening_title.h"

#include <string>
#include <vector>

#include "tools/artgen/emblem.h"
#include "tools/artgen/glyphs.h"

namespace artgen {

namespace {

constexpr int BORDER = 1;
constexpr int LETTER_OUTLINE = 2;
constexpr float LETTER_ASPECT = 0.62f;  // tall letters: the cells are narrow and 64 high
inline const char* const GAME_NAME = "GORVANTI";
inline const char* const TAGLINE = "TILT THE BOARD  -  ROLL TO THE GOAL";
constexpr Rect NAME_AREA{8, 66, 240, 42};
constexpr Rect TAGLINE_AREA{16, 108, 224, 16};
constexpr Point EMBLEM_TOP{128, 4};

const Colour NAVY{0.03f, 0.05f, 0.16f, 1.0f};
const LetterStyle NAME_STYLE{
    {1.0f, 0.97f, 0.62f, 1.0f}, {1.0f, 0.58f, 0.06f, 1.0f}, {0.22f, 0.08f, 0.0f, 1.0f}, 2};
const LetterStyle TAGLINE_STYLE{{0.85f, 0.92f, 1.0f, 1.0f}, {0.62f, 0.76f, 1.0f, 1.0f}, NAVY, 1};
const LetterStyle INVITATION_STYLE{
    {1.0f, 1.0f, 1.0f, 1.0f}, {0.55f, 0.90f, 1.0f, 1.0f}, NAVY, LETTER_OUTLINE};

enum class Align { Left, Centre, Right };

// Where each letter sits in its cell: the wide cells hold a word gap on one side.
constexpr std::array<Align, LETTER_COUNT> LETTER_ALIGN{
    Align::Right,  Align::Centre, Align::Centre, Align::Centre, Align::Right,  Align::Centre,
    Align::Centre, Align::Centre, Align::Left,   Align::Right,  Align::Centre, Align::Centre};

void PaintInvitation(Image& image, const ArtFonts& fonts) {
    std::vector<std::string> letters;
    std::vector<int> widths;
    for (int index = 0; index < LETTER_COUNT; ++index) {
        letters.push_back(std::string(1, INVITATION_LETTERS[index]));
        widths.push_back(LETTER_WIDTHS[index] - 2 * BORDER);
    }
    const TextGroup group(fonts.sansBold, letters, LETTER_ASPECT, widths,
                          LETTER_ROW_HEIGHT - 2 * BORDER, LETTER_OUTLINE, 0);
    for (int index = 0; index < LETTER_COUNT; ++index) {
        const Rect cell = LetterCell(index);
        const Coverage& ink = group.inks[index].ink;
        const int margin = BORDER + LETTER_OUTLINE;
        int x = cell.x + (cell.width - ink.width) / 2;
        if (LETTER_ALIGN[index] == Align::Left) {
            x = cell.x + margin;
        } else if (LETTER_ALIGN[index] == Align::Right) {
            x = cell.x + cell.width - margin - ink.width;
        }
        PaintLettering(image, x, group.Baseline(cell) + group.inks[index].inkTop, ink,
                       INVITATION_STYLE);
    }
}

void PaintCentredText(Image& image, const Font& font, const std::string& text, const Rect& area,
                      float aspect, int tracking, const LetterStyle& style) {
    const TextGroup group(font, {text}, aspect, area.width, area.height, style.outlineRadius,
                          tracking);
    PaintOnBaseline(image, area, group.inks[0], style, group.Baseline(area));
}

}  // namespace

Rect LetterCell(int index) {
    int x = 0;
    for (int before = 0; before < index; ++before) {
        x += LETTER_WIDTHS[before];
    }
    return {x, LETTER_ROW_Y, LETTER_WIDTHS[index], LETTER_ROW_HEIGHT};
}

Image BuildOpeningTitle(const ArtFonts& fonts) {
    Image image(OPENING_TEXTURE_SIZE, OPENING_TEXTURE_SIZE);
    PaintEmblem(image, EMBLEM_TOP, 1.0f);
    PaintCentredText(image, fonts.sansBold, GAME_NAME, NAME_AREA, 1.0f, 2, NAME_STYLE);
    PaintCentredText(image, fonts.sansBold, TAGLINE, TAGLINE_AREA, 1.0f, 0, TAGLINE_STYLE);
    PaintInvitation(image, fonts);
    return image;
}

}  // namespace artgen
