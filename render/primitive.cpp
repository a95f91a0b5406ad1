#include "render/primitive.h"

#include "render/camera.h"

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

void Primitive::draw(ShaderPrograms& programs, const PrimitiveDraw& draw) {
    const VertexEntry vertex = kind_ == Kind::Cylinder ? VertexEntry::Cylinder : VertexEntry::Plain;
    programs.usePoly(vertex, choosePixelEntry(draw.alphaPass, draw.exporting, draw.additive),
                     constants(draw));
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

// The strips as one strip: between two strips the last vertex of the first and the first of
// the next are repeated (one more repeat when the first has an odd count), so each strip
// begins on an even vertex and keeps its winding. Stops at a degenerate strip as the
// per-particle draw does.
Strip joinStrips(const std::vector<Strip>& strips) {
    Strip joined;
    for (const Strip& strip : strips) {
        if (strip.size() < 3) {
            break;
        }
        if (!joined.empty()) {
            joined.push_back(joined.back());
            if (joined.size() % 2 != 0) {
                joined.push_back(joined.back());
            }
            joined.push_back(strip.front());
            joined.push_back(strip.front());
        }
        joined.insert(joined.end(), strip.begin(), strip.end());
    }
    return joined;
}

constexpr GLuint kFirstInstanceAttribute = 2;
constexpr GLuint kInstanceVectors = sizeof(ParticleInstance) / sizeof(Vec4);

} // namespace

bool Primitive::enableInstancing(GLuint instances) {
    std::vector<Strip> view;
    for (const GpuStrip& strip : strips_[0]) {
        view.push_back(strip.points);
    }
    const Strip joined = joinStrips(view);
    if (joined.empty() || !upload(joined_, joined)) {
        return false;
    }
    glBindVertexArray(joined_.layout.id());
    glBindBuffer(GL_ARRAY_BUFFER, instances);
    for (GLuint v = 0; v < kInstanceVectors; ++v) {
        glEnableVertexAttribArray(kFirstInstanceAttribute + v);
        glVertexAttribPointer(kFirstInstanceAttribute + v, 4, GL_FLOAT, GL_FALSE, sizeof(ParticleInstance),
                              reinterpret_cast<const void*>(v * sizeof(Vec4)));
        glVertexAttribDivisor(kFirstInstanceAttribute + v, 1);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return glGetError() == GL_NO_ERROR;
}

ParticleInstance Primitive::instanceOf(const PrimitiveDraw& draw) const {
    const PolyConstants c = constants(draw);
    ParticleInstance instance;
    instance.wvp = c.wvp;
    instance.world = c.world;
    instance.textureU = Vec4{c.texture.m[0][0], c.texture.m[0][1], c.texture.m[0][2], c.texture.m[0][3]};
    instance.textureV = Vec4{c.texture.m[1][0], c.texture.m[1][1], c.texture.m[1][2], c.texture.m[1][3]};
    instance.color = c.color;
    instance.bottom = Vec4{c.bottomScale.m[0][0], c.bottomScale.m[1][1], c.bottomScale.m[2][2], c.underCut.x};
    instance.top = Vec4{c.topScale.m[0][0], c.topScale.m[1][1], c.topScale.m[2][2], 0};
    return instance;
}

void Primitive::drawInstanced(ShaderPrograms& programs, PixelEntry viewPixel, GLuint texture, bool nonLinear,
                              GLsizei count) {
    const VertexEntry vertex = kind_ == Kind::Cylinder ? VertexEntry::Cylinder : VertexEntry::Plain;
    programs.usePolyInstanced(vertex, viewPixel);
    glActiveTexture(GL_TEXTURE0 + kUnitDecal);
    glBindTexture(GL_TEXTURE_2D, texture);
    bindSampler(nonLinear);
    glBindVertexArray(joined_.layout.id());
    glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, joined_.count, count);
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
