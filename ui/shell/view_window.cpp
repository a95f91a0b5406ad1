#include "ui/shell/view_window.h"

#include "engine/simulation.h"
#include "render/compare_scene.h"
#include "render/renderer.h"
#include "render/side_by_side.h"
#include "ui/controls/message_text.h"

#include <QCursor>
#include <QExposeEvent>
#include <QImage>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QResizeEvent>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <string>

namespace vintrel {

namespace {

QSurfaceFormat viewFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    // Present without waiting for the display: the worker paces the frames itself, and waiting
    // for a 60 Hz display would halve a 120-frames-per-second project.
    format.setSwapInterval(0);
    return format;
}

} // namespace

ViewWindow::ViewWindow(GlobalState& g, Simulation& simulation, MouseInput& mouse, Notifier& notifier)
    : g_(g), simulation_(simulation), mouse_(mouse), notifier_(notifier) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(viewFormat());
}

ViewWindow::~ViewWindow() {
    releaseGraphics();
}

Status ViewWindow::createContext() {
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(format());
    const QSurfaceFormat got = context->create() ? context->format() : QSurfaceFormat();
    if (!context->isValid() ||
        std::make_pair(got.majorVersion(), got.minorVersion()) < std::make_pair(3, 3)) {
        return Message{"OpenGL 3.3 を使えません。"};
    }
    // Let go of it: the worker takes it onto its thread for each frame.
    context->moveToThread(nullptr);
    context_ = std::move(context);
    return {};
}

void ViewWindow::releaseGraphics() {
    if (!context_) {
        return;
    }
    context_->moveToThread(QThread::currentThread());
    pendingComparison_.reset();
    if (renderer_ || comparison_ || sideBySide_) {
        if (context_->makeCurrent(this)) {
            comparison_.reset();
            sideBySide_.reset();
            renderer_.reset();
            context_->doneCurrent();
        } else {
            // Without a current context their objects cannot be deleted; they go with the context.
            (void)comparison_.release();
            (void)sideBySide_.release();
            (void)renderer_.release();
        }
    }
    context_.reset();
}

void ViewWindow::setInfoBarWidth(int width) {
    barWidth_ = width;
}

void ViewWindow::requestScreenshot(const QString& path, int afterFrames) {
    screenshotPath_ = path;
    screenshotAfter_ = std::max(afterFrames, 1);
}

void ViewWindow::exposeEvent(QExposeEvent*) {
    publishSize();
    exposed_ = isExposed();
}

void ViewWindow::resizeEvent(QResizeEvent*) {
    publishSize();
}

void ViewWindow::publishSize() {
    const qreal ratio = devicePixelRatio();
    pixelWidth_ = std::max(1, static_cast<int>(std::lround(width() * ratio)));
    pixelHeight_ = std::max(1, static_cast<int>(std::lround(height() * ratio)));
}

bool ViewWindow::takeContext() {
    context_->moveToThread(QThread::currentThread());
    if (!context_->makeCurrent(this)) {
        context_->moveToThread(nullptr);
        return false;
    }
    return true;
}

void ViewWindow::releaseContext() {
    context_->doneCurrent();
    context_->moveToThread(nullptr);
}

bool ViewWindow::renderNow(const Task& task) {
    if (!context_ || rendererFailed_ || !takeContext()) {
        return false;
    }
    const bool ready = ensureRenderer();
    if (ready) {
        task(*renderer_);
        renderer_->restoreViewCamera();
    }
    releaseContext();
    return ready;
}

