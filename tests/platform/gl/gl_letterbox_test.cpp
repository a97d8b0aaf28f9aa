// The picture on a drawable other than the back buffer's size: whole factors enlarge every pixel
// to a block, other shapes get black bars around the centred picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <SDL.h>

#include "platform/gl/gl_letterbox.h"
#include "platform/gl/gl_readback.h"
#include "tests/platform/gl/gl_test_device.h"

namespace platform::gl {

// Found by GoogleTest for its failure messages.
void PrintTo(const PixelRect& rect, std::ostream* out) {
    *out << rect.width << " x " << rect.height << " at " << rect.x << ", " << rect.y;
}

}  // namespace platform::gl

namespace {

using platform::gl::PixelRect;

constexpr uint32_t RGB_MASK = 0x00FFFFFF;
constexpr uint32_t BAR_BLACK = 0x000000;
constexpr D3DCOLOR OPAQUE_RED = 0xFFFF0000;
constexpr D3DCOLOR OPAQUE_WHITE = 0xFFFFFFFF;
// Direct3D's pixel centres lie on integer coordinates: the sprites' corners lie half a pixel up and
// left of the pixel they start at.
constexpr float HALF_PIXEL = 0.5f;

bool Inside(const PixelRect& rect, int x, int y) {
    return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
}

std::vector<uint32_t> Read(IDirect3DDevice9* device, bool wholeDrawable, int expectedWidth,
                           int expectedHeight) {
    std::vector<uint32_t> texels;
    int width = 0;
    int height = 0;
    const bool read = wholeDrawable ? platform::gl::ReadBackDrawable(device, texels, width, height)
                                    : platform::gl::ReadBackBuffer(device, texels, width, height);
    EXPECT_TRUE(read);
    EXPECT_EQ(width, expectedWidth);
    EXPECT_EQ(height, expectedHeight);
    texels.resize(static_cast<size_t>(expectedWidth) * expectedHeight);
    return texels;
}

}  // namespace

TEST(Letterbox, ThePictureIsTheLargestWholeFourByThreeRectangleCentred) {
    struct Case {
        int drawableWidth;
        int drawableHeight;
        PixelRect expected;
    };
    // 640 x 480 is 4:3, so the picture is 4k x 3k for the largest k with 4k <= width and
    // 3k <= height, centred; of an odd margin the extra pixel lies right of it or below.
    const Case cases[] = {
        {640, 480, {0, 0, 640, 480}},        // k = 160: the game's own size
        {1280, 960, {0, 0, 1280, 960}},      // k = 320
        {1920, 1080, {240, 0, 1440, 1080}},  // k = 360; (1920 - 1440) / 2 = 240
        {2560, 1600, {214, 0, 2132, 1599}},  // k = 533; (2560 - 2132) / 2 = 214, 1 row below
        {1000, 1000, {0, 125, 1000, 750}},   // k = 250; (1000 - 750) / 2 = 125
        {641, 483, {0, 1, 640, 480}},        // k = 160; 1 column right, 1 row above and 2 below
        {3, 2, {}},                          // k = 0: no picture
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::gl::LetterboxPicture(c.drawableWidth, c.drawableHeight, 640, 480),
                  c.expected)
            << c.drawableWidth << " x " << c.drawableHeight;
    }
}

class WholeFactor : public GlDeviceTest, public ::testing::WithParamInterface<int> {
  protected:
    WholeFactor() : GlDeviceTest({GetParam()}) {}

    // Through the 3-D pipeline, unlit, with the identity matrices: clip coordinates are the
    // vertices themselves. Direct3D puts pixel centres on whole screen coordinates, so edges half
    // a pixel before the first and past the last pixel cover `pixels` exactly.
    void DrawSceneQuad(const PixelRect& pixels, D3DCOLOR colour) {
        const auto clipX = [](float edge) { return 2.0f * edge / WIDTH - 1.0f; };
        const auto clipY = [](float edge) { return 1.0f - 2.0f * edge / HEIGHT; };
        const float left = clipX(pixels.x - HALF_PIXEL);
        const float right = clipX(pixels.x + pixels.width - HALF_PIXEL);
        const float top = clipY(pixels.y - HALF_PIXEL);
        const float bottom = clipY(pixels.y + pixels.height - HALF_PIXEL);
        constexpr float DEPTH = 0.5f;
        const WorldVertex strip[4] = {{left, top, DEPTH, 0, 0, -1, colour},
                                      {right, top, DEPTH, 0, 0, -1, colour},
                                      {left, bottom, DEPTH, 0, 0, -1, colour},
                                      {right, bottom, DEPTH, 0, 0, -1, colour}};
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        ASSERT_EQ(device->SetFVF(WORLD_VERTEX_FVF), D3D_OK);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(WorldVertex)),
                  D3D_OK);
    }
};

