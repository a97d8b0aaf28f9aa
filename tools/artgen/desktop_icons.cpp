// The desktop icons: one list of outlines in a unit square, painted per size or written as SVG.
#include "tools/artgen/desktop_icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "tools/artgen/raster.h"

// Static, so that another part of a program may carry its own copy of the library.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace artgen {

namespace {

// The board: 4 x 4 cells seen from a corner, in units of the icon's width.
constexpr int CELLS = 4;
constexpr float CELL_ACROSS = 0.117f;
constexpr float CELL_DOWN = 0.0625f;
constexpr Point BOARD_TOP{0.5f, 0.27f};
constexpr float RIM_DEPTH = 0.094f;
constexpr float BALL_RADIUS = 0.2f;
constexpr float HIGHLIGHT_OFFSET = 0.078f;
constexpr float HIGHLIGHT_RADIUS = 0.05f;
// How far from the highlight the ball's shading reaches its darkest, in ball radii.
constexpr float SHADE_REACH = 2.2f;

const Colour BALL_LIGHT{0.47f, 0.66f, 0.94f, 1};
const Colour BALL_DARK{0.06f, 0.11f, 0.25f, 1};
const Colour WHITE{1, 1, 1, 1};
// The page's own dark background (gorvanti.css), behind the maskable icon.
const Colour PAGE_BACKGROUND{0.063f, 0.063f, 0.078f, 1};
// The share of the maskable icon the board and ball take: their outlines reach 0.48 of the unit
// square from its middle, and must stay within the safe circle of radius 0.4.
constexpr float MASKABLE_SCALE = 0.8f;

struct Polygon {
    std::vector<Point> points;
    Colour colour;
};

Point BoardPoint(float row, float column, float drop = 0.0f) {
    return {BOARD_TOP.x + (column - row) * CELL_ACROSS,
            BOARD_TOP.y + (column + row) * CELL_DOWN + drop};
}

std::vector<Polygon> BoardPolygons() {
    const float n = static_cast<float>(CELLS);
    std::vector<Polygon> polygons{
        {{BoardPoint(0, n), BoardPoint(n, n), BoardPoint(n, n, RIM_DEPTH),
          BoardPoint(0, n, RIM_DEPTH)},
         {0.35f, 0.15f, 0.08f, 1}},
        {{BoardPoint(n, 0), BoardPoint(n, n), BoardPoint(n, n, RIM_DEPTH),
          BoardPoint(n, 0, RIM_DEPTH)},
         {0.55f, 0.35f, 0.17f, 1}},
    };
    for (int row = 0; row < CELLS; ++row) {
        for (int column = 0; column < CELLS; ++column) {
            const float r = static_cast<float>(row);
            const float c = static_cast<float>(column);
            Colour floor = (row + column) % 2 == 0 ? Colour{0.90f, 0.84f, 0.71f, 1}
                                                   : Colour{0.78f, 0.71f, 0.56f, 1};
            if (row == CELLS - 1 && column == CELLS - 1) {
                floor = {0.22f, 0.70f, 0.31f, 1};  // the goal, nearest the viewer
            }
            polygons.push_back({{BoardPoint(r, c), BoardPoint(r, c + 1), BoardPoint(r + 1, c + 1),
                                 BoardPoint(r + 1, c)},
                                floor});
        }
    }
    return polygons;
}

Point BallCentre() {
    const Point ground = BoardPoint(CELLS / 2.0f, CELLS / 2.0f);
    return {ground.x, ground.y - BALL_RADIUS * 0.85f};
}

Point Highlight() {
    const Point centre = BallCentre();
    return {centre.x - HIGHLIGHT_OFFSET, centre.y - HIGHLIGHT_OFFSET};
}

std::string Hex(const Colour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", ToArgb(colour) & 0xFFFFFFu);
    return text;
}

void WriteToBytes(void* context, void* data, int size) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    static_cast<Bytes*>(context)->insert(static_cast<Bytes*>(context)->end(), bytes, bytes + size);
}

