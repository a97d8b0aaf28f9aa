// Sprites: their vertices, depth buckets and drawing order, animation, DrawSprite's calls and the
// whole-degree sine table.
#include "render/sprites.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

#include "tests/render/engine_fixture.h"

using Lines = std::vector<std::string>;

namespace {

struct Point {
    float x, y;
};

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

    static std::vector<Point> Corners(const Sprite& sprite) {
        std::vector<Point> corners;
        for (const SpriteVertex& vertex : sprite.vertices) {
            corners.push_back({vertex.x, vertex.y});
        }
        return corners;
    }
};

void ExpectCorners(const std::vector<Point>& actual, const std::vector<Point>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].x, expected[i].x) << "corner " << i;
        EXPECT_EQ(actual[i].y, expected[i].y) << "corner " << i;
    }
}

TEST_F(SpriteTest, AddedSpritesGetScaledCornersAndTheirCellsTexelsInStripOrder) {
    SpriteParams params = OnSheet(0, 0.25f);
    params.x = 100;
    params.y = 50;
    params.width = 16;
    params.height = 8;
    params.scaleX = 2;
    params.scaleY = 3;
    params.cellColumn = 1;
    params.cellRow = 2;
    params.sourceX = 4;
    params.colour = 0x80FF0000;
    const Sprite& sprite = Add(params);

    EXPECT_EQ(sprite.x, 100.0f);
    EXPECT_EQ(sprite.colour, 0x80FF0000u);
    // Top-left, top-right, bottom-left, bottom-right of a 32 x 24 rectangle.
    ExpectCorners(Corners(sprite), {{100, 50}, {132, 50}, {100, 74}, {132, 74}});
    // Cell (1, 2) of 16 x 8 texels, 4 texels in, on a 64 x 32 sheet; the scale plays no part.
    const float uLeft = (1 * 16 + 4) / 64.0f, uRight = uLeft + 16 / 64.0f;
    const float vTop = (2 * 8) / 32.0f, vBottom = vTop + 8 / 32.0f;
    const float textureCoordinates[4][2] = {
        {uLeft, vTop}, {uRight, vTop}, {uLeft, vBottom}, {uRight, vBottom}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sprite.vertices[i].u, textureCoordinates[i][0]);
        EXPECT_EQ(sprite.vertices[i].v, textureCoordinates[i][1]);
        EXPECT_EQ(sprite.vertices[i].z, 0.25f);
        EXPECT_EQ(sprite.vertices[i].rhw, 1.0f);
        EXPECT_EQ(sprite.vertices[i].diffuse, 0x80FF0000u);
    }
}

TEST_F(SpriteTest, AQuarterTurnClockwiseSwingsTheTopRightCornerBelowTheTopLeft) {
    SpriteParams params = OnSheet(0);
    params.x = 100;
    params.y = 50;
    params.width = 32;
    params.height = 24;
    params.angle = 90;
    // Screen y grows downwards: clockwise takes +x to +y and +y to -x.
    ExpectCorners(Corners(Add(params)), {{100, 50}, {100, 82}, {76, 50}, {76, 82}});
}

TEST_F(SpriteTest, AHalfTurnAboutTheCentreSwapsOppositeCorners) {
    SpriteParams params = OnSheet(0);
    params.x = 100;
    params.y = 50;
    params.width = 32;
    params.height = 24;
    params.pivotX = 16;
    params.pivotY = 12;
    params.angle = -180;
    ExpectCorners(Corners(Add(params)), {{132, 74}, {100, 74}, {132, 50}, {100, 50}});
}

