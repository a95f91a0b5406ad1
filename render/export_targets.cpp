#include "render/export_targets.h"

#include "platform/notifier.h"
#include "render/texture.h"

namespace vintrel {

namespace {

// The message for a part of the main target (copy = false) or of its copy.
const char* failureText(RenderTarget::Failure failure, bool copy) {
    switch (failure) {
    case RenderTarget::Failure::Depth:
        return copy ? "深度ステンシル（コピー用）の作成失敗" : "深度ステンシルの作成失敗";
    case RenderTarget::Failure::Framebuffer:
        return copy ? "レンダーターゲットビュー（コピー用）作成失敗" : "レンダーターゲットビュー作成失敗";
    case RenderTarget::Failure::Color:
    case RenderTarget::Failure::None:
        break;
    }
    return copy ? "書き出し用レンダーターゲット（コピー用）作成失敗" : "書き出し用レンダーターゲット作成失敗";
}

} // namespace

bool ExportTargets::create(int width, int height, const QImage& mask, Notifier& notifier) {
    release();
    for (RenderTarget* target : {&main_, &copy_}) {
        RenderTarget::Failure failure = RenderTarget::Failure::None;
        if (!target->create(width, height, &failure)) {
            notifier.show("", Message{failureText(failure, target == &copy_)});
            release();
            return false;
        }
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

void ExportTargets::clearCopy() {
    copy_.bind();
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    copyMatchesMain_ = false;
    drawnSinceClear_ = false;
    touched_ = PixelRect{};
}

void ExportTargets::prepareToRead(const PixelRect& rect) {
    if (!copyMatchesMain_) {
        // The first draw after the clear composes over the empty copy; every later one over
        // the target as it is.
        if (drawnSinceClear_) {
            syncTouched();
        }
    } else if (overlap(touched_, rect)) {
        syncTouched();
    }
}

void ExportTargets::syncTouched() {
    if (!copyMatchesMain_) {
        copyColor(main_, copy_);
        copyMatchesMain_ = true;
    } else if (!touched_.empty()) {
        copyColorRect(main_, copy_, touched_);
    }
    touched_ = PixelRect{};
}

void ExportTargets::release() {
    main_ = RenderTarget();
    copy_ = RenderTarget();
    mask_.reset();
}

} // namespace vintrel
