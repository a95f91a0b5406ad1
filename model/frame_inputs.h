#pragma once

#include "model/effect_node.h"

#include <mutex>
#include <optional>

namespace vintrel {

// Eye and look-at point of the 3D view's camera; saved with the project.
struct ViewCameraPose {
    FloatXYZ eye{0, 5, -10};
    FloatXYZ target{0, 0, 0};
};

// A value that the editing thread publishes and the worker thread copies, under a short lock,
// once per pass. Until the first publish() there is nothing to copy: the command-line tool and
// the tests run everything on one thread, never publish, and read the live values instead.
template <typename Inputs> class PublishedCopy {
public:
    void publish(const Inputs& inputs) {
        const std::lock_guard lock(mutex_);
        inputs_ = inputs;
        active_ = true;
    }
    // The latest published copy, or nothing before the first publish().
    std::optional<Inputs> latest() const {
        const std::lock_guard lock(mutex_);
        if (!active_) {
            return std::nullopt;
        }
        return inputs_;
    }

private:
    mutable std::mutex mutex_;
    Inputs inputs_{};
    bool active_ = false;
};

// The view camera passes between the threads instead of being shared: the editing thread asks
// for a pose (a project was opened, a viewpoint applied), the worker takes the request before
// its next frame and publishes where the camera stands after each frame, which is what saving
// reads.
class CameraHandover {
public:
    // Editing thread: the view is to show `pose` from its next frame.
    void request(const ViewCameraPose& pose) {
        const std::lock_guard lock(mutex_);
        requested_ = pose;
    }
    // Worker: the pending request, once.
    std::optional<ViewCameraPose> takeRequest() {
        const std::lock_guard lock(mutex_);
        std::optional<ViewCameraPose> pose = requested_;
        requested_.reset();
        return pose;
    }
    // Worker: the camera after a frame.
    void publish(const ViewCameraPose& pose) {
        const std::lock_guard lock(mutex_);
        current_ = pose;
    }
    // Editing thread: the latest published pose, or nothing while the view has drawn no frame.
    std::optional<ViewCameraPose> current() const {
        const std::lock_guard lock(mutex_);
        return current_;
    }

private:
    mutable std::mutex mutex_;
    std::optional<ViewCameraPose> requested_;
    std::optional<ViewCameraPose> current_;
};

} // namespace vintrel
