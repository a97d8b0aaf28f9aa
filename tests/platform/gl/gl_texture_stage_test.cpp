// Texture stage 0 on the OpenGL device: each colour operation with texture, diffuse and
// texture-factor arguments and their modifiers, worked out here channel by channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "tests/platform/gl/gl_test_device.h"

namespace {

constexpr D3DCOLOR TEXEL = 0x80663399;    // alpha 0.5, red 0.4, green 0.2, blue 0.6
constexpr D3DCOLOR DIFFUSE = 0xFF408020;  // red 0.25, green 0.5, blue 0.125
constexpr D3DCOLOR FACTOR = 0x40C0C0C0;   // alpha 0.25, grey 0.75

double Part(D3DCOLOR colour, int shift) {
    return static_cast<double>((colour >> shift) & 0xFF) / 255.0;
}

struct Operation {
    const char* name;
    DWORD operation;
    DWORD argument1;
    DWORD argument2;
    // One channel of the result from the channels of the two arguments.
    std::function<double(double, double)> combine;
};

// What an argument gives for a channel (shift 16, 8, 0) under its modifiers.
double ArgumentChannel(DWORD argument, int shift) {
    D3DCOLOR source = DIFFUSE;
    if ((argument & D3DTA_SELECTMASK) == D3DTA_TEXTURE) {
        source = TEXEL;
    } else if ((argument & D3DTA_SELECTMASK) == D3DTA_TFACTOR) {
        source = FACTOR;
    }
    double value = Part(source, (argument & D3DTA_ALPHAREPLICATE) != 0 ? 24 : shift);
    return (argument & D3DTA_COMPLEMENT) != 0 ? 1 - value : value;
}

}  // namespace

using TextureStage = GlDeviceTest;

TEST_F(TextureStage, EachColourOperationCombinesItsArgumentsAsDirect3DDoes) {
    const auto product = [](double a, double b) { return a * b; };
    const Operation operations[] = {
        {"select 1", D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double a, double) { return a; }},
        {"select 2", D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double, double b) { return b; }},
        {"modulate", D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, product},
        {"modulate 2x", D3DTOP_MODULATE2X, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double a, double b) { return 2 * a * b; }},
        {"modulate 4x", D3DTOP_MODULATE4X, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double a, double b) { return 4 * a * b; }},
        {"add", D3DTOP_ADD, D3DTA_TEXTURE, D3DTA_DIFFUSE, [](double a, double b) { return a + b; }},
        {"add signed", D3DTOP_ADDSIGNED, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double a, double b) { return a + b - 0.5; }},
        {"add signed 2x", D3DTOP_ADDSIGNED2X, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double a, double b) { return 2 * (a + b - 0.5); }},
        {"subtract", D3DTOP_SUBTRACT, D3DTA_TEXTURE, D3DTA_DIFFUSE,
         [](double a, double b) { return a - b; }},
        {"factor", D3DTOP_MODULATE, D3DTA_TFACTOR, D3DTA_DIFFUSE, product},
        {"complement", D3DTOP_MODULATE, D3DTA_TEXTURE | D3DTA_COMPLEMENT, D3DTA_DIFFUSE, product},
        {"alpha replicate", D3DTOP_MODULATE, D3DTA_TEXTURE | D3DTA_ALPHAREPLICATE, D3DTA_DIFFUSE,
         product},
        {"current is diffuse", D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_CURRENT,
         [](double, double b) { return b; }},
    };
    device->SetRenderState(D3DRS_TEXTUREFACTOR, FACTOR);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    for (const Operation& operation : operations) {
        BeginFrame();
        device->SetTexture(0, MakeTexture(1, 1, {TEXEL}));
        device->SetTextureStageState(0, D3DTSS_COLOROP, operation.operation);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, operation.argument1);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, operation.argument2);
        DrawRectangle(0, 0, WIDTH, HEIGHT, DIFFUSE);
        device->EndScene();
        const uint32_t pixel = Pixel(ReadBack(), WIDTH / 2, HEIGHT / 2);
        const int channels[3] = {Red(pixel), Green(pixel), Blue(pixel)};
        for (int k = 0; k < 3; ++k) {
            const int shift = 16 - 8 * k;
            const double expected =
                std::clamp(operation.combine(ArgumentChannel(operation.argument1, shift),
                                             ArgumentChannel(operation.argument2, shift)),
                           0.0, 1.0);
            EXPECT_NEAR(channels[k], 255 * expected, 1.5) << operation.name << ", channel " << k;
        }
    }
}

TEST_F(TextureStage, ADisabledColourOperationShowsTheDiffuseColourAndItsAlpha) {
    BeginFrame();
    SetSpriteStates();
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    device->SetTexture(0, MakeTexture(1, 1, {TEXEL}));
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
    // Half transparent diffuse: the texel's alpha must play no part in the blend.
    DrawRectangle(0, 0, WIDTH, HEIGHT, (DIFFUSE & 0x00FFFFFF) | 0x80000000);
    device->EndScene();
    const uint32_t pixel = Pixel(ReadBack(), WIDTH / 2, HEIGHT / 2);
    const double alpha = 128 / 255.0;
    EXPECT_NEAR(Red(pixel), 255 * (alpha * Part(DIFFUSE, 16) + (1 - alpha) * Part(BACKGROUND, 16)),
                1.5);
    EXPECT_NEAR(Blue(pixel), 255 * (alpha * Part(DIFFUSE, 0) + (1 - alpha) * Part(BACKGROUND, 0)),
                1.5);
}

TEST_F(TextureStage, WithoutATextureEveryArgumentReadsAsFromAnOpaqueWhiteTexture) {
    const struct {
        const char* name;
        DWORD colourOperation;
        DWORD colourArgument;
        DWORD alphaOperation;
    } stages[] = {
        {"modulate", D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTOP_MODULATE},
        {"complement", D3DTOP_ADD, D3DTA_TEXTURE | D3DTA_COMPLEMENT, D3DTOP_SELECTARG1},
        {"add signed", D3DTOP_ADDSIGNED, D3DTA_TEXTURE, D3DTOP_SELECTARG2},
    };
    // Half transparent and blended, so that the alpha the stage gives shows too.
    const D3DCOLOR diffuse = (DIFFUSE & 0x00FFFFFF) | 0x80000000;
    IDirect3DTexture9* white = MakeTexture(1, 1, {0xFFFFFFFF});
    for (const auto& stage : stages) {
        std::vector<uint32_t> pictures[2];
        for (IDirect3DTexture9* texture : {white, static_cast<IDirect3DTexture9*>(nullptr)}) {
            BeginFrame();
            SetSpriteStates();
            device->SetTexture(0, texture);
            device->SetTextureStageState(0, D3DTSS_COLOROP, stage.colourOperation);
            device->SetTextureStageState(0, D3DTSS_COLORARG1, stage.colourArgument);
            device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
            device->SetTextureStageState(0, D3DTSS_ALPHAOP, stage.alphaOperation);
            DrawRectangle(8, 8, WIDTH - 16, HEIGHT - 16, diffuse);
            device->EndScene();
            pictures[texture == nullptr ? 1 : 0] = ReadBack();
        }
        EXPECT_NE(Pixel(pictures[0], WIDTH / 2, HEIGHT / 2), BACKGROUND) << stage.name;
        EXPECT_EQ(pictures[0], pictures[1]) << stage.name;
    }
}
