#pragma once

#include "platform/math.h"
#include "render/buffer_texture.h"
#include "render/gl_objects.h"
#include "render/mesh_geometry.h"
#include "render/particle_batch.h"
#include "render/pixel_rect.h"
#include "render/shader_programs.h"
#include "render/view_passes.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace vintrel {

struct Camera;

// Everything one particle draw needs besides the mesh.
struct PrimitiveDraw {
    const Camera* camera = nullptr;
    Mat4 world = Mat4::identity();
    Mat4 baseScale = Mat4::identity(); // cylinder only
    Mat4 tipScale = Mat4::identity();  // cylinder only
    Vec4 color;                        // passed to the shader unchanged
    GLuint texture = 0;
    Mat4 textureMatrix = Mat4::identity();
    bool alphaPass = false;
    bool additive = false;
    bool exporting = false;
    int detail = 0;   // 0 view, 1 export
    int underCut = 0; // hides what lies below the floor
    bool nonLinear = false;
    int targetWidth = 1; // the project size, for the target coordinate of export composition
    int targetHeight = 1;
    // What an export draws: the colour, or an extra channel with its constants (the placement
    // in the next exported frame as world x view x projection, not transposed).
    ExportChannel channel = ExportChannel::Color;
    Mat4 nextWvp = Mat4::identity();
    Vec4 channelParams;
    // Called after every strip while exporting with the pixels the strip may have written:
    // copies the target so the next strip composes over what this one drew.
    std::function<void(const PixelRect&)> afterStrip;
    // Called before every strip while exporting with the same pixels (when set): lets the copy
    // be brought up to date only when the strip reads pixels an earlier one may have changed.
    std::function<void(const PixelRect&)> beforeStrip;
};

// A unit mesh drawn with the particle program: triangle strips in two levels of detail (view
// and export), each strip with its own vertex buffer, and a sampler that follows the project's
// filtering choice.
class Primitive {
public:
    enum class Kind { Square, Hemisphere, Cylinder, Trail };

    Primitive(Kind kind, bool billboard) : kind_(kind), billboard_(billboard) {}
    virtual ~Primitive() = default;
    Primitive(const Primitive&) = delete;
    Primitive& operator=(const Primitive&) = delete;

    // Uploads the strips of both details; false when a buffer cannot be made.
    bool create(const std::array<std::vector<Strip>, 2>& strips);
    virtual void draw(ShaderPrograms& programs, const PrimitiveDraw& draw);
    // The program, its constants and the extra channel's, for `draw` with `vertex`.
    void useProgram(ShaderPrograms& programs, VertexEntry vertex, const PrimitiveDraw& draw) const;

    bool isBillboard() const { return billboard_; }
    // Which way a flat mesh (the square) placed by `wvp` (transposed, as the shaders read it)
    // turns to the viewer; Either for the other meshes.
    Facing facing(const Mat4& wvp) const;

    // Lets this mesh draw many particles in one draw (ParticleBatch): the view detail's strips
    // become a list of triangles, each with its corners in the order the strip gives them, so
    // every triangle keeps its corners and facing. Not for trails, whose strip changes per
    // particle.
    bool enableBatching();
    bool canBatch() const { return batchCapacity_ > 0; }
    // The most particles one batched draw of this mesh takes.
    std::size_t batchCapacity() const { return batchCapacity_; }
    // The draw's constants as a batch reads them; `viewProjection` is the camera's view x
    // projection.
    ParticleInstance instanceOf(const PrimitiveDraw& draw, const Mat4& viewProjection) const;
    // `count` particles of the view detail with a view pixel entry, their constants in the
    // buffer texture bound at kUnitParticles.
    void drawBatch(ShaderPrograms& programs, PixelEntry viewPixel, GLuint texture, bool nonLinear, GLsizei count);

protected:
    struct GpuStrip {
        gl::VertexArray layout;
        gl::Buffer vertices;
        GLsizei count = 0;
        Strip points; // as uploaded, for the pixels a draw can reach
    };
    static bool upload(GpuStrip& strip, const Strip& vertices);
    void bindSampler(bool nonLinear);
    PolyConstants constants(const PrimitiveDraw& draw) const;
    ClipTransform clipTransform(const PrimitiveDraw& draw) const;

    Kind kind_;
    bool billboard_;
    std::array<std::vector<GpuStrip>, 2> strips_;
    // Batched draws: the view detail's vertices as texels, and the triangles' corners for as
    // many particles as one draw takes.
    BufferTexture batchVertices_;
    gl::VertexArray batchLayout_;
    gl::Buffer batchCorners_;
    GLint batchVertexCount_ = 0;
    GLsizei cornersPerParticle_ = 0;
    std::size_t batchCapacity_ = 0;
    gl::Sampler sampler_;
    bool samplerNonLinear_ = false;
};

// A ribbon along a particle's recent path, rebuilt before each draw; its vertices are in world
// space. One instance serves every trail particle in turn.
class TrailPrimitive final : public Primitive {
public:
    TrailPrimitive() : Primitive(Kind::Trail, false) {}
    // Replaces the detail-0 strip with the ribbon of `history` facing `eye`.
    void rebuild(const std::deque<Vec4>& history, const Vec3& eye, bool thickChange);
};

// The fixed meshes of the particle shapes: 0 the camera-facing square, 1 the plane, 2 the
// hemisphere, 3 the cylinder, 4 the trail.
std::array<std::unique_ptr<Primitive>, 5> createFixedMeshes();

} // namespace vintrel
