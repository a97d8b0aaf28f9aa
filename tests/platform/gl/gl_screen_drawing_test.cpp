// The OpenGL device drawing vertices given in window pixels (D3DFVF_XYZRHW), as the sprites do:
// texel-exact placement, alpha test, blending, depth, culling, fill mode and clearing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/platform/gl/gl_test_device.h"

namespace {

void ExpectColourNear(uint32_t pixel, double red, double green, double blue, double tolerance,
                      const char* what) {
    EXPECT_NEAR(Red(pixel), red, tolerance) << what;
    EXPECT_NEAR(Green(pixel), green, tolerance) << what;
    EXPECT_NEAR(Blue(pixel), blue, tolerance) << what;
}

constexpr uint32_t RGB_MASK = 0x00FFFFFF;
constexpr D3DCOLOR OPAQUE_RED = 0xFFFF0000;
constexpr D3DCOLOR OPAQUE_GREEN = 0xFF00FF00;
constexpr D3DCOLOR OPAQUE_BLUE = 0xFF0000FF;
constexpr D3DCOLOR OPAQUE_WHITE = 0xFFFFFFFF;
// Direct3D's pixel centres lie on integer coordinates: corners half a pixel up and left of them
// lay texels 1:1 onto pixels, the correction every Direct3D 9 program makes for 2-D pictures.
constexpr float HALF_PIXEL = 0.5f;

}  // namespace

using ScreenDrawing = GlDeviceTest;

