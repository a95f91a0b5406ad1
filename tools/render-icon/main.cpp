// render-icon SVG OUT_FOLDER SIZE...: draws the SVG at each size into OUT_FOLDER/SIZExSIZE.png,
// the bitmap icons installed beside the scalable one.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: render-icon SVG OUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "render-icon: bad size %s\n", qPrintable(args[i]));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString out = QStringLiteral("%1/%2x%2.png").arg(args[2]).arg(size);
        if (!image.save(out)) {
            std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
