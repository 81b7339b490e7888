// Vectors and matrices in the D3DX conventions: left-handed coordinates,
// row vectors (v' = v * M), transforms composed left to right in the order
// they apply (world = scale * rotation * translation), angles in radians.
#pragma once

#include <cmath>

struct Vector3 {
    float x = 0, y = 0, z = 0;

    constexpr Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    constexpr Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    Vector3& operator+=(const Vector3& o) { x += o.x; y += o.y; z += o.z; return *this; }
    Vector3& operator-=(const Vector3& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    Vector3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    constexpr bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
};

struct Matrix4 {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    float& operator()(int row, int col) { return m[row][col]; }
    float operator()(int row, int col) const { return m[row][col]; }
    bool operator==(const Matrix4& o) const;
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);

float D3DXVec3Length(const Vector3& v);
float D3DXVec3LengthSq(const Vector3& v);
float D3DXVec3Dot(const Vector3& a, const Vector3& b);
Vector3 D3DXVec3Cross(const Vector3& a, const Vector3& b);
// Unit vector along v; the zero vector stays zero.
Vector3 D3DXVec3Normalize(const Vector3& v);
// Point times matrix, divided by the resulting w.
Vector3 D3DXVec3TransformCoord(const Vector3& v, const Matrix4& m);
// Direction times the upper 3x3 of the matrix (no translation).
Vector3 D3DXVec3TransformNormal(const Vector3& v, const Matrix4& m);

Matrix4 D3DXMatrixIdentity();
Matrix4 D3DXMatrixTranslation(float x, float y, float z);
Matrix4 D3DXMatrixScaling(float sx, float sy, float sz);
Matrix4 D3DXMatrixRotationX(float angle);
Matrix4 D3DXMatrixRotationY(float angle);
Matrix4 D3DXMatrixRotationZ(float angle);
Matrix4 D3DXMatrixRotationAxis(const Vector3& axis, float angle);
Matrix4 D3DXMatrixMultiply(const Matrix4& first, const Matrix4& second);
Matrix4 D3DXMatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
Matrix4 D3DXMatrixOrthoLH(float width, float height, float zNear, float zFar);
Matrix4 D3DXMatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
Matrix4 D3DXMatrixTranspose(const Matrix4& m);
// Inverse of m; returns false (and identity) when m is singular.
bool D3DXMatrixInverse(const Matrix4& m, Matrix4& out);

// A bounding sphere: centre and radius.
struct Sphere {
    Vector3 centre;
    float radius = 0;
};
