#include "render/effect_renderer.h"

#include "engine/simulation.h"
#include "engine/world_matrix.h"
#include "render/atlas.h"
#include "render/camera.h"
#include "render/export_targets.h"
#include "render/gpu_states.h"
#include "render/texture.h"

#include <algorithm>
#include <cstring>

namespace vintrel {

namespace {

constexpr const char* kDefaultTextureFile = "__dummy__dummy.png";

// Whether the walk that culls `cull` faces draws nothing of a flat mesh turned `facing` to the
// viewer.
bool culledWhole(Facing facing, CullMode cull) {
    return (cull == CullMode::Back && facing == Facing::Back) ||
           (cull == CullMode::Front && facing == Facing::Front);
}

// How many particles' view records a frame keeps at most: 256 MB of them.
constexpr std::size_t kMostKeptViewParticles = std::size_t{1} << 20;

// How many particles a stoppable walk visits between two looks at the stop flag: a few
// hundred draws take well under a millisecond, and the flag is an atomic read.
constexpr std::size_t kStopCheckInterval = 256;

// What the particles' world matrices need of the camera, the facing rotation included: made
// once per walk, and again only when the camera moves during one.
CameraFrame frameOf(const Camera& camera) {
    return makeCameraFrame(camera.view, camera.eye, camera.target, camera.up);
}

} // namespace

struct EffectRenderer::DrawContext {
    bool exporting = false;
    ExportTargets* targets = nullptr;
    const ExportPass* job = nullptr; // of an export walk
    bool advancesAtlas = true;       // the draw moves an atlas animation on
    CameraFrame frame;
    Mat4 viewProjection;
    CullMode cull = CullMode::None;
};

EffectRenderer::EffectRenderer(GlobalState& g, Simulation& simulation, ShaderPrograms& programs)
    : g_(g), simulation_(simulation), programs_(programs), guideBatch_(guideSets()) {
    meshes_ = createFixedMeshes();
    for (std::size_t shape = 0; shape < meshes_.size(); ++shape) {
        if (shape != ShapeParams::Trail) {
            meshes_[shape]->enableBatching();
        }
    }
    for (const std::vector<LineSegment>& set : guideSets()) {
        guides_.emplace_back(set);
    }
    reloadMaterials();
}

EffectRenderer::~EffectRenderer() = default;

namespace {

ParticleTexture whiteTexture() {
    return ParticleTexture{solidTexture(255, 255, 255, 255), TextureAlpha{}};
}

} // namespace

void EffectRenderer::reloadMaterials() {
    textures_.clear();
    models_.clear();
    for (const Material& material : g_.materials) {
        const std::filesystem::path file = g_.workspace / material.fileName();
        if (material.kind == Material::Model) {
            auto mesh = std::make_unique<ObjMesh>();
            if (!mesh->load(file)) {
                mesh->upload(ObjModel{}); // unreadable: the model draws nothing
            }
            models_.push_back(std::move(mesh));
            textures_.emplace_back();
            continue;
        }
        std::optional<ParticleTexture> texture = loadTexture(file);
        textures_.push_back(texture ? std::move(*texture) : whiteTexture());
    }
    std::optional<ParticleTexture> fallback = loadTexture(g_.workspace / kDefaultTextureFile);
    defaultTexture_ = fallback ? std::move(*fallback) : whiteTexture();
}

const ParticleTexture& EffectRenderer::textureOf(int materialIndex) const {
    if (materialIndex < 0 || static_cast<std::size_t>(materialIndex) >= textures_.size() ||
        !textures_[static_cast<std::size_t>(materialIndex)].texture) {
        return defaultTexture_;
    }
    return textures_[static_cast<std::size_t>(materialIndex)];
}

Primitive* EffectRenderer::meshOf(int shapeType) {
    if (shapeType >= 0 && shapeType < 5) {
        return meshes_[static_cast<std::size_t>(shapeType)].get();
    }
    const long long model = static_cast<long long>(shapeType) - 5;
    if (model >= 0 && model < static_cast<long long>(models_.size())) {
        return models_[static_cast<std::size_t>(model)].get();
    }
    return nullptr; // a shape whose model is not in the material list draws nothing
}

void EffectRenderer::sortByDistance(const Vec3& eye) {
    // The keys are sorted beside their particles rather than read through the pointers: a
    // large list's records lie all over memory, and the comparisons would wait on each.
    std::vector<Particle*>& list = simulation_.mutableParticles();
    std::vector<std::pair<float, Particle*>> keyed;
    keyed.reserve(list.size());
    for (Particle* p : list) {
        p->viewDistance = length(p->pos - eye);
        keyed.emplace_back(p->viewDistance, p);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        list[i] = keyed[i].second;
    }
}

bool EffectRenderer::stopRequested() const {
    return g_.sim.quitRequested.load(std::memory_order_relaxed);
}

template <typename Visit> bool EffectRenderer::walk(Visit visit, StopPolicy policy) {
    std::vector<Particle*>& list = simulation_.mutableParticles();
    const std::size_t count = list.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (policy == StopPolicy::OnRequest && k % kStopCheckInterval == 0 && stopRequested()) {
            return false;
        }
        visit(*list[inputs_.project.reverse != 0 ? k : count - 1 - k]);
    }
    return true;
}

