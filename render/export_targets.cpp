#include "render/export_targets.h"

#include "persist/notifier.h"
#include "render/texture.h"

namespace vintrel {

bool ExportTargets::create(int width, int height, const QImage& mask, Notifier& notifier) {
    release();
    if (!main_.create(width, height)) {
        notifier.showMessage("", "書き出し用レンダーターゲット作成失敗");
        release();
        return false;
    }
    if (!copy_.create(width, height)) {
        notifier.showMessage("", "書き出し用レンダーターゲット（コピー用）作成失敗");
        release();
        return false;
    }
    // The targets keep OpenGL's bottom-up rows; the mask is turned the same way so that a
    // pixel of the target reads the mask at the same place.
    if (!mask.isNull()) {
        mask_ = uploadTexture(mask.convertToFormat(QImage::Format_RGBA8888).mirrored(false, true));
    } else {
        mask_ = solidTexture(0, 0, 0, 0);
    }
    glBindTexture(GL_TEXTURE_2D, mask_.id());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    return true;
}

void ExportTargets::release() {
    main_ = RenderTarget();
    copy_ = RenderTarget();
    mask_.reset();
}

} // namespace vintrel
