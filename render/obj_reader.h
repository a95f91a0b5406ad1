#pragma once

// Reader of Wavefront OBJ models for particle meshes.
//
// Only "v", "vt" and "f" are read. Positions are mirrored in x and texture v is flipped
// (v' = 1 - v) for the left-handed renderer; each face is emitted with its corners reversed, so
// that mirroring keeps the front face. Only the first three corners of a face are used (a quad
// keeps one triangle). Anything from a "#" token to the end of its line is a comment.
//
// Bad input never reads outside the data: a position or texture index of 0, a negative index,
// one beyond what has been read so far, or one that is not a number gives position (0, 0, 0) or
// texture coordinate (0, 0) for that corner. A missing texture index ("7" or "7//3") reads as 0
// and so gives (0, 0). A face with fewer than three corners adds nothing. A number that does not
// parse leaves that coordinate 0; numbers are read independently of the process locale. A face
// line is read up to its first "#" and at most 255 characters.

#include "render/mesh_geometry.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace vintrel {

struct ObjModel {
    std::vector<PolyVertex> vertices; // 3 per triangle, each triangle with its own vertices

    int triangleCount() const { return static_cast<int>(vertices.size() / 3); }
};

// nullopt when the file cannot be opened or read.
std::optional<ObjModel> readObj(const std::filesystem::path& file);

ObjModel parseObj(std::string_view text);

} // namespace vintrel
