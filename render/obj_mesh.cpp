#include "render/obj_mesh.h"

#include "render/gpu_states.h"

namespace vintrel {

bool ObjMesh::load(const std::filesystem::path& file) {
    const std::optional<ObjModel> model = readObj(file);
    if (!model) {
        return false;
    }
    upload(*model);
    return true;
}

void ObjMesh::upload(const ObjModel& model) {
    triangles_ = model.triangleCount();
    Primitive::upload(triangleList_, model.vertices);
}

void ObjMesh::draw(ShaderPrograms& programs, const PrimitiveDraw& draw) {
    useProgram(programs, VertexEntry::Plain, draw);
    glActiveTexture(GL_TEXTURE0 + kUnitDecal);
    glBindTexture(GL_TEXTURE_2D, draw.texture);
    // Models are always filtered linearly, whatever the project's choice.
    bindSampler(false);
    GpuStates::setDepth(GpuStates::Depth::TestAndWrite);
    if (triangles_ > 0) {
        // The whole model is one draw, composed over the target as it was before it.
        const bool reportDraw = draw.exporting && draw.afterStrip;
        const PixelRect footprint = reportDraw ? stripFootprint(triangleList_.points, clipTransform(draw),
                                                                draw.targetWidth, draw.targetHeight)
                                               : PixelRect{};
        if (reportDraw && draw.beforeStrip) {
            draw.beforeStrip(footprint);
        }
        glBindVertexArray(triangleList_.layout.id());
        glDrawArrays(GL_TRIANGLES, 0, triangles_ * 3);
        glBindVertexArray(0);
        if (reportDraw) {
            draw.afterStrip(footprint);
        }
    }
    GpuStates::setDepth(GpuStates::Depth::Test);
}

} // namespace vintrel
