// Sprites in the engine: their drawing order by depth bucket, which of them are animated and
// drawn, and DrawSprite's calls. The arithmetic alone: sprite_math_test.cpp.
#include "render/sprites.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/render/engine_fixture.h"

using Lines = std::vector<std::string>;

namespace {

// A device that records the names of the calls and fails the one it is told to.
class FailingDevice : public IDirect3DDevice9 {
  public:
    // Fails the given occurrence (1 = the first) of the named call.
    FailingDevice(std::string failing, int occurrence = 1)
        : failing(std::move(failing)), occurrence(occurrence) {}

    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9**,
                          HANDLE*) override {
        return Call("CreateTexture");
    }
    HRESULT UpdateTexture(IDirect3DBaseTexture9*, IDirect3DBaseTexture9*) override {
        return Call("UpdateTexture");
    }
    HRESULT BeginScene() override { return Call("BeginScene"); }
    HRESULT EndScene() override { return Call("EndScene"); }
    HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override {
        return Call("Clear");
    }
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override {
        return Call("Present");
    }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, const D3DMATRIX*) override {
        return Call("SetTransform");
    }
    HRESULT SetMaterial(const D3DMATERIAL9*) override { return Call("SetMaterial"); }
    HRESULT SetLight(DWORD, const D3DLIGHT9*) override { return Call("SetLight"); }
    HRESULT LightEnable(DWORD, BOOL) override { return Call("LightEnable"); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return Call("SetRenderState"); }
    HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override { return Call("SetTexture"); }
    HRESULT SetTextureStageState(DWORD, D3DTEXTURESTAGESTATETYPE, DWORD) override {
        return Call("SetTextureStageState");
    }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void*, UINT) override {
        return Call("DrawPrimitiveUP");
    }
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE, UINT, UINT, UINT, const void*, D3DFORMAT,
                                   const void*, UINT) override {
        return Call("DrawIndexedPrimitiveUP");
    }
    HRESULT SetFVF(DWORD) override { return Call("SetFVF"); }

    std::vector<std::string> calls;

  private:
    HRESULT Call(const std::string& name) {
        calls.push_back(name);
        return name == failing && --occurrence == 0 ? D3DERR_INVALIDCALL : S_OK;
    }

    std::string failing;
    int occurrence;
};

Lines SpriteLines(const std::string& texture, const Lines& blend, const std::string& strip) {
    Lines lines = {"SetTexture 0 " + texture, "SetFVF 324"};
    Append(lines, blend);
    Append(lines, {strip, "SetRenderState 20 1", "SetRenderState 19 2", "SetTexture 0 0"});
    return lines;
}

}  // namespace

class SpriteTest : public EngineTest {
  protected:
    // Two sheets: texture entry 0 of 64 x 32 texels (device texture 1), entry 1 of 16 x 16 (2).
    SpriteTest() {
        LoadBmpTexture(64, 32);
        LoadBmpTexture(16, 16);
        log.Clear();
    }

    Sprite& Add(const SpriteParams& params) {
        EXPECT_EQ(engine->AddSprite(params), 1);
        return engine->sprites.back();
    }

    SpriteParams OnSheet(int textureIndex, float z = 0) {
        SpriteParams params;
        params.texture = &engine->textures[textureIndex];
        params.width = 8;
        params.height = 8;
        params.z = z;
        return params;
    }

    // The device textures set for drawing, in order (the resets to null left out).
    Lines TexturesDrawn() {
        Lines drawn;
        for (const std::string& line : LogLines()) {
            if (line.rfind("SetTexture 0 ", 0) == 0 && line != "SetTexture 0 0") {
                drawn.push_back(line.substr(std::strlen("SetTexture 0 ")));
            }
        }
        return drawn;
    }
};

TEST_F(SpriteTest, DeeperSpritesAreDrawnFirstAndOneBucketKeepsListOrder) {
    Add(OnSheet(0, 0.2f));
    Add(OnSheet(1, 0.5f));
    engine->DrawFrame();
    EXPECT_EQ(TexturesDrawn(), (Lines{"2", "1"}));

    log.Clear();
    engine->sprites[0].z = 0.501f;
    engine->sprites[1].z = 0.509f;
    engine->DrawFrame();
    EXPECT_EQ(TexturesDrawn(), (Lines{"1", "2"}));

    // 0.285 and 0.29 share bucket 28, so the list decides again.
    log.Clear();
    engine->sprites[0].z = 0.285f;
    engine->sprites[1].z = 0.29f;
    engine->DrawFrame();
    EXPECT_EQ(TexturesDrawn(), (Lines{"1", "2"}));
}

