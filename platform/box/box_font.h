// The font of the message boxes: a Japanese-capable face drawn with FreeType, so that the game's
// Japanese texts are legible whatever fonts the X server has.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/box/box_canvas.h"

namespace platform::box {

// Code points of UTF-8 text; a byte that does not start a valid sequence becomes U+FFFD.
std::vector<char32_t> DecodeUtf8(std::string_view text);

// A font file with Japanese glyphs: asks fontconfig, then tries the files of Debian's Japanese
// font packages. Empty when there is none.
std::string FindJapaneseFontFile();

class BoxFont {
  public:
    // Null when no usable font can be found or loaded.
    static std::unique_ptr<BoxFont> Load(const std::string& fontFile, int pixelSize);
    ~BoxFont();
    BoxFont(const BoxFont&) = delete;
    BoxFont& operator=(const BoxFont&) = delete;

    int TextWidth(std::string_view utf8);
    // The distance between two baselines.
    int LineHeight() const { return lineHeight; }
    int Ascent() const { return ascent; }
    // Draws one line with its top edge at `top`.
    void Draw(Canvas& canvas, int left, int top, std::string_view utf8, uint32_t rgb);

  private:
    struct Faces;
    explicit BoxFont(std::unique_ptr<Faces> faces);

    std::unique_ptr<Faces> faces;
    int lineHeight = 0;
    int ascent = 0;
};

}  // namespace platform::box
