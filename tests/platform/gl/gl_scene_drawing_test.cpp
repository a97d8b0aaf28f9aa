// The OpenGL device drawing in 3-D: Direct3D's row-vector matrices, left-handed look-at and
// perspective, fixed-function lighting with one directional light, and indexed meshes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/platform/gl/gl_test_device.h"

namespace {

struct Vector {
    float x, y, z;
};

Vector Subtract(Vector a, Vector b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector Add(Vector a, Vector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector Scale(Vector a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
float Dot(Vector a, Vector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector Cross(Vector a, Vector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vector Normalise(Vector a) {
    return Scale(a, 1.0f / std::sqrt(Dot(a, a)));
}

D3DMATRIX Rows(const float (&rows)[4][4]) {
    D3DMATRIX matrix;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            matrix.m[r][c] = rows[r][c];
        }
    }
    return matrix;
}

// The left-handed look-at matrix: z = normalise(target - eye), x = normalise(up x z), y = z x x.
D3DMATRIX LookAt(Vector eye, Vector target, Vector up) {
    const Vector z = Normalise(Subtract(target, eye));
    const Vector x = Normalise(Cross(up, z));
    const Vector y = Cross(z, x);
    return Rows({{x.x, y.x, z.x, 0},
                 {x.y, y.y, z.y, 0},
                 {x.z, y.z, z.z, 0},
                 {-Dot(x, eye), -Dot(y, eye), -Dot(z, eye), 1}});
}

// The left-handed perspective matrix: h = cot(fov / 2), w = h / aspect.
D3DMATRIX Perspective(float fieldOfView, float aspect, float nearPlane, float farPlane) {
    const float h = 1.0f / std::tan(fieldOfView / 2);
    const float w = h / aspect;
    const float q = farPlane / (farPlane - nearPlane);
    return Rows({{w, 0, 0, 0}, {0, h, 0, 0}, {0, 0, q, 1}, {0, 0, -nearPlane * q, 0}});
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX product;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            product.m[r][c] = 0;
            for (int k = 0; k < 4; ++k) {
                product.m[r][c] += a.m[r][k] * b.m[k][c];
            }
        }
    }
    return product;
}

D3DMATRIX Translation(float x, float y, float z) {
    return Rows({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}});
}

D3DMATRIX RotationY(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Rows({{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}});
}

// Where Direct3D puts a world point: p x world x view x projection, divided by w, then the
// viewport: x from -1..1 to 0..width, y flipped. Pixel i has its centre at i.
struct ScreenPoint {
    double x, y;
    int PixelX() const { return static_cast<int>(std::floor(x + 0.5)); }
    int PixelY() const { return static_cast<int>(std::floor(y + 0.5)); }
    // Far enough from a pixel border that rounding cannot move it to a neighbour.
    bool Unambiguous() const {
        const double fractionX = x + 0.5 - std::floor(x + 0.5);
        const double fractionY = y + 0.5 - std::floor(y + 0.5);
        return fractionX > 0.05 && fractionX < 0.95 && fractionY > 0.05 && fractionY < 0.95;
    }
};

ScreenPoint Project(Vector point, const D3DMATRIX& transform, int width, int height) {
    double clip[4];
    for (int c = 0; c < 4; ++c) {
        clip[c] = point.x * transform.m[0][c] + point.y * transform.m[1][c] +
                  point.z * transform.m[2][c] + transform.m[3][c];
    }
    return {(clip[0] / clip[3] + 1) / 2 * width, (1 - clip[1] / clip[3]) / 2 * height};
}

constexpr float FIELD_OF_VIEW = 1.0471976f;  // pi / 3, as both scenes
constexpr float ASPECT = 1.333f;
constexpr uint32_t RGB_MASK = 0x00FFFFFF;

// The six faces of the cube from -1 to 1, each two triangles clockwise seen from outside
// (Direct3D's front faces), with the face's outward normal at every corner.
void BuildCube(std::vector<WorldVertex>& vertices, std::vector<uint32_t>& indices) {
    const Vector normals[6] = {{0, 1, 0}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const Vector& n : normals) {
        // Look at the face from outside: forward = -n; right = up x forward; up' = forward x right.
        const Vector forward = Scale(n, -1);
        const Vector up = std::fabs(n.y) > 0 ? Vector{0, 0, 1} : Vector{0, 1, 0};
        const Vector right = Cross(up, forward);
        const Vector top = Cross(forward, right);
        const Vector corners[4] = {
            Add(n, Subtract(top, right)),        // top-left
            Add(n, Add(top, right)),             // top-right
            Add(n, Subtract(right, top)),        // bottom-right
            Add(n, Scale(Add(top, right), -1)),  // bottom-left
        };
        const auto first = static_cast<uint32_t>(vertices.size());
        for (const Vector& corner : corners) {
            vertices.push_back({corner.x, corner.y, corner.z, n.x, n.y, n.z, 0xFFFFFFFF});
        }
        for (uint32_t k : {0u, 1u, 2u, 0u, 2u, 3u}) {
            indices.push_back(first + k);
        }
    }
}

}  // namespace

