#pragma once

#include "model/export_extras.h"
#include "platform/math.h"
#include "platform/result.h"
#include "render/gl_objects.h"

#include <array>
#include <string>

namespace vintrel {

// Vertex entries of the particle program.
enum class VertexEntry { Plain, Cylinder };
// Pixel entries: two for the view, four for export (which compose in the shader), and three for
// an export's extra channels: the motion in both passes and the depth.
enum class PixelEntry {
    Alpha,
    NonAlpha,
    BackAlpha,
    BackNonAlpha,
    BackAlphaAdd,
    BackNonAlphaAdd,
    MotionAlpha,
    MotionNonAlpha,
    Depth
};
constexpr int kPixelEntryCount = 9;

// The pixel entry for a draw: the view's pair by the alpha pass, export's four by the alpha
// pass and the node's additive flag; the motion's pair by the alpha pass and the depth's one.
// The emissive channel draws as the colour does.
PixelEntry choosePixelEntry(bool alphaPass, bool exporting, bool additive,
                            ExportChannel channel = ExportChannel::Color);

// The extra channels' constants: the placement in the next exported frame (transposed, as the
// others) and g_channel (x: motion scale, y: the value of no motion, z: the far end of depth).
struct ChannelConstants {
    Mat4 wvpNext;
    Vec4 channel;
};

// The particle program's constants (480 bytes, in the order and size of the original constant
// block). Matrices are stored transposed, as the shaders multiply row vectors.
struct PolyConstants {
    Mat4 wvp;
    Mat4 world;
    Mat4 texture;
    Mat4 screen;
    Vec4 color;
    Mat4 mask; // not used
    Mat4 bottomScale;
    Mat4 topScale;
    Vec4 underCut;
};
static_assert(sizeof(PolyConstants) == 480, "one block of constants per draw");

struct LineConstants {
    Mat4 wvp;
    Vec4 color;
};
static_assert(sizeof(LineConstants) == 80, "one block of constants per draw");

// Texture units of the particle program.
// The last two are buffer textures of batched draws: the particles' constants and the mesh.
enum TextureUnit : GLuint {
    kUnitDecal = 0,
    kUnitTarget = 1,
    kUnitMask = 2,
    kUnitParticles = 3,
    kUnitMeshVertices = 4
};

// The line and particle programs, built once per context. Each Poly vertex and pixel entry
// pair is one linked program. The constants are set as uniforms before every draw: a software
// driver copies them with the draw, where rewriting a buffer that earlier draws still read
// would make it finish those draws first.
class ShaderPrograms {
public:
    // Compiles and links everything; fails with the compiler's or linker's text.
    Status build();

    void useLine(const LineConstants& constants);
    // The line program that takes each guide's matrices per instance (GuideBatch).
    void useGuides(const Vec4& color);
    // `channel` is set for the motion and depth entries only.
    void usePoly(VertexEntry vertex, PixelEntry pixel, const PolyConstants& constants,
                 const ChannelConstants* channel = nullptr);
    // The particle program that draws a batch of particles in one draw, reading the mesh and
    // each particle's constants from the buffer textures at kUnitMeshVertices and
    // kUnitParticles; the view's two pixel entries only (Alpha, NonAlpha).
    void usePolyBatched(VertexEntry vertex, PixelEntry viewPixel, GLint meshVertexCount);

private:
    struct Linked {
        gl::Program program;
        // Locations of g_mWVP, g_mW, g_mTex, g_mScreen, g_mColor, g_mBottomScale, g_mTopScale,
        // g_underCut, g_meshVertexCount, g_mWVPNext, g_channel (-1 where the program does not
        // use one).
        std::array<GLint, 11> locations{};
    };
    bool compileAndLink(std::string* log);
    bool buildBatched(const std::string& head, std::string* error);
    bool linkInto(Linked& linked, const gl::Shader& vertex, const gl::Shader& pixel, const std::string& name,
                  std::string* error);

    Linked line_;
    Linked guides_;
    std::array<Linked, 2 * kPixelEntryCount> poly_;
    std::array<Linked, 4> batched_; // vertex entry x the view's two pixel entries
};

// Row-vector matrix as the shaders read it.
Mat4 transposed(const Mat4& m);

} // namespace vintrel
