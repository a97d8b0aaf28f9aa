// Every file the generator makes, with the folder each belongs in.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/byte_writer.h"
#include "tools/artgen/fonts.h"

namespace artgen {

enum class ArtFolder {
    Graphics,  // graphics/ of the run folder
    Icons,     // compiled into the program
    Settings,  // the player's own files: shipped once, never replaced
    Desktop,   // the icons of the desktop's menus, installed into the icon theme
    Web,       // the installed page's icons, which its manifest names
};

struct ArtFile {
    ArtFolder folder;
    std::string name;
    Bytes bytes;
};

std::vector<ArtFile> BuildArtFiles(const ArtFonts& fonts);

}  // namespace artgen
