#include "gamelib/texel_footprint.h"

#include <cmath>

std::optional<float> TexelsPerPixel(const MeshVertex (&corners)[3], const Matrix4& worldViewProj, int width,
                                    int height, uint32_t texWidth, uint32_t texHeight) {
    float px[3], py[3], w[3];
    for (int i = 0; i < 3; ++i) {
        const MeshVertex& c = corners[i];
        const Matrix4& m = worldViewProj;
        const float x = c.x * m.m[0][0] + c.y * m.m[1][0] + c.z * m.m[2][0] + m.m[3][0];
        const float y = c.x * m.m[0][1] + c.y * m.m[1][1] + c.z * m.m[2][1] + m.m[3][1];
        w[i] = c.x * m.m[0][3] + c.y * m.m[1][3] + c.z * m.m[2][3] + m.m[3][3];
        if (!(w[i] > 0)) return std::nullopt;
        px[i] = x / w[i] * 0.5f * static_cast<float>(width);
        py[i] = y / w[i] * 0.5f * static_cast<float>(height);
    }
    if (std::fabs(w[1] - w[0]) > 1e-6f * w[0] || std::fabs(w[2] - w[0]) > 1e-6f * w[0]) return std::nullopt;
    // Texels as a linear function of pixels: T = A P, from the two edges.
    const float e1x = px[1] - px[0], e1y = py[1] - py[0], e2x = px[2] - px[0], e2y = py[2] - py[0];
    const float det = e1x * e2y - e2x * e1y;
    if (std::fabs(det) < 1e-6f) return std::nullopt;
    const float tw = static_cast<float>(texWidth), th = static_cast<float>(texHeight);
    const float s1 = (corners[1].u - corners[0].u) * tw, s2 = (corners[2].u - corners[0].u) * tw;
    const float t1 = (corners[1].v - corners[0].v) * th, t2 = (corners[2].v - corners[0].v) * th;
    // The inverse of the edge matrix [e1 e2] gives the steps per pixel.
    const float dsdx = (s1 * e2y - s2 * e1y) / det, dsdy = (s2 * e1x - s1 * e2x) / det;
    const float dtdx = (t1 * e2y - t2 * e1y) / det, dtdy = (t2 * e1x - t1 * e2x) / det;
    return std::max(std::hypot(dsdx, dtdx), std::hypot(dsdy, dtdy));
}
