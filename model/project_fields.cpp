#include "model/project_fields.h"

namespace vintrel {

namespace {

// The key is the member path below `g`; the camera pose is saved as camPos / camTarget.
#define INT_KEY(path)                                                                                        \
    ProjectField {                                                                                           \
#path, [](GlobalState & g) { return &path; }, nullptr                                                \
    }
#define FLOAT_KEY(path)                                                                                      \
    ProjectField {                                                                                           \
#path, nullptr, [](GlobalState & g) { return &path; }                                                \
    }
#define CAMERA_KEY(key, member)                                                                              \
    ProjectField {                                                                                           \
        key, nullptr, [](GlobalState& g) { return &g.viewCamera.member; }                                    \
    }

constexpr ProjectField kProjectFields[] = {
    INT_KEY(g.project.frame),
    INT_KEY(g.project.fps),
    FLOAT_KEY(g.project.backColor.x),
    FLOAT_KEY(g.project.backColor.y),
    FLOAT_KEY(g.project.backColor.z),
    INT_KEY(g.project.width),
    INT_KEY(g.project.height),
    INT_KEY(g.project.reverse),
    INT_KEY(g.project.randomSeed),
    INT_KEY(g.project.sort),
    INT_KEY(g.project.isCameraMove),
    INT_KEY(g.project.growRange),
    INT_KEY(g.project.growPower),
    FLOAT_KEY(g.project.growColor.x),
    FLOAT_KEY(g.project.growColor.y),
    FLOAT_KEY(g.project.growColor.z),
    INT_KEY(g.project.previewFrame),
    INT_KEY(g.project.isNonLiner),
    INT_KEY(g.write.start),
    INT_KEY(g.write.end),
    INT_KEY(g.write.step),
    INT_KEY(g.write.width),
    INT_KEY(g.write.height),
    INT_KEY(g.write.type),
    INT_KEY(g.write.isAlpha),
    INT_KEY(g.write.smooth),
    CAMERA_KEY("camPos.x", eye.x),
    CAMERA_KEY("camPos.y", eye.y),
    CAMERA_KEY("camPos.z", eye.z),
    CAMERA_KEY("camTarget.x", target.x),
    CAMERA_KEY("camTarget.y", target.y),
    CAMERA_KEY("camTarget.z", target.z),
    INT_KEY(g.mask.texID),
    INT_KEY(g.mask.x),
    INT_KEY(g.mask.y),
    INT_KEY(g.mask.w),
    INT_KEY(g.mask.h),
    INT_KEY(g.mask.texSize.cx),
    INT_KEY(g.mask.texSize.cy),
    INT_KEY(g.mask.alpha),
    INT_KEY(g.mask.isDisp),
};

#undef INT_KEY
#undef FLOAT_KEY
#undef CAMERA_KEY

} // namespace

std::span<const ProjectField> projectFields() {
    return kProjectFields;
}

} // namespace vintrel
