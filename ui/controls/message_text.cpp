#include "ui/controls/message_text.h"

#include <QCoreApplication>
#include <string>

namespace vintrel {

QString messageText(std::string_view sourceText) {
    return QCoreApplication::translate("Message", std::string(sourceText).c_str());
}

QString messageText(const Message& message) {
    const std::string pattern = messageText(message.text).toStdString();
    return QString::fromStdString(fillArguments(pattern, message.args));
}

} // namespace vintrel
