// The icons desktops show in their menus and browsers give the installed page: PNG pictures
// painted at each size, and an SVG.
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
// The same board and ball on a square of the page's colour, small enough to stay whole inside
// the circle a launcher may cut from it (a "maskable" icon: the middle 80 % is safe).
Image BuildMaskableIcon(int size);
// The same outlines as an SVG document.
std::string DesktopIconSvg();

Bytes EncodePng(const Image& image);

// "gorvanti-48.png"; the SVG is "gorvanti.svg".
std::string DesktopIconName(int size);
inline const char* const DESKTOP_SVG_ICON_FILE = "gorvanti.svg";

// The installed page's icons: the sizes its manifest names, and the maskable one's.
inline const std::vector<int> WEB_ICON_SIZES{192, 512};
inline const int WEB_MASKABLE_ICON_SIZE = 512;
inline const char* const WEB_MASKABLE_ICON_FILE = "gorvanti-maskable-512.png";

}  // namespace artgen
