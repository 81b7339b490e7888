// What differs between the two GL targets: OpenGL 3.3 core on the desktop
// (entry points through libepoxy) and WebGL 2, that is OpenGL ES 3.0, in the
// browser build. Everything else in the GL device is shared.
#pragma once

#include "platform/d3dtypes.h"

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>

// Four colour bytes, swapped in the shader (see VERTEX_COLOR).
inline constexpr GLint kVertexColorSize = 4;
inline void ClearDepth(float z) { glClearDepthf(z); }
// ES draws filled polygons only; the browser build offers no wireframe.
inline void SetFillMode(D3DFILLMODE) {}
#else
#include <epoxy/gl.h>

// Colour bytes in B, G, R, A order.
inline constexpr GLint kVertexColorSize = GL_BGRA;
inline void ClearDepth(float z) { glClearDepth(z); }
inline void SetFillMode(D3DFILLMODE mode) {
    glPolygonMode(GL_FRONT_AND_BACK, mode == D3DFILL_WIREFRAME ? GL_LINE : mode == D3DFILL_POINT ? GL_POINT : GL_FILL);
}
#endif

// The shading language each target compiles. Both dialects are accepted by
// the same sources: the header settles versions, precision and the order of
// vertex colours (the desktop reads them as BGRA; ES has no such format and
// swaps them in the shader).
enum class GlslDialect { Desktop330, Es300 };

#ifdef __EMSCRIPTEN__
inline constexpr GlslDialect kNativeDialect = GlslDialect::Es300;
#else
inline constexpr GlslDialect kNativeDialect = GlslDialect::Desktop330;
#endif

inline const char* ShaderHeader(GlslDialect dialect) {
    return dialect == GlslDialect::Es300
               ? "#version 300 es\nprecision highp float;\nprecision highp int;\n#define VERTEX_COLOR(c) (c).bgra\n"
               : "#version 330 core\n#define VERTEX_COLOR(c) (c)\n";
}
