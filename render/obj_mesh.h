#pragma once

#include "render/obj_reader.h"
#include "render/primitive.h"

#include <filesystem>

namespace vintrel {

// A particle shape read from an OBJ model: one triangle list, drawn with depth testing and
// writing on; afterwards the depth test stays on with writes off for what follows.
class ObjMesh final : public Primitive {
public:
    ObjMesh() : Primitive(Kind::Square, false) {}
    // False when the file cannot be read; a model without faces loads and draws nothing.
    bool load(const std::filesystem::path& file);
    void upload(const ObjModel& model);
    void draw(ShaderPrograms& programs, const PrimitiveDraw& draw) override;
    int triangleCount() const { return triangles_; }

private:
    GpuStrip triangleList_;
    int triangles_ = 0;
};

} // namespace vintrel
