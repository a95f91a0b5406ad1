#pragma once

#include "render/gl_objects.h"
#include "render/mesh_geometry.h"
#include "render/shader_programs.h"

#include <vector>

namespace vintrel {

struct Camera;

// Single-colour line segments in one vertex buffer, each drawn with its own colour and a
// shared world matrix (the floor grid, the emitter guides).
class LineSet {
public:
    explicit LineSet(const std::vector<LineSegment>& segments);
    void draw(ShaderPrograms& programs, const Camera& camera, const Mat4& world) const;
    std::size_t size() const { return colors_.size(); }

private:
    gl::VertexArray layout_;
    gl::Buffer vertices_;
    std::vector<Vec4> colors_;
};

} // namespace vintrel
