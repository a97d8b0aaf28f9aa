// The arithmetic of sprites, needing no device: corner positions and texture coordinates, depth
// buckets, animation frames and the whole-degree sine table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "render/meshes.h"
#include "render/sprites.h"

namespace {

struct Point {
    float x, y;
};

std::vector<Point> Corners(const Sprite& sprite) {
    std::vector<Point> corners;
    for (const SpriteVertex& vertex : sprite.vertices) {
        corners.push_back({vertex.x, vertex.y});
    }
    return corners;
}

// `expected` are the corners of the rectangle; the vertices lie half a pixel up and left of them,
// where Direct3D 9 lays texels 1:1 onto pixels.
void ExpectCorners(const std::vector<Point>& actual, const std::vector<Point>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].x, expected[i].x - 0.5f) << "corner " << i;
        EXPECT_EQ(actual[i].y, expected[i].y - 0.5f) << "corner " << i;
    }
}

// A sheet of 64 x 32 texels: only its size reaches the vertices.
TextureEntry Sheet() {
    TextureEntry sheet;
    sheet.imageInfo.Width = 64;
    sheet.imageInfo.Height = 32;
    return sheet;
}
const TextureEntry SHEET = Sheet();

SpriteParams OnSheet(float z = 0) {
    SpriteParams params;
    params.texture = &SHEET;
    params.width = 8;
    params.height = 8;
    params.z = z;
    return params;
}

// An 8 x 8-texel cell drawn as a width x height rectangle with its top-left corner at (x, y).
SpriteParams Placed(float x, float y, float width, float height, float z = 0) {
    SpriteParams params = OnSheet(z);
    params.x = x;
    params.y = y;
    params.width = width;
    params.height = height;
    return params;
}

Sprite Computed(const SpriteParams& params) {
    Sprite sprite(params);
    sprite.ComputeVertices();
    return sprite;
}

void ExpectBuckets(std::initializer_list<std::pair<float, int>> depthsAndBuckets) {
    for (const auto& [depth, bucket] : depthsAndBuckets) {
        EXPECT_EQ(DepthBucket(depth), bucket) << depth;
    }
}

void ExpectTable(float (*function)(int), std::initializer_list<std::pair<int, float>> table) {
    for (const auto& [degrees, value] : table) {
        EXPECT_EQ(function(degrees), value) << degrees << " degrees";
    }
}

void ExpectFrameAndCell(const Sprite& sprite, int frame, float column, float row) {
    EXPECT_EQ(sprite.frame, frame);
    EXPECT_EQ(sprite.cellColumn, column);
    EXPECT_EQ(sprite.cellRow, row);
}

}  // namespace

TEST(SpriteParams, TheConstructorSetsTheDefaults) {
    const SpriteParams params;
    EXPECT_EQ(params.texture, nullptr);
    EXPECT_EQ(params.visible, 1);
    EXPECT_EQ(params.uniformColour, 1);
    EXPECT_EQ(params.scaleX, 1.0f);
    EXPECT_EQ(params.scaleY, 1.0f);
    EXPECT_EQ(params.colour, 0xFFFFFFFFu);
    for (D3DCOLOR corner : params.cornerColours) {
        EXPECT_EQ(corner, 0xFFFFFFFFu);
    }
    for (float zero :
         {params.pivotX, params.pivotY, params.x, params.y, params.z, params.width, params.height,
          params.cellColumn, params.cellRow, params.sourceX, params.sourceY}) {
        EXPECT_EQ(zero, 0.0f);
    }
    for (int32_t zero :
         {params.animationMode, params.animationBackward, params.angle, params.sheet.columns,
          params.sheet.rows, params.frame, params.firstFrame, params.lastFrame, params.frameDelay,
          params.frameTimer, params.animate, params.blendMode}) {
        EXPECT_EQ(zero, 0);
    }
}