TEST_P(WholeFactor, EveryPixelOfSpritesScenesAndClearsBecomesABlockOfTheFactor) {
    const int factor = GetParam();
    // In back buffer pixels: an 8 x 6 texture laid 1:1, a quad of the 3-D pipeline, and a cleared
    // rectangle.
    constexpr PixelRect SPRITE = {10, 7, 8, 6};
    constexpr PixelRect SCENE_QUAD = {25, 30, 9, 11};
    constexpr PixelRect CLEARED = {40, 20, 12, 9};
    constexpr D3DCOLOR SCENE_COLOUR = 0xFF20C060;
    BeginFrame();
    DrawSceneQuad(SCENE_QUAD, SCENE_COLOUR);
    SetSpriteStates();
    device->SetTexture(
        0, MakeTexture(SPRITE.width, SPRITE.height, PatternTexels(SPRITE.width, SPRITE.height)));
    DrawRectangle(SPRITE.x - HALF_PIXEL, SPRITE.y - HALF_PIXEL, SPRITE.width, SPRITE.height,
                  OPAQUE_WHITE);
    const D3DRECT clearRect = {CLEARED.x, CLEARED.y, CLEARED.x + CLEARED.width,
                               CLEARED.y + CLEARED.height};
    ASSERT_EQ(device->Clear(1, &clearRect, D3DCLEAR_TARGET, OPAQUE_RED, 1.0f, 0), D3D_OK);
    device->EndScene();

    const std::vector<uint32_t> pixels = Read(device, false, WIDTH * factor, HEIGHT * factor);
    for (int y = 0; y < HEIGHT * factor; ++y) {
        for (int x = 0; x < WIDTH * factor; ++x) {
            // The back buffer pixel this one enlarges.
            const int gameX = x / factor;
            const int gameY = y / factor;
            uint32_t expected = BACKGROUND;
            if (Inside(CLEARED, gameX, gameY)) {
                expected = OPAQUE_RED;
            } else if (Inside(SCENE_QUAD, gameX, gameY)) {
                expected = SCENE_COLOUR;
            } else if (Inside(SPRITE, gameX, gameY)) {
                expected = PatternTexel(gameX - SPRITE.x, gameY - SPRITE.y);
            }
            ASSERT_EQ(pixels[static_cast<size_t>(y) * WIDTH * factor + x] & RGB_MASK,
                      expected & RGB_MASK)
                << "pixel " << x << ", " << y << " at factor " << factor;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TwoAndThree, WholeFactor, ::testing::Values(2, 3));

struct LetterboxCase {
    int drawableWidth;
    int drawableHeight;
    PixelRect picture;
};

// Names the case in test names and failure messages.
void PrintTo(const LetterboxCase& drawable, std::ostream* out) {
    *out << drawable.drawableWidth << " x " << drawable.drawableHeight;
}

// Draws the back buffer's first and last pixels and expects their blocks at the corners of
// `picture` on a black drawable of the given size.
class CornersTest : public GlDeviceTest {
  protected:
    using GlDeviceTest::GlDeviceTest;

    void DrawCornersAndExpectThemOnThePicture(int drawableWidth, int drawableHeight,
                                              const PixelRect& picture) {
        BeginFrame();
        SetSpriteStates();
        DrawRectangle(-HALF_PIXEL, -HALF_PIXEL, 1, 1, OPAQUE_WHITE);
        DrawRectangle(WIDTH - 1 - HALF_PIXEL, HEIGHT - 1 - HALF_PIXEL, 1, 1, OPAQUE_WHITE);
        device->EndScene();

        Read(device, false, picture.width, picture.height);
        const std::vector<uint32_t> pixels = Read(device, true, drawableWidth, drawableHeight);
        const int factor = picture.width / WIDTH;
        const PixelRect firstBlock = {picture.x, picture.y, factor, factor};
        const PixelRect lastBlock = {picture.x + picture.width - factor,
                                     picture.y + picture.height - factor, factor, factor};
        for (int y = 0; y < drawableHeight; ++y) {
            for (int x = 0; x < drawableWidth; ++x) {
                uint32_t expected = BAR_BLACK;
                if (Inside(firstBlock, x, y) || Inside(lastBlock, x, y)) {
                    expected = OPAQUE_WHITE;
                } else if (Inside(picture, x, y)) {
                    expected = BACKGROUND;
                }
                ASSERT_EQ(pixels[static_cast<size_t>(y) * drawableWidth + x] & RGB_MASK,
                          expected & RGB_MASK)
                    << "pixel " << x << ", " << y << " of " << drawableWidth << " x "
                    << drawableHeight;
            }
        }
    }
};

class Letterboxed : public CornersTest, public ::testing::WithParamInterface<LetterboxCase> {
  protected:
    Letterboxed() : CornersTest({1, GetParam().drawableWidth, GetParam().drawableHeight}) {}
};

TEST_P(Letterboxed, BarsAreBlackAndThePictureIsCentredAtItsSize) {
    const LetterboxCase& drawable = GetParam();
    DrawCornersAndExpectThemOnThePicture(drawable.drawableWidth, drawable.drawableHeight,
                                         drawable.picture);
}

// The 64 x 48 back buffer is 4:3 too: its picture is 4k x 3k, here k = 32, 128 x 96 (factor 2).
INSTANTIATE_TEST_SUITE_P(WideTallAndOdd, Letterboxed,
                         ::testing::Values(LetterboxCase{160, 96, {16, 0, 128, 96}},
                                           LetterboxCase{128, 120, {0, 12, 128, 96}},
                                           LetterboxCase{131, 99, {1, 1, 128, 96}}),
                         [](const ::testing::TestParamInfo<LetterboxCase>& drawable) {
                             return std::to_string(drawable.param.drawableWidth) + "x" +
                                    std::to_string(drawable.param.drawableHeight);
                         });

// At 80 x 60 the 64 x 48 back buffer is enlarged 1.25 times: a cleared rectangle's edges are
// scaled and rounded to the nearest pixel, so rectangles side by side stay side by side, with
// neither a gap nor an overlap between them.
class QuarterFactor : public GlDeviceTest {
  protected:
    static constexpr int DRAWABLE_WIDTH = 80;
    static constexpr int DRAWABLE_HEIGHT = 60;
    QuarterFactor() : GlDeviceTest({1, DRAWABLE_WIDTH, DRAWABLE_HEIGHT}) {}
};

TEST_F(QuarterFactor, ClearedRectanglesCoverTheirRoundedScaledEdges) {
    constexpr D3DCOLOR OPAQUE_GREEN = 0xFF00FF00;
    BeginFrame();
    // Edges 41, 51, 56 and 21, 28 become 51.25, 63.75, 70 and 26.25, 35.
    const D3DRECT left = {41, 21, 51, 28};
    const D3DRECT right = {51, 21, 56, 28};
    ASSERT_EQ(device->Clear(1, &left, D3DCLEAR_TARGET, OPAQUE_RED, 1.0f, 0), D3D_OK);
    ASSERT_EQ(device->Clear(1, &right, D3DCLEAR_TARGET, OPAQUE_GREEN, 1.0f, 0), D3D_OK);
    device->EndScene();

    const PixelRect redOnScreen = {51, 26, 64 - 51, 35 - 26};
    const PixelRect greenOnScreen = {64, 26, 70 - 64, 35 - 26};
    const std::vector<uint32_t> pixels = Read(device, true, DRAWABLE_WIDTH, DRAWABLE_HEIGHT);
    for (int y = 0; y < DRAWABLE_HEIGHT; ++y) {
        for (int x = 0; x < DRAWABLE_WIDTH; ++x) {
            uint32_t expected = BACKGROUND;
            if (Inside(redOnScreen, x, y)) {
                expected = OPAQUE_RED;
            } else if (Inside(greenOnScreen, x, y)) {
                expected = OPAQUE_GREEN;
            }
            ASSERT_EQ(pixels[static_cast<size_t>(y) * DRAWABLE_WIDTH + x] & RGB_MASK,
                      expected & RGB_MASK)
                << "pixel " << x << ", " << y;
        }
    }
}

// A window made wider or taller, the other side kept: the picture is fitted anew at the next
// present, and the new strip, which held the picture of an earlier frame, becomes bar. The hidden
// window's surface keeps the size it was made at, so it starts at the largest size and the window
// shrinks before the frames looked at.
class ResizedOneWay : public CornersTest, public ::testing::WithParamInterface<LetterboxCase> {
  protected:
    static constexpr int LARGEST_WIDTH = 200;
    static constexpr int LARGEST_HEIGHT = 150;
    ResizedOneWay() : CornersTest({1, LARGEST_WIDTH, LARGEST_HEIGHT}) {}

    // A frame of the background alone, presented; the device fits its picture to the window
    // after each present.
    void PresentPlainFrame() {
        BeginFrame();
        device->EndScene();
        ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    }

    static void ResizeWindow(int width, int height) {
        SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), width, height);
    }
};

TEST_P(ResizedOneWay, ThePictureIsFittedAgainAndTheNewStripIsBar) {
    ASSERT_NE(device, nullptr);
    ASSERT_NE(SDL_GL_GetCurrentWindow(), nullptr);
    const LetterboxCase& resized = GetParam();
    // At 200 x 150 the picture covers the whole surface.
    PresentPlainFrame();
    // 128 x 96: the 64 x 48 picture at factor 2, again without bars.
    ResizeWindow(128, 96);
    PresentPlainFrame();
    PresentPlainFrame();
    ResizeWindow(resized.drawableWidth, resized.drawableHeight);
    PresentPlainFrame();
    DrawCornersAndExpectThemOnThePicture(resized.drawableWidth, resized.drawableHeight,
                                         resized.picture);
}

INSTANTIATE_TEST_SUITE_P(WiderOrTaller, ResizedOneWay,
                         ::testing::Values(LetterboxCase{200, 96, {36, 0, 128, 96}},
                                           LetterboxCase{128, 150, {0, 27, 128, 96}}),
                         [](const ::testing::TestParamInfo<LetterboxCase>& drawable) {
                             return std::to_string(drawable.param.drawableWidth) + "x" +
                                    std::to_string(drawable.param.drawableHeight);
                         });