void EffectRenderer::drawView(Camera& camera, float viewAspect) {
    drawCount_ = 0;
    guideCount_ = 0;
    batchedCount_ = 0;
    particleBatch_.resetDrawCount();
    viewParticles_.clear();
    for (CullMode cull : {CullMode::Back, CullMode::Front}) {
        GpuStates::setCull(cull);
        if (!drawViewWalk(camera, viewAspect, cull)) {
            break;
        }
    }
    GpuStates::setCull(CullMode::None);
}

bool EffectRenderer::drawViewWalk(Camera& camera, float viewAspect, CullMode cull) {
    inputs_ = g_.frameInputs();
    if (inputs_.project.isCameraMove != 0) {
        placeFromCameraNodesView(camera, simulation_.particles(), viewAspect);
    }
    if (stopRequested()) {
        return false;
    }
    if (inputs_.project.sort != 0) {
        sortByDistance(camera.eye);
    }
    DrawContext context;
    context.frame = frameOf(camera);
    context.viewProjection = camera.view * camera.projection;
    context.cull = cull;
    keepViewParticlesFor(context);
    guideBatch_.clear();
    // The guide stands where the selected node emits: at every particle of its parent.
    const NodeRuntime* guided = guidedNode();
    const EffectNode* emitting =
        guided != nullptr && guided->parent != nullptr ? guided->parent->node : nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        GpuStates::setDepth(GpuStates::depthForPass(pass == 0));
        std::size_t visit = 0;
        const bool completed = walk(
            [&](Particle& p) {
                drawViewParticle(camera, p, visit++, pass, context);
                if (pass == 1 && emitting != nullptr && p.node->node == emitting) {
                    drawGuide(camera, context.frame, p, guided->params.m_emitter);
                }
            },
            StopPolicy::OnRequest);
        particleBatch_.flush(programs_);
        if (!completed) {
            return false;
        }
    }
    if (!guideBatch_.empty()) {
        GpuStates::setBlend(BlendMode::Alpha);
        guideBatch_.draw(programs_);
    }
    return true;
}

void EffectRenderer::keepViewParticlesFor(const DrawContext& context) {
    // The second walk sees the same camera unless placing it from the camera nodes moved it.
    const auto same = [](const Mat4& a, const Mat4& b) { return std::memcmp(&a, &b, sizeof(Mat4)) == 0; };
    if (!same(context.viewProjection, viewParticlesProjection_) ||
        !same(context.frame.facing, viewParticlesFacing_)) {
        viewParticles_.clear();
    }
    viewParticlesProjection_ = context.viewProjection;
    viewParticlesFacing_ = context.frame.facing;
}

void EffectRenderer::drawExport(Camera& camera, ExportTargets& targets, float projectAspect, CullMode cull,
                                const ExportPass& job) {
    drawCount_ = 0;
    batchedCount_ = 0;
    particleBatch_.resetDrawCount();
    // An export draws from a copy of the project that is its own (the export job's, or the
    // command-line tool's), at the supersampled size set into it: read it as it stands.
    inputs_ = FrameInputs{g_.project, g_.pSelNode};
    if (inputs_.project.sort != 0 && job.changesTheFrame()) {
        sortByDistance(camera.eye);
    }
    // The depth is kept by the depth test and composes over nothing.
    const bool composes = job.channel != ExportChannel::Depth;
    targets.clearCopy();
    targets.main().bind();
    glActiveTexture(GL_TEXTURE0 + kUnitMask);
    glBindTexture(GL_TEXTURE_2D, targets.maskTexture());
    DrawContext context;
    context.exporting = true;
    context.targets = &targets;
    context.frame = frameOf(camera);
    context.cull = cull;
    context.job = &job;
    context.advancesAtlas = job.changesTheFrame();
    for (int pass = 0; pass < 2; ++pass) {
        GpuStates::setDepth(composes ? GpuStates::Depth::Off : GpuStates::Depth::TestAndWrite);
        walk(
            [&](Particle& p) {
                glActiveTexture(GL_TEXTURE0 + kUnitTarget);
                glBindTexture(GL_TEXTURE_2D, targets.copy().colorTexture());
                if (inputs_.project.isCameraMove != 0) {
                    placeFromCameraNodeExport(camera, p, projectAspect);
                    context.frame = frameOf(camera);
                }
                drawExportParticle(camera, p, pass, context);
                if (composes) {
                    syncExportCopy(targets);
                }
            },
            StopPolicy::Never);
    }
}

