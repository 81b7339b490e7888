#version 330 core
// Outline vertex shader: widens the edge quads that lie on the silhouette and
// collapses all others to zero width. Each edge quad has two base vertices
// (normal0 = 0) and two extruded ones (normal0 = the vertex normal); normal1
// is the face's normal, normal2 the normal of the face across the edge.

uniform mat4 WorldViewMatrix;
uniform mat4 ProjMatrix;
uniform vec4 Color;

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal0;
layout(location = 2) in vec3 normal1;
layout(location = 3) in vec3 normal2;

out vec4 vColor;

// Line width in view-space units (the play area is 40 units across).
const float OutlineWidth = 0.12;

void main() {
    vec4 viewPosition = WorldViewMatrix * vec4(position, 1.0);
    mat3 toView = mat3(WorldViewMatrix);

    // Towards the eye: along -z for an orthographic projection, towards the
    // origin of view space for a perspective one.
    bool perspective = ProjMatrix[2][3] != 0.0;
    vec3 toEye = perspective ? -viewPosition.xyz : vec3(0.0, 0.0, -1.0);

    // An edge is on the silhouette where a face turned towards the eye meets
    // one that is not. Faces seen exactly edge-on (the walls of a shape
    // extruded towards the camera) count as turned away, so the rim of a
    // face-on extrusion is outlined.
    const float EdgeOn = 1e-4;
    bool front1 = dot(toView * normal1, toEye) > EdgeOn;
    bool front2 = dot(toView * normal2, toEye) > EdgeOn;
    bool silhouette = front1 != front2;

    vec3 extrude = toView * normal0;
    float length2 = dot(extrude.xy, extrude.xy);
    if (silhouette && length2 > 1e-12)
        viewPosition.xy += extrude.xy * inversesqrt(length2) * OutlineWidth;

    // Direct3D clip coordinates; the device maps them to OpenGL's.
    gl_Position = ProjMatrix * viewPosition;
    vColor = Color;
}
