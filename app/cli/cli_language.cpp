#include "app/cli/cli_language.h"

#include "ui/shell/interface_language.h"

#include <QString>
#include <QTranslator>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace vintrel {

namespace {

// The locale that names the messages' language, as POSIX looks it up.
std::string_view messagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

TextTranslation chooseTranslation() {
    const std::string_view locale = messagesLocale();
    if (locale.substr(0, locale.find_first_of("_.@-")) != "en") {
        return {};
    }
    auto english = std::make_shared<QTranslator>();
    if (!loadEnglishTexts(*english)) {
        return {};
    }
    return [english](std::string_view text) {
        const std::string source(text);
        const QString found = english->translate("Message", source.c_str());
        return found.isEmpty() ? source : found.toStdString();
    };
}

} // namespace

const TextTranslation& cliTranslation() {
    static const TextTranslation translation = chooseTranslation();
    return translation;
}

std::string cliText(const Message& message) {
    return translated(message, cliTranslation());
}

} // namespace vintrel
