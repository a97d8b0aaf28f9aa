// Matrix and vector operations in Direct3D's row-vector, left-handed convention.
#pragma once

struct Vector3 {
    float x, y, z;
};

// Sixteen floats, row by row; a point p is transformed as p x M, the translation in row 3.
// Laid out exactly as D3DMATRIX, so SetTransform takes it unchanged.
struct Matrix {
    float m[4][4];
};

Matrix Identity();
Matrix Translation(float x, float y, float z);
Matrix RotationX(float angle);
Matrix RotationY(float angle);
Matrix RotationZ(float angle);
// out = a x b: a applies first. out may be a or b.
void Multiply(Matrix& out, const Matrix& a, const Matrix& b);
// out = v / |v|. out may be v.
void Normalize(Vector3& out, const Vector3& v);

Matrix LookAtLeftHanded(const Vector3& eye, const Vector3& target, const Vector3& up);
Matrix PerspectiveLeftHanded(float fieldOfView, float aspect, float zNear, float zFar);
Matrix OrthographicLeftHanded(float width, float height, float zNear, float zFar);