TEST_F(SpriteTest, OnlyVisibleOneSpritesAreAnimatedRecomputedAndDrawn) {
    SpriteParams params = OnSheet(0);
    params.animate = 1;
    params.lastFrame = 3;
    params.sheet.columns = 4;
    Sprite& hidden = Add(params);
    hidden.visible = 2;
    const SpriteVertex before = hidden.vertices[0];
    hidden.x = 300;
    engine->DrawFrame();
    EXPECT_TRUE(TexturesDrawn().empty());
    EXPECT_EQ(hidden.frame, 0);
    EXPECT_EQ(hidden.frameTimer, 0);
    EXPECT_EQ(std::memcmp(&hidden.vertices[0], &before, sizeof(before)), 0);

    hidden.visible = 1;
    engine->DrawFrame();
    EXPECT_EQ(hidden.frame, 1);
    EXPECT_EQ(hidden.vertices[0].x, 299.5f);     // half a pixel left of x, for 1:1 texels
    EXPECT_EQ(hidden.vertices[0].u, 8 / 64.0f);  // cell column 1 of 8-texel cells

    // Only `animate` exactly 1 animates; the sprite is drawn all the same.
    hidden.animate = 2;
    log.Clear();
    engine->DrawFrame();
    EXPECT_EQ(hidden.frame, 1);
    EXPECT_EQ(TexturesDrawn(), Lines{"1"});
}

TEST_F(SpriteTest, TheStripHandedToTheDeviceIsTheSpritesFourVertices) {
    SpriteParams params = OnSheet(0);
    params.x = 10;
    const Sprite& sprite = Add(params);
    engine->DrawFrame();
    const platform::headless::RecordedCall* strip = nullptr;
    for (const auto& call : log.calls) {
        if (call.name == "DrawPrimitiveUP") {
            strip = &call;
        }
    }
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->ToString(), Line("DrawPrimitiveUP", {D3DPT_TRIANGLESTRIP, 2, 28}));
    ASSERT_EQ(strip->data.size(), sizeof(sprite.vertices));
    EXPECT_EQ(std::memcmp(strip->data.data(), sprite.vertices, sizeof(sprite.vertices)), 0);
}

TEST_F(SpriteTest, DrawSpriteSetsTheBlendFactorsOfItsModeAndRestoresThemAfterwards) {
    const std::string strip = Line("DrawPrimitiveUP", {D3DPT_TRIANGLESTRIP, 2, 28});
    const Lines alpha = {"SetRenderState 20 6", "SetRenderState 19 5"};
    const Lines additive = {"SetRenderState 20 2", "SetRenderState 19 5"};
    const std::pair<int32_t, Lines> modes[] = {
        {BlendAlpha, alpha}, {BlendAdditive, additive}, {7, {}}};
    for (const auto& [mode, blend] : modes) {
        SpriteParams params = OnSheet(1);
        params.blendMode = mode;
        Sprite& sprite = Add(params);
        engine->device->BeginScene();
        log.Clear();
        EXPECT_EQ(sprite.DrawSprite(engine->device), 1);
        EXPECT_EQ(LogLines(), SpriteLines("2", blend, strip)) << "blend mode " << mode;
        engine->device->EndScene();
    }
}

TEST_F(SpriteTest, AFailedDeviceCallEndsTheSpriteEarlyWithZero) {
    Sprite& sprite = Add(OnSheet(0));
    const Lines allCalls = {"SetTexture",      "SetFVF",         "SetRenderState", "SetRenderState",
                            "DrawPrimitiveUP", "SetRenderState", "SetRenderState", "SetTexture"};
    struct Case {
        std::string failing;
        int occurrence;
        size_t callsMade;
    };
    const Case cases[] = {
        {"SetTexture", 1, 1}, {"SetFVF", 1, 2}, {"DrawPrimitiveUP", 1, 5}, {"SetTexture", 2, 8}};
    for (const Case& failure : cases) {
        FailingDevice device(failure.failing, failure.occurrence);
        EXPECT_EQ(sprite.DrawSprite(&device), 0) << failure.failing << failure.occurrence;
        EXPECT_EQ(device.calls, Lines(allCalls.begin(), allCalls.begin() + failure.callsMade))
            << failure.failing << failure.occurrence;
    }
    // The blend calls' results are not examined.
    FailingDevice blendRefused("SetRenderState");
    EXPECT_EQ(sprite.DrawSprite(&blendRefused), 1);
    EXPECT_EQ(blendRefused.calls, allCalls);
}

TEST_F(SpriteTest, ASpriteWithoutASheetIsNeitherComputedNorDrawn) {
    SpriteParams params;
    params.width = 8;
    params.height = 8;
    params.x = 5;
    const Sprite& sprite = Add(params);
    for (const SpriteVertex& vertex : sprite.vertices) {
        EXPECT_EQ(vertex.x, 0.0f);
        EXPECT_EQ(vertex.u, 0.0f);
    }
    EXPECT_EQ(engine->DrawFrame(), 1);
    EXPECT_EQ(log.Count("DrawPrimitiveUP"), 0u);
}
