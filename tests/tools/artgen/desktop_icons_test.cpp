// The desktop icons: the board and ball at every size of the icon theme, in PNG and SVG alike.
#include "tools/artgen/desktop_icons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

struct Rgba {
    int r, g, b, a;
};

// The PNG decoded by an independent reader, so a swapped channel or a wrong size shows.
class DecodedPng {
  public:
    explicit DecodedPng(const artgen::Bytes& png) {
        pixels = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height,
                                       nullptr, 4);
    }
    ~DecodedPng() { stbi_image_free(pixels); }
    DecodedPng(const DecodedPng&) = delete;
    DecodedPng& operator=(const DecodedPng&) = delete;

    // At a point given in units of the icon's width.
    Rgba At(float x, float y) const {
        const uint8_t* p =
            pixels + 4 * (static_cast<int>(y * height) * width + static_cast<int>(x * width));
        return {p[0], p[1], p[2], p[3]};
    }

    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

}  // namespace

TEST(DesktopIcons, EverySizeShowsTheBoardWithTheGoalInFrontAndTheBallOnTop) {
    for (int size : artgen::DESKTOP_ICON_SIZES) {
        SCOPED_TRACE(size);
        const DecodedPng icon(artgen::EncodePng(artgen::BuildDesktopIcon(size)));
        ASSERT_NE(icon.pixels, nullptr);
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
        // Corners lie outside the board: the desktop's background shows there.
        EXPECT_EQ(icon.At(0, 0).a, 0);
        EXPECT_EQ(icon.At(0.99f, 0.99f).a, 0);
        // The goal is the cell nearest the viewer, at the bottom middle of the board.
        const Rgba goal = icon.At(0.5f, 0.70f);
        EXPECT_GT(goal.a, 200);  // at 16 pixels the sample touches a seam of the board
        EXPECT_GT(goal.g, goal.r + 60);
        EXPECT_GT(goal.g, goal.b + 60);
        // The ball stands in the middle of the board, blue under its highlight.
        const Rgba ball = icon.At(0.55f, 0.40f);
        EXPECT_EQ(ball.a, 255);
        EXPECT_GT(ball.b, ball.r + 40);
    }
}

TEST(DesktopIcons, TheSvgFillsEveryOutlineWithThePaintedColour) {
    const std::string svg = artgen::DesktopIconSvg();
    const DecodedPng icon(artgen::EncodePng(artgen::BuildDesktopIcon(256)));
    ASSERT_NE(icon.pixels, nullptr);
    const std::regex polygon(
        "<polygon fill=\"#([0-9a-f]{6})\" points=\"([0-9.]+),([0-9.]+) ([0-9.]+),([0-9.]+) "
        "([0-9.]+),([0-9.]+) ([0-9.]+),([0-9.]+)\"/>");
    int polygons = 0;
    for (std::sregex_iterator match(svg.begin(), svg.end(), polygon), end; match != end; ++match) {
        ++polygons;
        float x = 0, y = 0;
        for (int corner = 0; corner < 4; ++corner) {
            x += std::stof((*match)[2 + 2 * corner]) / 4;
            y += std::stof((*match)[3 + 2 * corner]) / 4;
        }
        if (std::hypot(x - 0.5f, y - 0.35f) < 0.25f) {
            continue;  // under the ball
        }
        const uint32_t fill = std::stoul((*match)[1], nullptr, 16);
        const Rgba painted = icon.At(x, y);
        SCOPED_TRACE((*match)[1].str());
        EXPECT_NEAR(painted.r, static_cast<int>(fill >> 16), 2);
        EXPECT_NEAR(painted.g, static_cast<int>((fill >> 8) & 0xFF), 2);
        EXPECT_NEAR(painted.b, static_cast<int>(fill & 0xFF), 2);
    }
    // Two rims and the 4 x 4 cells.
    EXPECT_EQ(polygons, 18);
    EXPECT_NE(svg.find("<circle fill=\"url(#ball)\""), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

// A launcher may cut the maskable icon to any shape holding the circle of 40 % of its width
// around the middle: the square is opaque to its corners, and the board and ball lie inside.
TEST(DesktopIcons, TheMaskableIconIsOpaqueWithTheBoardAndBallInsideTheSafeCircle) {
    const int size = artgen::WEB_MASKABLE_ICON_SIZE;
    const DecodedPng icon(artgen::EncodePng(artgen::BuildMaskableIcon(size)));
    ASSERT_NE(icon.pixels, nullptr);
    ASSERT_EQ(icon.width, size);
    ASSERT_EQ(icon.height, size);
    const uint8_t* corner = icon.pixels;
    float farthest = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = icon.pixels + 4 * (y * size + x);
            ASSERT_EQ(p[3], 255) << x << "," << y;
            if (p[0] != corner[0] || p[1] != corner[1] || p[2] != corner[2]) {
                farthest =
                    std::max(farthest, std::hypot(x + 0.5f - size / 2.0f, y + 0.5f - size / 2.0f));
            }
        }
    }
    // Inside the circle, and not shrunk far within it.
    EXPECT_LE(farthest, 0.4f * size);
    EXPECT_GT(farthest, 0.35f * size);
}
