// 3D text: glyph outlines triangulated into a front face at z = 0 (facing
// -z), a back face at z = 0.1 and side walls between them.
#include <GL/glu.h>

#include <array>
#include <deque>

#include "gamelib/font_face.h"
#include "gamelib/glyph_outline.h"
#include "gamelib/mesh.h"

#ifndef CALLBACK
#define CALLBACK
#endif

namespace {

constexpr double kDeviation = 0.001;
constexpr float kExtrusion = 0.1f;

// Triangles covering the contours under the nonzero rule, as points.
class Tessellation {
public:
    std::vector<Point2> triangles;  // three per triangle
    bool failed = false;

    explicit Tessellation(const TextOutline& outline) {
        GLUtesselator* tess = gluNewTess();
        gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
        gluTessNormal(tess, 0, 0, 1);
        gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(&Begin));
        // An edge-flag callback makes the tessellator emit plain triangles.
        gluTessCallback(tess, GLU_TESS_EDGE_FLAG, reinterpret_cast<_GLUfuncptr>(&EdgeFlag));
        gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&Vertex));
        gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&Combine));
        gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&Error));
        gluTessBeginPolygon(tess, this);
        for (const auto& contour : outline.contours) {
            gluTessBeginContour(tess);
            for (const Point2& p : contour) {
                GLdouble* v = NewVertex(p.x, p.y);
                gluTessVertex(tess, v, v);
            }
            gluTessEndContour(tess);
        }
        gluTessEndPolygon(tess);
        gluDeleteTess(tess);
    }

private:
    std::deque<std::array<GLdouble, 3>> storage_;

    GLdouble* NewVertex(double x, double y) { return storage_.emplace_back(std::array<GLdouble, 3>{x, y, 0}).data(); }

    static void CALLBACK Begin(GLenum) {}
    static void CALLBACK EdgeFlag(GLboolean) {}
    static void CALLBACK Vertex(void* vertex, void* self) {
        const GLdouble* v = static_cast<const GLdouble*>(vertex);
        static_cast<Tessellation*>(self)->triangles.push_back({v[0], v[1]});
    }
    static void CALLBACK Combine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* self) {
        *out = static_cast<Tessellation*>(self)->NewVertex(coords[0], coords[1]);
    }
    static void CALLBACK Error(GLenum, void* self) { static_cast<Tessellation*>(self)->failed = true; }
};

class TextGeometry {
public:
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;

    // Adds a triangle facing along `normal`: clockwise as seen from that side.
    void AddTriangle(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& normal) {
        bool reversed = D3DXVec3Dot(D3DXVec3Cross(b - a, c - a), normal) < 0;
        for (const Vector3& p : {a, reversed ? c : b, reversed ? b : c}) {
            indices.push_back(static_cast<uint32_t>(vertices.size()));
            vertices.push_back({p.x, p.y, p.z, normal.x, normal.y, normal.z, 0, 0});
        }
    }

    void AddFaces(const std::vector<Point2>& triangles) {
        for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
            const Point2 *p = &triangles[i];
            auto at = [&](int k, float z) { return Vector3(float(p[k].x), float(p[k].y), z); };
            AddTriangle(at(0, 0), at(1, 0), at(2, 0), {0, 0, -1});
            AddTriangle(at(0, kExtrusion), at(1, kExtrusion), at(2, kExtrusion), {0, 0, 1});
        }
    }

    void AddSides(const TextOutline& outline) {
        float side = outline.filledOnRight ? 1.0f : -1.0f;
        for (const auto& contour : outline.contours)
            for (size_t i = 0; i < contour.size(); ++i) {
                const Point2& p = contour[i];
                const Point2& q = contour[(i + 1) % contour.size()];
                Vector3 a0(float(p.x), float(p.y), 0), b0(float(q.x), float(q.y), 0);
                Vector3 a1(a0.x, a0.y, kExtrusion), b1(b0.x, b0.y, kExtrusion);
                // Outward is to the left of the walk when the fill is on the right.
                Vector3 outward = D3DXVec3Normalize(Vector3(-(b0.y - a0.y), b0.x - a0.x, 0) * side);
                if (outward == Vector3()) continue;
                AddTriangle(a0, b0, a1, outward);
                AddTriangle(b0, b1, a1, outward);
            }
    }
};

}  // namespace

TMesh CreateTextMesh(Device*, const char* text, const D3DMATERIAL9& material, const char* fontName) {
    TMesh mesh;
    mesh.kind = MESH_KIND_MESH;
    mesh.numMaterials = 1;
    mesh.materials[0] = material;
    mesh.scale = 0;
    mesh.sizeFactor = 1.0;
    FontFace* face = FontFace::Get(fontName ? fontName : "", false, false);
    if (!face || !text) return mesh;

    TextOutline outline = OutlineText(*face, text, kDeviation);
    Tessellation tessellation(outline);
    if (tessellation.failed) return mesh;
    TextGeometry geometry;
    geometry.AddFaces(tessellation.triangles);
    geometry.AddSides(outline);
    if (geometry.indices.empty()) return mesh;

    std::vector<uint32_t> attributes(geometry.indices.size() / 3, 0);
    mesh.mesh = std::make_shared<D3DXMesh>(std::move(geometry.vertices), std::move(geometry.indices),
                                           std::move(attributes));
    CenterMesh(mesh);
    return mesh;
}
