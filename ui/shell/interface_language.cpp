#include "ui/shell/interface_language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vintrel {

namespace {
constexpr const char* kEnglishTranslation = ":/i18n/vintrel_en.qm";
} // namespace

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
        return true;
    }
    auto* translator = new QTranslator(&app);
    if (!translator->load(QString::fromLatin1(kEnglishTranslation))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace vintrel
