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
    // Off: no depth test and no writes; Test: the "less" comparison without writes;
    // TestAndWrite: the comparison and writes.
    enum class Depth { Off, Test, TestAndWrite };
    static void setDepth(Depth depth);
    // TestAndWrite for the opaque pass, Test for the blended one.
    static Depth depthForPass(bool opaquePass) { return opaquePass ? Depth::TestAndWrite : Depth::Test; }
};

} // namespace vintrel
