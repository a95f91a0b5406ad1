#include "render/primitive.h"

#include "render/camera.h"

#include <algorithm>

namespace vintrel {

bool Primitive::upload(GpuStrip& strip, const Strip& vertices) {
    if (!strip.layout) {
        strip.layout = gl::makeVertexArray();
        strip.vertices = gl::makeBuffer();
        glBindVertexArray(strip.layout.id());
        glBindBuffer(GL_ARRAY_BUFFER, strip.vertices.id());
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(PolyVertex), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(PolyVertex),
                              reinterpret_cast<const void*>(3 * sizeof(float)));
        glBindVertexArray(0);
    }
    glBindBuffer(GL_ARRAY_BUFFER, strip.vertices.id());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(PolyVertex)),
                 vertices.data(), GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    strip.count = static_cast<GLsizei>(vertices.size());
    strip.points = vertices;
    return glGetError() == GL_NO_ERROR;
}

bool Primitive::create(const std::array<std::vector<Strip>, 2>& strips) {
    for (int detail = 0; detail < 2; ++detail) {
        for (const Strip& strip : strips[detail]) {
            GpuStrip& gpu = strips_[detail].emplace_back();
            if (!upload(gpu, strip)) {
                return false;
            }
        }
    }
    return true;
}

Facing Primitive::facing(const Mat4& wvp) const {
    if (kind_ != Kind::Square || strips_[0].empty() || strips_[0].front().points.size() < 3) {
        return Facing::Either;
    }
    // The first triangle, in drawing order.
    const Strip& strip = strips_[0].front().points;
    const auto corner = [&](std::size_t i) { return Vec3{strip[i].x, strip[i].y, strip[i].z}; };
    return flatMeshFacing(wvp, corner(0), corner(1), corner(2));
}

