#pragma once

#include "engine/world_matrix.h"
#include "model/global_state.h"
#include "render/drawing_paths.h"
#include "render/export_pass.h"
#include "render/gpu_states.h"
#include "render/guide_batch.h"
#include "render/line_set.h"
#include "render/obj_mesh.h"
#include "render/particle_batch.h"
#include "render/primitive.h"
#include "render/shader_programs.h"
#include "render/texture.h"
#include "render/view_passes.h"

#include <array>
#include <memory>
#include <vector>

namespace vintrel {

struct Camera;
struct Particle;
class Simulation;
class ExportTargets;

// Turns the live particles into draws: each with its node's mesh, texture (or atlas cell),
// colour and blending. The view walk tests and writes depth and shows the selected node's
// emitter guide; the export walk composes every fragment in the shader over a copy of the
// target.
class EffectRenderer {
public:
    EffectRenderer(GlobalState& g, Simulation& simulation, ShaderPrograms& programs);
    ~EffectRenderer();

    // Loads the material list's textures and models from the workspace folder, and the
    // default texture that nodes without one use.
    void reloadMaterials();

    // The particles of a view frame: two culling walks (back faces culled, then front faces),
    // each with pass 0 (opaque texels, depth written) and pass 1 (everything blended). A stop
    // request (g.sim.quitRequested) ends the walks early, so that a frame of millions of
    // particles never holds the worker up; the frame is then incomplete, and the worker is
    // about to stop anyway.
    void drawView(Camera& camera, float viewAspect);
    // One culling walk of an export frame into `targets`, culling `cull` faces: the colour or
    // the extra channel that `job` asks for.
    void drawExport(Camera& camera, ExportTargets& targets, float projectAspect, CullMode cull,
                    const ExportPass& job = {});

    // Which way each step is drawn (the faster ones unless told otherwise).
    void setPaths(const DrawingPaths& paths) { paths_ = paths; }

    // The number of particle draws issued by the latest view frame (both culling walks) or export
    // walk (for tests and benchmarks).
    std::size_t drawCount() const { return drawCount_; }
    // The draw calls those particles took: one per particle, or one per instanced batch.
    std::size_t drawCallCount() const { return drawCount_ - batchedCount_ + particleBatch_.draws(); }
    // The emitter guides drawn by the latest view frame (both culling walks).
    std::size_t guideCount() const { return guideCount_; }

private:
    struct DrawContext;
    // A batched particle's constants and passes, worked out at its first draw of a view frame
    // and kept for the other three (two passes of two walks).
    struct ViewParticle {
        const Particle* particle = nullptr;
        Primitive* mesh = nullptr; // null: the particle is drawn on its own
        GLuint texture = 0;
        BlendMode blend = BlendMode::Alpha;
        bool animated = false; // an atlas animation: its cell changes at every draw
        ParticleInstance constants;
        ViewPassPlan passes;
        Facing facing = Facing::Either; // of a flat mesh: which culling walk draws it
    };
    bool drawViewWalk(Camera& camera, float viewAspect, CullMode cull);
    // Forgets the kept particles when the camera differs from the one they were made with.
    void keepViewParticlesFor(const DrawContext& context);
    const ViewParticle& viewParticle(Camera& camera, const Particle& particle, std::size_t visit,
                                     const DrawContext& context);
    void batchViewParticle(Particle& particle, const ViewParticle& kept, int pass, DrawContext& context);
    // The atlas cell to draw now, moving the particle's animation on to the next draw's.
    Mat4 advanceAtlas(Particle& particle) const;
    // An export particle, unless its draw cannot write a pixel.
    void drawExportParticle(Camera& camera, Particle& particle, int pass, DrawContext& context);
    // What an extra channel adds to the particle's draw; false when the channel leaves it out.
    bool prepareChannel(const Camera& camera, const Particle& particle, const ExportPass& job, PrimitiveDraw& draw) const;
    // The world matrix, and a cylinder's two scalings, of a particle drawn with `mesh`.
    static void placeOnMesh(const Particle& particle, const Primitive& mesh, const CameraFrame& frame,
                            PrimitiveDraw& draw);
    void sortByDistance(const Vec3& eye);
    // Whether a stop request ends a walk: the view's may end early; an export frame is always
    // drawn whole, as it is written to a file.
    enum class StopPolicy { OnRequest, Never };
    // Visits the list in drawing order; false when a stop request ended the walk.
    template <typename Visit> bool walk(Visit visit, StopPolicy policy);
    bool stopRequested() const;
    // Fills `draw` for the particle's draw and returns its mesh; null when it draws nothing.
    Primitive* prepareDraw(Camera& camera, Particle& particle, int pass, DrawContext& context,
                           PrimitiveDraw& draw);
    // A view particle in its blend state, gathered into the pending batched draw when the mesh
    // allows it. `visit` counts the walk's particles.
    void drawViewParticle(Camera& camera, Particle& particle, std::size_t visit, int pass, DrawContext& context);
    // Brings the copy that export draws compose over up to date with the target.
    void syncExportCopy(ExportTargets& targets) const;
    // The selected node's run-time copy when its guide is shown, else null.
    const NodeRuntime* guidedNode() const;
    // The guide of the node with `emitter` at `particle`, one of the particles that emit it.
    void drawGuide(const Camera& camera, const CameraFrame& frame, const Particle& particle,
                   const EmitterParams& emitter);
    // The guide's shape set and its two world matrices (shape, then the position marker).
    struct GuidePlacement {
        std::size_t set = 0;
        Mat4 shapeWorld;
        Mat4 markerWorld;
    };
    static GuidePlacement placeGuide(const CameraFrame& frame, const Particle& particle, const EmitterParams& emitter);
    const ParticleTexture& textureOf(int materialIndex) const;
    Primitive* meshOf(int shapeType);

    GlobalState& g_;
    FrameInputs inputs_; // of the walk being drawn
    Simulation& simulation_;
    ShaderPrograms& programs_;
    std::array<std::unique_ptr<Primitive>, 5> meshes_;
    std::vector<std::unique_ptr<ObjMesh>> models_;
    std::vector<ParticleTexture> textures_; // by material list position; none for models
    ParticleTexture defaultTexture_;
    std::vector<LineSet> guides_;
    GuideBatch guideBatch_;
    ParticleBatch particleBatch_;
    DrawingPaths paths_;
    std::vector<ViewParticle> viewParticles_; // by place in the walk, for the frame being drawn
    ViewParticle unkeptViewParticle_;         // one past the cap, for its draw only
    Mat4 viewParticlesProjection_;
    Mat4 viewParticlesFacing_;
    std::size_t drawCount_ = 0;
    std::size_t batchedCount_ = 0; // of drawCount_, the particles that went into instanced draws
    std::size_t guideCount_ = 0;
};

} // namespace vintrel
