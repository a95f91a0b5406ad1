#include "ui/shell/backdrop_display.h"

#include "output/backdrop_picture.h"
#include "ui/shell/view_window.h"

namespace vintrel {

void BackdropDisplay::show(const ViewBackdrop& backdrop) {
    if (shown_ == backdrop) {
        return;
    }
    shown_ = backdrop;
    if (!backdrop.usesFile()) {
        view_.setBackdrop(backdrop.kind, QImage());
        return;
    }
    Result<QImage> picture = backdropPicture(backdrop, scratch_.path().toStdString());
    if (!picture) {
        notifier_.show(Notifier::kDefaultCaption, picture.error());
        view_.setBackdrop(ViewBackdrop::Kind::Color, QImage());
        return;
    }
    view_.setBackdrop(backdrop.kind, std::move(picture).value());
}

} // namespace vintrel
