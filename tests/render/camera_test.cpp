// The view and projection transforms and the directional light, on the recording device.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/render/engine_fixture.h"

namespace {

constexpr float PLAY_FIELD_OF_VIEW = 1.0471976f;
constexpr float PLAY_ASPECT = 1.333f;

// p x M for a point (w = 1) or a direction (w = 0).
Vector3 Transform(const Matrix& matrix, const Vector3& p, float w) {
    float out[3];
    for (int column = 0; column < 3; ++column) {
        out[column] = p.x * matrix.m[0][column] + p.y * matrix.m[1][column] +
                      p.z * matrix.m[2][column] + w * matrix.m[3][column];
    }
    return {out[0], out[1], out[2]};
}

void ExpectNear(const Vector3& actual, const Vector3& expected) {
    constexpr float TOLERANCE = 1e-5f;
    EXPECT_NEAR(actual.x, expected.x, TOLERANCE);
    EXPECT_NEAR(actual.y, expected.y, TOLERANCE);
    EXPECT_NEAR(actual.z, expected.z, TOLERANCE);
}

}  // namespace

TEST_F(EngineTest, ThePlayCameraLooksStraightDownWithPlusZUpOnTheScreen) {
    engine->eye = {0, 110, 0};
    engine->lookAt = {0, 0, 0};
    engine->up = {0, 0, 1};
    engine->UpdateView();

    ExpectNear(Transform(engine->view, {0, 0, 0}, 1), {0, 0, 110});
    ExpectNear(Transform(engine->view, {0, 0, 1}, 0), {0, 1, 0});
    ExpectNear(Transform(engine->view, {1, 0, 0}, 0), {1, 0, 0});
    EXPECT_EQ(LogLines(), std::vector<std::string>{TransformLine(D3DTS_VIEW, engine->view)});
}

TEST_F(EngineTest, ModeZeroIsAPerspectiveProjectionAndAnyOtherAnOrthographicOne) {
    engine->SetProjection(0, PLAY_FIELD_OF_VIEW, PLAY_ASPECT, 1, 200);
    // Perspective carries the view depth into w.
    EXPECT_EQ(engine->projection.m[2][3], 1.0f);
    EXPECT_EQ(engine->projection.m[3][3], 0.0f);
    EXPECT_NEAR(engine->projection.m[1][1], 1.0f / std::tan(PLAY_FIELD_OF_VIEW / 2), 1e-5f);
    EXPECT_EQ(LogLines(),
              std::vector<std::string>{TransformLine(D3DTS_PROJECTION, engine->projection)});
    for (int32_t mode : {1, -3}) {
        engine->SetProjection(mode, 640, 480, 10, 110);
        EXPECT_EQ(engine->projection.m[0][0], 2.0f / 640);
        EXPECT_EQ(engine->projection.m[1][1], 2.0f / 480);
        EXPECT_EQ(engine->projection.m[2][3], 0.0f);
        EXPECT_EQ(engine->projection.m[3][3], 1.0f);
    }
}

TEST_F(EngineTest, TheLightIsAWhiteDirectionalOneWithItsDirectionNormalised) {
    engine->SetDirectionalLight(0, -2, 0, 1000);
    const std::vector<double> type = {D3DLIGHT_DIRECTIONAL};
    const std::vector<double> diffuse = {1, 1, 1, 0};
    const std::vector<double> specularAmbientAndPosition(4 + 4 + 3, 0.0);
    const std::vector<double> direction = {0, -1, 0};
    const std::vector<double> range = {1000};
    const std::vector<double> falloffAttenuationsAndCone(1 + 3 + 2, 0.0);
    std::vector<double> light;
    for (const auto* part : {&type, &diffuse, &specularAmbientAndPosition, &direction, &range,
                             &falloffAttenuationsAndCone}) {
        light.insert(light.end(), part->begin(), part->end());
    }
    std::vector<double> setLight = {0};
    setLight.insert(setLight.end(), light.begin(), light.end());
    EXPECT_EQ(LogLines(), (std::vector<std::string>{Line("SetLight", setLight), "LightEnable 0 1",
                                                    "SetRenderState 137 1"}));
}
