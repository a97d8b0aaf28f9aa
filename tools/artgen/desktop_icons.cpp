// The desktop icons: one list of outlines in a unit square, painted per size or written as SVG.
#include "tools/artgen/desktop_icons.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/compat/stb_image_write_here.h"
#include "tools/artgen/corner_board.h"
#include "tools/artgen/raster.h"

namespace artgen {

namespace {

// The board in units of the icon's width.
constexpr CornerBoard BOARD{{0.5f, 0.27f}, 0.117f, 0.0625f, 0.094f};
constexpr float BALL_RADIUS = 0.2f;
constexpr float HIGHLIGHT_OFFSET = 0.078f;
constexpr float HIGHLIGHT_RADIUS = 0.05f;
// How far from the highlight the ball's shading reaches its darkest, in ball radii.
constexpr float SHADE_REACH = 2.2f;

const Colour WHITE{1, 1, 1, 1};
// The page's own dark background (gorvanti.css), behind the maskable icon.
const Colour PAGE_BACKGROUND{0.063f, 0.063f, 0.078f, 1};
// The share of the maskable icon the board and ball take: their outlines reach 0.48 of the unit
// square from its middle, and must stay within the safe circle of radius 0.4.
constexpr float MASKABLE_SCALE = 0.8f;

Point BallCentre() {
    const Point ground = BOARD.At(CornerBoard::CELLS / 2.0f, CornerBoard::CELLS / 2.0f);
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
    for (const ColouredPolygon& polygon : BOARD.Polygons()) {
        std::vector<Point> points;
        std::transform(polygon.points.begin(), polygon.points.end(), std::back_inserter(points),
                       scaled);
        FillPolygon(icon, points, Solid(polygon.colour));
    }
    const Point highlight = scaled(Highlight());
    const float reach = SHADE_REACH * BALL_RADIUS * scale;
    FillCircle(icon, scaled(BallCentre()), BALL_RADIUS * scale, ShadedBall(highlight, reach));
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
    for (const ColouredPolygon& polygon : BOARD.Polygons()) {
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
