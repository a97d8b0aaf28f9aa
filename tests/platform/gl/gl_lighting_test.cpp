// The OpenGL device's per-vertex lighting beyond the game's one directional light: point lights
// with attenuation, spot cones, specular highlights and material colours taken from the vertex.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9_geometry.h"
#include "tests/platform/gl/gl_test_device.h"

namespace {

// The square's corners lie at (+-HALF, +-HALF, DEPTH) in view space, its normal towards the eye.
constexpr float HALF = 0.5f;
constexpr float DEPTH = 0.5f;

double Channel(double value) {
    return 255.0 * std::clamp(value, 0.0, 1.0);
}

}  // namespace

// Every light sits on the axis through the square's centre, so all four corners are lit alike and
// the whole square shows the colour of one corner, computed here from Direct3D's equations.
class Lighting : public GlDeviceTest {
  protected:
    void SetUp() override {
        BeginFrame();
        const D3DMATRIX identity = platform::IdentityMatrix();
        device->SetTransform(D3DTS_WORLD, &identity);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_PROJECTION, &identity);
        device->SetRenderState(D3DRS_AMBIENT, 0);
        D3DMATERIAL9 material{};
        material.Diffuse = {1, 1, 1, 1};
        material.Specular = {1, 1, 1, 1};
        material.Power = POWER;
        device->SetMaterial(&material);
        device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    }

    void Light(const D3DLIGHT9& light) {
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
    }

    // The square, drawn and read back at its centre.
    uint32_t DrawSquare(D3DCOLOR colour = 0xFFFFFFFF) {
        const std::vector<WorldVertex> square = {{-HALF, HALF, DEPTH, 0, 0, -1, colour},
                                                 {HALF, HALF, DEPTH, 0, 0, -1, colour},
                                                 {-HALF, -HALF, DEPTH, 0, 0, -1, colour},
                                                 {HALF, -HALF, DEPTH, 0, 0, -1, colour}};
        device->SetFVF(WORLD_VERTEX_FVF);
        EXPECT_EQ(
            device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, square.data(), sizeof(WorldVertex)),
            D3D_OK);
        const std::vector<uint32_t> pixels = ReadBack();
        return Pixel(pixels, WIDTH / 2, HEIGHT / 2);
    }

    static void ExpectColour(uint32_t pixel, double red, double green, double blue) {
        EXPECT_NEAR(Red(pixel), Channel(red), 2);
        EXPECT_NEAR(Green(pixel), Channel(green), 2);
        EXPECT_NEAR(Blue(pixel), Channel(blue), 2);
    }

    static constexpr float POWER = 4;
    // From a corner to a light on the axis at distance `ahead` in front of the square.
    static double Distance(double ahead) { return std::sqrt(2 * HALF * HALF + ahead * ahead); }
};

TEST_F(Lighting, APointLightFadesWithTheAttenuationOfItsDistance) {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_POINT;
    light.Diffuse = {1, 0.5f, 0.25f, 0};
    light.Position = {0, 0, DEPTH - 1};
    light.Range = 100;
    light.Attenuation0 = 0.5f;
    light.Attenuation1 = 0.5f;
    Light(light);
    const double d = Distance(1);
    const double facing = 1 / d;  // N.L: the light is 1 in front along the normal
    const double attenuation = 1 / (0.5 + 0.5 * d);
    ExpectColour(DrawSquare(), facing * attenuation, 0.5 * facing * attenuation,
                 0.25 * facing * attenuation);
}

TEST_F(Lighting, ASpotLightsConeIsHalfItsPhiAndItsFalloffIsTheCosinesExponent) {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_SPOT;
    light.Diffuse = {1, 1, 1, 0};
    light.Position = {0, 0, DEPTH - 1};
    light.Direction = {0, 0, 1};
    light.Range = 100;
    light.Falloff = 2;
    // The corners are atan(sqrt(0.5)) = 35.3 degrees off the spot's axis.
    const double cosine = 1 / Distance(1);
    light.Phi = 1.5708f;  // a cone of 45 degrees each side holds them
    Light(light);
    const double lit = cosine * std::pow(cosine, 2.0);  // N.L times the spot factor
    ExpectColour(DrawSquare(), lit, lit, lit);

    light.Phi = 1.0472f;  // 30 degrees each side leaves them dark
    Light(light);
    ExpectColour(DrawSquare(), 0, 0, 0);
}

TEST_F(Lighting, SpecularHighlightsNeedSpecularEnableAndFollowTheHalfwayVector) {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Specular = {1, 1, 1, 0};
    light.Direction = {0, 0, 1};
    light.Range = 100;
    Light(light);
    EXPECT_EQ(DrawSquare() & 0xFFFFFF, 0u) << "specular is off by default";

    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    // Local viewer: towards the eye from the corner (0.5, 0.5, 0.5), plus the way to the light,
    // (0, 0, -1), normalised, against the normal (0, 0, -1).
    const double toEye = -1 / std::sqrt(3.0);
    const double h[3] = {toEye, toEye, toEye - 1};
    const double length = std::sqrt(h[0] * h[0] + h[1] * h[1] + h[2] * h[2]);
    const double shine = std::pow(-h[2] / length, static_cast<double>(POWER));
    ExpectColour(DrawSquare(), shine, shine, shine);
}

TEST_F(Lighting, EachMaterialColourCanComeFromTheVertex) {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Ambient = {0.25f, 0.25f, 0.25f, 0};
    light.Direction = {0, 0, 1};
    light.Range = 100;
    Light(light);
    D3DMATERIAL9 material{};
    material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    material.Ambient = {1, 1, 1, 1};
    material.Emissive = {0, 0, 0.25f, 1};
    device->SetMaterial(&material);
    constexpr D3DCOLOR VERTEX = 0xFF804000;  // 0.502, 0.251, 0
    const double vr = 128 / 255.0;
    const double vg = 64 / 255.0;
    // Diffuse from the material: 0.5 lit head-on, plus ambient 1 x 0.25 and the emissive blue.
    ExpectColour(DrawSquare(VERTEX), 0.5 + 0.25, 0.5 + 0.25, 0.5 + 0.25 + 0.25);

    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    ExpectColour(DrawSquare(VERTEX), vr + 0.25, vg + 0.25, 0.25 + 0.25);

    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetRenderState(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1);
    device->SetRenderState(D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_COLOR1);
    ExpectColour(DrawSquare(VERTEX), 0.5 + 0.25 * vr + vr, 0.5 + 0.25 * vg + vg, 0.5);

    // Without COLORVERTEX the material is used whatever the sources say.
    device->SetRenderState(D3DRS_COLORVERTEX, FALSE);
    ExpectColour(DrawSquare(VERTEX), 0.5 + 0.25, 0.5 + 0.25, 0.5 + 0.25 + 0.25);
}
