#pragma once

#include "render/gl_objects.h"
#include "render/mesh_geometry.h"
#include "render/shader_programs.h"

#include <array>
#include <vector>

namespace vintrel {

// The emitter guides of one walk, gathered and then drawn together: every guide is its shape's
// segments (set 0..5) with one matrix and the position marker's (set 6) with another. All
// segments share one colour and the walk's pass-1 state, so the order between guides cannot
// change a pixel; each guide's matrices are computed as for a draw of its own, so its lines
// land on the same pixels.
class GuideBatch {
public:
    explicit GuideBatch(const std::array<std::vector<LineSegment>, kGuideSetCount>& sets);

    void clear();
    // One guide: `shapeSet` 0..5, the world x view x projection of its shape and of its
    // marker, as LineSet::draw computes them.
    void add(std::size_t shapeSet, const Mat4& shapeWvp, const Mat4& markerWvp);
    bool empty() const;
    // One instanced draw per shape set in use (a walk has one selected node, so one draw).
    void draw(ShaderPrograms& programs);

private:
    struct Instance {
        Mat4 shape;  // transposed, as the line program reads it
        Mat4 marker; // transposed
    };
    struct ShapeMesh {
        gl::VertexArray layout;
        gl::Buffer vertices;
        gl::Buffer instances;
        GLsizei vertexCount = 0;
        std::vector<Instance> pending;
    };
    void build(ShapeMesh& mesh, const std::vector<LineSegment>& shape,
               const std::vector<LineSegment>& marker);

    std::array<ShapeMesh, kGuideSetCount - 1> meshes_;
    Vec4 color_;
};

} // namespace vintrel
