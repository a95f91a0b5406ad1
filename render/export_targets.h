#pragma once

#include "render/gl_objects.h"
#include "render/pixel_rect.h"
#include "render/render_target.h"

#include <QImage>

namespace vintrel {

class Notifier;

// The off-screen targets of an export: the main colour target that frames are drawn into, the
// copy that the particle program composes over, and the mask picture. Made at the export size
// and released when the export ends.
class ExportTargets {
public:
    // Creates both targets at width x height; on a failure the user is told which target could
    // not be made, nothing stays allocated and false is returned. `mask` (export size, or null
    // for no mask) becomes the mask texture; without one the mask is fully transparent.
    bool create(int width, int height, const QImage& mask, Notifier& notifier);
    void release();
    bool ready() const { return main_.framebuffer() != 0; }

    const RenderTarget& main() const { return main_; }
    const RenderTarget& copy() const { return copy_; }
    GLuint maskTexture() const { return mask_.id(); }
    // Copies the main target into the copy, so the next draw composes over what is there.
    void syncCopy() const { copyColor(main_, copy_); }

    // The same result with less copying: clearCopy() empties the copy at the start of a walk;
    // markDrawn() notes pixels a draw may have written; syncTouched() then copies only those,
    // or the whole target when the copy has not matched it since it was cleared.
    void clearCopy();
    void markDrawn(const PixelRect& rect) {
        touched_ = unite(touched_, rect);
        drawnSinceClear_ = true;
    }
    void syncTouched();
    // Deferred copying: called before a draw that reads `rect` of the copy, brings the copy up
    // to date only when an earlier draw since the last copy may have changed those pixels (or,
    // after the copy was cleared, once anything has been drawn).
    void prepareToRead(const PixelRect& rect);
    // After a particle: the copy matches the target from the end of the walk's first particle
    // on, whether that particle drew anything or not.
    void matchAfterFirstParticle() {
        if (!copyMatchesMain_) {
            syncTouched();
        }
    }

private:
    RenderTarget main_;
    RenderTarget copy_;
    gl::Texture mask_;
    bool copyMatchesMain_ = false;
    bool drawnSinceClear_ = false;
    PixelRect touched_;
};

} // namespace vintrel