void Primitive::bindSampler(bool nonLinear) {
    if (!sampler_ || samplerNonLinear_ != nonLinear) {
        sampler_ = gl::makeSampler();
        samplerNonLinear_ = nonLinear;
        glSamplerParameteri(sampler_.id(), GL_TEXTURE_MIN_FILTER,
                            nonLinear ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_LINEAR);
        glSamplerParameteri(sampler_.id(), GL_TEXTURE_MAG_FILTER, nonLinear ? GL_NEAREST : GL_LINEAR);
        glSamplerParameteri(sampler_.id(), GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(sampler_.id(), GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(sampler_.id(), GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    }
    glBindSampler(kUnitDecal, sampler_.id());
}

PolyConstants Primitive::constants(const PrimitiveDraw& draw) const {
    const Mat4 viewProjection = draw.camera->view * draw.camera->projection;
    PolyConstants c;
    c.wvp = transposed(kind_ == Kind::Trail ? viewProjection : draw.world * viewProjection);
    c.world = transposed(draw.world);
    c.texture = transposed(draw.textureMatrix);
    c.screen = transposed(matrixScaling(1.0f / static_cast<float>(draw.targetWidth),
                                        1.0f / static_cast<float>(draw.targetHeight), 1.0f));
    c.color = draw.color;
    c.mask = Mat4::identity();
    c.bottomScale = transposed(draw.baseScale);
    c.topScale = transposed(draw.tipScale);
    c.underCut = Vec4{static_cast<float>(draw.underCut), 0, 0, 0};
    return c;
}

ClipTransform Primitive::clipTransform(const PrimitiveDraw& draw) const {
    const Mat4 viewProjection = draw.camera->view * draw.camera->projection;
    const Mat4 wvp = kind_ == Kind::Trail ? viewProjection : draw.world * viewProjection;
    if (kind_ == Kind::Cylinder) {
        return {draw.baseScale * wvp, draw.tipScale * wvp};
    }
    return {wvp, wvp};
}

void Primitive::useProgram(ShaderPrograms& programs, VertexEntry vertex, const PrimitiveDraw& draw) const {
    const PixelEntry pixel = choosePixelEntry(draw.alphaPass, draw.exporting, draw.additive, draw.channel);
    if (pixel < PixelEntry::MotionAlpha) {
        programs.usePoly(vertex, pixel, constants(draw));
        return;
    }
    const ChannelConstants channel{transposed(draw.nextWvp), draw.channelParams};
    programs.usePoly(vertex, pixel, constants(draw), &channel);
}

void Primitive::draw(ShaderPrograms& programs, const PrimitiveDraw& draw) {
    const VertexEntry vertex = kind_ == Kind::Cylinder ? VertexEntry::Cylinder : VertexEntry::Plain;
    useProgram(programs, vertex, draw);
    glActiveTexture(GL_TEXTURE0 + kUnitDecal);
    glBindTexture(GL_TEXTURE_2D, draw.texture);
    bindSampler(draw.nonLinear);
    const int detail = kind_ == Kind::Trail ? 0 : (draw.detail == 1 ? 1 : 0);
    const bool reportStrips = draw.exporting && draw.afterStrip;
    const ClipTransform toClip = reportStrips ? clipTransform(draw) : ClipTransform{};
    for (const GpuStrip& strip : strips_[detail]) {
        if (strip.count < 3) {
            break; // a degenerate strip ends this mesh's draw
        }
        const PixelRect footprint =
            reportStrips ? stripFootprint(strip.points, toClip, draw.targetWidth, draw.targetHeight)
                         : PixelRect{};
        if (reportStrips && draw.beforeStrip) {
            draw.beforeStrip(footprint);
        }
        glBindVertexArray(strip.layout.id());
        glDrawArrays(GL_TRIANGLE_STRIP, 0, strip.count);
        if (reportStrips) {
            draw.afterStrip(footprint);
        }
    }
    glBindVertexArray(0);
}

namespace {

// The corners of every triangle of the strips (numbered through the strips one after another),
// as a strip's triangles come out of it: an even triangle i is (i, i + 1, i + 2), an odd one
// (i + 1, i, i + 2), which keeps the facing of every triangle and the order the strip draws
// them in. Stops at a degenerate strip as the per-particle draw does.
std::vector<GLuint> triangleCorners(const std::vector<Strip>& strips, GLuint* vertexCount) {
    std::vector<GLuint> corners;
    GLuint first = 0;
    for (const Strip& strip : strips) {
        if (strip.size() < 3) {
            break;
        }
        for (GLuint i = 0; i + 2 < strip.size(); ++i) {
            const GLuint odd = i % 2;
            corners.insert(corners.end(), {first + i + odd, first + i + 1 - odd, first + i + 2});
        }
        first += static_cast<GLuint>(strip.size());
    }
    *vertexCount = first;
    return corners;
}

// Particles per batched draw at most, and corners (indices) per draw at most: a few megabytes
// of constants and indices, so an effect of millions of particles streams through small buffers.
constexpr std::size_t kMaxParticlesPerBatch = 16'384;
constexpr std::size_t kMaxCornersPerBatch = std::size_t{1} << 18;
constexpr std::size_t kParticleTexels = sizeof(ParticleInstance) / sizeof(Vec4);

} // namespace

bool Primitive::enableBatching() {
    std::vector<Strip> view;
    std::vector<float> texels;
    for (const GpuStrip& strip : strips_[0]) {
        view.push_back(strip.points);
        for (const PolyVertex& v : strip.points) {
            texels.insert(texels.end(), {v.x, v.y, v.z, v.u, v.v, 0, 0, 0});
        }
    }
    GLuint vertexCount = 0;
    const std::vector<GLuint> corners = triangleCorners(view, &vertexCount);
    const std::size_t maxTexels = BufferTexture::maxTexels();
    if (corners.empty() || maxTexels < kParticleTexels || !batchVertices_.create()) {
        return false;
    }
    texels.resize(std::size_t{vertexCount} * 8);
    batchVertices_.upload(texels.data(), texels.size() * sizeof(float));
    const std::size_t capacity = std::min({kMaxParticlesPerBatch, kMaxCornersPerBatch / corners.size(),
                                           maxTexels / kParticleTexels});
    std::vector<GLuint> indices;
    indices.reserve(capacity * corners.size());
    for (std::size_t particle = 0; particle < capacity; ++particle) {
        for (GLuint corner : corners) {
            indices.push_back(static_cast<GLuint>(particle * vertexCount) + corner);
        }
    }
    batchLayout_ = gl::makeVertexArray();
    batchCorners_ = gl::makeBuffer();
    glBindVertexArray(batchLayout_.id());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, batchCorners_.id());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (glGetError() != GL_NO_ERROR) {
        return false;
    }
    batchVertexCount_ = static_cast<GLint>(vertexCount);
    cornersPerParticle_ = static_cast<GLsizei>(corners.size());
    batchCapacity_ = capacity;
    return true;
}

ParticleInstance Primitive::instanceOf(const PrimitiveDraw& draw, const Mat4& viewProjection) const {
    // The values constants() gives the uniforms, from the same products.
    ParticleInstance instance;
    instance.wvp = transposed(kind_ == Kind::Trail ? viewProjection : draw.world * viewProjection);
    instance.world = transposed(draw.world);
    setTextureRows(instance, draw.textureMatrix);
    instance.color = draw.color;
    instance.bottom = Vec4{draw.baseScale.m[0][0], draw.baseScale.m[1][1], draw.baseScale.m[2][2],
                           static_cast<float>(draw.underCut)};
    instance.top = Vec4{draw.tipScale.m[0][0], draw.tipScale.m[1][1], draw.tipScale.m[2][2], 0};
    return instance;
}

void Primitive::drawBatch(ShaderPrograms& programs, PixelEntry viewPixel, GLuint texture, bool nonLinear,
                          GLsizei count) {
    const VertexEntry vertex = kind_ == Kind::Cylinder ? VertexEntry::Cylinder : VertexEntry::Plain;
    programs.usePolyBatched(vertex, viewPixel, batchVertexCount_);
    batchVertices_.bind(kUnitMeshVertices);
    glActiveTexture(GL_TEXTURE0 + kUnitDecal);
    glBindTexture(GL_TEXTURE_2D, texture);
    bindSampler(nonLinear);
    glBindVertexArray(batchLayout_.id());
    glDrawElements(GL_TRIANGLES, count * cornersPerParticle_, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

void TrailPrimitive::rebuild(const std::deque<Vec4>& history, const Vec3& eye, bool thickChange) {
    if (history.empty()) {
        return;
    }
    const Strip strip = trailStrip(history, eye, thickChange);
    if (strips_[0].empty()) {
        strips_[0].emplace_back();
    }
    strips_[0].resize(1);
    upload(strips_[0][0], strip);
}

std::array<std::unique_ptr<Primitive>, 5> createFixedMeshes() {
    std::array<std::unique_ptr<Primitive>, 5> meshes;
    meshes[0] = std::make_unique<Primitive>(Primitive::Kind::Square, true);
    meshes[0]->create({squareStrips(), squareStrips()});
    meshes[1] = std::make_unique<Primitive>(Primitive::Kind::Square, false);
    meshes[1]->create({squareStrips(), squareStrips()});
    meshes[2] = std::make_unique<Primitive>(Primitive::Kind::Hemisphere, false);
    meshes[2]->create({hemisphereStrips(0), hemisphereStrips(1)});
    meshes[3] = std::make_unique<Primitive>(Primitive::Kind::Cylinder, false);
    meshes[3]->create({cylinderStrips(0), cylinderStrips(1)});
    meshes[4] = std::make_unique<TrailPrimitive>();
    return meshes;
}

} // namespace vintrel
