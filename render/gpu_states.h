#pragma once

namespace vintrel {

enum class CullMode { None, Front, Back };
enum class BlendMode { Alpha, Additive, Opaque };

// The fixed-function states every draw chooses from, and the context set-up they assume.
// Triangles whose corners turn counter-clockwise on screen (with y running downwards, as in
// the targets' image rows) face the viewer; depth is not clipped; clip depth runs 0..1.
class GpuStates {
public:
    // Once per context: clip control, winding, depth clamping.
    static void prepareContext();

    static void setCull(CullMode mode);
    static void setBlend(BlendMode mode);
    // Depth test with the "less" comparison; writes on or off.
    static void setDepth(bool test, bool write);
};

} // namespace vintrel
