#include "ui/dialogs/project_settings_form.h"

#include <cmath>

namespace vintrel {

namespace {

int flag(bool on) {
    return on ? 1 : 0;
}

} // namespace

IntRange rangeOf(ProjectNumber field) {
    for (const ProjectNumberRule& rule : kProjectNumberRules) {
        if (rule.field == field) {
            return rule.range;
        }
    }
    return {};
}

int numberOf(const ProjectSettingsForm& form, ProjectNumber field) {
    switch (field) {
    case ProjectNumber::Frame:
        return form.frame;
    case ProjectNumber::Fps:
        return form.fps;
    case ProjectNumber::Width:
        return form.width;
    case ProjectNumber::Height:
        return form.height;
    }
    return 0;
}

void setNumber(ProjectSettingsForm& form, ProjectNumber field, int value) {
    switch (field) {
    case ProjectNumber::Frame:
        form.frame = value;
        break;
    case ProjectNumber::Fps:
        form.fps = value;
        break;
    case ProjectNumber::Width:
        form.width = value;
        break;
    case ProjectNumber::Height:
        form.height = value;
        break;
    }
}

ProjectSettingsForm projectFormOf(const ProjectSettings& project) {
    return {project.frame,     project.fps,          project.width,          project.height,
            project.sort != 0, project.reverse != 0, project.isNonLiner != 0};
}

std::optional<ProjectNumber> firstOutOfRange(const ProjectSettingsForm& form) {
    for (const ProjectNumberRule& rule : kProjectNumberRules) {
        if (!rule.range.contains(numberOf(form, rule.field))) {
            return rule.field;
        }
    }
    return std::nullopt;
}

int sheetColumnsFor(int frames) {
    if (frames <= 0) {
        return 0;
    }
    // The square root in floating point may land a hair on either side of a whole number;
    // the integer corrections make the result exact.
    long long columns = static_cast<long long>(std::sqrt(static_cast<double>(frames)));
    while (columns * columns < frames) {
        ++columns;
    }
    while (columns > 1 && (columns - 1) * (columns - 1) >= frames) {
        --columns;
    }
    return static_cast<int>(columns);
}

void applyProjectForm(GlobalState& g, const ProjectSettingsForm& form) {
    ProjectSettings& project = g.project;
    project.frame = form.frame;
    project.fps = form.fps;
    project.width = form.width;
    project.height = form.height;
    project.sort = flag(form.sort);
    project.reverse = flag(form.reverse);
    project.isNonLiner = flag(form.nonLiner);
    g.write.start = 1;
    g.write.end = form.frame;
    g.write.width = sheetColumnsFor(form.frame);
}

NewProjectDefaults newProjectDefaultsOf(const ProjectSettingsForm& form) {
    NewProjectDefaults defaults;
    defaults.frame = form.frame;
    defaults.speed = form.fps;
    defaults.width = form.width;
    defaults.height = form.height;
    defaults.reverse = flag(form.reverse);
    defaults.sort = flag(form.sort);
    defaults.nonLiner = flag(form.nonLiner);
    return defaults;
}

} // namespace vintrel
