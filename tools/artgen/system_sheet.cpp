// Paints the play scene's sheet: every rectangle the sprites cut, transparent around the letters.
#include "tools/artgen/system_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tools/artgen/glyphs.h"

namespace artgen {

namespace {

// Narrow, tall digits: the cells are about half as wide as they are high.
constexpr float DIGIT_ASPECT = 0.65f;
constexpr float WORD_ASPECT = 1.0f;
// Labels fill their 13 x 25 cells better with letters taller than the font draws them.
constexpr float LABEL_ASPECT = 0.75f;
constexpr int WORD_TRACKING = 1;
constexpr int STAGE_WORD_GAP = 12;  // pixels between the stage word and the stage number
constexpr int BORDER = 1;  // transparent rim inside every rectangle, against filtering bleed
constexpr int THICK_OUTLINE = 2;
constexpr int THIN_OUTLINE = 1;
inline const char* const ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

const Colour NAVY{0.03f, 0.05f, 0.16f, 1.0f};
const LetterStyle DIGIT_STYLE{
    {1.0f, 1.0f, 1.0f, 1.0f}, {0.80f, 0.87f, 1.0f, 1.0f}, NAVY, THICK_OUTLINE};
const LetterStyle SMALL_DIGIT_STYLE{DIGIT_STYLE.top, DIGIT_STYLE.bottom, NAVY, THIN_OUTLINE};
const LetterStyle LABEL_STYLE{
    {1.0f, 1.0f, 1.0f, 1.0f}, {0.86f, 0.90f, 1.0f, 1.0f}, NAVY, THIN_OUTLINE};
const LetterStyle STAGE_STYLE{
    {1.0f, 1.0f, 1.0f, 1.0f}, {0.55f, 0.78f, 1.0f, 1.0f}, NAVY, THICK_OUTLINE};
const LetterStyle GOLD_STYLE{{1.0f, 0.97f, 0.62f, 1.0f},
                             {1.0f, 0.62f, 0.08f, 1.0f},
                             {0.24f, 0.09f, 0.0f, 1.0f},
                             THICK_OUTLINE};
const LetterStyle START_STYLE{{0.80f, 1.0f, 0.55f, 1.0f},
                              {0.20f, 0.78f, 0.22f, 1.0f},
                              {0.02f, 0.14f, 0.03f, 1.0f},
                              THICK_OUTLINE};
const LetterStyle RECORD_STYLE{{1.0f, 1.0f, 0.62f, 1.0f},
                               {1.0f, 0.45f, 0.20f, 1.0f},
                               {0.30f, 0.04f, 0.0f, 1.0f},
                               THIN_OUTLINE};
const LetterStyle GAME_OVER_STYLE{{1.0f, 0.62f, 0.56f, 1.0f},
                                  {0.82f, 0.08f, 0.08f, 1.0f},
                                  {0.14f, 0.0f, 0.0f, 1.0f},
                                  THICK_OUTLINE};

Rect Inset(const Rect& rect, int by) {
    return {rect.x + by, rect.y + by, rect.width - 2 * by, rect.height - 2 * by};
}

Rect Cell(const Rect& first, int index) {
    return {first.x + index * first.width, first.y, first.width, first.height};
}

std::vector<std::string> Digits() {
    std::vector<std::string> digits;
    for (int digit = 0; digit < DIGIT_COUNT; ++digit) {
        digits.push_back(std::string(1, static_cast<char>('0' + digit)));
    }
    return digits;
}

std::vector<std::string> Letters() {
    std::vector<std::string> letters;
    for (const char* letter = ALPHABET; *letter != '\0'; ++letter) {
        letters.push_back(std::string(1, *letter));
    }
    return letters;
}

TextGroup DigitGroup(const Font& font, const Rect& firstCell, const LetterStyle& style) {
    const Rect inner = Inset(firstCell, BORDER);
    return TextGroup(font, Digits(), DIGIT_ASPECT, inner.width, inner.height, style.outlineRadius,
                     0);
}

void PaintDigits(Image& sheet, const TextGroup& digits, const Rect& firstCell,
                 const LetterStyle& style) {
    for (int digit = 0; digit < DIGIT_COUNT; ++digit) {
        const Rect cell = Cell(firstCell, digit);
        PaintOnBaseline(sheet, cell, digits.inks[digit], style, digits.Baseline(cell));
    }
}

TextGroup WordGroup(const Font& font, const std::string& text, int maxWidth, int maxHeight,
                    const LetterStyle& style) {
    return TextGroup(font, {text}, WORD_ASPECT, maxWidth, maxHeight, style.outlineRadius,
                     WORD_TRACKING);
}

void PaintWord(Image& sheet, const Font& font, const std::string& text, const Rect& rect,
               const LetterStyle& style) {
    const Rect inner = Inset(rect, BORDER);
    const TextGroup word = WordGroup(font, text, inner.width, inner.height, style);
    PaintOnBaseline(sheet, rect, word.inks[0], style, word.Baseline(rect));
}

// The stage and clear words stand on the baseline of the large digits, since the stage title
// shows the stage word followed by two digits; the stage word keeps a gap before them.
void PaintStageWords(Image& sheet, const Font& font, const TextGroup& largeDigits) {
    const int baselineInCell = largeDigits.Baseline(LARGE_DIGIT_CELL) - LARGE_DIGIT_CELL.y;
    const Rect stageInner = Inset(STAGE_WORD, BORDER);
    const TextGroup stage = WordGroup(font, STAGE_TEXT, stageInner.width - STAGE_WORD_GAP,
                                      stageInner.height, STAGE_STYLE);
    PaintLettering(sheet, stageInner.x + STAGE_STYLE.outlineRadius,
                   STAGE_WORD.y + baselineInCell + stage.inks[0].inkTop, stage.inks[0].ink,
                   STAGE_STYLE);
    const Rect clearInner = Inset(CLEAR_WORD, BORDER);
    const TextGroup clear =
        WordGroup(font, CLEAR_TEXT, clearInner.width, clearInner.height, GOLD_STYLE);
    PaintOnBaseline(sheet, CLEAR_WORD, clear.inks[0], GOLD_STYLE, CLEAR_WORD.y + baselineInCell);
}

// Every letter of the alphabet at one size, so a letter looks the same in every label.
TextGroup LabelLetters(const ArtFonts& fonts) {
    return TextGroup(fonts.monoBold, Letters(), LABEL_ASPECT, LABEL_CELL_WIDTH - 2 * BORDER,
                     LABEL_CELL_HEIGHT - 2 * BORDER, LABEL_STYLE.outlineRadius, 0);
}

void PaintLabelLetter(Image& image, const TextGroup& letters, char letter, const Rect& cell) {
    const auto found =
        std::find(letters.texts.begin(), letters.texts.end(), std::string(1, letter));
    if (found == letters.texts.end()) {
        return;
    }
    PaintOnBaseline(image, cell, letters.inks[found - letters.texts.begin()], LABEL_STYLE,
                    letters.Baseline(cell));
}

void PaintLabel(Image& sheet, const TextGroup& letters, const std::string& text, const Rect& rect) {
    for (size_t index = 0; index < text.size(); ++index) {
        const Rect cell{rect.x + static_cast<int>(index) * LABEL_CELL_WIDTH, rect.y,
                        LABEL_CELL_WIDTH, LABEL_CELL_HEIGHT};
        PaintLabelLetter(sheet, letters, text[index], cell);
    }
}

// An opaque quilted tile: a raised rim around a sunken panel, lit from the upper left.
void PaintCurtainTile(Image& sheet, const Rect& rect, const Colour& base) {
    constexpr int RIM = 2;
    constexpr int PANEL_INSET = 6;
    const Colour light = Mix(base, {1, 1, 1, 1}, 0.18f);
    const Colour dark = Mix(base, {0, 0, 0, 1}, 0.35f);
    const Colour panel = Mix(base, {0, 0, 0, 1}, 0.10f);
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            const int fromLeftTop = std::min(x, y);
            const int fromRightBottom = std::min(rect.width - 1 - x, rect.height - 1 - y);
            const int fromEdge = std::min(fromLeftTop, fromRightBottom);
            const bool lowerRight = fromRightBottom <= fromLeftTop;
            Colour colour = base;
            if (fromEdge < RIM) {
                colour = lowerRight ? dark : light;
            } else if (fromEdge == PANEL_INSET) {
                colour =
                    lowerRight ? light : dark;  // the panel's edge: sunken, so lit the other way
            } else if (fromEdge > PANEL_INSET) {
                colour = panel;
            }
            colour.a = 1.0f;
            sheet.Set(rect.x + x, rect.y + y, ToArgb(colour));
        }
    }
}

}  // namespace