TEST_F(SpriteTest, CornerColoursAreListedDownTheLeftThenDownTheRight) {
    const D3DCOLOR p = 0xFF000001, q = 0xFF000002, r = 0xFF000003, s = 0xFF000004;
    SpriteParams params = OnSheet(0);
    params.uniformColour = 0;
    params.colour = 0xFFFFFFFF;
    params.cornerColours[0] = p;
    params.cornerColours[1] = q;
    params.cornerColours[2] = r;
    params.cornerColours[3] = s;
    const Sprite& sprite = Add(params);
    // Strip order: top-left, top-right, bottom-left, bottom-right.
    EXPECT_EQ(sprite.vertices[0].diffuse, p);
    EXPECT_EQ(sprite.vertices[1].diffuse, r);
    EXPECT_EQ(sprite.vertices[2].diffuse, q);
    EXPECT_EQ(sprite.vertices[3].diffuse, s);
}

TEST(DepthBucket, IsTheTruncatedHundredfoldDepthInDoublePrecision) {
    EXPECT_EQ(DepthBucket(0.5f), 50);
    EXPECT_EQ(DepthBucket(0.0f), 0);
    EXPECT_EQ(DepthBucket(0.999f), 99);
    // 0.29f is 0.28999999...; rounding the product to single precision would give 29.
    EXPECT_EQ(DepthBucket(0.29f), 28);
    // Likewise 0.01f is 0.0099999998, while 0.015f is 0.0149999997.
    EXPECT_EQ(DepthBucket(0.01f), 0);
    EXPECT_EQ(DepthBucket(0.015f), 1);
}

TEST(DepthBucket, DepthsOutsideTheRangeAreClampedToTheEndBuckets) {
    EXPECT_EQ(DepthBucket(-0.5f), 0);
    EXPECT_EQ(DepthBucket(1.0f), 99);
    EXPECT_EQ(DepthBucket(1e30f), 99);
    EXPECT_EQ(DepthBucket(-1e30f), 0);
    EXPECT_EQ(DepthBucket(std::nanf("")), 0);
    EXPECT_EQ(DepthBucket(INFINITY), 99);
}

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
    EXPECT_EQ(hidden.vertices[0].x, 300.0f);
    EXPECT_EQ(hidden.vertices[0].u, 8 / 64.0f);  // cell column 1 of 8-texel cells
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

TEST(SpriteAnimation, LoopModeRunsFromFirstToLastAndStartsAgain) {
    Sprite sprite;
    sprite.firstFrame = 0;
    sprite.lastFrame = 3;
    sprite.sheet.columns = 4;
    std::vector<int> frames;
    for (int i = 0; i < 9; ++i) {
        sprite.AdvanceAnimation();
        frames.push_back(sprite.frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0, 1, 2, 3, 0, 1}));

    sprite.firstFrame = 2;
    sprite.lastFrame = 5;
    sprite.frame = 5;
    sprite.AdvanceAnimation();
    EXPECT_EQ(sprite.frame, 2);
}

TEST(SpriteAnimation, PingPongShowsEachEndOnceAndTurns) {
    Sprite sprite;
    sprite.animationMode = 1;
    sprite.lastFrame = 3;
    sprite.sheet.columns = 4;
    std::vector<int> frames = {sprite.frame};
    for (int i = 0; i < 10; ++i) {
        sprite.AdvanceAnimation();
        frames.push_back(sprite.frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2}));
    EXPECT_EQ(sprite.animationBackward, 1);

    sprite.firstFrame = 4;
    sprite.lastFrame = 9;
    sprite.frame = 9;
    sprite.animationBackward = 0;
    sprite.AdvanceAnimation();
    EXPECT_EQ(sprite.frame, 8);
    EXPECT_EQ(sprite.animationBackward, 1);
    sprite.frame = 4;
    sprite.AdvanceAnimation();
    EXPECT_EQ(sprite.frame, 5);
    EXPECT_EQ(sprite.animationBackward, 0);
}

TEST(SpriteAnimation, TheFrameAdvancesOnceEveryDelayPlusOneFrames) {
    for (int delay : {0, 2}) {
        Sprite sprite;
        sprite.lastFrame = 100;
        sprite.sheet.columns = 10;
        sprite.frameDelay = delay;
        std::vector<int> frames;
        std::vector<int> expected;
        for (int i = 1; i <= 9; ++i) {
            sprite.AdvanceAnimation();
            frames.push_back(sprite.frame);
            expected.push_back(i / (delay + 1));
        }
        EXPECT_EQ(frames, expected) << "delay " << delay;
    }
}