TEST_F(ScreenDrawing, AQuadHalfAPixelUpAndLeftReproducesItsTextureExactly) {
    constexpr int TEXTURE_WIDTH = 8;
    constexpr int TEXTURE_HEIGHT = 6;
    constexpr int LEFT = 10;
    constexpr int TOP = 7;
    BeginFrame();
    SetSpriteStates();
    device->SetTexture(0, MakeTexture(TEXTURE_WIDTH, TEXTURE_HEIGHT,
                                      PatternTexels(TEXTURE_WIDTH, TEXTURE_HEIGHT)));
    DrawRectangle(LEFT - HALF_PIXEL, TOP - HALF_PIXEL, TEXTURE_WIDTH, TEXTURE_HEIGHT, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    // Every covered pixel is its texel, and the ring just outside is untouched.
    for (int y = TOP - 1; y <= TOP + TEXTURE_HEIGHT; ++y) {
        for (int x = LEFT - 1; x <= LEFT + TEXTURE_WIDTH; ++x) {
            const bool inside =
                x >= LEFT && x < LEFT + TEXTURE_WIDTH && y >= TOP && y < TOP + TEXTURE_HEIGHT;
            const uint32_t expected = inside ? PatternTexel(x - LEFT, y - TOP) : BACKGROUND;
            EXPECT_EQ(Pixel(pixels, x, y) & RGB_MASK, expected & RGB_MASK)
                << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(ScreenDrawing, ACellOfASheetShowsItsTexelsAtScaleOneAndTwo) {
    // The cell at texel (5, 3), 9 x 7, of a 32 x 16 sheet, cut as the sprites cut it.
    constexpr int SHEET_WIDTH = 32;
    constexpr int SHEET_HEIGHT = 16;
    constexpr int CELL_X = 5;
    constexpr int CELL_Y = 3;
    constexpr int CELL_WIDTH = 9;
    constexpr int CELL_HEIGHT = 7;
    const float u0 = static_cast<float>(CELL_X) / SHEET_WIDTH;
    const float v0 = static_cast<float>(CELL_Y) / SHEET_HEIGHT;
    const float u1 = static_cast<float>(CELL_X + CELL_WIDTH) / SHEET_WIDTH;
    const float v1 = static_cast<float>(CELL_Y + CELL_HEIGHT) / SHEET_HEIGHT;
    BeginFrame();
    SetSpriteStates();
    device->SetTexture(
        0, MakeTexture(SHEET_WIDTH, SHEET_HEIGHT, PatternTexels(SHEET_WIDTH, SHEET_HEIGHT)));
    DrawRectangle(2 - HALF_PIXEL, 3 - HALF_PIXEL, CELL_WIDTH, CELL_HEIGHT, OPAQUE_WHITE, 0, u0, v0,
                  u1, v1);
    DrawRectangle(30 - HALF_PIXEL, 20 - HALF_PIXEL, 2 * CELL_WIDTH, 2 * CELL_HEIGHT, OPAQUE_WHITE,
                  0, u0, v0, u1, v1);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    for (int y = 0; y < CELL_HEIGHT; ++y) {
        for (int x = 0; x < CELL_WIDTH; ++x) {
            EXPECT_EQ(Pixel(pixels, 2 + x, 3 + y) & RGB_MASK,
                      PatternTexel(CELL_X + x, CELL_Y + y) & RGB_MASK)
                << "scale 1, cell texel " << x << ", " << y;
        }
    }
    // At scale 2 each texel covers two by two pixels.
    for (int y = 0; y < 2 * CELL_HEIGHT; ++y) {
        for (int x = 0; x < 2 * CELL_WIDTH; ++x) {
            EXPECT_EQ(Pixel(pixels, 30 + x, 20 + y) & RGB_MASK,
                      PatternTexel(CELL_X + x / 2, CELL_Y + y / 2) & RGB_MASK)
                << "scale 2, pixel " << x << ", " << y;
        }
    }
}

TEST_F(ScreenDrawing, TheAlphaTestDiscardsTexelsOfAlphaZeroOnly) {
    // Opaque red, transparent red, barely visible green, opaque blue.
    const std::vector<uint32_t> texels = {0xFFFF0000, 0x00FF0000, 0x0100FF00, 0xFF0000FF};
    BeginFrame();
    SetSpriteStates();
    // Without blending only the alpha test can keep the transparent texel off the picture.
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetTexture(0, MakeTexture(4, 1, texels));
    DrawRectangle(4 - HALF_PIXEL, 4 - HALF_PIXEL, 4, 1, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 4, 4) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, 5, 4) & RGB_MASK, BACKGROUND & RGB_MASK);
    EXPECT_EQ(Pixel(pixels, 6, 4) & RGB_MASK, 0x00FF00u);
    EXPECT_EQ(Pixel(pixels, 7, 4) & RGB_MASK, 0x0000FFu);
}

TEST_F(ScreenDrawing, AlphaAndAdditiveBlendingMixWithTheBackground) {
    // Untextured, so the texture argument reads as opaque white and the vertex colour decides.
    constexpr double ALPHA = 128.0 / 255.0;
    const double backRed = Red(BACKGROUND);
    const double backGreen = Green(BACKGROUND);
    const double backBlue = Blue(BACKGROUND);
    BeginFrame();
    SetSpriteStates();
    device->SetTexture(0, nullptr);
    DrawRectangle(0, 0, 8, 8, 0x80FF0000);  // alpha blending: source x a + destination x (1 - a)
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    DrawRectangle(16, 0, 8, 8, 0x80FF8000);  // additive: source x a + destination
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    ExpectColourNear(Pixel(pixels, 4, 4), 255 * ALPHA + backRed * (1 - ALPHA),
                     backGreen * (1 - ALPHA), backBlue * (1 - ALPHA), 2, "alpha blending");
    ExpectColourNear(Pixel(pixels, 20, 4), std::min(255.0, 255 * ALPHA + backRed),
                     128 * ALPHA + backGreen, backBlue, 2, "additive blending");
}

TEST_F(ScreenDrawing, WithTheDepthTestAFarQuadStaysBehindAndWithoutItDrawsOver) {
    BeginFrame();
    DrawRectangle(8, 8, 16, 16, OPAQUE_RED, 0.2f);
    DrawRectangle(16, 16, 16, 16, OPAQUE_GREEN, 0.8f);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    DrawRectangle(40, 8, 16, 16, OPAQUE_RED, 0.2f);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    DrawRectangle(48, 16, 8, 8, OPAQUE_GREEN, 0.8f);  // the red quad wrote no depth
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    DrawRectangle(16, 16, 4, 4, OPAQUE_BLUE, 0.9f);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 21, 21) & RGB_MASK, 0xFF0000u) << "behind the near quad";
    EXPECT_EQ(Pixel(pixels, 28, 28) & RGB_MASK, 0x00FF00u) << "beside the near quad";
    EXPECT_EQ(Pixel(pixels, 17, 17) & RGB_MASK, 0x0000FFu) << "no depth test: drawn over";
    EXPECT_EQ(Pixel(pixels, 50, 18) & RGB_MASK, 0x00FF00u) << "no depth written without test";
}

