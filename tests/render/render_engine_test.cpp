// The engine's device creation, the order of one frame's calls, overrides, presenting and release.
#include "render/render_engine.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/gl/gl_readback.h"
#include "tests/render/engine_fixture.h"

using Lines = std::vector<std::string>;

namespace {

const std::string CLEAR_LINE = Line("Clear", {0, 3, 0xFF000000u, 1.0, 0});
const std::string FIRST_TEXTURE = "1";  // the recording device names textures from 1

// Direct3D that refuses every device.
class RefusingDirect3D : public IDirect3D9 {
  public:
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                         IDirect3DDevice9** device) override {
        // A runtime may leave rubbish behind in the output of a refused call.
        *device = reinterpret_cast<IDirect3DDevice9*>(0x1234);
        return D3DERR_NOTAVAILABLE;
    }

    ULONG references = 1;
};

// The lines of one material of an instance, up to (not including) its subset's drawing.
Lines MaterialLines(const D3DMATERIAL9& material, const std::string& texture) {
    return {MaterialLine(material), "SetTexture 0 " + texture, "SetRenderState 145 0",
            "SetRenderState 19 5", "SetRenderState 20 6"};
}

// DrawSprite's calls for an alpha-blended sprite, without its strip.
Lines AlphaSpriteLines(const std::string& texture, const std::string& strip) {
    return {"SetTexture 0 " + texture, "SetFVF 324",    "SetRenderState 20 6",
            "SetRenderState 19 5",     strip,           "SetRenderState 20 1",
            "SetRenderState 19 2",     "SetTexture 0 0"};
}

Lines EmptyFrameLines() {
    Lines lines = {CLEAR_LINE, "BeginScene"};
    Append(lines, BeginSpritePassLines());
    Append(lines, EndSpritePassLines());
    lines.push_back("EndScene");
    return lines;
}

}  // namespace

class DeviceCreationTest : public ::testing::Test {
  protected:
    ~DeviceCreationTest() override {
        engine.reset();
        platform::SetDirect3DFactory({});
        platform::headless::ResetWindowState();
    }

    platform::headless::Session session;
    platform::headless::CallLog log;
    std::unique_ptr<TestEngine> engine = std::make_unique<TestEngine>();
};

TEST_F(DeviceCreationTest, TheDeviceIsAWindowedImmediateOneWithAlphaBlendingOn) {
    platform::SetDirect3DFactory(
        [this] { return platform::headless::CreateRecordingDirect3D(log); });
    EXPECT_EQ(engine->CreateDevice(), 1);
    EXPECT_NE(engine->device, nullptr);
    EXPECT_NE(engine->direct3d, nullptr);
    // Adapter 0, HAL, the main window, software vertex processing; then the presentation block
    // in declaration order: all zero except swap effect discard (1), windowed, automatic D16 (80)
    // depth buffer and the immediate interval.
    const double window = static_cast<double>(reinterpret_cast<uintptr_t>(engine->hwnd));
    const std::string creation = Line(
        "CreateDevice", {0, 1, window, 0x20, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 80, 0, 0, 0x80000000u});
    EXPECT_EQ(log.Lines(), (Lines{creation, "SetRenderState 27 1"}));
    EXPECT_TRUE(session.boxes.boxes.empty());
}

TEST_F(DeviceCreationTest, WithoutDirect3DTheErrorBoxIsShownAndNothingIsDrawn) {
    platform::SetDirect3DFactory([] { return static_cast<IDirect3D9*>(nullptr); });
    EXPECT_EQ(engine->CreateDevice(), 0);
    ASSERT_EQ(session.boxes.boxes.size(), 1u);
    const platform::headless::RecordedBox& box = session.boxes.boxes[0];
    EXPECT_EQ(box.owner, static_cast<HWND>(NULL));
    EXPECT_EQ(box.text, "DirectX 9.0b以上をインストールして下さい。");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(engine->DrawFrame(), 0);
    EXPECT_EQ(engine->PresentFrame(), 1);
}

TEST_F(DeviceCreationTest, ARefusedDeviceFailsSilentlyAndKeepsDirect3DUntilTheEnd) {
    RefusingDirect3D direct3d;
    platform::SetDirect3DFactory([&direct3d] { return &direct3d; });
    EXPECT_EQ(engine->CreateDevice(), 0);
    EXPECT_TRUE(session.boxes.boxes.empty());
    EXPECT_EQ(engine->device, nullptr);
    EXPECT_EQ(engine->direct3d, &direct3d);
    EXPECT_EQ(engine->DrawFrame(), 0);
    engine.reset();
    EXPECT_EQ(direct3d.references, 0u);
}

TEST_F(EngineTest, AnEmptyFrameIsClearedToBlackAndStillSetsBothSpritePasses) {
    EXPECT_EQ(engine->DrawFrame(), 1);
    EXPECT_EQ(LogLines(), EmptyFrameLines());
    log.Clear();
    EXPECT_EQ(engine->PresentFrame(), 1);
    EXPECT_EQ(LogLines(), Lines{"Present"});
}

