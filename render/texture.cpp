#include "render/texture.h"

#include <QImage>
#include <QString>

namespace vintrel {

gl::Texture uploadTexture(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    gl::Texture texture = gl::makeTexture();
    glBindTexture(GL_TEXTURE_2D, texture.id());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(rgba.bytesPerLine() / 4));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, rgba.width(), rgba.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.constBits());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

std::optional<gl::Texture> loadTexture(const std::filesystem::path& file) {
    QImage image;
    if (!image.load(QString::fromStdString(file.string())) || image.isNull()) {
        return std::nullopt;
    }
    return uploadTexture(image);
}

gl::Texture solidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    QImage image(1, 1, QImage::Format_RGBA8888);
    image.setPixelColor(0, 0, QColor(r, g, b, a));
    return uploadTexture(image);
}

} // namespace vintrel