TEST_F(ScreenDrawing, TheDefaultCullModeRemovesCounterClockwiseTrianglesOnly) {
    // Clockwise on the screen (y grows downwards): top-left, top-right, bottom-left.
    const ScreenVertex clockwise[3] = {{4, 4, 0, 1, OPAQUE_RED, 0, 0},
                                       {20, 4, 0, 1, OPAQUE_RED, 0, 0},
                                       {4, 20, 0, 1, OPAQUE_RED, 0, 0}};
    const ScreenVertex counterClockwise[3] = {{30, 4, 0, 1, OPAQUE_GREEN, 0, 0},
                                              {30, 20, 0, 1, OPAQUE_GREEN, 0, 0},
                                              {46, 4, 0, 1, OPAQUE_GREEN, 0, 0}};
    auto drawBoth = [&] {
        device->SetFVF(SCREEN_VERTEX_FVF);
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, clockwise, sizeof(ScreenVertex));
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, counterClockwise, sizeof(ScreenVertex));
    };
    const int probes[2][2] = {{8, 8}, {34, 8}};
    struct Case {
        const char* name;
        DWORD cullMode;  // 0: left at the default
        bool clockwiseShown;
        bool counterClockwiseShown;
    };
    const Case cases[] = {{"default", 0, true, false},
                          {"CW", D3DCULL_CW, false, true},
                          {"NONE", D3DCULL_NONE, true, true},
                          {"CCW", D3DCULL_CCW, true, false}};
    for (const Case& c : cases) {
        BeginFrame();
        if (c.cullMode != 0) {
            device->SetRenderState(D3DRS_CULLMODE, c.cullMode);
        }
        drawBoth();
        device->EndScene();
        const std::vector<uint32_t> pixels = ReadBack();
        EXPECT_EQ(Pixel(pixels, probes[0][0], probes[0][1]) & RGB_MASK,
                  c.clockwiseShown ? 0xFF0000u : BACKGROUND & RGB_MASK)
            << c.name << ": clockwise";
        EXPECT_EQ(Pixel(pixels, probes[1][0], probes[1][1]) & RGB_MASK,
                  c.counterClockwiseShown ? 0x00FF00u : BACKGROUND & RGB_MASK)
            << c.name << ": counter-clockwise";
    }
}

TEST_F(ScreenDrawing, WireframeFillDrawsTheEdgesAndLeavesTheInsideEmpty) {
    BeginFrame();
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    DrawRectangle(10, 10, 30, 20, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    // Rasterisers may put a line on either side of its exact row; look one pixel around it.
    auto litNear = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if ((Pixel(pixels, x + dx, y + dy) & RGB_MASK) == 0xFFFFFFu) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(litNear(25, 10)) << "top edge";
    EXPECT_TRUE(litNear(25, 30)) << "bottom edge";
    EXPECT_TRUE(litNear(10, 20)) << "left edge";
    EXPECT_TRUE(litNear(40, 20)) << "right edge";
    EXPECT_TRUE(litNear(25, 20)) << "the strip's diagonal";
    // Inside, away from the edges and the diagonal from (40, 10) to (10, 30).
    EXPECT_EQ(Pixel(pixels, 15, 14) & RGB_MASK, BACKGROUND & RGB_MASK);
    EXPECT_EQ(Pixel(pixels, 35, 26) & RGB_MASK, BACKGROUND & RGB_MASK);
}

TEST_F(ScreenDrawing, WireframeAndPointFillCullAsSolidFacesAndPointsDrawOnlyCorners) {
    // One triangle counter-clockwise on the screen: the back under the default cull mode.
    const ScreenVertex backFacing[3] = {{10, 10, 0, 1, OPAQUE_WHITE, 0, 0},
                                        {10, 30, 0, 1, OPAQUE_WHITE, 0, 0},
                                        {40, 10, 0, 1, OPAQUE_WHITE, 0, 0}};
    const auto whiteCount = [this] {
        int count = 0;
        for (uint32_t pixel : ReadBack()) {
            count += (pixel & RGB_MASK) == 0xFFFFFFu ? 1 : 0;
        }
        return count;
    };
    for (DWORD fill : {DWORD{D3DFILL_WIREFRAME}, DWORD{D3DFILL_POINT}}) {
        BeginFrame();
        device->SetRenderState(D3DRS_FILLMODE, fill);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
        device->SetFVF(SCREEN_VERTEX_FVF);
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, backFacing, sizeof(ScreenVertex));
        EXPECT_EQ(whiteCount(), 0) << "fill " << fill << ": culled";
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, backFacing, sizeof(ScreenVertex));
        device->EndScene();
        if (fill == D3DFILL_POINT) {
            EXPECT_EQ(whiteCount(), 3) << "one pixel at each corner";
        } else {
            // The three edges: 30 + 20 pixels along the sides and about 30 along the diagonal.
            EXPECT_GE(whiteCount(), 70);
            EXPECT_LE(whiteCount(), 90);
        }
    }
}