Image RenderLabelLetter(const ArtFonts& fonts, char letter) {
    Image cell(LABEL_CELL_WIDTH, LABEL_CELL_HEIGHT);
    PaintLabelLetter(cell, LabelLetters(fonts), letter,
                     {0, 0, LABEL_CELL_WIDTH, LABEL_CELL_HEIGHT});
    return cell;
}

Image BuildSystemSheet(const ArtFonts& fonts) {
    Image sheet(SHEET_SIZE, SHEET_SIZE);
    const TextGroup largeDigits = DigitGroup(fonts.sansBold, LARGE_DIGIT_CELL, DIGIT_STYLE);
    PaintDigits(sheet, largeDigits, LARGE_DIGIT_CELL, DIGIT_STYLE);
    PaintDigits(sheet, DigitGroup(fonts.sansBold, SMALL_DIGIT_CELL, SMALL_DIGIT_STYLE),
                SMALL_DIGIT_CELL, SMALL_DIGIT_STYLE);
    PaintStageWords(sheet, fonts.sansBold, largeDigits);
    const TextGroup labelLetters = LabelLetters(fonts);
    PaintLabel(sheet, labelLetters, TIME_TEXT, TIME_LABEL);
    PaintLabel(sheet, labelLetters, BALL_TEXT, BALL_LABEL);
    PaintLabel(sheet, labelLetters, BEST_TEXT, BEST_LABEL);
    PaintWord(sheet, fonts.sansBold, START_TEXT, START_SIGN, START_STYLE);
    PaintCurtainTile(sheet, CURTAIN_TILE_EVEN, {0.13f, 0.22f, 0.48f, 1.0f});
    PaintCurtainTile(sheet, CURTAIN_TILE_ODD, {0.08f, 0.14f, 0.34f, 1.0f});
    PaintWord(sheet, fonts.sansBold, NEW_RECORD_TEXT, NEW_RECORD_BANNER, RECORD_STYLE);
    PaintWord(sheet, fonts.sansBold, GAME_OVER_TEXT, GAME_OVER_BANNER, GAME_OVER_STYLE);
    PaintWord(sheet, fonts.sansBold, ENDING_TEXT, ENDING_BANNER, GOLD_STYLE);
    return sheet;
}

}  // namespace artgen
