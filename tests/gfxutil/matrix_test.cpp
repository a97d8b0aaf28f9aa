// Tests of the matrix operations and the left-handed camera matrices.
#include "gfxutil/matrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float HALF_PI = 1.5707964f;
constexpr float TOLERANCE = 1e-6f;

// A point as a row vector times the matrix, translation in row 3.
Vector3 Transform(const Vector3& p, const Matrix& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

// A direction ignores the translation row.
Vector3 TransformDirection(const Vector3& d, const Matrix& m) {
    return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
            d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
            d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

void ExpectNear(const Vector3& expected, const Vector3& actual, float tolerance = TOLERANCE) {
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

void ExpectEqual(const Matrix& expected, const Matrix& actual) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(expected.m[row][column], actual.m[row][column])
                << "row " << row << " column " << column;
        }
    }
}

Matrix Rows(std::initializer_list<float> values) {
    Matrix m{};
    int i = 0;
    for (float value : values) {
        m.m[i / 4][i % 4] = value;
        ++i;
    }
    return m;
}

TEST(Matrix, QuarterTurnsTurnAxesLeftHanded) {
    ExpectNear({0, 1, 0}, Transform({1, 0, 0}, RotationZ(HALF_PI)));
    ExpectNear({0, 0, 1}, Transform({0, 1, 0}, RotationX(HALF_PI)));
    ExpectNear({1, 0, 0}, Transform({0, 0, 1}, RotationY(HALF_PI)));
}

TEST(Matrix, ZeroTranslationAndZeroRotationsAreTheIdentity) {
    const Matrix identity = Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    ExpectEqual(identity, Identity());
    ExpectEqual(identity, Translation(0, 0, 0));
    ExpectEqual(identity, RotationX(0));
    ExpectEqual(identity, RotationY(0));
    ExpectEqual(identity, RotationZ(0));
}

TEST(Matrix, ProductOfTranslationsAddsThem) {
    Matrix product;
    Multiply(product, Translation(1, 2, 3), Translation(4, 5, 6));
    ExpectEqual(Translation(5, 7, 9), product);
}

TEST(Matrix, ProductAppliesTheLeftMatrixFirst) {
    // Moving (0, 0, 0) to (0, 1, 0) and then turning a quarter about X ends at (0, 0, 1);
    // turning first leaves the origin where it is, and the move then takes it to (0, 1, 0).
    Matrix moveThenTurn;
    Multiply(moveThenTurn, Translation(0, 1, 0), RotationX(HALF_PI));
    ExpectNear({0, 0, 1}, Transform({0, 0, 0}, moveThenTurn));

    Matrix turnThenMove;
    Multiply(turnThenMove, RotationX(HALF_PI), Translation(0, 1, 0));
    ExpectNear({0, 1, 0}, Transform({0, 0, 0}, turnThenMove));
}

TEST(Matrix, ProductIntoEitherOperandMatchesAProductIntoAFreshMatrix) {
    const Matrix a = [] {
        Matrix m;
        Multiply(m, RotationX(0.4f), Translation(1, 2, 3));
        return m;
    }();
    const Matrix b = [] {
        Matrix m;
        Multiply(m, RotationZ(-0.7f), Translation(-5, 0.5f, 9));
        return m;
    }();
    Matrix separate;
    Multiply(separate, a, b);

    Matrix intoA = a;
    Multiply(intoA, intoA, b);
    ExpectEqual(separate, intoA);

    Matrix intoB = b;
    Multiply(intoB, a, intoB);
    ExpectEqual(separate, intoB);

    Matrix square;
    Multiply(square, a, a);
    Matrix squareInPlace = a;
    Multiply(squareInPlace, squareInPlace, squareInPlace);
    ExpectEqual(square, squareInPlace);
}

TEST(Matrix, NormalizeDividesByTheLengthAlsoInPlace) {
    Vector3 out;
    Normalize(out, {3, 4, 0});
    ExpectNear({0.6f, 0.8f, 0}, out);

    Vector3 light{0, -2, 0};
    Normalize(light, light);
    ExpectNear({0, -1, 0}, light, 0);
}

TEST(Camera, PlayLookAtPutsTheBoardCentre110AheadWithPlusZUp) {
    const Matrix view = LookAtLeftHanded({0, 110, 0}, {0, 0, 0}, {0, 0, 1});
    ExpectNear({0, 0, 110}, Transform({0, 0, 0}, view));
    ExpectNear({0, 1, 0}, TransformDirection({0, 0, 1}, view));
    // The eye itself is the view-space origin.
    ExpectNear({0, 0, 0}, Transform({0, 110, 0}, view));
}

TEST(Camera, TitleLookAtLooksDownPlusZ) {
    const Matrix view = LookAtLeftHanded({0, 10, -100}, {0, 10, 100}, {0, 1, 0});
    ExpectNear({0, 0, 100}, Transform({0, 10, 0}, view));
    ExpectNear({1, 0, 0}, TransformDirection({1, 0, 0}, view));
    EXPECT_EQ(0.0f, view.m[0][3]);
    EXPECT_EQ(1.0f, view.m[3][3]);
}

TEST(Camera, PerspectiveFollowsTheFieldOfViewAndDepthRange) {
    const float fieldOfView = 1.0471976f;
    const float aspect = 1.333f;
    const float zNear = 1;
    const float zFar = 200;
    const Matrix projection = PerspectiveLeftHanded(fieldOfView, aspect, zNear, zFar);
    const float h = 1.0f / std::tan(fieldOfView / 2);  // cot(f / 2), about sqrt(3)
    EXPECT_NEAR(1.7320508f, h, 1e-6f);
    EXPECT_FLOAT_EQ(h, projection.m[1][1]);
    EXPECT_FLOAT_EQ(h / aspect, projection.m[0][0]);
    EXPECT_FLOAT_EQ(zFar / (zFar - zNear), projection.m[2][2]);
    EXPECT_FLOAT_EQ(-zNear * zFar / (zFar - zNear), projection.m[3][2]);
    EXPECT_EQ(1.0f, projection.m[2][3]);
    EXPECT_EQ(0.0f, projection.m[3][3]);
    // The near plane maps to depth 0 and the far plane to depth 1 after the divide by w = z.
    const Vector3 nearPoint = Transform({0, 0, zNear}, projection);
    const Vector3 farPoint = Transform({0, 0, zFar}, projection);
    EXPECT_NEAR(0.0f, nearPoint.z / zNear, 1e-6f);
    EXPECT_NEAR(1.0f, farPoint.z / zFar, 1e-6f);
}

TEST(Camera, OrthographicMapsTheVolumeToTheUnitDepthRange) {
    const Matrix projection = OrthographicLeftHanded(640, 480, 10, 20);
    ExpectEqual(Rows({2.0f / 640, 0, 0, 0, 0, 2.0f / 480, 0, 0, 0, 0, 1.0f / 10, 0, 0, 0,
                      10.0f / -10.0f, 1}),
                projection);
    ExpectNear({1, -1, 0}, Transform({320, -240, 10}, projection));
    ExpectNear({0, 0, 1}, Transform({0, 0, 20}, projection));
}

}  // namespace