TEST_F(ScreenDrawing, AnUntexturedDrawShowsTheVertexColourAndSelectingTheTextureGivesWhite) {
    BeginFrame();
    device->SetTexture(0, nullptr);
    DrawRectangle(0, 0, 8, 8, 0xFF4080C0);  // default stage 0: texture (white) x diffuse
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    DrawRectangle(16, 0, 8, 8, 0xFF4080C0);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 4, 4) & RGB_MASK, 0x4080C0u);
    EXPECT_EQ(Pixel(pixels, 20, 4) & RGB_MASK, 0xFFFFFFu);
}

TEST_F(ScreenDrawing, AnX8R8G8B8TextureIsOpaqueWhateverItsUnusedByteHolds) {
    BeginFrame();
    SetSpriteStates();
    device->SetTexture(0, MakeTexture(1, 1, {0x0000FF00}, D3DFMT_X8R8G8B8));
    DrawRectangle(2, 2, 4, 4, OPAQUE_WHITE);
    device->EndScene();
    EXPECT_EQ(Pixel(ReadBack(), 3, 3) & RGB_MASK, 0x00FF00u);
}

TEST_F(ScreenDrawing, TexelsWrittenAfterADrawShowInTheNextDraw) {
    IDirect3DTexture9* texture = MakeTexture(1, 1, {OPAQUE_RED});
    BeginFrame();
    device->SetTexture(0, texture);
    DrawRectangle(0, 0, 4, 4, OPAQUE_WHITE);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    *static_cast<uint32_t*>(locked.pBits) = OPAQUE_BLUE;
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    DrawRectangle(8, 0, 4, 4, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 1, 1) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, 9, 1) & RGB_MASK, 0x0000FFu);
}

TEST_F(ScreenDrawing, ClearWithRectanglesClearsOnlyInsideThem) {
    BeginFrame();
    device->EndScene();
    const D3DRECT rect = {5, 6, 15, 20};
    ASSERT_EQ(device->Clear(1, &rect, D3DCLEAR_TARGET, OPAQUE_RED, 1.0f, 0), D3D_OK);
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 5, 6) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, 14, 19) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, 15, 6) & RGB_MASK, BACKGROUND & RGB_MASK);
    EXPECT_EQ(Pixel(pixels, 4, 6) & RGB_MASK, BACKGROUND & RGB_MASK);
    EXPECT_EQ(Pixel(pixels, 5, 20) & RGB_MASK, BACKGROUND & RGB_MASK);
    EXPECT_EQ(Pixel(pixels, 5, 5) & RGB_MASK, BACKGROUND & RGB_MASK);
}

TEST_F(ScreenDrawing, DrawsOutsideASceneAndMalformedDrawsAreRefused) {
    const ScreenVertex vertices[3] = {};
    device->SetFVF(SCREEN_VERTEX_FVF);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, vertices, sizeof(ScreenVertex)),
              D3DERR_INVALIDCALL);
    BeginFrame();
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, vertices, 8), D3DERR_INVALIDCALL)
        << "stride shorter than the format";
    const uint16_t strayIndices[3] = {0, 1, 3};
    EXPECT_EQ(device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 3, 1, strayIndices,
                                             D3DFMT_INDEX16, vertices, sizeof(ScreenVertex)),
              D3DERR_INVALIDCALL)
        << "an index past the vertices";
    device->SetFVF(0);
    EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, vertices, sizeof(ScreenVertex)),
              D3DERR_INVALIDCALL)
        << "no vertex format";
    EXPECT_EQ(device->EndScene(), D3D_OK);
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
}

TEST_F(ScreenDrawing, PixelCentresLieOnIntegerCoordinatesAsInDirect3D) {
    // From 10.5 to 14.5 holds the centres 11 to 14; from 7.5 to 10.5 the centres 8 to 10.
    BeginFrame();
    DrawRectangle(10.5f, 7.5f, 4, 3, OPAQUE_RED);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    for (int y = 6; y <= 12; ++y) {
        for (int x = 9; x <= 16; ++x) {
            const bool inside = x >= 11 && x <= 14 && y >= 8 && y <= 10;
            EXPECT_EQ(Pixel(pixels, x, y) & RGB_MASK, inside ? 0xFF0000u : BACKGROUND & RGB_MASK)
                << "pixel " << x << ", " << y;
        }
    }
}
