#include "render/line_set.h"

#include "render/camera.h"

namespace vintrel {

namespace {

bool sameColor(const Vec4& a, const Vec4& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

} // namespace

LineSet::LineSet(const std::vector<LineSegment>& segments) {
    std::vector<float> points;
    points.reserve(segments.size() * 6);
    for (const LineSegment& s : segments) {
        points.insert(points.end(), {s.a.x, s.a.y, s.a.z, s.b.x, s.b.y, s.b.z});
        colors_.push_back(s.color);
    }
    layout_ = gl::makeVertexArray();
    vertices_ = gl::makeBuffer();
    glBindVertexArray(layout_.id());
    glBindBuffer(GL_ARRAY_BUFFER, vertices_.id());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(points.size() * sizeof(float)), points.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void LineSet::draw(ShaderPrograms& programs, const Camera& camera, const Mat4& world) const {
    LineConstants constants;
    constants.wvp = transposed(world * camera.view * camera.projection);
    glBindVertexArray(layout_.id());
    // Neighbouring segments of one colour go in one draw: the lines come out in the same order
    // with the same colour, so the pixels are those of one draw per segment.
    for (std::size_t first = 0; first < colors_.size();) {
        std::size_t end = first + 1;
        while (end < colors_.size() && sameColor(colors_[end], colors_[first])) {
            ++end;
        }
        constants.color = colors_[first];
        programs.useLine(constants);
        glDrawArrays(GL_LINES, static_cast<GLint>(2 * first), static_cast<GLsizei>(2 * (end - first)));
        first = end;
    }
    glBindVertexArray(0);
}

} // namespace vintrel
