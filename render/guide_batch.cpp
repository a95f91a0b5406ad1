#include "render/guide_batch.h"

#include <cstddef>

namespace vintrel {

namespace {

// Vertex layout of the guide program: a point and whether it belongs to the marker, then per
// guide the two matrices, each four columns.
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kMarkerAttribute = 1;
constexpr GLuint kShapeMatrixAttribute = 2;
constexpr GLuint kMarkerMatrixAttribute = 6;
constexpr GLuint kMatrixColumns = 4;

struct GuideVertex {
    float x, y, z;
    float marker; // 1 for the marker's segments
};

void appendSegments(std::vector<GuideVertex>& vertices, const std::vector<LineSegment>& segments,
                    float marker) {
    for (const LineSegment& s : segments) {
        vertices.push_back({s.a.x, s.a.y, s.a.z, marker});
        vertices.push_back({s.b.x, s.b.y, s.b.z, marker});
    }
}

void bindMatrixAttribute(GLuint first, std::size_t offset, GLsizei stride) {
    for (GLuint column = 0; column < kMatrixColumns; ++column) {
        glEnableVertexAttribArray(first + column);
        glVertexAttribPointer(first + column, 4, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offset + column * sizeof(Vec4)));
        glVertexAttribDivisor(first + column, 1);
    }
}

} // namespace

GuideBatch::GuideBatch(const std::array<std::vector<LineSegment>, kGuideSetCount>& sets) {
    const std::vector<LineSegment>& marker = sets[kGuideSetCount - 1];
    color_ = marker.empty() ? Vec4{} : marker.front().color;
    for (std::size_t set = 0; set < meshes_.size(); ++set) {
        build(meshes_[set], sets[set], marker);
    }
}

void GuideBatch::build(ShapeMesh& mesh, const std::vector<LineSegment>& shape,
                       const std::vector<LineSegment>& marker) {
    std::vector<GuideVertex> vertices;
    appendSegments(vertices, shape, 0.0f);
    appendSegments(vertices, marker, 1.0f);
    mesh.vertexCount = static_cast<GLsizei>(vertices.size());
    mesh.layout = gl::makeVertexArray();
    mesh.vertices = gl::makeBuffer();
    mesh.instances = gl::makeBuffer();
    glBindVertexArray(mesh.layout.id());
    glBindBuffer(GL_ARRAY_BUFFER, mesh.vertices.id());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GuideVertex)),
                 vertices.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(kPositionAttribute);
    glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, sizeof(GuideVertex), nullptr);
    glEnableVertexAttribArray(kMarkerAttribute);
    glVertexAttribPointer(kMarkerAttribute, 1, GL_FLOAT, GL_FALSE, sizeof(GuideVertex),
                          reinterpret_cast<const void*>(offsetof(GuideVertex, marker)));
    glBindBuffer(GL_ARRAY_BUFFER, mesh.instances.id());
    bindMatrixAttribute(kShapeMatrixAttribute, offsetof(Instance, shape), sizeof(Instance));
    bindMatrixAttribute(kMarkerMatrixAttribute, offsetof(Instance, marker), sizeof(Instance));
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void GuideBatch::clear() {
    for (ShapeMesh& mesh : meshes_) {
        mesh.pending.clear();
    }
}

void GuideBatch::add(std::size_t shapeSet, const Mat4& shapeWvp, const Mat4& markerWvp) {
    if (shapeSet < meshes_.size()) {
        meshes_[shapeSet].pending.push_back({transposed(shapeWvp), transposed(markerWvp)});
    }
}

bool GuideBatch::empty() const {
    for (const ShapeMesh& mesh : meshes_) {
        if (!mesh.pending.empty()) {
            return false;
        }
    }
    return true;
}

void GuideBatch::draw(ShaderPrograms& programs) {
    for (ShapeMesh& mesh : meshes_) {
        if (mesh.pending.empty()) {
            continue;
        }
        programs.useGuides(color_);
        glBindBuffer(GL_ARRAY_BUFFER, mesh.instances.id());
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.pending.size() * sizeof(Instance)),
                     mesh.pending.data(), GL_STREAM_DRAW);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindVertexArray(mesh.layout.id());
        glDrawArraysInstanced(GL_LINES, 0, mesh.vertexCount, static_cast<GLsizei>(mesh.pending.size()));
        glBindVertexArray(0);
        mesh.pending.clear();
    }
}

} // namespace vintrel