void EffectRenderer::drawExportParticle(Camera& camera, Particle& p, int pass, DrawContext& context) {
    PrimitiveDraw draw;
    Primitive* mesh = prepareDraw(camera, p, pass, context, draw);
    if (mesh == nullptr) {
        return;
    }
    const ExportPass& job = *context.job;
    if (job.record != nullptr && pass == 0 && context.cull == CullMode::Back) {
        const Mat4 viewProjection = camera.view * camera.projection;
        // A trail's points are in the world; the ribbon moves on as its particle does.
        const bool trail = p.params().m_shape.type == ShapeParams::Trail;
        job.record->insert_or_assign(
            p.serial, trail ? matrixTranslation(p.pos.x, p.pos.y, p.pos.z) * viewProjection : draw.world * viewProjection);
    }
    if (!prepareChannel(camera, p, job, draw)) {
        return;
    }
    if (paths_.emptyDraws == EmptyDraws::Skipped) {
        // Pass 0 of a particle that is nowhere opaque discards every texel, and a flat mesh
        // in the walk that culls its side writes nothing: neither draws, nor causes a copy.
        const bool discardsAll =
            pass == 0 && !planViewPasses(p.color.w, textureOf(p.params().m_texture.ID).alpha).opaquePass;
        const Mat4 wvp = transposed(draw.world * (camera.view * camera.projection));
        if (discardsAll || culledWhole(mesh->facing(wvp), context.cull)) {
            return;
        }
    }
    mesh->draw(programs_, draw);
    ++drawCount_;
}

bool EffectRenderer::prepareChannel(const Camera& camera, const Particle& p, const ExportPass& job,
                                    PrimitiveDraw& draw) const {
    draw.channel = job.channel;
    switch (job.channel) {
    case ExportChannel::Color:
        return true;
    case ExportChannel::Emissive:
        return draw.additive;
    case ExportChannel::Depth:
        draw.channelParams = Vec4{0, 0, job.depthFar, 0};
        return true;
    case ExportChannel::Motion:
        break;
    }
    draw.channelParams = Vec4{job.motionScale, kNoMotion, 0, draw.additive ? 1.0f : 0.0f};
    const auto found = job.next != nullptr ? job.next->find(p.serial) : ParticlePlacements::const_iterator{};
    const bool trail = p.params().m_shape.type == ShapeParams::Trail;
    if (job.next != nullptr && found != job.next->end()) {
        // A trail's placement holds its particle's place (see drawExportParticle).
        draw.nextWvp = trail ? matrixTranslation(-p.pos.x, -p.pos.y, -p.pos.z) * found->second : found->second;
        return true;
    }
    // Gone by the next exported frame: on as its latest step moved it, with this frame's camera.
    const Vec3 moved = (p.pos - p.prevPos) * static_cast<float>(job.step);
    const Mat4 onward = matrixTranslation(moved.x, moved.y, moved.z) * (camera.view * camera.projection);
    draw.nextWvp = trail ? onward : draw.world * onward;
    return true;
}

void EffectRenderer::syncExportCopy(ExportTargets& targets) const {
    switch (paths_.exportCopy) {
    case ExportCopyPath::WholeTarget:
        targets.syncCopy();
        break;
    case ExportCopyPath::TouchedRectangle:
        targets.syncTouched();
        break;
    case ExportCopyPath::WhenRead:
        targets.matchAfterFirstParticle(); // later, each strip updates the copy before reading it
        break;
    }
}

