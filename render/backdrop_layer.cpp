#include "render/backdrop_layer.h"

#include <QColor>

namespace vintrel {

QRect coverRect(QSize picture, QSize view) {
    if (picture.isEmpty() || view.isEmpty()) {
        return {};
    }
    // Compared as products so that no rounding decides which side is cut.
    const long long pictureWide = static_cast<long long>(picture.width()) * view.height();
    const long long viewWide = static_cast<long long>(view.width()) * picture.height();
    if (pictureWide > viewWide) {
        const int width = static_cast<int>(viewWide / view.height());
        return {(picture.width() - width) / 2, 0, width, picture.height()};
    }
    const int height = static_cast<int>(pictureWide / view.width());
    return {0, (picture.height() - height) / 2, picture.width(), height};
}

QImage checkerboard(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const QRgb light = qRgb(153, 153, 153);
    const QRgb dark = qRgb(102, 102, 102);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool even = ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0;
            row[x] = even ? light : dark;
        }
    }
    return image;
}

void BackdropLayer::set(ViewBackdrop::Kind kind, QImage picture) {
    kind_ = kind;
    picture_ = std::move(picture);
    pending_ = true;
}

// The texture holds the picture bottom row first, as OpenGL counts rows. A picture larger than
// the driver's textures is scaled down to fit first: the view never shows more pixels than that.
void BackdropLayer::upload(const QImage& image) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    QImage fitted = image;
    if (largest > 0 && (image.width() > largest || image.height() > largest)) {
        fitted = image.scaled(largest, largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QImage rows = fitted.convertToFormat(QImage::Format_RGBA8888).mirrored(false, true);
    if (!texture_) {
        texture_ = gl::makeTexture();
        source_ = gl::makeFramebuffer();
    }
    glBindTexture(GL_TEXTURE_2D, texture_.id());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, rows.width(), rows.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rows.constBits());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source_.id());
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_.id(), 0);
    uploadedSize_ = rows.size();
}

void BackdropLayer::draw(GLuint framebuffer, QSize viewSize) {
    using Kind = ViewBackdrop::Kind;
    const bool checker = kind_ == Kind::Checkerboard;
    const bool picture = (kind_ == Kind::Image || kind_ == Kind::VideoFrame) && !picture_.isNull();
    if ((!checker && !picture) || viewSize.isEmpty()) {
        return;
    }
    // The checkerboard is drawn at the view's own size, so its squares stay square and sharp.
    if (checker && (pending_ || uploadedSize_ != viewSize)) {
        upload(checkerboard(viewSize));
    } else if (picture && pending_) {
        upload(picture_);
    }
    pending_ = false;
    const QRect from = checker ? QRect(QPoint(0, 0), viewSize) : coverRect(uploadedSize_, viewSize);
    // In the texture's bottom-up rows the centred crop sits at the same offset from the bottom.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source_.id());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(from.left(), from.top(), from.left() + from.width(), from.top() + from.height(), 0, 0,
                      viewSize.width(), viewSize.height(), GL_COLOR_BUFFER_BIT, checker ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

} // namespace vintrel