TEST(SpriteVertices, CornersAreScaledAndTexelsComeFromTheCellInStripOrder) {
    SpriteParams params = Placed(100, 50, 16, 8, 0.25f);
    params.scaleX = 2;
    params.scaleY = 3;
    params.cellColumn = 1;
    params.cellRow = 2;
    params.sourceX = 4;
    params.sourceY = 2;
    params.colour = 0x80FF0000;
    const Sprite sprite = Computed(params);

    EXPECT_EQ(sprite.x, 100.0f);
    EXPECT_EQ(sprite.colour, 0x80FF0000u);
    // Top-left, top-right, bottom-left, bottom-right of a 32 x 24 rectangle.
    ExpectCorners(Corners(sprite), {{100, 50}, {132, 50}, {100, 74}, {132, 74}});
    // Cell (1, 2) of 16 x 8 texels, 4 texels right and 2 down, on a 64 x 32 sheet; the scale
    // plays no part.
    const float uLeft = (1 * 16 + 4) / 64.0f, uRight = uLeft + 16 / 64.0f;
    const float vTop = (2 * 8 + 2) / 32.0f, vBottom = vTop + 8 / 32.0f;
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

TEST(SpriteVertices, AQuarterTurnClockwiseSwingsTheTopRightCornerBelowTheTopLeft) {
    SpriteParams params = Placed(100, 50, 32, 24);
    params.angle = 90;
    // Screen y grows downwards: clockwise takes +x to +y and +y to -x.
    ExpectCorners(Corners(Computed(params)), {{100, 50}, {100, 82}, {76, 50}, {76, 82}});
}

TEST(SpriteVertices, AHalfTurnAboutTheCentreSwapsOppositeCorners) {
    SpriteParams params = Placed(100, 50, 32, 24);
    params.pivotX = 16;
    params.pivotY = 12;
    params.angle = -180;
    ExpectCorners(Corners(Computed(params)), {{132, 74}, {100, 74}, {132, 50}, {100, 50}});
}

TEST(SpriteVertices, CornerColoursAreListedDownTheLeftThenDownTheRight) {
    const D3DCOLOR p = 0xFF000001, q = 0xFF000002, r = 0xFF000003, s = 0xFF000004;
    const D3DCOLOR cornerColours[4] = {p, q, r, s};
    // Only exactly 1 makes the colour uniform.
    for (int32_t uniformColour : {0, 2}) {
        SpriteParams params = OnSheet();
        params.uniformColour = uniformColour;
        params.colour = 0xFFFFFFFF;
        std::copy(std::begin(cornerColours), std::end(cornerColours), params.cornerColours);
        const Sprite sprite = Computed(params);
        // Strip order: top-left, top-right, bottom-left, bottom-right.
        EXPECT_EQ(sprite.vertices[0].diffuse, p) << uniformColour;
        EXPECT_EQ(sprite.vertices[1].diffuse, r) << uniformColour;
        EXPECT_EQ(sprite.vertices[2].diffuse, q) << uniformColour;
        EXPECT_EQ(sprite.vertices[3].diffuse, s) << uniformColour;
    }
}

TEST(DepthBucket, IsTheTruncatedHundredfoldDepthInDoublePrecision) {
    ExpectBuckets(
        {{0.5f, 50},
         {0.0f, 0},
         {0.999f, 99},
         // 0.29f is 0.28999999...; rounding the product to single precision would give 29.
         {0.29f, 28},
         // Likewise 0.01f is 0.0099999998, while 0.015f is 0.0149999997.
         {0.01f, 0},
         {0.015f, 1}});
}

TEST(DepthBucket, DepthsOutsideTheRangeAreClampedToTheEndBuckets) {
    ExpectBuckets(
        {{-0.5f, 0}, {1.0f, 99}, {1e30f, 99}, {-1e30f, 0}, {std::nanf(""), 0}, {INFINITY, 99}});
}

TEST(SpriteAnimation, LoopModeRunsFromFirstToLastAndStartsAgain) {
    Sprite sprite;
    sprite.animationMode = 2;  // every mode but 1 loops
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
    // Only exactly 1 counts down.
    sprite.animationBackward = 2;
    sprite.AdvanceAnimation();
    EXPECT_EQ(sprite.frame, 6);
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
    ExpectFrameAndCell(sprite, 6, 2, 1);
}

TEST(SpriteAnimation, ASheetWithoutColumnsAdvancesTheFrameButKeepsTheCell) {
    Sprite sprite;
    sprite.lastFrame = 3;
    sprite.cellColumn = 1;
    sprite.cellRow = 2;
    sprite.AdvanceAnimation();
    ExpectFrameAndCell(sprite, 1, 1, 2);
}

TEST(SineTable, HoldsSixSignificantDigitsWithTheGamesTwoExceptions) {
    ExpectTable(SineDeg, {{0, 0.0f},
                          {1, 0.0174524f},
                          {30, 0.5f},
                          {89, 0.999848f},
                          {38, 0.615662f},    // sin 38 degrees is 0.6156615
                          {53, 0.798635f}});  // sin 53 degrees is 0.7986355
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
    ExpectTable(SineDeg, {{90, 1.0f},
                          {91, 0.999848f},
                          {181, -0.0174524f},
                          {270, -1.0f},
                          {359, -0.0174524f},
                          {-90, -1.0f},
                          {450, 1.0f},
                          {-360, 0.0f},
                          {-720, 0.0f},
                          {-1, -0.0174524f}});
    ExpectTable(CosineDeg, {{180, -1.0f}, {0, 1.0f}, {60, 0.5f}, {-450, 0.0f}});
}

TEST(SineTable, ExtremeAnglesStayInRange) {
    // INT_MAX is 127 degrees past a whole number of turns, INT_MIN 128 short of one.
    EXPECT_EQ(SineDeg(INT_MAX), SineDeg(127));
    EXPECT_EQ(CosineDeg(INT_MAX), CosineDeg(127));
    EXPECT_EQ(SineDeg(INT_MIN), SineDeg(-128));
    EXPECT_EQ(CosineDeg(INT_MIN), CosineDeg(232));
}