class SceneDrawing : public GlDeviceTest {
  protected:
    void SetCamera(Vector eye, Vector target, Vector up, float farPlane) {
        view = LookAt(eye, target, up);
        projection = Perspective(FIELD_OF_VIEW, ASPECT, 1.0f, farPlane);
        device->SetTransform(D3DTS_VIEW, &view);
        device->SetTransform(D3DTS_PROJECTION, &projection);
    }

    ScreenPoint Where(Vector point, const D3DMATRIX& world) const {
        return Project(point, Multiply(Multiply(world, view), projection), WIDTH, HEIGHT);
    }

    D3DMATRIX view{};
    D3DMATRIX projection{};
};

TEST_F(SceneDrawing, WorldPointsLandOnThePixelsTheCameraMatricesGive) {
    // The play scene's camera, looking straight down with +z up the screen, and a world matrix
    // that turns before it moves, so that a wrong order of world and view shows.
    BeginFrame();
    SetCamera({0, 110, 0}, {0, 0, 0}, {0, 0, 1}, 200);
    const D3DMATRIX world = Multiply(RotationY(0.5f), Translation(4, 0, -3));
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    const WorldVertex points[3] = {{0.6f, 0, 0.4f, 0, 0, 0, 0xFFFF0000},
                                   {20.3f, 0, 30.2f, 0, 0, 0, 0xFF00FF00},
                                   {-31.7f, 0, -12.1f, 0, 0, 0, 0xFF0000FF}};
    device->SetFVF(WORLD_VERTEX_FVF);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_POINTLIST, 3, points, sizeof(WorldVertex)), D3D_OK);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    for (const WorldVertex& point : points) {
        const ScreenPoint screen = Where({point.x, point.y, point.z}, world);
        ASSERT_TRUE(screen.Unambiguous()) << screen.x << ", " << screen.y;
        ASSERT_GE(screen.PixelX(), 1);
        ASSERT_LT(screen.PixelX(), WIDTH - 1);
        ASSERT_GE(screen.PixelY(), 1);
        ASSERT_LT(screen.PixelY(), HEIGHT - 1);
        EXPECT_EQ(Pixel(pixels, screen.PixelX(), screen.PixelY()) & RGB_MASK,
                  point.colour & RGB_MASK)
            << "point " << point.x << ", " << point.z << " expected at " << screen.x << ", "
            << screen.y;
    }
    // The green point lies right of and above the centre: +x right, +z up.
    const ScreenPoint green = Where({points[1].x, 0, points[1].z}, world);
    EXPECT_GT(green.x, WIDTH / 2.0);
    EXPECT_LT(green.y, HEIGHT / 2.0);
}

TEST_F(SceneDrawing, TheTopOfALitCubeIsBrighterThanItsSides) {
    std::vector<WorldVertex> vertices;
    std::vector<uint32_t> indices;
    BuildCube(vertices, indices);
    BeginFrame();
    SetCamera({2.5f, 3.0f, -3.5f}, {0, 0, 0}, {0, 1, 0}, 100);
    const D3DMATRIX identity = Translation(0, 0, 0);
    device->SetTransform(D3DTS_WORLD, &identity);
    // The light straight down, white ambient, a grey material whose ambient equals its diffuse.
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Direction = {0, -1, 0};
    light.Range = 1000;
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
    D3DMATERIAL9 material{};
    material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    material.Ambient = material.Diffuse;
    device->SetMaterial(&material);
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetFVF(WORLD_VERTEX_FVF);
    ASSERT_EQ(
        device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(vertices.size()),
                                       static_cast<UINT>(indices.size() / 3), indices.data(),
                                       D3DFMT_INDEX32, vertices.data(), sizeof(WorldVertex)),
        D3D_OK);
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    // Top: ambient 1 x 0.5 + diffuse 0.5 x 1 x (N.L = 1) = 1. Sides: N.L = 0, ambient only, 0.5.
    const double top = 255.0 * std::min(1.0, 0.5 + 0.5);
    const double side = 255.0 * 0.5;
    const struct {
        const char* name;
        Vector centre;
        double expected;
    } faces[] = {{"top", {0, 1, 0}, top}, {"front", {0, 0, -1}, side}, {"right", {1, 0, 0}, side}};
    for (const auto& face : faces) {
        const ScreenPoint screen = Where(face.centre, identity);
        const uint32_t pixel = Pixel(pixels, screen.PixelX(), screen.PixelY());
        EXPECT_NEAR(Red(pixel), face.expected, 2) << face.name;
        EXPECT_NEAR(Green(pixel), face.expected, 2) << face.name;
        EXPECT_NEAR(Blue(pixel), face.expected, 2) << face.name;
    }
}

