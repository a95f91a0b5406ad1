#pragma once

#include "model/view_backdrop.h"
#include "platform/notifier.h"

#include <QTemporaryDir>
#include <optional>

namespace vintrel {

class ViewWindow;

// Keeps the 3D view's backdrop in step with the project's: the picture or the video frame is read
// once per change of the setting, not per frame. A picture that cannot be read is reported once
// and the view shows the background colour; the setting itself stays as the project has it.
class BackdropDisplay {
public:
    BackdropDisplay(ViewWindow& view, Notifier& notifier) : view_(view), notifier_(notifier) {}

    void show(const ViewBackdrop& backdrop);

private:
    ViewWindow& view_;
    Notifier& notifier_;
    std::optional<ViewBackdrop> shown_;
    QTemporaryDir scratch_;
};

} // namespace vintrel
