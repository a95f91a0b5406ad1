#pragma once

#include "model/global_state.h"
#include "persist/app_settings.h"
#include "ui/dialogs/int_range.h"

#include <array>
#include <optional>

namespace vintrel {

// What the project settings dialog holds: its four number fields as they read and its three
// check boxes.
struct ProjectSettingsForm {
    int frame = 0;
    int fps = 0;
    int width = 0;
    int height = 0;
    bool sort = false;
    bool reverse = false;
    bool nonLiner = false;

    bool operator==(const ProjectSettingsForm&) const = default;
};

// The form's number fields, in the dialog's order.
enum class ProjectNumber { Frame, Fps, Width, Height };

struct ProjectNumberRule {
    ProjectNumber field;
    IntRange range;
};

// The range of each number field: the project's length and preview speed, and the export size.
inline constexpr std::array<ProjectNumberRule, 4> kProjectNumberRules{{
    {ProjectNumber::Frame, {1, 9999}},
    {ProjectNumber::Fps, {1, 120}},
    {ProjectNumber::Width, {1, 2048}},
    {ProjectNumber::Height, {1, 2048}},
}};

IntRange rangeOf(ProjectNumber field);
int numberOf(const ProjectSettingsForm& form, ProjectNumber field);
void setNumber(ProjectSettingsForm& form, ProjectNumber field, int value);

// The form filled from the project's settings.
ProjectSettingsForm projectFormOf(const ProjectSettings& project);

// The first number field outside its range, or nothing when the form can be stored. The
// simulation, the view and the export divide by these values, so a value the arrows could not
// have made (0 frames per second, a width of 0) is refused rather than stored.
std::optional<ProjectNumber> firstOutOfRange(const ProjectSettingsForm& form);

// Frames across the export sheet for a project of `frames` frames: the smallest whole number
// whose square is at least `frames` (100 gives 10, 99 gives 10, 101 gives 11); 0 for no frames.
int sheetColumnsFor(int frames);

// The dialog's OK: stores the form into the project, then makes the export range the whole
// effect (frames 1 to the last) laid out sheetColumnsFor(frames) across.
void applyProjectForm(GlobalState& g, const ProjectSettingsForm& form);

// The defaults of new projects as the form holds them ("この設定をデフォルトにする").
NewProjectDefaults newProjectDefaultsOf(const ProjectSettingsForm& form);

} // namespace vintrel
