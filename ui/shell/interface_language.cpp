#include "ui/shell/interface_language.h"

#include "model/default_names.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vintrel {

namespace {

constexpr const char* kEnglishTranslation = ":/i18n/vintrel_en.qm";

// Qt's own dialogs (the file and colour choosers, the message boxes' buttons) are written in
// English; in Japanese they take Qt's translation when it is installed (qt6-translations-l10n).
void installQtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

QString translatedName(const std::string& name) {
    return QCoreApplication::translate("DefaultNames", name.c_str());
}

// What the program names the nodes and viewpoints it creates, in the interface's language.
void useTranslatedDefaultNames() {
    DefaultNames names;
    for (std::string* name : {&names.node, &names.root, &names.cameraPosition, &names.cameraTarget,
                              &names.views[0], &names.views[1], &names.views[2], &names.viewpointBetween}) {
        *name = translatedName(*name).toStdString();
    }
    useDefaultNames(std::move(names));
}

} // namespace

bool loadEnglishTexts(QTranslator& translator) {
    return translator.load(QString::fromLatin1(kEnglishTranslation));
}

std::optional<InterfaceLanguage> parseInterfaceLanguage(std::string_view name) {
    if (name == "ja") {
        return InterfaceLanguage::Japanese;
    }
    if (name == "en") {
        return InterfaceLanguage::English;
    }
    return std::nullopt;
}

InterfaceLanguage chooseInterfaceLanguage(std::optional<InterfaceLanguage> option, std::string_view setting,
                                          std::string_view systemLocale) {
    if (option) {
        return *option;
    }
    if (const auto fromSetting = parseInterfaceLanguage(setting)) {
        return *fromSetting;
    }
    const std::string_view language = systemLocale.substr(0, systemLocale.find_first_of("_.@-"));
    return language == "ja" ? InterfaceLanguage::Japanese : InterfaceLanguage::English;
}

bool installInterfaceLanguage(QCoreApplication& app, InterfaceLanguage language) {
    if (language == InterfaceLanguage::Japanese) {
        installQtJapanese(app);
        return true;
    }
    auto* translator = new QTranslator(&app);
    if (!loadEnglishTexts(*translator)) {
        delete translator;
        return false;
    }
    if (!QCoreApplication::installTranslator(translator)) {
        return false;
    }
    useTranslatedDefaultNames();
    return true;
}

} // namespace vintrel
