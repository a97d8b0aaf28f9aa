// The loaders and the engine on the system's own Direct3D 9 (Wine's, where the Windows tests run):
// textures filled through LockRect, mesh subsets drawn with 32-bit indices, sprites drawn from
// memory, each read back from the texture or the back buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/render_engine.h"
#include "tests/gfxutil/image_files.h"
#include "tests/support/texture_texels.h"
#include "tests/support/window_test_support.h"
#include "tools/replay/scratch_directory.h"

namespace {

constexpr uint32_t OPAQUE_ALPHA = 0xFF000000;
constexpr uint32_t RGB_MASK = 0x00FFFFFF;
constexpr uint32_t MAGENTA = 0xFF00FF;
constexpr uint32_t GREEN = 0x00FF00;
constexpr uint32_t RED = 0xFF0000;
const char* const WINDOW_CLASS = "GorvantiRealDirect3DTest";

// The engine as the game's class tree makes it concrete; its loop never runs here.
class TestEngine : public RenderEngine {
  public:
    int Idle() override { return 0; }
};

// A hidden window with the game's 640 x 480 client area, for the device to present to.
HWND CreateHiddenWindow() {
    static const ATOM windowClass =
        platform_test::RegisterRecordingClass(WINDOW_CLASS, DefWindowProcA);
    if (windowClass == 0) {
        return NULL;
    }
    return platform_test::CreateGameSizedWindow(WINDOW_CLASS, WS_OVERLAPPEDWINDOW);
}

class RealDirect3DTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = CreateHiddenWindow();
        ASSERT_NE(window, nullptr);
        engine.hwnd = window;
        ASSERT_EQ(engine.CreateDevice(), 1) << "no Direct3D 9 device on this system";
    }

    void TearDown() override {
        engine.ReleaseAll();
        if (engine.device != nullptr) {
            engine.device->Release();
            engine.device = nullptr;
        }
        if (window != NULL) {
            DestroyWindow(window);
        }
    }

    int LoadTexture(const std::string& name, D3DCOLOR colourKey = 0,
                    D3DPOOL pool = D3DPOOL_MANAGED) {
        TextureLoadParams params;
        params.fileName = name.c_str();
        params.pool = pool;
        params.colourKey = colourKey;
        return engine.LoadTexture(params);
    }

    // The colour of one pixel of the back buffer, without its alpha.
    uint32_t BackBufferPixel(int x, int y) {
        IDirect3DDevice9* device = engine.device;
        IDirect3DSurface9* target = nullptr;
        IDirect3DSurface9* copy = nullptr;
        uint32_t pixel = 0;
        D3DSURFACE_DESC description{};
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(device->GetRenderTarget(0, &target)) &&
            SUCCEEDED(target->GetDesc(&description)) &&
            SUCCEEDED(device->CreateOffscreenPlainSurface(description.Width, description.Height,
                                                          description.Format, D3DPOOL_SYSTEMMEM,
                                                          &copy, nullptr)) &&
            SUCCEEDED(device->GetRenderTargetData(target, copy)) &&
            SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            std::memcpy(&pixel,
                        static_cast<const uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch +
                            size_t(x) * sizeof(uint32_t),
                        sizeof pixel);
            copy->UnlockRect();
        } else {
            ADD_FAILURE() << "the back buffer cannot be read";
        }
        if (copy != nullptr) {
            copy->Release();
        }
        if (target != nullptr) {
            target->Release();
        }
        return pixel & RGB_MASK;
    }

    ScratchDirectory directory;
    HWND window = NULL;
    TestEngine engine;
};

TEST_F(RealDirect3DTest, ABitmapFillsItsTextureWithTheColourKeyTransparent) {
    BmpLayout layout;
    layout.width = 3;
    layout.height = -1;
    directory.Write("sheet.bmp", [&] {
        const Bytes bytes = MakeBmp(layout, {MAGENTA, GREEN, RED});
        return std::string(bytes.begin(), bytes.end());
    }());
    ASSERT_EQ(LoadTexture("sheet.bmp", OPAQUE_ALPHA | MAGENTA), 1);
    const TextureEntry& entry = engine.textures[0];
    EXPECT_EQ(entry.imageInfo.Width, 3u);
    EXPECT_EQ(entry.imageInfo.Height, 1u);
    EXPECT_EQ(entry.imageInfo.ImageFileFormat, IMAGE_FILE_BMP);
    // 24-bit texels are opaque; the key makes the magenta one transparent black.
    EXPECT_EQ(ReadTexels(entry.texture, 3, 1),
              (std::vector<uint32_t>{0, OPAQUE_ALPHA | GREEN, OPAQUE_ALPHA | RED}));
}

