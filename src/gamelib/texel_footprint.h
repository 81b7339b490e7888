// How many texels fall on one pixel where a flat textured quad is drawn: the
// scale a GL sampler takes its level of detail from. Where it is at most one
// the texture is magnified everywhere and its mip levels are never read.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/d3dx_math.h"
#include "platform/resources.h"

// For the parallelogram spanned by `corners` (world positions with their
// texture coordinates; corner 0 is shared by the two edges), drawn through
// `worldViewProj` onto a `width` x `height` picture with a `texWidth` x
// `texHeight` texture: the larger of the texel steps per pixel along the
// picture's x and y. None where the projection is not affine on the quad
// (its corners at different w), a corner is behind the eye, or the quad
// covers no area on the picture.
std::optional<float> TexelsPerPixel(const MeshVertex (&corners)[3], const Matrix4& worldViewProj, int width,
                                    int height, uint32_t texWidth, uint32_t texHeight);
