#pragma once

#include "platform/math.h"

namespace vintrel {

// How opaque a texture's texels are.
struct TextureAlpha {
    float highest = 1.0f; // the largest texel alpha, 0..1
    bool opaque = true;   // every texel fully opaque
};

// Which of the view's two passes a particle can change a pixel in.
struct ViewPassPlan {
    bool opaquePass = true;  // pass 0: texels whose alpha reaches 1, depth written
    bool blendedPass = true; // pass 1: everything blended, depth not written
};

// The passes a particle of colour alpha `colourAlpha`, drawn with a texture of `texture`'s
// alpha, can change a pixel in. A texel's alpha is the texture's times the colour's:
// - when it stays below 1 everywhere, pass 0 discards every texel;
// - when the colour's alpha is 0 or less, pass 1 blends with alpha 0 and changes nothing.
ViewPassPlan planViewPasses(float colourAlpha, const TextureAlpha& texture);

// Which way a flat mesh (every triangle in one plane, wound alike) turns to the viewer, as the
// culling sees it: Front or Back only when every corner lies clearly in front of the eye and
// the first triangle is clearly not edge-on, so that no rounding can turn the answer round;
// Either otherwise, and the culling decides.
enum class Facing { Front, Back, Either };
// `wvp` is world x view x projection as the shaders read it (transposed); the corners are the
// mesh's first triangle in its drawing order. Front faces are those wound clockwise on screen.
Facing flatMeshFacing(const Mat4& wvp, const Vec3& a, const Vec3& b, const Vec3& c);

} // namespace vintrel
