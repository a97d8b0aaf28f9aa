// The matrix operations and the left-handed camera matrices, all in single precision.
#include "gfxutil/matrix.h"

#include <cmath>

namespace {

Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Matrix Zero() {
    return Matrix{};
}

}  // namespace

Matrix Identity() {
    Matrix result = Zero();
    for (int i = 0; i < 4; ++i) {
        result.m[i][i] = 1.0f;
    }
    return result;
}

Matrix Translation(float x, float y, float z) {
    Matrix result = Identity();
    result.m[3][0] = x;
    result.m[3][1] = y;
    result.m[3][2] = z;
    return result;
}

namespace {

// A rotation that turns axis `from` towards axis `to` by `angle`, leaving the third axis alone.
Matrix PlaneRotation(int from, int to, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix result = Identity();
    result.m[from][from] = c;
    result.m[from][to] = s;
    result.m[to][from] = -s;
    result.m[to][to] = c;
    return result;
}

}  // namespace

Matrix RotationX(float angle) {
    return PlaneRotation(1, 2, angle);
}

Matrix RotationY(float angle) {
    return PlaneRotation(2, 0, angle);
}

Matrix RotationZ(float angle) {
    return PlaneRotation(0, 1, angle);
}

void Multiply(Matrix& out, const Matrix& a, const Matrix& b) {
    // out may be a or b, so every element is read before any is written.
    Matrix product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            product.m[row][column] = a.m[row][0] * b.m[0][column] + a.m[row][1] * b.m[1][column] +
                                     a.m[row][2] * b.m[2][column] + a.m[row][3] * b.m[3][column];
        }
    }
    out = product;
}

void Normalize(Vector3& out, const Vector3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    out = {v.x / length, v.y / length, v.z / length};
}

Matrix LookAtLeftHanded(const Vector3& eye, const Vector3& target, const Vector3& up) {
    Vector3 zAxis;
    Normalize(zAxis, {target.x - eye.x, target.y - eye.y, target.z - eye.z});
    Vector3 xAxis;
    Normalize(xAxis, Cross(up, zAxis));
    const Vector3 yAxis = Cross(zAxis, xAxis);

    Matrix result = Identity();
    result.m[0][0] = xAxis.x;
    result.m[0][1] = yAxis.x;
    result.m[0][2] = zAxis.x;
    result.m[1][0] = xAxis.y;
    result.m[1][1] = yAxis.y;
    result.m[1][2] = zAxis.y;
    result.m[2][0] = xAxis.z;
    result.m[2][1] = yAxis.z;
    result.m[2][2] = zAxis.z;
    result.m[3][0] = -Dot(xAxis, eye);
    result.m[3][1] = -Dot(yAxis, eye);
    result.m[3][2] = -Dot(zAxis, eye);
    return result;
}

Matrix PerspectiveLeftHanded(float fieldOfView, float aspect, float zNear, float zFar) {
    const float height = 1.0f / std::tan(fieldOfView / 2.0f);
    const float width = height / aspect;
    Matrix result = Zero();
    result.m[0][0] = width;
    result.m[1][1] = height;
    result.m[2][2] = zFar / (zFar - zNear);
    result.m[2][3] = 1.0f;
    result.m[3][2] = -zNear * zFar / (zFar - zNear);
    return result;
}

Matrix OrthographicLeftHanded(float width, float height, float zNear, float zFar) {
    Matrix result = Identity();
    result.m[0][0] = 2.0f / width;
    result.m[1][1] = 2.0f / height;
    result.m[2][2] = 1.0f / (zFar - zNear);
    result.m[3][2] = zNear / (zNear - zFar);
    return result;
}
