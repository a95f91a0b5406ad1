#include "render/texture.h"

#include <QImage>
#include <QString>
#include <algorithm>

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

TextureAlpha textureAlpha(const QImage& image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    int highest = 0;
    int lowest = 255;
    for (int y = 0; y < rgba.height(); ++y) {
        const uchar* row = rgba.constScanLine(y);
        for (int x = 0; x < rgba.width(); ++x) {
            highest = std::max<int>(highest, row[4 * x + 3]);
            lowest = std::min<int>(lowest, row[4 * x + 3]);
        }
    }
    return TextureAlpha{static_cast<float>(highest) / 255.0f, lowest == 255};
}

std::optional<ParticleTexture> loadTexture(const std::filesystem::path& file) {
    QImage image;
    if (!image.load(QString::fromStdString(file.string())) || image.isNull()) {
        return std::nullopt;
    }
    return ParticleTexture{uploadTexture(image), textureAlpha(image)};
}

gl::Texture solidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    QImage image(1, 1, QImage::Format_RGBA8888);
    image.setPixelColor(0, 0, QColor(r, g, b, a));
    return uploadTexture(image);
}

} // namespace vintrel
