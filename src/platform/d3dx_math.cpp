#include "platform/d3dx_math.h"

#include <utility>

bool Matrix4::operator==(const Matrix4& o) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m[r][c] != o.m[r][c]) return false;
    return true;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) { return D3DXMatrixMultiply(a, b); }

float D3DXVec3LengthSq(const Vector3& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }
float D3DXVec3Length(const Vector3& v) { return std::sqrt(D3DXVec3LengthSq(v)); }
float D3DXVec3Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3 D3DXVec3Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 D3DXVec3Normalize(const Vector3& v) {
    float len = D3DXVec3Length(v);
    if (len == 0.0f) return {0, 0, 0};
    return {v.x / len, v.y / len, v.z / len};
}

Vector3 D3DXVec3TransformCoord(const Vector3& v, const Matrix4& m) {
    float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
    float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
    float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
    float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    if (w == 0.0f) return {0, 0, 0};
    return {x / w, y / w, z / w};
}

Vector3 D3DXVec3TransformNormal(const Vector3& v, const Matrix4& m) {
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

Matrix4 D3DXMatrixIdentity() { return Matrix4{}; }

Matrix4 D3DXMatrixTranslation(float x, float y, float z) {
    Matrix4 r;
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix4 D3DXMatrixScaling(float sx, float sy, float sz) {
    Matrix4 r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix4 D3DXMatrixRotationX(float a) {
    Matrix4 r;
    float c = std::cos(a), s = std::sin(a);
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix4 D3DXMatrixRotationY(float a) {
    Matrix4 r;
    float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix4 D3DXMatrixRotationZ(float a) {
    Matrix4 r;
    float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Matrix4 D3DXMatrixRotationAxis(const Vector3& axis, float a) {
    Vector3 n = D3DXVec3Normalize(axis);
    float c = std::cos(a), s = std::sin(a), t = 1.0f - c;
    Matrix4 r;
    r.m[0][0] = t * n.x * n.x + c;
    r.m[0][1] = t * n.x * n.y + s * n.z;
    r.m[0][2] = t * n.x * n.z - s * n.y;
    r.m[1][0] = t * n.x * n.y - s * n.z;
    r.m[1][1] = t * n.y * n.y + c;
    r.m[1][2] = t * n.y * n.z + s * n.x;
    r.m[2][0] = t * n.x * n.z + s * n.y;
    r.m[2][1] = t * n.y * n.z - s * n.x;
    r.m[2][2] = t * n.z * n.z + c;
    return r;
}

Matrix4 D3DXMatrixMultiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                        a.m[i][3] * b.m[3][j];
    return r;
}

Matrix4 D3DXMatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up) {
    Vector3 zaxis = D3DXVec3Normalize(at - eye);
    Vector3 xaxis = D3DXVec3Normalize(D3DXVec3Cross(up, zaxis));
    Vector3 yaxis = D3DXVec3Cross(zaxis, xaxis);
    Matrix4 r;
    r.m[0][0] = xaxis.x; r.m[0][1] = yaxis.x; r.m[0][2] = zaxis.x; r.m[0][3] = 0;
    r.m[1][0] = xaxis.y; r.m[1][1] = yaxis.y; r.m[1][2] = zaxis.y; r.m[1][3] = 0;
    r.m[2][0] = xaxis.z; r.m[2][1] = yaxis.z; r.m[2][2] = zaxis.z; r.m[2][3] = 0;
    r.m[3][0] = -D3DXVec3Dot(xaxis, eye);
    r.m[3][1] = -D3DXVec3Dot(yaxis, eye);
    r.m[3][2] = -D3DXVec3Dot(zaxis, eye);
    r.m[3][3] = 1;
    return r;
}

Matrix4 D3DXMatrixOrthoLH(float w, float h, float zn, float zf) {
    Matrix4 r;
    r.m[0][0] = 2.0f / w;
    r.m[1][1] = 2.0f / h;
    r.m[2][2] = 1.0f / (zf - zn);
    r.m[3][2] = zn / (zn - zf);
    return r;
}

Matrix4 D3DXMatrixPerspectiveFovLH(float fovY, float aspect, float zn, float zf) {
    float yScale = 1.0f / std::tan(fovY / 2.0f);
    float xScale = yScale / aspect;
    Matrix4 r;
    r.m[0][0] = xScale;
    r.m[1][1] = yScale;
    r.m[2][2] = zf / (zf - zn);
    r.m[2][3] = 1;
    r.m[3][2] = -zn * zf / (zf - zn);
    r.m[3][3] = 0;
    return r;
}

Matrix4 D3DXMatrixTranspose(const Matrix4& m) {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = m.m[j][i];
    return r;
}

bool D3DXMatrixInverse(const Matrix4& m, Matrix4& out) {
    // Gauss-Jordan elimination with partial pivoting.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = m.m[i][j];
            a[i][j + 4] = (i == j) ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-12) {
            out = Matrix4{};
            return false;
        }
        if (pivot != col)
            for (int j = 0; j < 8; ++j) std::swap(a[col][j], a[pivot][j]);
        double inv = 1.0 / a[col][col];
        for (int j = 0; j < 8; ++j) a[col][j] *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            double f = a[r][col];
            for (int j = 0; j < 8; ++j) a[r][j] -= f * a[col][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out.m[i][j] = static_cast<float>(a[i][j + 4]);
    return true;
}