TEST_F(RealDirect3DTest, ADdsTextureKeepsItsAlphaAndReportsItsFormat) {
    const std::vector<uint32_t> texels = {0x80102030, 0xFF405060, 0x00708090, 0xFFA0B0C0};
    const Bytes bytes = MakeDds(A8R8G8B8Spec(2, 2), PackPixels(texels, sizeof(uint32_t)));
    directory.Write("picture.dds", std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(LoadTexture("picture.dds"), 1);
    const TextureEntry& entry = engine.textures[0];
    EXPECT_EQ(entry.imageInfo.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(entry.imageInfo.ImageFileFormat, IMAGE_FILE_DDS);
    EXPECT_EQ(ReadTexels(entry.texture, 2, 2), texels);
}

// A quad over the middle half of the screen, with the identity transforms: x and y from -0.5 to
// 0.5 in clip space are pixels 160 to 480 and 120 to 360.
const char* const MIDDLE_QUAD = R"(xof 0303txt 0032
Mesh {
  4; -0.5;-0.5;0.5;, -0.5;0.5;0.5;, 0.5;0.5;0.5;, 0.5;-0.5;0.5;;
  1; 4;0,1,2,3;;
  MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }
}
)";

TEST_F(RealDirect3DTest, AMeshSubsetIsDrawnWhereItsVerticesLie) {
    directory.Write("quad.x", MIDDLE_QUAD);
    ASSERT_EQ(engine.LoadMesh("quad.x", AmbientFromDiffuse, -1), 1);
    ASSERT_EQ(engine.AddMeshInstance(0), 1);
    const D3DMATRIX identity = {{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
    engine.device->SetTransform(D3DTS_VIEW, &identity);
    engine.device->SetTransform(D3DTS_PROJECTION, &identity);
    // Unlit, a vertex without a colour of its own is white.
    engine.device->SetRenderState(D3DRS_LIGHTING, FALSE);
    engine.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    ASSERT_EQ(engine.DrawFrame(), 1);
    EXPECT_EQ(BackBufferPixel(320, 240), RGB_MASK);
    EXPECT_EQ(BackBufferPixel(170, 130), RGB_MASK);
    EXPECT_EQ(BackBufferPixel(150, 240), 0u);
    EXPECT_EQ(BackBufferPixel(320, 370), 0u);
    EXPECT_EQ(engine.PresentFrame(), 1);
}

// The sprite's texture from either pool the loader is asked for: a default-pool texture cannot be
// locked on real Direct3D 9, so the loader fills it from system memory.
class SpriteFromPool : public RealDirect3DTest, public ::testing::WithParamInterface<D3DPOOL> {};

TEST_P(SpriteFromPool, CoversItsScaledRectangleOverTheBlackClear) {
    BmpLayout layout;
    layout.width = 2;
    layout.height = 2;
    const Bytes bytes = MakeBmp(layout, {RED, RED, RED, RED});
    directory.Write("red.bmp", std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(LoadTexture("red.bmp", 0, GetParam()), 1);
    D3DSURFACE_DESC description{};
    ASSERT_EQ(engine.textures[0].texture->GetLevelDesc(0, &description), D3D_OK);
    EXPECT_EQ(description.Pool, GetParam());
    SpriteParams params;
    params.texture = &engine.textures[0];
    params.x = 100;
    params.y = 50;
    params.width = 2;
    params.height = 2;
    params.scaleX = 16;  // 32 x 32 pixels
    params.scaleY = 16;
    ASSERT_EQ(engine.AddSprite(params), 1);

    ASSERT_EQ(engine.DrawFrame(), 1);
    EXPECT_EQ(BackBufferPixel(116, 66), RED);
    EXPECT_EQ(BackBufferPixel(102, 52), RED);
    EXPECT_EQ(BackBufferPixel(140, 66), 0u);
    EXPECT_EQ(BackBufferPixel(116, 90), 0u);
    EXPECT_EQ(engine.PresentFrame(), 1);
}

INSTANTIATE_TEST_SUITE_P(Pools, SpriteFromPool,
                         ::testing::Values(D3DPOOL_MANAGED, D3DPOOL_DEFAULT));

}  // namespace
