#include "ui/dialogs/viewpoint_list.h"

#include "model/default_names.h"
#include "platform/number_format.h"
#include "ui/dialogs/camera_fields.h"


namespace vintrel {

namespace {

bool isAddEntry(const CameraView& view) {
    return view.title == CameraView::kAddEntryTitle;
}

bool endsWithAddEntry(const std::vector<CameraView>& views) {
    return !views.empty() && isAddEntry(views.back());
}

std::string pointText(const FloatXYZ& point) {
    return "(" + formatInt(tenthsOf(point.x)) + "," + formatInt(tenthsOf(point.y)) + "," +
           formatInt(tenthsOf(point.z)) + ")";
}

CameraView addEntry() {
    CameraView entry;
    entry.angle = kNewViewpointAngle;
    entry.title = CameraView::kAddEntryTitle;
    return entry;
}

} // namespace

std::string viewpointTitle(const ViewCameraPose& pose) {
    return pointText(pose.eye) + defaultNames().viewpointBetween + pointText(pose.target);
}

std::size_t viewpointCount(const std::vector<CameraView>& views) {
    return endsWithAddEntry(views) ? views.size() - 1 : views.size();
}

void appendViewpoint(std::vector<CameraView>& views, const ViewCameraPose& pose) {
    if (!endsWithAddEntry(views)) {
        views.push_back(addEntry());
    }
    CameraView view;
    view.eye = pose.eye;
    view.target = pose.target;
    view.angle = kNewViewpointAngle;
    view.title = viewpointTitle(pose);
    views.insert(views.end() - 1, std::move(view));
}

bool removeViewpoint(std::vector<CameraView>& views, std::size_t index) {
    if (index >= viewpointCount(views)) {
        return false;
    }
    views.erase(views.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

ViewCameraPose poseOf(const CameraView& view) {
    return {view.eye, view.target};
}

} // namespace vintrel