void ViewWindow::drawFrame() {
    if (!context_ || rendererFailed_ || !exposed_.load()) {
        return;
    }
    if (!takeContext()) {
        return;
    }
    if (ensureRenderer()) {
        const int width = pixelWidth_.load();
        const int height = pixelHeight_.load();
        const int barWidth = barWidth_.load();
        renderer_->setViewSize(width, height);
        if (materialsChanged_.exchange(false)) {
            renderer_->reloadMaterials();
        }
        if (std::optional<PendingBackdrop> backdrop = takePendingBackdrop()) {
            renderer_->setBackdrop(backdrop->kind, std::move(backdrop->picture));
        }
        takePendingComparison();
        const bool putBack =
            comparison_ ? drawSideBySide(width, height, barWidth)
                        : renderer_->renderViewFrame(context_->defaultFramebufferObject(), mouse_.poll(barWidth),
                                                     barWidth);
        frame_ = static_cast<int>(simulation_.currentFrame());
        if (putBack) {
            QMetaObject::invokeMethod(
                this, [this] { putCursorBack(); }, Qt::QueuedConnection);
        }
        ++framesDrawn_;
        if (!screenshotPath_.isEmpty() && !screenshotTaken_ && framesDrawn_ >= screenshotAfter_) {
            screenshotTaken_ = true;
            const bool saved = saveScreenshot(width, height);
            QMetaObject::invokeMethod(
                this, [this, saved] { emit screenshotDone(saved); }, Qt::QueuedConnection);
        }
        context_->swapBuffers(this);
    }
    releaseContext();
}

void ViewWindow::setBackdrop(ViewBackdrop::Kind kind, QImage picture) {
    const std::lock_guard lock(backdropMutex_);
    pendingBackdrop_ = PendingBackdrop{kind, std::move(picture)};
}

std::optional<ViewWindow::PendingBackdrop> ViewWindow::takePendingBackdrop() {
    const std::lock_guard lock(backdropMutex_);
    return std::exchange(pendingBackdrop_, std::nullopt);
}

void ViewWindow::setComparison(std::unique_ptr<CompareScene> scene) {
    const std::lock_guard lock(comparisonMutex_);
    pendingComparison_ = std::move(scene);
}

void ViewWindow::takePendingComparison() {
    std::optional<std::unique_ptr<CompareScene>> next;
    {
        const std::lock_guard lock(comparisonMutex_);
        next = std::exchange(pendingComparison_, std::nullopt);
    }
    if (!next) {
        return;
    }
    // An edited project for the same comparison keeps the scene's renderer.
    if (comparison_ && *next && comparison_->prepared()) {
        comparison_->adopt(std::move(**next));
        return;
    }
    comparison_ = std::move(*next);
    if (comparison_) {
        if (Status prepared = comparison_->prepare(); !prepared) {
            comparison_.reset();
            reportFailure(prepared.error());
        }
    }
    sideBySide_.reset();
    if (comparison_) {
        sideBySide_ = std::make_unique<SideBySideView>();
    }
}

// Without the halves' targets the view draws its own run alone.
bool ViewWindow::drawSideBySide(int width, int height, int barWidth) {
    const MouseSample mouse = mouse_.poll(barWidth);
    const GLuint window = context_->defaultFramebufferObject();
    if (std::optional<bool> putBack = sideBySide_->draw(*renderer_, g_, simulation_.currentFrame(), *comparison_,
                                                        window, width, height, mouse, barWidth)) {
        return *putBack;
    }
    renderer_->setViewSize(width, height);
    return renderer_->renderViewFrame(window, mouse, barWidth);
}

bool ViewWindow::ensureRenderer() {
    if (renderer_) {
        return true;
    }
    // The session hands the project's pose over before the worker starts, so the start pose
    // here is only the fallback.
    Result<std::unique_ptr<Renderer>> made = Renderer::create(g_, simulation_, ViewCameraPose{});
    if (!made) {
        rendererFailed_ = true;
        reportFailure(made.error());
        return false;
    }
    renderer_ = std::move(made).value();
    return true;
}

void ViewWindow::reportFailure(const Message& message) {
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            notifier_.show(Notifier::kDefaultCaption, message);
            emit rendererFailed(messageText(message));
        },
        Qt::QueuedConnection);
}

// The back buffer as drawn, top row first.
bool ViewWindow::saveScreenshot(int width, int height) {
    QImage image(width, height, QImage::Format_RGBA8888);
    if (image.isNull()) {
        return false;
    }
    QOpenGLFunctions* gl = context_->functions();
    gl->glBindFramebuffer(GL_FRAMEBUFFER, context_->defaultFramebufferObject());
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    gl->glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    // OpenGL's rows run bottom-up.
    return image.mirrored(false, true).save(screenshotPath_, "PNG");
}

void ViewWindow::putCursorBack() {
    const ScreenPoint origin = mouse_.dragOrigin();
    QCursor::setPos(origin.x, origin.y);
    mouse_.cursorPutBack(origin);
}

} // namespace vintrel