// Paints the outlines with the unit square mapped to `scale` pixels from `origin`.
void PaintIcon(Image& icon, Point origin, float scale) {
    auto scaled = [origin, scale](Point p) {
        return Point{origin.x + p.x * scale, origin.y + p.y * scale};
    };
    for (const Polygon& polygon : BoardPolygons()) {
        std::vector<Point> points;
        std::transform(polygon.points.begin(), polygon.points.end(), std::back_inserter(points),
                       scaled);
        FillPolygon(icon, points, Solid(polygon.colour));
    }
    const Point highlight = scaled(Highlight());
    const float reach = SHADE_REACH * BALL_RADIUS * scale;
    FillCircle(icon, scaled(BallCentre()), BALL_RADIUS * scale,
               [highlight, reach](float x, float y) {
                   const float distance = std::hypot(x - highlight.x, y - highlight.y) / reach;
                   return Mix(BALL_LIGHT, BALL_DARK, std::clamp(distance, 0.0f, 1.0f));
               });
    FillCircle(icon, highlight, HIGHLIGHT_RADIUS * scale, Solid(WHITE));
}

}  // namespace

Image BuildDesktopIcon(int size) {
    Image icon(size, size);
    PaintIcon(icon, {0, 0}, static_cast<float>(size));
    return icon;
}

Image BuildMaskableIcon(int size) {
    Image icon(size, size, ToArgb(PAGE_BACKGROUND));
    const float margin = size * (1 - MASKABLE_SCALE) / 2;
    PaintIcon(icon, {margin, margin}, size * MASKABLE_SCALE);
    return icon;
}

std::string DesktopIconSvg() {
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 1 1\">\n";
    char number[32];
    auto coordinate = [&number](float value) {
        std::snprintf(number, sizeof number, "%.4f", value);
        return std::string(number);
    };
    const Point centre = BallCentre();
    const Point highlight = Highlight();
    svg += "  <defs>\n    <radialGradient id=\"ball\" gradientUnits=\"userSpaceOnUse\" cx=\"" +
           coordinate(highlight.x) + "\" cy=\"" + coordinate(highlight.y) + "\" r=\"" +
           coordinate(SHADE_REACH * BALL_RADIUS) + "\">\n" +
           "      <stop offset=\"0\" stop-color=\"" + Hex(BALL_LIGHT) + "\"/>\n" +
           "      <stop offset=\"1\" stop-color=\"" + Hex(BALL_DARK) + "\"/>\n" +
           "    </radialGradient>\n  </defs>\n";
    for (const Polygon& polygon : BoardPolygons()) {
        svg += "  <polygon fill=\"" + Hex(polygon.colour) + "\" points=\"";
        for (const Point& p : polygon.points) {
            svg +=
                coordinate(p.x) + "," + coordinate(p.y) + (&p == &polygon.points.back() ? "" : " ");
        }
        svg += "\"/>\n";
    }
    svg += "  <circle fill=\"url(#ball)\" cx=\"" + coordinate(centre.x) + "\" cy=\"" +
           coordinate(centre.y) + "\" r=\"" + coordinate(BALL_RADIUS) + "\"/>\n";
    svg += "  <circle fill=\"" + Hex(WHITE) + "\" cx=\"" + coordinate(highlight.x) + "\" cy=\"" +
           coordinate(highlight.y) + "\" r=\"" + coordinate(HIGHLIGHT_RADIUS) + "\"/>\n";
    return svg + "</svg>\n";
}

Bytes EncodePng(const Image& image) {
    constexpr int CHANNELS = 4;
    std::vector<uint8_t> rgba;
    rgba.reserve(image.Pixels().size() * CHANNELS);
    for (uint32_t argb : image.Pixels()) {
        rgba.insert(rgba.end(), {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                                 static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
    }
    Bytes png;
    stbi_write_png_to_func(WriteToBytes, &png, image.Width(), image.Height(), CHANNELS, rgba.data(),
                           image.Width() * CHANNELS);
    return png;
}

std::string DesktopIconName(int size) {
    return "gorvanti-" + std::to_string(size) + ".png";
}

}  // namespace artgen
