// The OpenGL device sends OpenGL only what changed since the previous draw, and textures of one
// size share OpenGL textures: each change between two draws must still show in the second.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9_geometry.h"
#include "platform/gl/gl_readback.h"
#include "tests/platform/gl/gl_test_device.h"

namespace {

constexpr uint32_t RGB_MASK = 0x00FFFFFF;
constexpr D3DCOLOR OPAQUE_RED = 0xFFFF0000;
constexpr D3DCOLOR OPAQUE_GREEN = 0xFF00FF00;
constexpr D3DCOLOR OPAQUE_BLUE = 0xFF0000FF;
constexpr D3DCOLOR OPAQUE_WHITE = 0xFFFFFFFF;

D3DMATRIX Translation(float x, float y, float z) {
    D3DMATRIX matrix = platform::IdentityMatrix();
    matrix._41 = x;
    matrix._42 = y;
    matrix._43 = z;
    return matrix;
}

// A square of side 0.2 around the origin facing -z (the camera of an identity view), wound
// clockwise as seen from there.
std::vector<WorldVertex> Square(D3DCOLOR colour) {
    return {{-0.1f, 0.1f, 0.5f, 0, 0, -1, colour},
            {0.1f, 0.1f, 0.5f, 0, 0, -1, colour},
            {-0.1f, -0.1f, 0.5f, 0, 0, -1, colour},
            {0.1f, -0.1f, 0.5f, 0, 0, -1, colour}};
}

}  // namespace

class StateChanges : public GlDeviceTest {
  protected:
    // Identity view and projection: world x and y from -1 to 1 span the back buffer.
    void UseIdentityCamera() {
        const D3DMATRIX identity = Translation(0, 0, 0);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_PROJECTION, &identity);
    }

    // The square moved to (x, y) by the world matrix.
    void DrawSquare(float x, float y, D3DCOLOR colour) {
        const D3DMATRIX world = Translation(x, y, 0);
        device->SetTransform(D3DTS_WORLD, &world);
        const std::vector<WorldVertex> vertices = Square(colour);
        ASSERT_EQ(device->SetFVF(WORLD_VERTEX_FVF), D3D_OK);
        ASSERT_EQ(
            device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices.data(), sizeof(WorldVertex)),
            D3D_OK);
    }

    // The pixel at the centre of a square drawn at (x, y).
    uint32_t SquareCentre(const std::vector<uint32_t>& pixels, float x, float y) const {
        const auto column = static_cast<int>((x + 1) / 2 * WIDTH);
        const auto row = static_cast<int>((1 - y) / 2 * HEIGHT);
        return Pixel(pixels, column, row) & RGB_MASK;
    }
};

TEST_F(StateChanges, RenderAndStageStatesChangedBetweenDrawsShowInTheNextDraw) {
    BeginFrame();
    device->SetTexture(0, MakeTexture(1, 1, {0x80FF0000}));  // red, half transparent
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    DrawRectangle(0, 0, 8, 8, OPAQUE_WHITE);  // no blending: red
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    DrawRectangle(8, 0, 8, 8, OPAQUE_WHITE);  // half red over the background
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    DrawRectangle(16, 0, 8, 8, OPAQUE_WHITE);  // back to the first draw's state: red
    // The colour from the texture factor, changed between two draws.
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TFACTOR);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, OPAQUE_GREEN);
    DrawRectangle(24, 0, 8, 8, OPAQUE_WHITE);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, OPAQUE_BLUE);
    DrawRectangle(32, 0, 8, 8, OPAQUE_WHITE);
    // Set to something else and back before a draw: nothing changed.
    device->SetRenderState(D3DRS_TEXTUREFACTOR, OPAQUE_RED);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, OPAQUE_BLUE);
    DrawRectangle(40, 0, 8, 8, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 4, 4) & RGB_MASK, 0xFF0000u);
    // Source alpha 0x80 / 255 of red over the background 0x102030.
    const double alpha = 0x80 / 255.0;
    const uint32_t blended = Pixel(pixels, 12, 4);
    EXPECT_NEAR(Red(blended), alpha * 0xFF + (1 - alpha) * 0x10, 2);
    EXPECT_NEAR(Green(blended), (1 - alpha) * 0x20, 2);
    EXPECT_NEAR(Blue(blended), (1 - alpha) * 0x30, 2);
    EXPECT_EQ(Pixel(pixels, 20, 4) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, 28, 4) & RGB_MASK, 0x00FF00u);
    EXPECT_EQ(Pixel(pixels, 36, 4) & RGB_MASK, 0x0000FFu);
    EXPECT_EQ(Pixel(pixels, 44, 4) & RGB_MASK, 0x0000FFu);
}

