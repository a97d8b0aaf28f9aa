// The offscreen OpenGL device of the pixel tests.
#include "tests/platform/gl/gl_test_device.h"

#include <cstdlib>
#include <cstring>

#include "platform/gl/gl_readback.h"
#include "tests/support/game_present_parameters.h"

// A texel pattern where every texel differs from its neighbours in every channel.
uint32_t PatternTexel(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>((x * 29 + 11) & 0xFF) << 16 |
           static_cast<uint32_t>((y * 37 + 5) & 0xFF) << 8 |
           static_cast<uint32_t>((x * 7 + y * 13 + 3) & 0xFF);
}

std::vector<uint32_t> PatternTexels(int width, int height) {
    std::vector<uint32_t> texels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            texels.push_back(PatternTexel(x, y));
        }
    }
    return texels;
}

GlDeviceTest::GlDeviceTest(platform::gl::OffscreenDrawable offscreen) {
    // Also when run by hand, outside CTest's environment.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    direct3d = platform::gl::CreateGlDirect3D({}, offscreen);
    if (direct3d == nullptr) {
        ADD_FAILURE() << "no Direct3D over OpenGL";
        return;
    }
    D3DPRESENT_PARAMETERS parameters = GamePresentParameters(WIDTH, HEIGHT);
    const HRESULT result =
        direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                               D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device);
    if (FAILED(result) || device == nullptr) {
        ADD_FAILURE() << "no OpenGL device";
        device = nullptr;
    }
}

GlDeviceTest::~GlDeviceTest() {
    for (IDirect3DTexture9* texture : textures) {
        texture->Release();
    }
    if (device != nullptr) {
        device->Release();
    }
    if (direct3d != nullptr) {
        direct3d->Release();
    }
}

void GlDeviceTest::BeginFrame() {
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, BACKGROUND, 1.0f, 0),
              D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
}

std::vector<uint32_t> GlDeviceTest::ReadBack() {
    std::vector<uint32_t> texels;
    int width = 0;
    int height = 0;
    EXPECT_TRUE(platform::gl::ReadBackBuffer(device, texels, width, height));
    EXPECT_EQ(width, WIDTH);
    EXPECT_EQ(height, HEIGHT);
    texels.resize(static_cast<size_t>(WIDTH) * HEIGHT);
    return texels;
}

IDirect3DTexture9* GlDeviceTest::MakeTexture(int width, int height,
                                             const std::vector<uint32_t>& texels,
                                             D3DFORMAT format) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(
        device->CreateTexture(width, height, 1, 0, format, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    if (texture == nullptr) {
        return nullptr;
    }
    textures.push_back(texture);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (int row = 0; row < height; ++row) {
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + row * locked.Pitch,
                    texels.data() + static_cast<size_t>(row) * width, width * sizeof(uint32_t));
    }
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    return texture;
}

void GlDeviceTest::DrawRectangle(float x, float y, float width, float height, D3DCOLOR colour,
                                 float z, float u0, float v0, float u1, float v1) {
    // Strip order top-left, top-right, bottom-left, bottom-right, as the engine's sprites.
    const ScreenVertex strip[4] = {
        {x, y, z, 1.0f, colour, u0, v0},
        {x + width, y, z, 1.0f, colour, u1, v0},
        {x, y + height, z, 1.0f, colour, u0, v1},
        {x + width, y + height, z, 1.0f, colour, u1, v1},
    };
    ASSERT_EQ(device->SetFVF(SCREEN_VERTEX_FVF), D3D_OK);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(ScreenVertex)), D3D_OK);
}

void GlDeviceTest::SetSpriteStates() {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_NOTEQUAL);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
}