TEST_F(EngineTest, AFrameDrawsInstancesWithTheirOverridesAndThenTheSprites) {
    LoadBmpTexture(64, 32);
    const D3DMATERIAL9 red = SolidMaterial(1, 0, 0);
    const D3DMATERIAL9 blue = SolidMaterial(0, 0, 1);
    const int cube = AddCubeMeshEntry(red, blue);
    engine->meshes[cube].materialTextures[0] = engine->textures[0].texture;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(engine->AddMeshInstance(cube), 1);
    }
    engine->instances[0].world = Translation(1, 2, 3);
    engine->instances[1].visible = 0;
    engine->instances[2].visible = 2;  // any value but 0 draws
    engine->renderStateOverrides = {
        {2, D3DRS_FILLMODE, D3DFILL_WIREFRAME}, {0, D3DRS_CULLMODE, D3DCULL_NONE},
        {5, D3DRS_FILLMODE, D3DFILL_POINT},  // names no instance
        {1, D3DRS_FILLMODE, D3DFILL_POINT},  // its instance is invisible
        {0, D3DRS_FILLMODE, D3DFILL_SOLID},
    };
    SpriteParams params;
    params.texture = &engine->textures[0];
    params.width = 16;
    params.height = 16;
    params.z = 0.5f;
    engine->AddSprite(params);

    Mesh* mesh = engine->meshes[cube].mesh;
    const Lines subset0 = SubsetLines(mesh, 0);
    const Lines subset1 = SubsetLines(mesh, 1);
    ASSERT_FALSE(subset0.empty());

    log.Clear();
    EXPECT_EQ(engine->DrawFrame(), 1);

    Lines expected = {CLEAR_LINE, "BeginScene"};
    auto appendInstance = [&](const Matrix& world) {
        expected.push_back(TransformLine(D3DTS_WORLD, world));
        Append(expected, MaterialLines(red, FIRST_TEXTURE));
        Append(expected, subset0);
        Append(expected, MaterialLines(blue, "0"));
        Append(expected, subset1);
    };
    // Instance 0: its two overrides in list order.
    expected.push_back("SetRenderState 22 1");
    expected.push_back("SetRenderState 8 3");
    appendInstance(Translation(1, 2, 3));
    // Instance 1 is invisible; instance 2 has one override.
    expected.push_back("SetRenderState 8 2");
    appendInstance(Identity());
    Append(expected, BeginSpritePassLines());
    const platform::headless::RecordedCall* strip = nullptr;
    for (const auto& call : log.calls) {
        if (call.name == "DrawPrimitiveUP") {
            strip = &call;
        }
    }
    ASSERT_NE(strip, nullptr);
    Append(expected, AlphaSpriteLines(FIRST_TEXTURE, strip->ToString()));
    Append(expected, EndSpritePassLines());
    expected.push_back("EndScene");
    EXPECT_EQ(LogLines(), expected);
    EXPECT_EQ(strip->ToString(), Line("DrawPrimitiveUP", {5, 2, 28}));
}

TEST_F(EngineTest, OverridesStayInForceIntoTheNextFrameUntilSetAgain) {
    // The title scene's six overrides: 0 and 1 wireframe without culling, 2 solid with culling.
    const int cube = AddCubeMeshEntry(SolidMaterial(1, 1, 1), SolidMaterial(1, 1, 1));
    for (int i = 0; i < 3; ++i) {
        engine->AddMeshInstance(cube);
    }
    engine->renderStateOverrides = {
        {0, D3DRS_FILLMODE, D3DFILL_WIREFRAME}, {0, D3DRS_CULLMODE, D3DCULL_NONE},
        {1, D3DRS_FILLMODE, D3DFILL_WIREFRAME}, {1, D3DRS_CULLMODE, D3DCULL_NONE},
        {2, D3DRS_FILLMODE, D3DFILL_SOLID},     {2, D3DRS_CULLMODE, D3DCULL_CCW},
    };
    engine->DrawFrame();
    engine->DrawFrame();

    // Only the fill and cull states, with the frame boundaries: nothing in between resets them.
    Lines states;
    for (const auto& call : log.calls) {
        const std::string line = call.ToString();
        if (line.rfind("SetRenderState 8 ", 0) == 0 || line.rfind("SetRenderState 22 ", 0) == 0 ||
            line == "BeginScene" || line == "EndScene") {
            states.push_back(line);
        }
    }
    const Lines oneFrame = {
        "BeginScene",          "SetRenderState 8 2", "SetRenderState 22 1", "SetRenderState 8 2",
        "SetRenderState 22 1", "SetRenderState 8 3", "SetRenderState 22 3", "EndScene"};
    Lines twoFrames = oneFrame;
    Append(twoFrames, oneFrame);
    EXPECT_EQ(states, twoFrames);
}