TEST(SpriteAnimation, TheFrameNamesItsCellRowByRow) {
    Sprite sprite;
    sprite.lastFrame = 15;
    sprite.sheet.columns = 4;
    sprite.frame = 5;
    sprite.AdvanceAnimation();
    EXPECT_EQ(sprite.frame, 6);
    EXPECT_EQ(sprite.cellColumn, 2.0f);
    EXPECT_EQ(sprite.cellRow, 1.0f);
}

TEST(SpriteAnimation, ASheetWithoutColumnsAdvancesTheFrameButKeepsTheCell) {
    Sprite sprite;
    sprite.lastFrame = 3;
    sprite.cellColumn = 1;
    sprite.cellRow = 2;
    sprite.AdvanceAnimation();
    EXPECT_EQ(sprite.frame, 1);
    EXPECT_EQ(sprite.cellColumn, 1.0f);
    EXPECT_EQ(sprite.cellRow, 2.0f);
}

TEST(SineTable, HoldsSixSignificantDigitsWithTheGamesTwoExceptions) {
    EXPECT_EQ(SineDeg(0), 0.0f);
    EXPECT_EQ(SineDeg(1), 0.0174524f);
    EXPECT_EQ(SineDeg(30), 0.5f);
    EXPECT_EQ(SineDeg(89), 0.999848f);
    EXPECT_EQ(SineDeg(38), 0.615662f);  // sin 38 degrees is 0.6156615
    EXPECT_EQ(SineDeg(53), 0.798635f);  // sin 53 degrees is 0.7986355
    for (int degrees = 0; degrees < 90; ++degrees) {
        if (degrees == 38 || degrees == 53) {
            continue;
        }
        const double exact = std::sin(degrees * M_PI / 180.0);
        // Six significant digits: within half a unit of the sixth digit, plus the float's own
        // rounding.
        const double unit = degrees == 0 ? 1e-6 : std::pow(10.0, std::floor(std::log10(exact)) - 5);
        EXPECT_NEAR(SineDeg(degrees), exact, unit / 2 + exact * FLT_EPSILON) << degrees;
    }
}

TEST(SineTable, TheOtherQuadrantsMirrorAndNegateTheFirst) {
    EXPECT_EQ(SineDeg(90), 1.0f);
    EXPECT_EQ(SineDeg(91), 0.999848f);
    EXPECT_EQ(SineDeg(181), -0.0174524f);
    EXPECT_EQ(SineDeg(270), -1.0f);
    EXPECT_EQ(SineDeg(359), -0.0174524f);
    EXPECT_EQ(SineDeg(-90), -1.0f);
    EXPECT_EQ(SineDeg(450), 1.0f);
    EXPECT_EQ(SineDeg(-360), 0.0f);
    EXPECT_EQ(SineDeg(-720), 0.0f);
    EXPECT_EQ(SineDeg(-1), -0.0174524f);
    EXPECT_EQ(CosineDeg(180), -1.0f);
    EXPECT_EQ(CosineDeg(0), 1.0f);
    EXPECT_EQ(CosineDeg(60), 0.5f);
    EXPECT_EQ(CosineDeg(-450), 0.0f);
}

TEST(SineTable, ExtremeAnglesStayInRange) {
    // INT_MAX is 127 degrees past a whole number of turns, INT_MIN 128 short of one.
    EXPECT_EQ(SineDeg(INT_MAX), SineDeg(127));
    EXPECT_EQ(CosineDeg(INT_MAX), CosineDeg(127));
    EXPECT_EQ(SineDeg(INT_MIN), SineDeg(-128));
    EXPECT_EQ(CosineDeg(INT_MIN), CosineDeg(232));
}
