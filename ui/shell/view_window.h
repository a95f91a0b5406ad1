#pragma once

#include "model/global_state.h"
#include "platform/notifier.h"
#include "platform/result.h"
#include "render/render_access.h"
#include "ui/input/mouse_input.h"

#include <QImage>
#include <QString>
#include <QWindow>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

class QOpenGLContext;

namespace vintrel {

class CompareScene;
class SideBySideView;
class Renderer;
class Simulation;

// The 3D view: a native OpenGL window (embedded with QWidget::createWindowContainer) that the
// worker thread draws into.
//
// Threads: the GUI thread creates the context; the worker draws every view frame through
// drawFrame(), its drawView hook. The context belongs to no thread between two frames: each
// frame takes it onto the worker thread, makes it current, draws, presents and lets it go
// again. So once the worker has stopped, releaseGraphics() can take the context onto the GUI
// thread and destroy the renderer with it current. The GUI thread never draws; it only writes
// the window size, the info bar width and the exposure state into atomics that the worker
// reads.
class ViewWindow final : public QWindow, public RenderAccess {
    Q_OBJECT

public:
    ViewWindow(GlobalState& g, Simulation& simulation, MouseInput& mouse, Notifier& notifier);
    // Releases the graphics; the worker must have stopped.
    ~ViewWindow() override;

    // GUI thread, before the worker starts: an OpenGL 3.3 core context with a 24-bit depth
    // buffer. Fails when the system has none.
    Status createContext();
    // Worker thread: one view frame. Does nothing while the window is hidden, before
    // createContext() and after the renderer could not be created.
    void drawFrame();
    // GUI thread, after the worker has stopped: destroys the renderer (with the context current
    // on this thread) and the context. The view draws nothing more.
    void releaseGraphics();

    // RenderAccess: runs `task` on the calling thread with the context current and restores the
    // view camera afterwards: on the worker (its export pass) or on the GUI thread while the
    // worker is stopped.
    bool renderNow(const Task& task) override;

    // GUI thread: the width of the info bar whose coordinates the mouse is polled in.
    void setInfoBarWidth(int width);
    // GUI thread: the material list changed; the textures and models are uploaded again before
    // the next frame (by the worker, which owns the context).
    void reloadMaterials() { materialsChanged_ = true; }
    // GUI thread: what the view shows behind the effect from its next frame (see
    // Renderer::setBackdrop).
    void setBackdrop(ViewBackdrop::Kind kind, QImage picture);
    // GUI thread: from the next frame the view shows its run on the left and `scene`'s on the
    // right, in step and from one camera; null ends the comparison.
    void setComparison(std::unique_ptr<CompareScene> scene);
    // Any thread: the simulation's current frame as of the latest view frame (1 before the
    // first).
    int currentFrame() const { return frame_.load(); }
    // GUI thread, before the worker starts: the `afterFrames`-th drawn view frame (at least the
    // first) is also saved to `path` as a PNG, and screenshotDone() follows.
    void requestScreenshot(const QString& path, int afterFrames);

signals:
    // The renderer could not be created; the user has been told through the notifier.
    void rendererFailed(const QString& message);
    // The screenshot was taken; `saved` is false when the file could not be written.
    void screenshotDone(bool saved);

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void publishSize();
    bool ensureRenderer();
    void reportFailure(const Message& message);
    bool saveScreenshot(int width, int height);
    void putCursorBack();
    struct PendingBackdrop;
    std::optional<PendingBackdrop> takePendingBackdrop();
    // Worker thread: the comparison the GUI thread set since the last frame, made ready.
    void takePendingComparison();
    // Worker thread: both runs into their halves of the window's framebuffer.
    bool drawSideBySide(int width, int height, int barWidth);
    // Takes the context onto this thread and makes it current; false (context let go again)
    // when it cannot be made current.
    bool takeContext();
    void releaseContext();

    GlobalState& g_;
    Simulation& simulation_;
    MouseInput& mouse_;
    Notifier& notifier_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<Renderer> renderer_; // made, used and destroyed with the context current
    bool rendererFailed_ = false;        // worker thread only
    bool screenshotTaken_ = false;       // worker thread only
    int framesDrawn_ = 0;                // worker thread only
    QString screenshotPath_;             // set before the worker starts, then only read
    int screenshotAfter_ = 0;
    std::atomic<bool> exposed_{false};
    std::atomic<int> pixelWidth_{1};
    std::atomic<int> pixelHeight_{1};
    std::atomic<int> barWidth_{0};
    std::atomic<int> frame_{1};
    std::atomic<bool> materialsChanged_{false};
    // The backdrop the GUI thread set, until the worker's next frame hands it to the renderer.
    struct PendingBackdrop {
        ViewBackdrop::Kind kind;
        QImage picture;
    };
    std::mutex backdropMutex_;
    std::optional<PendingBackdrop> pendingBackdrop_;
    // The comparison: handed over under the mutex, then the worker's (with the context current).
    std::mutex comparisonMutex_;
    std::optional<std::unique_ptr<CompareScene>> pendingComparison_;
    std::unique_ptr<CompareScene> comparison_;
    std::unique_ptr<SideBySideView> sideBySide_;
};

} // namespace vintrel
