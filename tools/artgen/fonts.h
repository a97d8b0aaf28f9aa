// The DejaVu faces the art is lettered with.
#pragma once

#include <string>

#include "tools/artgen/glyphs.h"

namespace artgen {

// Where Debian's fonts-dejavu-core puts the faces.
inline const char* const DEFAULT_FONT_FOLDER = "/usr/share/fonts/truetype/dejavu";

struct ArtFonts {
    explicit ArtFonts(const std::string& folder)
        : sansBold(folder + "/DejaVuSans-Bold.ttf"),
          monoBold(folder + "/DejaVuSansMono-Bold.ttf") {}

    bool IsOpen() const { return sansBold.IsOpen() && monoBold.IsOpen(); }

    Font sansBold;  // words, digits and banners
    Font monoBold;  // the labels, whose letters sit on a fixed 13-pixel grid
};

}  // namespace artgen