TEST_F(EngineTest, AnInstanceOfAFailedMeshStillAppliesItsOverridesAndWorld) {
    engine->meshes.emplace_back();  // what a failed LoadMesh leaves
    engine->AddMeshInstance(0);
    engine->renderStateOverrides = {{0, D3DRS_AMBIENT, 0xFFFFFFFF}};
    engine->DrawFrame();

    Lines expected = {CLEAR_LINE, "BeginScene", "SetRenderState 139 4294967295",
                      TransformLine(D3DTS_WORLD, Identity())};
    Append(expected, BeginSpritePassLines());
    Append(expected, EndSpritePassLines());
    expected.push_back("EndScene");
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(EngineTest, AfterReleaseAllTheFrameIsOnlyTheClearAndTheLoadsStartAtIndexZero) {
    LoadBmpTexture(8, 8);
    const int cube = AddCubeMeshEntry(SolidMaterial(1, 1, 1), SolidMaterial(1, 1, 1));
    engine->AddMeshInstance(cube);
    engine->renderStateOverrides = {{0, D3DRS_FILLMODE, D3DFILL_WIREFRAME}};
    SpriteParams params;
    params.texture = &engine->textures[0];
    engine->AddSprite(params);

    engine->ReleaseAll();
    EXPECT_TRUE(engine->textures.empty() && engine->meshes.empty() && engine->sprites.empty() &&
                engine->instances.empty() && engine->renderStateOverrides.empty());
    EXPECT_NE(engine->device, nullptr);

    log.Clear();
    engine->DrawFrame();
    EXPECT_EQ(LogLines(), EmptyFrameLines());

    LoadBmpTexture(4, 4);
    EXPECT_EQ(engine->textures.size(), 1u);
    EXPECT_EQ(engine->textures[0].imageInfo.Width, 4u);
    directory.Write("quad.x", XFile({{{1, 1, 1, 1}, 1, {0, 0, 0}, {0, 0, 0}}}));
    EXPECT_EQ(engine->LoadMesh("quad.x", 0, -1), 1);
    EXPECT_EQ(engine->meshes.size(), 1u);
    EXPECT_EQ(engine->AddMeshInstance(0), 1);
    EXPECT_EQ(engine->AddMeshInstance(1), 0);
}

TEST_F(EngineTest, DestructionReleasesTexturesLastFirstThenTheDeviceThenDirect3D) {
    LoadBmpTexture(4, 4);
    LoadBmpTexture(4, 4);
    log.Clear();
    engine.reset();
    EXPECT_EQ(LogLines(), (Lines{"ReleaseTexture 2 0", "ReleaseTexture 1 0", "Release 0",
                                 "ReleaseDirect3D 0"}));
}

// On the OpenGL device (offscreen): the picture one frame leaves in the back buffer.
class OpenGlFrameTest : public ::testing::Test {
  protected:
    ~OpenGlFrameTest() override {
        engine.reset();
        platform::headless::ResetWindowState();
    }

    // ARGB of the back buffer pixel (x, y), y downwards.
    uint32_t Pixel(int x, int y) {
        std::vector<uint32_t> texels;
        int width = 0, height = 0;
        EXPECT_TRUE(platform::gl::ReadBackBuffer(engine->device, texels, width, height));
        EXPECT_EQ(width, WindowBase::CLIENT_WIDTH);
        EXPECT_EQ(height, WindowBase::CLIENT_HEIGHT);
        return x < width && y < height ? texels[y * width + x] : 0;
    }

    ScratchDirectory directory;
    std::unique_ptr<TestEngine> engine = std::make_unique<TestEngine>();
};

TEST_F(OpenGlFrameTest, ASpriteCoversItsRectangleOnTheBlackClearAndAlphaZeroHidesIt) {
    platform::SetDirect3DFactory({});
    ASSERT_EQ(engine->WinInit(), 1);
    // The tests run on Mesa's software renderer through SDL's offscreen driver; without a device
    // the picture cannot be checked, which is a failure, not a reason to skip.
    ASSERT_EQ(engine->CreateDevice(), 1) << "no OpenGL device";
    directory.Write("grey.bmp", BmpFile(8, 8));
    TextureLoadParams texture;
    texture.fileName = "grey.bmp";
    texture.pool = D3DPOOL_MANAGED;
    ASSERT_EQ(engine->LoadTexture(texture), 1);
    SpriteParams params;
    params.texture = &engine->textures[0];
    params.x = 100;
    params.y = 40;
    params.width = 8;
    params.height = 8;
    params.scaleX = 4;
    params.scaleY = 2;
    engine->AddSprite(params);

    engine->DrawFrame();
    // A 32 x 16 rectangle of the BMP's grey, modulated by white.
    EXPECT_EQ(Pixel(101, 41) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(Pixel(130, 54) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(Pixel(99, 41) & 0xFFFFFF, 0u);
    EXPECT_EQ(Pixel(101, 57) & 0xFFFFFF, 0u);

    engine->sprites[0].colour = 0x00FFFFFF;
    engine->DrawFrame();
    EXPECT_EQ(Pixel(101, 41) & 0xFFFFFF, 0u);
}
