// Text rendered with FreeType into coverage maps, and lettering painted from them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/artgen/image.h"

namespace artgen {

// The ink of a rendered text: its coverage and where it lies relative to the pen's start on the
// baseline (inkTop is negative above the baseline).
struct TextInk {
    Coverage ink;
    int inkLeft = 0;
    int inkTop = 0;
};

// One font file opened with FreeType.
class Font {
  public:
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool IsOpen() const { return face != nullptr; }
    // Renders ASCII text at an em of pixelWidth x pixelHeight, `tracking` extra pixels between
    // letters.
    TextInk Render(const std::string& text, int pixelWidth, int pixelHeight,
                   int tracking = 0) const;

  private:
    struct Library;
    std::shared_ptr<Library> library;
    void* face = nullptr;  // FT_Face, kept opaque so users need no FreeType headers
};

// White-ish letters with a dark rim: a vertical gradient from `top` to `bottom` over the ink,
// and an outline `outlineRadius` pixels wide so the letters read over any background.
struct LetterStyle {
    Colour top;
    Colour bottom;
    Colour outline;
    int outlineRadius = 1;
};

// Texts drawn at one size on one baseline: the largest em (width = height x aspect) at which
// every text fits, outline included, in maxWidth x maxHeight pixels.
struct TextGroup {
    TextGroup(const Font& font, std::vector<std::string> texts, float aspect, int maxWidth,
              int maxHeight, int outlineRadius, int tracking);
    // The same, with a width limit of its own for each text.
    TextGroup(const Font& font, std::vector<std::string> texts, float aspect,
              const std::vector<int>& maxWidths, int maxHeight, int outlineRadius, int tracking);

    // The baseline row that centres the group's common extent in `rect`.
    int Baseline(const Rect& rect) const {
        return rect.y + (rect.height - (bottom - top)) / 2 - top;
    }

    std::vector<std::string> texts;
    std::vector<TextInk> inks;
    int em = 0;
    int top = 0;     // highest ink row of the group, relative to the baseline
    int bottom = 0;  // one below the lowest
};

// Paints the ink with its outline so that the ink's top-left pixel lands on (x, y).
void PaintLettering(Image& image, int x, int y, const Coverage& ink, const LetterStyle& style);
// Paints the ink centred across `rect` with its baseline at image row `baselineY`, so that texts
// of one group share a baseline.
void PaintOnBaseline(Image& image, const Rect& rect, const TextInk& text, const LetterStyle& style,
                     int baselineY);

}  // namespace artgen