TEST_F(StateChanges, AClearOfTheDepthBufferDoesNotLeaveDepthWritesOn) {
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    BeginFrame();
    DrawRectangle(40, 40, 2, 2, OPAQUE_WHITE);  // OpenGL now has depth writes off
    // Direct3D clears depth whatever ZWRITEENABLE says; the draws after it still write none.
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);
    DrawRectangle(0, 0, 16, 16, OPAQUE_RED, 0.2f);
    DrawRectangle(0, 0, 16, 16, OPAQUE_GREEN,
                  0.5f);  // behind the red one, whose depth is unwritten
    device->EndScene();
    EXPECT_EQ(Pixel(ReadBack(), 8, 8) & RGB_MASK, 0x00FF00u);
}

TEST_F(StateChanges, TheWorldMovesEachDrawAlsoAfterDrawsInWindowPixels) {
    BeginFrame();
    UseIdentityCamera();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    DrawSquare(-0.5f, 0.5f, OPAQUE_RED);
    DrawSquare(0.5f, 0.5f, OPAQUE_GREEN);
    // A draw in window pixels loads other matrices; the next world draw, with the same world as
    // the one before, must get them back.
    DrawRectangle(0, HEIGHT - 4, 4, 4, OPAQUE_WHITE);
    DrawSquare(0.5f, 0.5f, OPAQUE_BLUE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(SquareCentre(pixels, -0.5f, 0.5f), 0xFF0000u);
    EXPECT_EQ(SquareCentre(pixels, 0.5f, 0.5f), 0x0000FFu);
    EXPECT_EQ(Pixel(pixels, 1, HEIGHT - 2) & RGB_MASK, 0xFFFFFFu);
    EXPECT_EQ(SquareCentre(pixels, 0, 0), BACKGROUND & RGB_MASK);
}

TEST_F(StateChanges, MaterialsAndLightsChangedBetweenDrawsLightTheNextDraw) {
    BeginFrame();
    UseIdentityCamera();
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Direction = {0, 0, 1};  // onto the squares' faces: N.L = 1
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    D3DMATERIAL9 material{};
    material.Diffuse = {0, 1, 0, 1};
    device->SetMaterial(&material);
    // The vertex colour is the diffuse material (COLOR1, the default)...
    DrawSquare(-0.5f, 0.5f, OPAQUE_RED);
    // ...until the material is the source: OpenGL's copy of it must not keep the vertex colour.
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    DrawSquare(0.5f, 0.5f, OPAQUE_RED);
    material.Diffuse = {0, 0, 1, 1};
    device->SetMaterial(&material);
    DrawSquare(-0.5f, -0.5f, OPAQUE_RED);
    device->LightEnable(0, FALSE);  // no light, no ambient: black
    DrawSquare(0.5f, -0.5f, OPAQUE_RED);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(SquareCentre(pixels, -0.5f, 0.5f), 0xFF0000u);
    EXPECT_EQ(SquareCentre(pixels, 0.5f, 0.5f), 0x00FF00u);
    EXPECT_EQ(SquareCentre(pixels, -0.5f, -0.5f), 0x0000FFu);
    EXPECT_EQ(SquareCentre(pixels, 0.5f, -0.5f), 0u);
}

TEST_F(StateChanges, TexturesOfOneSizeEachShowTheirOwnTexels) {
    // More textures of one size than OpenGL gets in one piece, each a colour of its own, drawn in
    // turns so that every draw changes the texture.
    constexpr int COUNT = 40;
    const auto colourOf = [](int i) {
        return 0xFF000000u | static_cast<uint32_t>(i * 6) << 16 |
               static_cast<uint32_t>(255 - i * 5) << 8 | static_cast<uint32_t>(i * 3 + 7);
    };
    std::vector<IDirect3DTexture9*> made;
    for (int i = 0; i < COUNT; ++i) {
        made.push_back(MakeTexture(2, 2, std::vector<uint32_t>(4, colourOf(i))));
    }
    // Same size, no alpha, its unused byte 0: in OpenGL apart from the textures with alpha.
    IDirect3DTexture9* opaque =
        MakeTexture(2, 2, std::vector<uint32_t>(4, 0x00123456u), D3DFMT_X8R8G8B8);
    BeginFrame();
    SetSpriteStates();  // an alpha of 0 would be discarded
    for (int i = 0; i < COUNT; ++i) {
        const int cell = i % 2 == 0 ? i / 2 : COUNT - 1 - i / 2;
        device->SetTexture(0, made[static_cast<size_t>(cell)]);
        DrawRectangle(static_cast<float>(cell % 10 * 4), static_cast<float>(cell / 10 * 4), 4, 4,
                      OPAQUE_WHITE);
    }
    device->SetTexture(0, opaque);
    DrawRectangle(0, 40, 4, 4, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    for (int cell = 0; cell < COUNT; ++cell) {
        EXPECT_EQ(Pixel(pixels, cell % 10 * 4 + 2, cell / 10 * 4 + 2) & RGB_MASK,
                  colourOf(cell) & RGB_MASK)
            << "texture " << cell;
    }
    EXPECT_EQ(Pixel(pixels, 2, 42) & RGB_MASK, 0x123456u);
}

TEST_F(StateChanges, ATextureReleasedAndRecreatedIsNotTakenForTheOneBoundBefore) {
    IDirect3DTexture9* other = MakeTexture(1, 1, {OPAQUE_BLUE});
    BeginFrame();
    IDirect3DTexture9* first = nullptr;
    ASSERT_EQ(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &first, nullptr),
              D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(first->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (int row = 0; row < 2; ++row) {
        auto* texels =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + row * locked.Pitch);
        texels[0] = texels[1] = OPAQUE_RED;
    }
    ASSERT_EQ(first->UnlockRect(0), D3D_OK);
    device->SetTexture(0, first);
    DrawRectangle(0, 0, 4, 4, OPAQUE_WHITE);
    // The device lets go of the last reference: the texture is gone, and the next one of its
    // size may well take its memory and its place in OpenGL.
    first->Release();
    device->SetTexture(0, nullptr);
    IDirect3DTexture9* second = MakeTexture(2, 2, std::vector<uint32_t>(4, OPAQUE_GREEN));
    device->SetTexture(0, second);
    DrawRectangle(8, 0, 4, 4, OPAQUE_WHITE);
    // Away to another texture and back.
    device->SetTexture(0, other);
    DrawRectangle(16, 0, 4, 4, OPAQUE_WHITE);
    device->SetTexture(0, second);
    DrawRectangle(24, 0, 4, 4, OPAQUE_WHITE);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    EXPECT_EQ(Pixel(pixels, 2, 2) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, 10, 2) & RGB_MASK, 0x00FF00u);
    EXPECT_EQ(Pixel(pixels, 18, 2) & RGB_MASK, 0x0000FFu);
    EXPECT_EQ(Pixel(pixels, 26, 2) & RGB_MASK, 0x00FF00u);
}

TEST_F(StateChanges, ShadersAreCompiledOnFirstUseOnlyAndConstantsNeedNone) {
    const auto compiled = [this] {
        size_t count = 0;
        EXPECT_TRUE(platform::gl::CompiledPrograms(device, count));
        return count;
    };
    const auto drawFrame = [this] {
        BeginFrame();
        UseIdentityCamera();
        DrawSquare(-0.5f, 0, OPAQUE_RED);  // lit by default
        SetSpriteStates();
        device->SetTexture(0, MakeTexture(1, 1, {OPAQUE_GREEN}));
        DrawRectangle(40, 10, 8, 8, OPAQUE_WHITE);
        device->SetTexture(0, nullptr);
        device->EndScene();
    };
    // The second frame's square meets the sprite states the first frame left behind.
    drawFrame();
    drawFrame();
    const size_t afterFirstFrames = compiled();
    EXPECT_GE(afterFirstFrames, 2u) << "a lit draw and a sprite need different shaders";

    // Colours, matrices, lights and material travel as uniforms: the same shaders serve.
    device->SetRenderState(D3DRS_TEXTUREFACTOR, OPAQUE_BLUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0x40);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF202020);
    D3DMATERIAL9 material{};
    material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    device->SetMaterial(&material);
    drawFrame();
    EXPECT_EQ(compiled(), afterFirstFrames);

    // Another comparison is other code; going back to the first finds it compiled.
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    BeginFrame();
    device->SetTexture(0, MakeTexture(1, 1, {OPAQUE_GREEN}));  // as the sprite drew
    DrawRectangle(40, 10, 8, 8, OPAQUE_WHITE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_NOTEQUAL);
    DrawRectangle(40, 10, 8, 8, OPAQUE_WHITE);
    device->EndScene();
    EXPECT_EQ(compiled(), afterFirstFrames + 1);
}