void EffectRenderer::placeOnMesh(const Particle& p, const Primitive& mesh, const CameraFrame& frame,
                                 PrimitiveDraw& draw) {
    if (p.params().m_shape.type == ShapeParams::Cylinder) {
        draw.baseScale = matrixScaling(p.scale.x, p.scale.x, 1.0f);
        draw.tipScale = matrixScaling(p.scale.y, p.scale.y, p.scale.z);
    }
    draw.world = particleWorldMatrix(p, &frame, mesh.isBillboard());
}

Primitive* EffectRenderer::prepareDraw(Camera& camera, Particle& p, int pass, DrawContext& context,
                                       PrimitiveDraw& draw) {
    const NodeParams& params = p.params();
    if (params.m_isDraw == 0) {
        return nullptr;
    }
    Primitive* mesh = meshOf(params.m_shape.type);
    if (mesh == nullptr) {
        return nullptr;
    }
    draw.camera = &camera;
    draw.texture = textureOf(params.m_texture.ID).texture.id();
    if (params.m_texture.isAnim != 0) {
        draw.textureMatrix = context.advancesAtlas
                                 ? advanceAtlas(p)
                                 : atlasTextureMatrix(params.m_texture.w, params.m_texture.h, p.animPosition);
    }
    if (params.m_shape.type == ShapeParams::Trail) {
        if (p.trail == nullptr) {
            return nullptr;
        }
        static_cast<TrailPrimitive*>(mesh)->rebuild(p.trail->points(), camera.eye,
                                                    params.m_scale.trailThickChange != 0);
        draw.world = particleWorldMatrix(p, &context.frame, false);
        draw.detail = 0;
    } else {
        placeOnMesh(p, *mesh, context.frame, draw);
        draw.detail = context.exporting ? 1 : 0;
    }
    draw.color = p.color;
    draw.alphaPass = pass == 1;
    draw.additive = params.m_texture.isAdd != 0;
    draw.exporting = context.exporting;
    draw.underCut = params.m_shape.isUnderCut;
    draw.nonLinear = inputs_.project.isNonLiner != 0;
    draw.targetWidth = inputs_.project.width;
    draw.targetHeight = inputs_.project.height;
    if (context.exporting && context.job->channel != ExportChannel::Depth) {
        ExportTargets* targets = context.targets;
        if (paths_.exportCopy == ExportCopyPath::WhenRead) {
            draw.beforeStrip = [targets](const PixelRect& read) { targets->prepareToRead(read); };
            draw.afterStrip = [targets](const PixelRect& touched) { targets->markDrawn(touched); };
        } else {
            draw.afterStrip = [this, targets](const PixelRect& touched) {
                targets->markDrawn(touched);
                syncExportCopy(*targets);
            };
        }
    }
    return mesh;
}

Mat4 EffectRenderer::advanceAtlas(Particle& p) const {
    const TextureParams& texture = p.params().m_texture;
    const Mat4 cell = atlasTextureMatrix(texture.w, texture.h, p.animPosition);
    p.animPosition =
        nextAnimPosition(static_cast<float>(texture.speed), p.age, texture.w, texture.h, texture.isLoop != 0);
    return cell;
}

void EffectRenderer::drawViewParticle(Camera& camera, Particle& p, std::size_t visit, int pass,
                                      DrawContext& context) {
    if (paths_.particles == ParticlePath::Batched) {
        const ViewParticle& kept = viewParticle(camera, p, visit, context);
        if (kept.mesh != nullptr) {
            ++drawCount_;
            ++batchedCount_;
            batchViewParticle(p, kept, pass, context);
            return;
        }
    }
    const BlendMode blend = p.params().m_texture.isAdd != 0 ? BlendMode::Additive : BlendMode::Alpha;
    PrimitiveDraw draw;
    Primitive* mesh = prepareDraw(camera, p, pass, context, draw);
    if (mesh == nullptr) {
        GpuStates::setBlend(blend);
        return;
    }
    ++drawCount_;
    particleBatch_.flush(programs_);
    GpuStates::setBlend(blend);
    mesh->draw(programs_, draw);
}

