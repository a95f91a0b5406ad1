#pragma once

#include "engine/world_matrix.h"
#include "model/global_state.h"
#include "render/line_set.h"
#include "render/obj_mesh.h"
#include "render/primitive.h"
#include "render/shader_programs.h"

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

    // One culling walk of the view (the caller sets the culling): pass 0 opaque texels with
    // depth writes, pass 1 everything blended.
    void drawView(Camera& camera, float viewAspect);
    // One culling walk of an export frame into `targets`.
    void drawExport(Camera& camera, ExportTargets& targets, float projectAspect);

    // The number of particle draws issued by the latest walk (for tests and benchmarks).
    std::size_t drawCount() const { return drawCount_; }

private:
    struct DrawContext;
    void sortByDistance(const Vec3& eye);
    template <typename Visit> void walk(Visit visit);
    void drawParticle(Camera& camera, Particle& particle, int pass, DrawContext& context);
    void drawGuide(const Camera& camera, const CameraFrame& frame, const Particle& particle);
    GLuint textureOf(int materialIndex) const;
    Primitive* meshOf(int shapeType);

    GlobalState& g_;
    FrameInputs inputs_; // of the walk being drawn
    Simulation& simulation_;
    ShaderPrograms& programs_;
    std::array<std::unique_ptr<Primitive>, 5> meshes_;
    std::vector<std::unique_ptr<ObjMesh>> models_;
    std::vector<gl::Texture> textures_; // by material list position; 0 for models
    gl::Texture defaultTexture_;
    std::vector<LineSet> guides_;
    std::size_t drawCount_ = 0;
};

} // namespace vintrel
