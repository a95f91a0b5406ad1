// vintrel [FILE.stn] [--lang ja|en] [--screenshot OUT.png --after-frames N]: the editor.

#include "ui/shell/editor_session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <optional>

namespace vintrel {
namespace {

std::optional<EditorSession::Options> parseOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vintrel particle-effect editor"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the view as a PNG file, then quit."),
                                        QStringLiteral("OUT.png"));
    const QCommandLineOption after(QStringLiteral("after-frames"),
                                   QStringLiteral("Take the screenshot after N view frames (default 1)."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("The interface language, ja or en (default: the system's)."),
                                      QStringLiteral("ja|en"));
    parser.addOption(screenshot);
    parser.addOption(after);
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("FILE.stn"), QStringLiteral("The project to open."));
    parser.process(app);
    EditorSession::Options options;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "vintrel: only one file can be opened\n");
        return std::nullopt;
    }
    if (!files.isEmpty()) {
        options.file = files.front();
    }
    options.screenshot = parser.value(screenshot);
    bool ok = false;
    options.afterFrames = parser.value(after).toInt(&ok);
    if (!ok || options.afterFrames < 1) {
        std::fprintf(stderr, "vintrel: --after-frames needs a whole number of frames, 1 or more\n");
        return std::nullopt;
    }
    if (parser.isSet(language)) {
        options.language = parseInterfaceLanguage(parser.value(language).toStdString());
        if (!options.language) {
            std::fprintf(stderr, "vintrel: --lang takes ja or en\n");
            return std::nullopt;
        }
    }
    return options;
}

} // namespace
} // namespace vintrel

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintrel"));
    QApplication::setApplicationVersion(QStringLiteral(VINTREL_VERSION));
    // Ties the windows to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vintrel.Vintrel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.vintrel.Vintrel")));
    const auto options = vintrel::parseOptions(app);
    if (!options) {
        return 2;
    }
    vintrel::EditorSession session(QCoreApplication::applicationFilePath().toStdString());
    return session.run(app, *options);
}
