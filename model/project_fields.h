#pragma once

#include "model/global_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace vintrel {

// A project value's row number in the table.
enum class ProjectFieldId : std::uint8_t {};

// One value of the project section of the settings file, named by its key
// ("g.project.frame", "camPos.x").
struct ProjectField {
    std::string_view key;
    int* (*intField)(GlobalState&) = nullptr;
    float* (*floatField)(GlobalState&) = nullptr;

    bool isFloat() const { return floatField != nullptr; }
    int& intRef(GlobalState& g) const { return *intField(g); }
    float& floatRef(GlobalState& g) const { return *floatField(g); }
    int intValue(const GlobalState& g) const { return *intField(const_cast<GlobalState&>(g)); }
    float floatValue(const GlobalState& g) const { return *floatField(const_cast<GlobalState&>(g)); }
    static constexpr ProjectField ofInt(std::string_view key, int* (*field)(GlobalState&)) {
        return {key, field, nullptr};
    }
    static constexpr ProjectField ofFloat(std::string_view key, float* (*field)(GlobalState&)) {
        return {key, nullptr, field};
    }
    double value(const GlobalState& g) const {
        return isFloat() ? static_cast<double>(floatValue(g)) : static_cast<double>(intValue(g));
    }
};

// The key is the member path below `g`; the camera pose is saved as camPos / camTarget.
#define VINTREL_PROJECT_INT(path)                                                                            \
    ::vintrel::ProjectField::ofInt(#path, [](::vintrel::GlobalState& g) { return &path; })
#define VINTREL_PROJECT_FLOAT(path)                                                                          \
    ::vintrel::ProjectField::ofFloat(#path, [](::vintrel::GlobalState& g) { return &path; })
#define VINTREL_PROJECT_CAMERA(key, member)                                                                  \
    ::vintrel::ProjectField::ofFloat(key, [](::vintrel::GlobalState& g) { return &g.viewCamera.member; })

// Every project key in settings-file order.
inline constexpr std::array kProjectFields{
    VINTREL_PROJECT_INT(g.project.frame),
    VINTREL_PROJECT_INT(g.project.fps),
    VINTREL_PROJECT_FLOAT(g.project.backColor.x),
    VINTREL_PROJECT_FLOAT(g.project.backColor.y),
    VINTREL_PROJECT_FLOAT(g.project.backColor.z),
    VINTREL_PROJECT_INT(g.project.width),
    VINTREL_PROJECT_INT(g.project.height),
    VINTREL_PROJECT_INT(g.project.reverse),
    VINTREL_PROJECT_INT(g.project.randomSeed),
    VINTREL_PROJECT_INT(g.project.sort),
    VINTREL_PROJECT_INT(g.project.isCameraMove),
    VINTREL_PROJECT_INT(g.project.growRange),
    VINTREL_PROJECT_INT(g.project.growPower),
    VINTREL_PROJECT_FLOAT(g.project.growColor.x),
    VINTREL_PROJECT_FLOAT(g.project.growColor.y),
    VINTREL_PROJECT_FLOAT(g.project.growColor.z),
    VINTREL_PROJECT_INT(g.project.previewFrame),
    VINTREL_PROJECT_INT(g.project.isNonLiner),
    VINTREL_PROJECT_INT(g.write.start),
    VINTREL_PROJECT_INT(g.write.end),
    VINTREL_PROJECT_INT(g.write.step),
    VINTREL_PROJECT_INT(g.write.width),
    VINTREL_PROJECT_INT(g.write.height),
    VINTREL_PROJECT_INT(g.write.type),
    VINTREL_PROJECT_INT(g.write.isAlpha),
    VINTREL_PROJECT_INT(g.write.smooth),
    VINTREL_PROJECT_CAMERA("camPos.x", eye.x),
    VINTREL_PROJECT_CAMERA("camPos.y", eye.y),
    VINTREL_PROJECT_CAMERA("camPos.z", eye.z),
    VINTREL_PROJECT_CAMERA("camTarget.x", target.x),
    VINTREL_PROJECT_CAMERA("camTarget.y", target.y),
    VINTREL_PROJECT_CAMERA("camTarget.z", target.z),
    VINTREL_PROJECT_INT(g.mask.texID),
    VINTREL_PROJECT_INT(g.mask.x),
    VINTREL_PROJECT_INT(g.mask.y),
    VINTREL_PROJECT_INT(g.mask.w),
    VINTREL_PROJECT_INT(g.mask.h),
    VINTREL_PROJECT_INT(g.mask.texSize.cx),
    VINTREL_PROJECT_INT(g.mask.texSize.cy),
    VINTREL_PROJECT_INT(g.mask.alpha),
    VINTREL_PROJECT_INT(g.mask.isDisp),
};

#undef VINTREL_PROJECT_INT
#undef VINTREL_PROJECT_FLOAT
#undef VINTREL_PROJECT_CAMERA

inline std::span<const ProjectField> projectFields() {
    return kProjectFields;
}

// The id of the project value with this key; a key that names none stops the build.
consteval ProjectFieldId projectFieldId(std::string_view key) {
    for (std::size_t i = 0; i < kProjectFields.size(); ++i) {
        if (kProjectFields[i].key == key) {
            return static_cast<ProjectFieldId>(i);
        }
    }
    throw std::logic_error("no project value has this key");
}

inline const ProjectField& describe(ProjectFieldId id) {
    return kProjectFields[static_cast<std::size_t>(id)];
}

// The project value with this key, for the files and the CLI; nothing for a key that names none.
std::optional<ProjectFieldId> findProjectField(std::string_view key);

} // namespace vintrel