TEST_F(SceneDrawing, LightingIsOnByDefaultAndTheVertexColourIsTheDiffuseMaterial) {
    // A square facing the camera at z = 0, its normal towards the camera (-z).
    const auto square = [](D3DCOLOR colour) {
        return std::vector<WorldVertex>{{-1, 1, 0, 0, 0, -1, colour},
                                        {1, 1, 0, 0, 0, -1, colour},
                                        {-1, -1, 0, 0, 0, -1, colour},
                                        {1, -1, 0, 0, 0, -1, colour}};
    };
    const std::vector<uint16_t> strip = {0, 1, 2, 3};
    const auto draw = [&](const std::vector<WorldVertex>& vertices, float x) {
        const D3DMATRIX world = Translation(x, 0, 0);
        device->SetTransform(D3DTS_WORLD, &world);
        device->SetFVF(WORLD_VERTEX_FVF);
        ASSERT_EQ(
            device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLESTRIP, 0, 4, 2, strip.data(),
                                           D3DFMT_INDEX16, vertices.data(), sizeof(WorldVertex)),
            D3D_OK);
    };
    BeginFrame();
    SetCamera({0, 0, -8}, {0, 0, 0}, {0, 1, 0}, 100);
    draw(square(0xFFFF0000), -3);  // lit, no light, no ambient: black
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Direction = {0, 0, 1};  // travelling away from the camera, onto the square's face
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    draw(square(0xFFFF0000), 0);  // diffuse from the vertex colour (COLOR1): red
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    draw(square(0xFF00FF00), 3);  // unlit: the vertex colour as it is
    device->EndScene();
    const std::vector<uint32_t> pixels = ReadBack();
    const D3DMATRIX identity = Translation(0, 0, 0);
    EXPECT_EQ(Pixel(pixels, Where({-3, 0, 0}, identity).PixelX(), HEIGHT / 2) & RGB_MASK, 0u);
    EXPECT_EQ(Pixel(pixels, Where({0, 0, 0}, identity).PixelX(), HEIGHT / 2) & RGB_MASK, 0xFF0000u);
    EXPECT_EQ(Pixel(pixels, Where({3, 0, 0}, identity).PixelX(), HEIGHT / 2) & RGB_MASK, 0x00FF00u);
}

TEST_F(SceneDrawing, DepthHidesTheFartherSquareAndTheNearAndFarPlanesClip) {
    // The camera at z -8 looking along +z with near plane 1 and far plane 20, unlit squares
    // facing it. A square is placed by its distance from the camera and its offsets across and up
    // as fractions of that distance, so that the offsets alone choose its place on the screen.
    BeginFrame();
    SetCamera({0, 0, -8}, {0, 0, 0}, {0, 1, 0}, 20);
    const D3DMATRIX identity = Translation(0, 0, 0);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetFVF(WORLD_VERTEX_FVF);
    const auto centre = [](float across, float up, float distance) {
        return Vector{across * distance, up * distance, distance - 8};
    };
    const auto square = [&](float across, float up, float distance, float half, D3DCOLOR colour) {
        const Vector c = centre(across, up, distance);
        const WorldVertex strip[4] = {{c.x - half, c.y + half, c.z, 0, 0, -1, colour},
                                      {c.x + half, c.y + half, c.z, 0, 0, -1, colour},
                                      {c.x - half, c.y - half, c.z, 0, 0, -1, colour},
                                      {c.x + half, c.y - half, c.z, 0, 0, -1, colour}};
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(WorldVertex)),
                  D3D_OK);
    };
    // The nearer square first: the farther one, drawn over it, must stay behind it.
    square(0, 0, 8, 1, 0xFFFF0000);
    square(0, 0, 12, 3, 0xFF00FF00);
    // Direct3D keeps depths from the near plane to the far plane: 0.75 and 21 lie outside.
    const struct {
        const char* what;
        float across, up, distance;
        D3DCOLOR colour;
        uint32_t expected;
    } planes[] = {
        {"before the near plane", -0.5f, 0.35f, 0.75f, 0xFF0000FF, BACKGROUND & RGB_MASK},
        {"behind the near plane", -0.5f, -0.35f, 1.5f, 0xFF0000FF, 0x0000FFu},
        {"before the far plane", 0.5f, 0.35f, 19, 0xFFFFFF00, 0xFFFF00u},
        {"beyond the far plane", 0.5f, -0.35f, 21, 0xFFFFFF00, BACKGROUND & RGB_MASK},
    };
    for (const auto& plane : planes) {
        square(plane.across, plane.up, plane.distance, 0.08f * plane.distance, plane.colour);
    }
    device->EndScene();

    const std::vector<uint32_t> pixels = ReadBack();
    const auto colourAt = [&](const Vector& point) {
        const ScreenPoint screen = Where(point, identity);
        return Pixel(pixels, screen.PixelX(), screen.PixelY()) & RGB_MASK;
    };
    EXPECT_EQ(colourAt(centre(0, 0, 8)), 0xFF0000u) << "the nearer square";
    EXPECT_EQ(colourAt(centre(0.2f, 0, 12)), 0x00FF00u) << "the farther square beside it";
    for (const auto& plane : planes) {
        EXPECT_EQ(colourAt(centre(plane.across, plane.up, plane.distance)), plane.expected)
            << plane.what;
    }
}