const EffectRenderer::ViewParticle& EffectRenderer::viewParticle(Camera& camera, const Particle& p,
                                                                 std::size_t visit,
                                                                 const DrawContext& context) {
    // Later visits of the frame read only this record, not the particle, whose records lie all
    // over memory.
    if (visit < viewParticles_.size() && viewParticles_[visit].particle == &p) {
        return viewParticles_[visit];
    }
    // Past the cap (a damaged project's millions) each draw works its particle out again.
    if (visit >= viewParticles_.size() && visit < kMostKeptViewParticles) {
        viewParticles_.resize(visit + 1);
    }
    ViewParticle& kept = visit < viewParticles_.size() ? viewParticles_[visit] : unkeptViewParticle_;
    kept = ViewParticle{};
    kept.particle = &p;
    const NodeParams& params = p.params();
    Primitive* mesh = params.m_isDraw != 0 ? meshOf(params.m_shape.type) : nullptr;
    if (mesh == nullptr || !mesh->canBatch()) {
        return kept; // drawn on its own
    }
    kept.mesh = mesh;
    kept.texture = textureOf(params.m_texture.ID).texture.id();
    kept.blend = params.m_texture.isAdd != 0 ? BlendMode::Additive : BlendMode::Alpha;
    kept.animated = params.m_texture.isAnim != 0;
    // What prepareDraw and Primitive::constants make of the particle, computed once a frame.
    PrimitiveDraw draw;
    draw.camera = &camera;
    placeOnMesh(p, *mesh, context.frame, draw);
    draw.color = p.color;
    draw.underCut = params.m_shape.isUnderCut;
    kept.constants = mesh->instanceOf(draw, context.viewProjection);
    if (paths_.emptyDraws == EmptyDraws::Skipped) {
        kept.passes = planViewPasses(p.color.w, textureOf(params.m_texture.ID).alpha);
        kept.facing = mesh->facing(kept.constants.wvp);
    }
    return kept;
}

void EffectRenderer::batchViewParticle(Particle& p, const ViewParticle& kept, int pass,
                                       DrawContext& context) {
    const bool inPass = pass == 0 ? kept.passes.opaquePass : kept.passes.blendedPass;
    const bool culled = culledWhole(kept.facing, context.cull);
    const ParticleInstance* constants = &kept.constants;
    ParticleInstance animated;
    if (kept.animated) {
        // Every draw moves the animation on, drawn or not.
        animated = kept.constants;
        setTextureRows(animated, advanceAtlas(p));
        constants = &animated;
    }
    if (inPass && !culled) {
        const BatchKey key{kept.mesh, kept.texture, choosePixelEntry(pass == 1, false, false), kept.blend};
        particleBatch_.add(programs_, key, *constants, inputs_.project.isNonLiner != 0);
    }
}

const NodeRuntime* EffectRenderer::guidedNode() const {
    if (!inputs_.showGuide || inputs_.selected == nullptr) {
        return nullptr;
    }
    return simulation_.runtimeOf(inputs_.selected);
}

EffectRenderer::GuidePlacement EffectRenderer::placeGuide(const CameraFrame& frame, const Particle& p,
                                                          const EmitterParams& e) {
    Mat4 scale = matrixScaling(e.size.x, e.size.y, e.size.z);
    // The root's particle has no size of its own (it is never drawn): a top-level node's guide
    // shows the emitter at its own size.
    if (e.scaleFix == 0 && !p.node->isRoot) {
        scale = scale * matrixScaling(p.scale.x, p.scale.y, p.scale.z);
    }
    const Mat4 offset = matrixTranslation(e.pos.x, e.pos.y, e.pos.z);
    const Mat4 place = matrixTranslation(p.pos.x, p.pos.y, p.pos.z);
    const Mat4 orientation = e.fix != 0 ? Mat4::identity() : p.spinMatrix;
    GuidePlacement placement;
    placement.set = e.type >= 0 && e.type < 6 ? static_cast<std::size_t>(e.type) : 0;
    placement.shapeWorld = scale * orientation * offset * place;
    placement.markerWorld = frame.facing * offset * place;
    return placement;
}

void EffectRenderer::drawGuide(const Camera& camera, const CameraFrame& frame, const Particle& p,
                               const EmitterParams& emitter) {
    ++guideCount_;
    const GuidePlacement placement = placeGuide(frame, p, emitter);
    if (paths_.guides == GuidePath::Batched) {
        // The same products as LineSet::draw forms, so the lines fall on the same pixels.
        guideBatch_.add(placement.set, placement.shapeWorld * camera.view * camera.projection,
                        placement.markerWorld * camera.view * camera.projection);
        return;
    }
    particleBatch_.flush(programs_); // the guide goes between this particle and the next
    GpuStates::setBlend(BlendMode::Alpha);
    guides_[placement.set].draw(programs_, camera, placement.shapeWorld);
    guides_[kGuideSetCount - 1].draw(programs_, camera, placement.markerWorld);
}

} // namespace vintrel
