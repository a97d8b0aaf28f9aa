// The icons desktops show in their menus: PNG pictures painted at each size, and an SVG.
#pragma once

#include <string>
#include <vector>

#include "tools/artgen/byte_writer.h"
#include "tools/artgen/image.h"

namespace artgen {

// The sizes of the hicolor theme's folders we fill.
inline const std::vector<int> DESKTOP_ICON_SIZES{16, 32, 48, 64, 128, 256};

// The large icon's tilted board and ball, painted for `size` x `size` pixels from its outlines,
// so every size is as sharp as the rasteriser makes it.
Image BuildDesktopIcon(int size);
// The same outlines as an SVG document.
std::string DesktopIconSvg();

Bytes EncodePng(const Image& image);

// "gorvanti-48.png"; the SVG is "gorvanti.svg".
std::string DesktopIconName(int size);
inline const char* const DESKTOP_SVG_ICON_FILE = "gorvanti.svg";

}  // namespace artgen
